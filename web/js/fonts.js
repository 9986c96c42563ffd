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

// The web fonts come in parts by unicode-range, each loaded when a text needs
// it. What every sheet draws besides its question, by family: the title in
// Gothic; the sheet number, the name box and the problems in Mincho, as is the
// question.
const SHEET_TEXT = { 'Tavrimo Gothic': '分数の引き算', 'Tavrimo Mincho': '問題No.0123456789（　） -=' };
const QUESTION_FAMILY = 'Tavrimo Mincho';
const sheetTexts = (question) => Object.entries(SHEET_TEXT).map(([family, text]) =>
  [`16px "${family}"`, family === QUESTION_FAMILY ? text + question : text]);

// Whether the parts a sheet with this question draws in are all in.
export function sheetFontsIn(fontSet, question) {
  return sheetTexts(question).every(([font, text]) => fontSet.check(font, text));
}

// Loads the parts a sheet with this question draws in.
export function loadSheetFonts(fontSet, question) {
  return Promise.all(sheetTexts(question).map(([font, text]) => fontSet.load(font, text)));
}

// Enough for every string of many sheets; questions typed anew add a few.
const WIDTHS_KEPT = 2000;

// metrics: { family: { unitsPerEm, winAscent, winDescent } } from the font build.
export class FontSizer {
  constructor(metrics, measureUnits, fontSet = null) {
    this.metrics = metrics;
    // measureUnits(cssFont, char) -> advance of one character in font units
    this.measureUnits = measureUnits;
    // Where given (document.fonts), a character whose font part is not in yet
    // is measured in a fallback face: right for now, never kept.
    this.fontSet = fontSet;
    this.provisional = false;
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
      widths: new Map(),
    };
    this.fontCache.set(key, font);
    return font;
  }

  width(font, text) {
    // A sheet measures the same few strings (numbers, " - ", " = ") over and
    // over: each font keeps the widths it has worked out.
    let width = font.widths.get(text);
    if (width !== undefined) return width;
    this.provisional = false;
    width = this.measure(font, text);
    if (this.provisional) return width;
    if (font.widths.size >= WIDTHS_KEPT) font.widths.clear();
    font.widths.set(text, width);
    return width;
  }

  measure(font, text) {
    let sum64 = 0;
    for (const ch of text) {
      const key = `${font.family}\u0000${ch}`;
      let units = this.advanceCache.get(key);
      if (units === undefined) {
        units = this.measureUnits(`${font.unitsPerEm}px ${cssFamily(font.name)}`, ch);
        if (!this.fontSet || this.fontSet.check(`16px "${font.family}"`, ch)) this.advanceCache.set(key, units);
        else this.provisional = true;
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
