// The page's font sizing in Node, with the measurer and the font set played:
// a text measured before its font part is in must not keep that width.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { FontSizer } from '../../web/js/fonts.js';

const METRICS = { 'Tavrimo Mincho': { unitsPerEm: 1000, winAscent: 880, winDescent: 120 } };

test('a width measured in a fallback face is used once, then measured again in the font', () => {
  const face = { loaded: false, advance: 500 };
  const fontSet = { check: (font, text) => font === '16px "Tavrimo Mincho"' && text === '鷲' && face.loaded };
  const sizer = new FontSizer(METRICS, () => face.advance, fontSet);
  const font = sizer.font('ＭＳ 明朝', 20);
  const fallback = sizer.width(font, '鷲');
  face.loaded = true;
  face.advance = 1000;
  const drawn = sizer.width(font, '鷲');
  assert.equal(drawn, 2 * fallback);
  face.advance = 1;
  assert.equal(sizer.width(font, '鷲'), drawn);
});
