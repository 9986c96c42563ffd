// The two surfaces the core draws on: the preview's <canvas> and a printed
// page's SVG. Both implement the methods the engine's JsCanvas calls and share
// one FontSizer, so measurement is the same on screen and on paper.

import { cssFamily } from './fonts.js';

const rgb = (r, g, b) => `rgb(${r}, ${g}, ${b})`;

class SurfaceState {
  constructor(sizer) {
    this.sizer = sizer;
    this.fontName = 'ＭＳ Ｐゴシック';
    this.fontHeight = 12;
    this.pen = rgb(0, 0, 0);
    this.penWidth = 1;
    this.brushSolid = true;
    this.brush = rgb(255, 255, 255);
    this.x = 0;
    this.y = 0;
    this.currentFont = null;
  }

  // The engine sets a font once and then draws many texts in it.
  get font() {
    this.currentFont ??= this.sizer.font(this.fontName, this.fontHeight);
    return this.currentFont;
  }

  textWidth(text) {
    return this.sizer.width(this.font, text);
  }

  textHeight() {
    return this.font.height;
  }

  setFontName(name) {
    this.fontName = name.slice(0, 31);
    this.currentFont = null;
  }

  setFontHeight(h) {
    if (h > 0) {
      this.fontHeight = h;
      this.currentFont = null;
    }
  }

  setPenColor(r, g, b) {
    this.pen = rgb(r, g, b);
  }

  setPenWidth(w) {
    if (w >= 0) this.penWidth = w;
  }

  setBrushStyle(style) {
    this.brushSolid = style === 'solid';
  }

  setBrushColor(r, g, b) {
    this.brush = rgb(r, g, b);
  }

  moveTo(x, y) {
    this.x = x;
    this.y = y;
  }

  // The rectangle's area, right and bottom exclusive, or null when empty.
  area(x1, y1, x2, y2) {
    const [l, r] = x1 <= x2 ? [x1, x2] : [x2, x1];
    const [t, b] = y1 <= y2 ? [y1, y2] : [y2, y1];
    return r === l || b === t ? null : { l, t, w: r - l, h: b - t };
  }
}

// Lines cover whole pixels as Qt's aliased flat-capped pen does: a horizontal
// line of width w at y covers rows y - w/2 .. y + w/2 - 1.
function lineBox(x0, y0, x1, y1, width) {
  const w = Math.max(1, width);
  const off = Math.floor(w / 2);
  if (y0 === y1) return { l: Math.min(x0, x1), t: y0 - off, w: Math.abs(x1 - x0), h: w };
  if (x0 === x1) return { l: x0 - off, t: Math.min(y0, y1), w, h: Math.abs(y1 - y0) };
  return null;
}

// The preview box: the sheet drawn in reference units (its 320 x 441) onto
// whatever pixels the canvas has, so that it stays sharp at any size and
// pixel ratio. Lines and boxes cover whole pixels; text is drawn scaled.
export class PreviewCanvas extends SurfaceState {
  constructor(sizer, ctx) {
    super(sizer);
    this.ctx = ctx;
    this.contextFont = null;
    this.sx = 1;
    this.sy = 1;
  }

  // A fresh drawing: the reference box of width x height fills the canvas
  // in the background colour. Resizing a canvas resets its context, so all
  // of its state is set here.
  begin(width, height, background) {
    const { ctx } = this;
    this.sx = ctx.canvas.width / width;
    this.sy = ctx.canvas.height / height;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.textBaseline = 'alphabetic';
    ctx.imageSmoothingEnabled = false;
    this.contextFont = null;
    ctx.fillStyle = background;
    ctx.fillRect(0, 0, ctx.canvas.width, ctx.canvas.height);
  }

  // A box of reference units on whole pixels, at least one each way.
  fillBox(l, t, w, h) {
    if (w <= 0 || h <= 0) return;
    const left = Math.round(l * this.sx);
    const top = Math.round(t * this.sy);
    const right = Math.max(left + 1, Math.round((l + w) * this.sx));
    const bottom = Math.max(top + 1, Math.round((t + h) * this.sy));
    this.ctx.fillRect(left, top, right - left, bottom - top);
  }

  scaled(draw) {
    this.ctx.setTransform(this.sx, 0, 0, this.sy, 0, 0);
    draw();
    this.ctx.setTransform(1, 0, 0, 1, 0, 0);
  }

  textOut(x, y, text) {
    if (!text) return;
    const font = this.font;
    const ctx = this.ctx;
    if (this.brushSolid) {
      ctx.fillStyle = this.brush;
      this.fillBox(x, y, this.sizer.width(font, text), font.height);
    }
    // Setting a context's font parses it anew, even when it is the same;
    // nothing else sets this context's font.
    if (this.contextFont !== font.css) {
      ctx.font = font.css;
      this.contextFont = font.css;
    }
    ctx.fillStyle = 'rgb(0, 0, 0)';
    this.scaled(() => ctx.fillText(text, x, y + font.ascent));
  }

  rectangle(x1, y1, x2, y2) {
    const a = this.area(x1, y1, x2, y2);
    if (!a) return;
    const ctx = this.ctx;
    if (this.brushSolid) {
      ctx.fillStyle = this.brush;
      this.fillBox(a.l, a.t, a.w, a.h);
    }
    ctx.fillStyle = this.pen;
    this.fillBox(a.l, a.t, a.w, 1);
    this.fillBox(a.l, a.t + a.h - 1, a.w, 1);
    this.fillBox(a.l, a.t, 1, a.h);
    this.fillBox(a.l + a.w - 1, a.t, 1, a.h);
  }

  lineTo(x, y) {
    const ctx = this.ctx;
    if (x !== this.x || y !== this.y) {
      const box = lineBox(this.x, this.y, x, y, this.penWidth);
      if (box) {
        ctx.fillStyle = this.pen;
        this.fillBox(box.l, box.t, box.w, box.h);
      } else {
        ctx.strokeStyle = this.pen;
        ctx.lineWidth = Math.max(1, this.penWidth);
        ctx.lineCap = 'butt';
        this.scaled(() => {
          ctx.beginPath();
          ctx.moveTo(this.x, this.y);
          ctx.lineTo(x, y);
          ctx.stroke();
        });
      }
    }
    this.moveTo(x, y);
  }
}

// Keeps a canvas's pixels those of the screen under it, whatever its CSS
// size and the device's pixel ratio; resized() redraws it (a resize clears
// it). A zoom or another screen changes the ratio but not the CSS size.
export function matchScreenPixels(canvas, resized) {
  const apply = () => {
    const ratio = window.devicePixelRatio || 1;
    const box = canvas.getBoundingClientRect();
    const width = Math.round(box.width * ratio);
    const height = Math.round(box.height * ratio);
    if (width > 0 && height > 0 && (canvas.width !== width || canvas.height !== height)) {
      canvas.width = width;
      canvas.height = height;
      resized();
    }
  };
  new ResizeObserver(apply).observe(canvas);
  const watchRatio = () => {
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => {
      apply();
      watchRatio();
    }, { once: true });
  };
  watchRatio();
}

const SVG_NS = 'http://www.w3.org/2000/svg';

// A printed page as SVG in device units: real text (searchable in a saved
// PDF) whose blanks are kept, so " - " and " = " print as drawn.
export class SvgPage extends SurfaceState {
  constructor(sizer, doc, width, height) {
    super(sizer);
    this.doc = doc;
    this.svg = doc.createElementNS(SVG_NS, 'svg');
    this.svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
    this.svg.setAttribute('xmlns', SVG_NS);
  }

  add(tag, attrs) {
    const el = this.doc.createElementNS(SVG_NS, tag);
    for (const [k, v] of Object.entries(attrs)) el.setAttribute(k, String(v));
    this.svg.append(el);
    return el;
  }

  fill(box, colour) {
    this.add('rect', { x: box.l, y: box.t, width: box.w, height: box.h, fill: colour });
  }

  textOut(x, y, text) {
    if (!text) return;
    const font = this.font;
    if (this.brushSolid) this.fill({ l: x, t: y, w: this.sizer.width(font, text), h: font.height }, this.brush);
    const el = this.add('text', {
      x,
      y: y + font.ascent,
      'font-size': font.pixelSize,
      'font-family': cssFamily(font.name),
      fill: 'rgb(0, 0, 0)',
    });
    el.textContent = text;
  }

  rectangle(x1, y1, x2, y2) {
    const a = this.area(x1, y1, x2, y2);
    if (!a) return;
    if (this.brushSolid) this.fill(a, this.brush);
    this.add('rect', {
      x: a.l + 0.5, y: a.t + 0.5, width: a.w - 1, height: a.h - 1, fill: 'none', stroke: this.pen, 'stroke-width': 1,
    });
  }

  lineTo(x, y) {
    if (x !== this.x || y !== this.y) {
      const box = lineBox(this.x, this.y, x, y, this.penWidth);
      if (box) {
        this.fill(box, this.pen);
      } else {
        this.add('line', {
          x1: this.x, y1: this.y, x2: x, y2: y, stroke: this.pen, 'stroke-width': Math.max(1, this.penWidth),
        });
      }
    }
    this.moveTo(x, y);
  }
}
