// The sheet's fonts as Qt sizes and measures them on the desktop, so that a
// sheet drawn here lays out to the same pixels.
//
// Qt takes a font's cell height from the OS/2 win ascent and descent, each
// rounded to 1/64 pixel, and the sheet asks for a cell height: the font is
// set at the largest whole pixel size whose cell still fits. Text widths are
// the sum of the glyphs' unhinted advances, rounded once at the end.

// The window's face names and the web fonts that stand in for them, with
// Japanese fonts the system may have as fallbacks.
export const FACES = {
  'ＭＳ 明朝': { family: 'Tavrimo Mincho', fallback: '"IPAMincho", "Noto Serif CJK JP", serif' },
  'ＭＳ ゴシック': { family: 'Tavrimo Gothic', fallback: '"IPAGothic", "Noto Sans Mono CJK JP", monospace' },
  'ＭＳ Ｐゴシック': { family: 'Tavrimo PGothic', fallback: '"IPAPGothic", "Noto Sans CJK JP", sans-serif' },
};

const DEFAULT_FACE = 'ＭＳ 明朝';

export function faceOf(name) {
  return FACES[name] ?? FACES[DEFAULT_FACE];
}

export function cssFamily(name) {
  const face = faceOf(name);
  return `"${face.family}", ${face.fallback}`;
}

// metrics: { family: { unitsPerEm, winAscent, winDescent } } from the font build.
export class FontSizer {
  constructor(metrics, measureUnits) {
    this.metrics = metrics;
    // measureUnits(cssFont, char) -> advance of one character in font units
    this.measureUnits = measureUnits;
    this.advanceCache = new Map();
    this.fontCache = new Map();
  }

  // { pixelSize, ascent, height, css } for a face name and a cell height.
  font(name, cellHeight) {
    const key = `${name}\u0000${cellHeight}`;
    let font = this.fontCache.get(key);
    if (font) return font;
    const face = faceOf(name);
    const m = this.metrics[face.family];
    const a64 = (s) => Math.round((m.winAscent * s * 64) / m.unitsPerEm);
    const d64 = (s) => Math.round((m.winDescent * s * 64) / m.unitsPerEm);
    const cell = (s) => (a64(s) + d64(s)) / 64;
    const requested = Math.max(1, cellHeight);
    const ratio = cell(requested) / requested;
    let size = ratio > 0 ? Math.max(1, Math.floor(requested / ratio)) : requested;
    while (size > 1 && cell(size) > requested) --size;
    while (cell(size + 1) <= requested) ++size;
    const ascent = (a64(size) + 32) >> 6;
    const descent = (d64(size) + 32) >> 6;
    font = {
      name,
      family: face.family,
      unitsPerEm: m.unitsPerEm,
      pixelSize: size,
      ascent,
      height: ascent + descent,
      css: `${size}px ${cssFamily(name)}`,
    };
    this.fontCache.set(key, font);
    return font;
  }

  width(font, text) {
    let sum64 = 0;
    for (const ch of text) {
      const key = `${font.family}\u0000${ch}`;
      let units = this.advanceCache.get(key);
      if (units === undefined) {
        units = this.measureUnits(`${font.unitsPerEm}px ${cssFamily(font.name)}`, ch);
        this.advanceCache.set(key, units);
      }
      sum64 += Math.round((units * font.pixelSize * 64) / font.unitsPerEm);
    }
    return (sum64 + 32) >> 6;
  }
}

// Measures with a 2D context at one em per font unit.
export function canvasMeasurer(ctx) {
  return (css, ch) => {
    ctx.font = css;
    return ctx.measureText(ch).width;
  };
}
