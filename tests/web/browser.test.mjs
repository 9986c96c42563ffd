// The page in headless Chromium: the window's controls, the commands, the
// dialogs, printing to PDF, links, offline use and a hostile link.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { once } from 'node:events';
import { appendFileSync, cpSync, mkdtempSync, readFileSync, readdirSync, rmSync, utimesSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { CHROMIUM, ROOT, SHEETS, SITE, argsToParams, loadEngine, openPage, previewLines, startBrowser, vectors } from './harness.mjs';
import { chromium } from 'playwright-core';
import { noteReady } from '../../scripts/page-ready.mjs';
import { serveSite } from '../../scripts/serve-web.mjs';

let env;
let tmp;
before(async () => {
  env = await startBrowser();
  tmp = mkdtempSync(join(tmpdir(), 'tavrimo-web-'));
});
after(async () => {
  await env?.close();
  rmSync(tmp, { recursive: true, force: true });
});

// Headless Chromium has no print dialog to close; the tests count the calls
// and print the page to PDF themselves.
const stubPrint = () => {
  window.printCalls = 0;
  window.print = () => { window.printCalls += 1; };
};

const url = (query = '') => `${env.site.url}${query ? `?${query}` : ''}`;
const DEFAULTS_SEED_0 = vectors()[0];

// The preview's pixels stay in the page: its count of dark pixels and its
// lossless PNG.
const inkPixels = (page) => page.evaluate(() => {
  const px = document.getElementById('PaintBox1').getContext('2d').getImageData(0, 0, 320, 441).data;
  let n = 0;
  for (let i = 0; i < px.length; i += 4) if (px[i + 3] > 0 && px[i] + px[i + 1] + px[i + 2] < 384) ++n;
  return n;
});

// プレビュー, then the preview drawn: the first one after the page is ready
// may still wait for the sheet's fonts.
async function clickPreview(page) {
  const before = await page.locator('#previewLines').textContent();
  await page.click('#btnPreview');
  await page.waitForFunction((b) => document.getElementById('previewLines').textContent !== b, before);
}

const canvasPng = (page) => page.evaluate(() => document.getElementById('PaintBox1').toDataURL('image/png'));

// Compares two PNGs (data URLs) in a page without the site's policy: the
// count of pixels whose channels differ by more than half, and of dark
// pixels in the first.
async function comparePngs(context, a, b) {
  const blank = await context.newPage();
  const result = await blank.evaluate(async ([first, second]) => {
    const pixels = async (src) => {
      const img = new Image();
      img.src = src;
      await img.decode();
      const canvas = document.createElement('canvas');
      canvas.width = img.width;
      canvas.height = img.height;
      const ctx = canvas.getContext('2d');
      ctx.drawImage(img, 0, 0);
      return ctx.getImageData(0, 0, img.width, img.height).data;
    };
    const [p, q] = [await pixels(first), await pixels(second)];
    let differing = 0;
    let ink = 0;
    for (let i = 0; i < p.length; i += 4) {
      const d = Math.max(Math.abs(p[i] - q[i]), Math.abs(p[i + 1] - q[i + 1]), Math.abs(p[i + 2] - q[i + 2]));
      if (d > 128) ++differing;
      if (p[i] + p[i + 1] + p[i + 2] < 384) ++ink;
    }
    return { sameSize: p.length === q.length, differing, ink };
  }, [a, b]);
  await blank.close();
  return result;
}

describe('the window', () => {
  test('controls stand at their places with their texts, hints and initial states', async () => {
    const page = await openPage(env.browser, url());
    const controls = await page.evaluate(() => {
      const client = document.querySelector('.client').getBoundingClientRect();
      const out = {};
      for (const el of document.querySelectorAll('.client > [id]')) {
        const r = el.getBoundingClientRect();
        out[el.id] = {
          box: [r.left - client.left, r.top - client.top, r.width, r.height].map(Math.round),
          value: el.value ?? null, title: el.title, maxLength: el.maxLength ?? null,
          disabled: el.disabled ?? null, tab: el.tabIndex,
        };
      }
      return out;
    });
    // Texts, hints, lengths, items and initial values are the engine's descriptions of the settings.
    const described = Object.fromEntries((await loadEngine()).settingDescriptions().map((d) => [d.control, d]));
    const rows = [
      ['QstSentence', [16, 88, 345, 23], 1], ['edtIntf1', [16, 164, 25, 23], 2], ['edtIntf2', [60, 164, 25, 23], 3],
      ['edtBunbof1', [96, 184, 25, 23], 4], ['edtBunbof2', [148, 184, 25, 23], 5],
      ['edtIntb1', [208, 164, 25, 23], 6], ['edtIntb2', [253, 164, 25, 23], 7],
      ['edtBunbob1', [288, 184, 25, 23], 8], ['edtBunbob2', [340, 184, 25, 23], 9], ['PrnNum', [304, 216, 49, 23], 16],
    ];
    for (const [id, box, tab] of rows) {
      const d = described[id];
      assert.deepEqual(controls[id].box, box, id);
      assert.equal(controls[id].value, d.initial, id);
      assert.equal(controls[id].title, d.hint, id);
      assert.equal(controls[id].maxLength, d.maxLength || -1, id);
      assert.equal(controls[id].tab, tab, id);
    }
    const buttons = [
      ['btnPreview', [33, 432, 128, 25], 'プレビュー', '印刷イメージを見る', false, 13],
      ['btnMaintenance', [33, 464, 128, 25], '印刷設定', '印刷の設定を変更', false, 14],
      ['btnClose', [33, 496, 128, 25], '終了', 'プログラムを終了', false, 15],
      ['btnPrint', [216, 432, 129, 25], '印刷', '解答なしで印刷', true, 11],
      ['btnPrintWithAns', [216, 464, 129, 25], '印刷（答えつき）', '解答ありで印刷', true, 12],
      ['btnPrintAns', [216, 496, 129, 25], '印刷（答えのみ）', '解答のみ印刷', true, 20],
    ];
    for (const [id, box, text, title, disabled, tab] of buttons) {
      assert.deepEqual(controls[id].box, box, id);
      assert.equal(await page.locator(`#${id}`).textContent(), text, id);
      assert.equal(controls[id].title, title, id);
      assert.equal(controls[id].disabled, disabled, id);
      assert.equal(controls[id].tab, tab, id);
    }
    const groups = [
      ['rgAnswer', [16, 216, 169, 153], false], ['rgTuubun', [198, 248, 171, 41], false],
      ['rgBaisuu', [198, 296, 173, 41], true], ['rgQNum', [198, 344, 173, 41], false],
      ['rgYakubun', [16, 376, 169, 33], false],
    ];
    for (const [id, box, disabled] of groups) {
      const d = described[id];
      assert.deepEqual(controls[id].box, box, id);
      assert.equal(await page.locator(`#${id} legend`).textContent(), d.label, id);
      assert.deepEqual(await page.locator(`#${id} label`).allTextContents(), d.items.map((i) => i.text), id);
      assert.equal(controls[id].disabled, disabled, id);
      assert.equal(await page.locator(`#${id} input:checked`).getAttribute('value'), String(d.initial), id);
    }
    assert.deepEqual(controls.PaintBox1.box, [393, 64, 320, 441]);
    assert.equal(await page.title(), 'Tavrimo For 引き算(分数編)');
    // Tab walks the controls in the window's order, skipping the disabled.
    await page.focus('#QstSentence');
    const walk = [];
    for (let i = 0; i < 14; ++i) {
      await page.keyboard.press('Tab');
      walk.push(await page.evaluate(() => document.activeElement.id || document.activeElement.name));
    }
    assert.deepEqual(walk, ['edtIntf1', 'edtIntf2', 'edtBunbof1', 'edtBunbof2', 'edtIntb1', 'edtIntb2',
      'edtBunbob1', 'edtBunbob2', 'rgAnswer', 'btnPreview', 'btnMaintenance', 'btnClose', 'PrnNum', 'rgQNum']);
    assert.deepEqual(page.errors, []);
    await page.context().close();
  });

  test('a\'s denominators copy into b\'s, 通分 enables 倍数, range boxes take two characters', async () => {
    const page = await openPage(env.browser, url());
    const value = (id) => page.inputValue(`#${id}`);
    await page.fill('#edtBunbof1', '5');
    assert.equal(await value('edtBunbob1'), '5');
    await page.fill('#edtBunbof1', '');
    assert.equal(await value('edtBunbob1'), '');
    await page.fill('#edtBunbof2', '7');
    await page.fill('#edtBunbob2', '3');
    assert.equal(await value('edtBunbof2'), '7');
    await page.fill('#edtIntf1', '');
    await page.locator('#edtIntf1').pressSequentially('-12');
    assert.equal(await value('edtIntf1'), '-1');
    await page.click('#rgTuubun label:nth-of-type(2)');
    const disabled = () => page.evaluate(() => document.getElementById('rgBaisuu').disabled);
    assert.equal(await disabled(), false);
    await page.click('#rgBaisuu label:nth-of-type(2)');
    await page.click('#rgTuubun label:nth-of-type(1)');
    assert.equal(await disabled(), true);
    assert.equal(await page.locator('#rgBaisuu input').first().isDisabled(), true);
    assert.equal(await page.locator('#rgBaisuu input:checked').getAttribute('value'), '1');
    await page.context().close();
  });
});

// Phones and tablets, with touch: below 740 px one column of finger-sized
// controls, from 740 px the window as it is; every command by a tap.
describe('touch screens', () => {
  const sizes = [
    { width: 390, height: 844, narrow: true },
    { width: 768, height: 1024, narrow: false },
  ];
  // The controls a finger must hit: boxes, radio items, buttons, lists and check boxes.
  const smallTargets = (page, root) => page.evaluate((selector) => {
    const targets = document.querySelectorAll(`${selector} :is(input:not([type="radio"]):not([type="checkbox"]),
      label:has(input), button, select)`);
    return [...targets].filter((el) => el.getClientRects().length > 0).map((el) => {
      const r = el.getBoundingClientRect();
      return { el: el.id || el.textContent.trim() || el.outerHTML.slice(0, 40), w: r.width, h: r.height };
    }).filter((t) => t.w < 44 || t.h < 44);
  }, root);

  for (const size of sizes) {
    test(`${size.width} x ${size.height}: every command by a tap, the preview sharp and readable`, async () => {
      const page = await openPage(env.browser, url('seed=5&sheets=3&number=7'), {
        viewport: { width: size.width, height: size.height }, hasTouch: true, isMobile: true, deviceScaleFactor: 2,
      }, stubPrint);
      await page.waitForFunction(() => document.getElementById('previewLines').textContent !== '');
      const overflow = () => page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth);
      assert.equal(await overflow(), 0);
      if (size.narrow) assert.deepEqual(await smallTargets(page, 'body'), []);
      else assert.equal((await page.locator('#Form1').boundingBox()).width, 740);
      // The problem font is 13 units of the 320 wide box; drawn at the screen's pixels.
      const canvas = await page.evaluate(() => {
        const c = document.getElementById('PaintBox1');
        const r = c.getBoundingClientRect();
        return { css: [r.width, r.height], pixels: [c.width, c.height] };
      });
      assert.ok((canvas.css[0] * 13) / 320 >= 12, `preview ${canvas.css[0]} wide`);
      assert.ok(Math.abs(canvas.css[1] / canvas.css[0] - 441 / 320) < 0.01);
      assert.deepEqual(canvas.pixels, canvas.css.map((v) => Math.round(v * 2)));

      const first = await previewLines(page);
      await page.locator('#btnNextSheet').tap();
      assert.equal(await page.locator('#lblSheets').textContent(), '2/3枚');
      await page.locator('#btnPrevSheet').tap();
      assert.deepEqual(await previewLines(page), first);
      await page.locator('#btnPreview').tap();
      await page.waitForFunction((b) => document.getElementById('previewLines').textContent !== b.join('\n'), first);
      for (const [id, number] of [['btnPrint', 10], ['btnPrintWithAns', 13], ['btnPrintAns', 16]]) {
        await page.locator(`#${id}`).tap();
        await page.waitForFunction((n) => document.getElementById('PrnNum').value === String(n), number);
      }
      assert.equal(await page.evaluate(() => window.printCalls), 3);

      await page.locator('#btnMaintenance').tap();
      await page.locator('#dlgNotice').waitFor({ state: 'visible' });
      if (size.narrow) assert.deepEqual(await smallTargets(page, '#dlgNotice'), []);
      await page.locator('#dlgNotice button').tap();
      await page.locator('#dlgNotice').waitFor({ state: 'hidden' });

      await page.locator('#btnAdvanced').tap();
      await page.locator('#dlgAdvanced').waitFor({ state: 'visible' });
      if (size.narrow) assert.deepEqual(await smallTargets(page, '#dlgAdvanced'), []);
      await page.locator('#dlg-easyFirst').tap();
      await page.locator('#dlgAdvanced button[value="ok"]').tap();
      await page.locator('#dlgAdvanced').waitFor({ state: 'hidden' });
      await page.locator('#btnPreview').tap();
      await page.waitForFunction(() => new URL(location.href).searchParams.get('easy-first') === '1');
      assert.equal(await overflow(), 0);
      assert.deepEqual(page.errors, []);
      await page.context().close();
    });
  }
});

// A file's address without the version the build stamps on it.
const bare = (u) => u.replace(/\?v=[0-9a-f]+$/, '');
// The versioned names the site's worker keeps.
const workerFiles = (site) => JSON.parse(/const FILES = (\[.*\]);/.exec(readFileSync(join(site, 'sw.js'), 'utf8'))[1]);

describe('the start', () => {
  // The page must not find what it needs one import or fetch at a time: its
  // HTML names every module, the engine, the metrics and the font parts of
  // the window and the first sheet, and a preload that does not match its use
  // would fetch a file twice.
  test('the HTML asks for everything the start needs, and each file is fetched once', async () => {
    const html = readFileSync(join(SITE, 'index.html'), 'utf8');
    const asked = new Set([...html.matchAll(/<link rel="(?:module)?preload" href="([^"]+)"/g)].map((m) => bare(m[1])));
    const importsOf = (file) => [...readFileSync(join(SITE, file), 'utf8').matchAll(/^import .* from '\.\/([^']+)';$/gm)]
      .map((m) => `js/${bare(m[1])}`);
    const modules = new Set();
    const pending = ['js/main.js'];
    while (pending.length) {
      for (const m of importsOf(pending.pop())) {
        if (modules.has(m)) continue;
        modules.add(m);
        pending.push(m);
      }
    }
    assert.ok(modules.size >= 4);
    for (const file of [...modules, 'tavrimo.wasm', 'fonts/font-metrics.json']) assert.ok(asked.has(file), file);

    const page = await openPage(env.browser, url());
    await clickPreview(page);
    const fetched = await page.evaluate(() => performance.getEntriesByType('resource').map((e) => new URL(e.name).pathname));
    const parts = fetched.filter((p) => p.endsWith('.woff2'));
    assert.ok(parts.length >= 3, parts.join(' '));
    for (const part of parts) assert.ok(asked.has(part.slice(1)), part);
    for (const file of asked) assert.equal(fetched.filter((p) => p === `/${file}`).length, 1, file);
    assert.deepEqual(page.errors, []);
    await page.context().close();
  });
});

describe('the first visit', () => {
  // Counted at the server: what a class of pupils opening a sheet's link at
  // once costs.
  test('each file is sent once, text compressed, before interactive only the font parts drawn in', async () => {
    const sent = [];
    const server = await serveSite(SITE, 0, { onSent: (r) => sent.push(r) });
    const context = await env.browser.newContext();
    try {
      await context.addInitScript(noteReady);
      const page = await context.newPage();
      await page.goto(`${server.url}?${argsToParams(DEFAULTS_SEED_0.args)}`);
      await page.waitForFunction(() => window.readyAt !== undefined);
      const ready = await page.evaluate(() => performance.timeOrigin + window.readyAt);
      const before = sent.filter((r) => r.at <= ready);
      const bytes = before.reduce((n, r) => n + r.bytes, 0);
      assert.ok(bytes <= 150 * 1024, `${bytes} bytes before interactive`);
      for (const r of before) if (!/\.(woff2|png)\?/.test(r.path)) assert.ok(r.encoding, `${r.path} uncompressed`);
      const parts = before.filter((r) => r.path.includes('.woff2')).map((r) => bare(r.path));
      assert.ok(parts.length === 3 && parts.every((p) => /-start\.woff2$/.test(p)), parts.join(' '));

      // The worker keeps every file, taking those the page has from the
      // browser's cache and fetching the rest.
      await page.waitForFunction(() => document.getElementById('previewLines').textContent !== '');
      await page.evaluate(() => navigator.serviceWorker.ready);
      const paths = sent.map(({ path }) => (path.startsWith('/?') ? '/' : path)).sort();
      assert.deepEqual(paths, [...new Set(paths)]);
      for (const file of workerFiles(SITE)) assert.ok(paths.includes(`/${file}`), file);
    } finally {
      await context.close();
      await server.close();
    }
  });
});

describe('the commands', () => {
  test('プレビュー draws the answer sheet, lists its problems and enables printing', async () => {
    const page = await openPage(env.browser, url());
    assert.equal(await inkPixels(page), 0);
    await clickPreview(page);
    const lines = await previewLines(page);
    assert.equal(lines.length, 16);
    lines.forEach((line, i) => assert.match(line, new RegExp(`^${i + 1}: [0-9 /]+ - [0-9 /]+ = [0-9 /]+$`)));
    assert.ok((await inkPixels(page)) > 2000);
    for (const id of ['btnPrint', 'btnPrintWithAns', 'btnPrintAns']) {
      assert.equal(await page.locator(`#${id}`).isEnabled(), true, id);
    }
    const params = new URL(page.url()).searchParams;
    assert.match(params.get('seed'), /^[0-9]+$/);
    assert.equal(params.get('den-a-to'), '99');
    // A new set each click, drawn in the click now that the fonts are in.
    await page.click('#btnPreview');
    assert.notDeepEqual(await previewLines(page), lines);
    await page.context().close();
  });

  test('a short set beeps and warns; a bad box gets the error report', async () => {
    const page = await openPage(env.browser, url());
    await page.evaluate(() => {
      window.beeps = 0;
      const create = AudioContext.prototype.createOscillator;
      AudioContext.prototype.createOscillator = function () { window.beeps += 1; return create.call(this); };
    });
    const rows = [
      { boxes: { edtBunbof1: '0', edtBunbof2: '0' }, dialog: '#dlgWarning', caption: '警告',
        message: '今の条件では、指定された問題数が確保できません。', beeps: true },
      { boxes: { edtBunbof1: '2', edtBunbof2: '99', edtIntf2: 'x' }, dialog: '#dlgError', caption: 'tavrimo',
        message: "'x' は整数ではありません.", beeps: false },
      { boxes: { edtIntf2: '0', PrnNum: '' }, dialog: '#dlgError', caption: 'tavrimo',
        message: "'' は整数ではありません.", beeps: false },
    ];
    for (const row of rows) {
      for (const [id, v] of Object.entries(row.boxes)) await page.fill(`#${id}`, v);
      const before = await page.evaluate(() => window.beeps);
      await page.click('#btnPreview');
      await page.locator(row.dialog).waitFor({ state: 'visible' });
      assert.equal(await page.locator(`${row.dialog} .caption`).textContent(), row.caption);
      assert.equal(await page.locator(`${row.dialog} .message`).textContent(), row.message);
      assert.equal((await page.evaluate(() => window.beeps)) > before, row.beeps, row.message);
      await page.click(`${row.dialog} button`);
      await page.locator(row.dialog).waitFor({ state: 'hidden' });
      assert.deepEqual(await previewLines(page), []);
      assert.equal(await page.locator('#btnPrint').isDisabled(), true);
    }
    await page.context().close();
  });

  test('印刷設定 says where printer and paper are chosen', async () => {
    const page = await openPage(env.browser, url());
    await page.click('#btnMaintenance');
    await page.locator('#dlgNotice').waitFor({ state: 'visible' });
    assert.match(await page.locator('#dlgNotice .message').textContent(), /印刷画面/);
    await page.context().close();
  });
});

// Numbers of the problem lines, left and right of " = ".
function lineNumbers(lines) {
  const problems = [];
  const answers = [];
  for (const line of lines) {
    const [, body] = line.split(': ');
    const [left, right] = body.split(' = ');
    problems.push(...left.match(/[0-9]+/g));
    answers.push(...right.match(/[0-9]+/g).filter((n, i, all) => !(n === '0' && all.length > 1)));
  }
  return { problems, answers };
}

const sorted = (a) => [...a].sort();

describe('printing', () => {
  test('each print command gives its sheets as A4 pages with embedded fonts and the next number', async () => {
    const page = await openPage(env.browser, url(argsToParams(DEFAULTS_SEED_0.args).toString()), {}, stubPrint);
    await page.waitForFunction(() => document.getElementById('previewLines').textContent !== '');
    await page.fill('#PrnNum', '7');
    const { problems, answers } = lineNumbers(await previewLines(page));
    const rows = [
      ['btnPrint', 7, [false]],
      ['btnPrintWithAns', 8, [false, true]],
      ['btnPrintAns', 9, [true]],
    ];
    for (const [id, number, sheets] of rows) {
      const calls = await page.evaluate(() => window.printCalls);
      await page.click(`#${id}`);
      await page.waitForFunction((n) => document.getElementById('PrnNum').value === String(n), number + 1);
      assert.equal(await page.evaluate(() => window.printCalls), calls + 1, id);
      const pdf = join(tmp, `${id}.pdf`);
      writeFileSync(pdf, await page.pdf({ preferCSSPageSize: true }));
      const info = execFileSync('pdfinfo', [pdf], { encoding: 'utf8' });
      assert.match(info, new RegExp(`Pages:\\s+${sheets.length}\\n`), id);
      assert.match(info, /Page size:\s+59[45]\.\d+ x 841\.\d+ pts \(A4\)/, id);
      const fonts = execFileSync('pdffonts', [pdf], { encoding: 'utf8' }).split('\n').slice(2).filter(Boolean);
      assert.ok(fonts.length >= 2, id);
      for (const f of fonts) assert.match(f, /Tavrimo.* yes /, `${id}: ${f}`);
      sheets.forEach((answerSheet, i) => {
        const text = execFileSync('pdftotext', ['-f', `${i + 1}`, '-l', `${i + 1}`, pdf, '-'], { encoding: 'utf8' });
        assert.match(text, new RegExp(`問題No\\.${number}(?![0-9])`), `${id} page ${i + 1}`);
        assert.match(text, /分数の引き算/);
        assert.match(text, /つぎの計算をしましょう。/);
        const numbers = text.replace(/問題No\.[0-9]+/, '').match(/[0-9]+/g);
        const want = answerSheet ? [...problems, ...answers] : problems;
        assert.deepEqual(sorted(numbers), sorted(want), `${id} page ${i + 1}`);
      });
      const spaces = await page.locator('#print-pages text').allTextContents();
      assert.ok(spaces.includes(' - ') && spaces.includes(' = '), id);
    }
    await page.context().close();
  });
});

// The browser's own print (Ctrl+P, its menu), as page.pdf() prints: the page
// as the print media shows it, without any print command.
describe('the browser\'s own print', () => {
  // Each page's text, and the page size of the first.
  async function browserPrint(page) {
    const pdf = join(tmp, 'browser-print.pdf');
    writeFileSync(pdf, await page.pdf({ preferCSSPageSize: true }));
    const info = execFileSync('pdfinfo', [pdf], { encoding: 'utf8' });
    assert.match(info, /Page size:\s+59[45]\.\d+ x 841\.\d+ pts \(A4\)/);
    const count = Number(/Pages:\s+([0-9]+)/.exec(info)[1]);
    return Array.from({ length: count }, (_, i) =>
      execFileSync('pdftotext', ['-f', `${i + 1}`, '-l', `${i + 1}`, pdf, '-'], { encoding: 'utf8' }));
  }
  // The problem sheet of the shown set: its number and its problems' numbers, no answers.
  function assertProblemSheet(text, number, lines) {
    assert.match(text, new RegExp(`問題No\\.${number}(?![0-9])`));
    assert.deepEqual(sorted(text.replace(/問題No\.[0-9]+/, '').match(/[0-9]+/g)), sorted(lineNumbers(lines).problems));
  }

  test('before a preview a page says what to do; after one, the set\'s problem sheets, never an old set', async () => {
    const page = await openPage(env.browser, url('sheets=2&number=7'), {}, stubPrint);
    const [notice, ...none] = await browserPrint(page);
    assert.match(notice, /プレビュー/);
    assert.deepEqual(none, []);

    // A class set of two: both problem sheets, and the number stays.
    await clickPreview(page);
    const firstSet = await previewLines(page);
    for (let again = 0; again < 2; ++again) {
      const sheets = await browserPrint(page);
      assert.equal(sheets.length, 2);
      assertProblemSheet(sheets[0], 7, firstSet);
      assert.match(sheets[1], /問題No\.8(?![0-9])/);
      assert.equal(await page.inputValue('#PrnNum'), '7');
    }

    // 印刷（答えつき）, then a new set: the new set's problem sheets, under the next numbers.
    await page.click('#btnPrintWithAns');
    await page.waitForFunction(() => document.getElementById('PrnNum').value === '9');
    await clickPreview(page);
    const secondSet = await previewLines(page);
    const sheets = await browserPrint(page);
    assert.equal(sheets.length, 2);
    assertProblemSheet(sheets[0], 9, secondSet);
    assert.match(sheets[1], /問題No\.10(?![0-9])/);

    // A number the box cannot hold is said on the page, as 印刷 would say it.
    await page.fill('#PrnNum', 'x');
    const [refusal] = await browserPrint(page);
    assert.match(refusal, /'x' は整数ではありません/);
    assert.deepEqual(page.errors, []);
    await page.context().close();
  });
});

describe('詳細設定', () => {
  test('the dialog: キャンセル changes nothing, OK takes its settings, a preset fills the window', async () => {
    const page = await openPage(env.browser, url());
    const dialogOpen = () => page.evaluate(() => document.getElementById('dlgAdvanced').open);
    await page.click('#btnAdvanced');
    assert.equal(await dialogOpen(), true);
    await page.selectOption('#dlg-borrowMix', '50');
    await page.check('#dlg-easyFirst');
    await page.click('#dlgAdvanced button[value="cancel"]');
    assert.equal(await dialogOpen(), false);
    await clickPreview(page);
    assert.equal(new URL(page.url()).searchParams.get('borrow-mix'), null);

    await page.click('#btnAdvanced');
    assert.equal(await page.inputValue('#dlg-borrowMix'), '-1');
    await page.fill('#dlg-maxCommonDenominator', '1');
    await page.click('#dlgAdvanced button[value="ok"]');
    assert.match(await page.locator('#dlgAdvanced .error').textContent(), /通分後の分母の上限/);
    await page.fill('#dlg-maxCommonDenominator', '36');
    await page.selectOption('#cmbPreset', { label: '4年 同じ分母 まぜる (50%)' });
    assert.equal(await page.inputValue('#dlg-borrowMix'), '50');
    await page.click('#dlgAdvanced button[value="ok"]');
    assert.equal(await dialogOpen(), false);
    assert.equal(await page.inputValue('#edtIntf2'), '9');
    await clickPreview(page);
    const link = new URL(page.url()).searchParams;
    assert.equal(link.get('v'), '1');
    assert.equal(link.get('borrow-mix'), '50');
    assert.equal(link.get('whole-a-to'), '9');
    assert.deepEqual(page.errors, []);
    await page.context().close();
  });
});

describe('worked answers', () => {
  test('with the working on, the preview is its first page and its text lists every step', async () => {
    const page = await openPage(env.browser, url('seed=3&whole-a-from=1&whole-a-to=9&common-denominator=1&steps=1'),
      {}, stubPrint);
    await page.waitForFunction(() => document.getElementById('previewLines').textContent !== '');
    const lines = await previewLines(page);
    assert.ok(lines.some((l) => l.startsWith('    = ')), lines.join('\n'));
    assert.match(await page.getAttribute('#PaintBox1', 'aria-label'), /問題No\.1/);
    await page.click('#btnPrintAns');
    assert.equal(await page.locator('#print-pages svg').count(), 2);  // 16 problems: two pages of eight
    assert.deepEqual(page.errors, []);
    await page.context().close();
  });
});

describe('class sets', () => {
  test('a class set: the preview steps through its sheets, one print gives them all in stacks', async () => {
    const page = await openPage(env.browser, url('seed=5&sheets=3&collate=stacks&number=7'), {}, stubPrint);
    await page.waitForFunction(() => document.getElementById('previewLines').textContent !== '');
    assert.equal(await page.locator('#lblSheets').textContent(), '1/3枚');
    const first = await previewLines(page);
    await page.click('#btnNextSheet');
    assert.equal(await page.locator('#lblSheets').textContent(), '2/3枚');
    assert.notDeepEqual(await previewLines(page), first);
    await page.click('#btnPrintWithAns');
    const numbers = await page.locator('#print-pages svg').evaluateAll((svgs) => svgs.map((s) => s.dataset.answers));
    assert.equal(numbers.length, 6);
    assert.deepEqual(numbers, ['0', '0', '0', '1', '1', '1']);
    assert.equal(await page.inputValue('#PrnNum'), '10');
    assert.deepEqual(page.errors, []);
    await page.context().close();
  });
});

describe('links', () => {
  test('a link reproduces its set exactly', async () => {
    const first = await openPage(env.browser, url());
    await first.click('#rgQNum label:nth-of-type(2)');
    await first.fill('#edtIntf1', '1');
    await first.fill('#edtIntf2', '9');
    await first.fill('#QstSentence', '分数のひき算');
    await clickPreview(first);
    const lines = await previewLines(first);
    const pixels = await canvasPng(first);
    const link = first.url();
    await first.context().close();

    const second = await openPage(env.browser, link);
    await second.waitForFunction(() => document.getElementById('previewLines').textContent !== '');
    assert.deepEqual(await previewLines(second), lines);
    assert.equal(lines.length, 20);
    assert.equal(await second.inputValue('#edtIntf2'), '9');
    assert.equal(await second.inputValue('#QstSentence'), '分数のひき算');
    assert.equal(await second.locator('#rgQNum input:checked').getAttribute('value'), '1');
    assert.equal(await canvasPng(second), pixels);
    await second.context().close();
  });

  test('リンクをコピー copies the link of the sheet shown, or leaves it selected; 共有 hands it on', async () => {
    const share = () => {
      navigator.share = (data) => { window.shared = data; return Promise.resolve(); };
    };
    const page = await openPage(env.browser, url('sheets=2'), { permissions: ['clipboard-read', 'clipboard-write'] }, share);
    assert.equal(await page.locator('#btnCopyLink').isDisabled(), true);
    assert.equal(await page.locator('#btnShareLink').isDisabled(), true);
    await page.fill('#edtIntf2', '9');
    await clickPreview(page);
    const lines = await previewLines(page);
    await page.click('#btnCopyLink');
    await page.locator('#linkStatus').filter({ hasText: 'コピーしました' }).waitFor();
    const link = await page.evaluate(() => navigator.clipboard.readText());
    assert.equal(link, page.url());
    const params = new URL(link).searchParams;
    assert.equal(params.get('v'), '1');
    assert.match(params.get('seed'), /^[0-9]+$/);

    await page.click('#btnShareLink');
    await page.waitForFunction(() => window.shared !== undefined);
    assert.equal(await page.evaluate(() => window.shared.url), link);

    // No clipboard: the link waits, selected, in its field.
    await page.evaluate(() => { navigator.clipboard.writeText = () => Promise.reject(new DOMException('no', 'NotAllowedError')); });
    await page.click('#btnCopyLink');
    await page.locator('#linkField').waitFor({ state: 'visible' });
    assert.equal(await page.inputValue('#linkField'), link);
    assert.equal(await page.evaluate(() => {
      const f = document.getElementById('linkField');
      return document.activeElement === f && f.selectionStart === 0 && f.selectionEnd === f.value.length;
    }), true);
    await page.context().close();

    const again = await openPage(env.browser, link);
    await again.waitForFunction(() => document.getElementById('previewLines').textContent !== '');
    assert.deepEqual(await previewLines(again), lines);
    assert.equal(await again.locator('#lblSheets').textContent(), '1/2枚');
    await again.context().close();
  });

  test('bad parameters get the messages of the boxes', async () => {
    const rows = [
      ['seed=1&whole-a-from=abc', "'abc' は整数ではありません."],
      ['seed=1&den-a-to=100', null],
      ['seed=1&count=30', 'count: 問題数には16、20のどれかを指定してください.'],
      [`seed=1&whole-a-to=${'7'.repeat(8000)}`, 'whole-a-to: aの整数部分の上限は200文字までにしてください.'],
      ['seed=1&v=2', null],
    ];
    for (const [query, message] of rows) {
      const page = await openPage(env.browser, url(query));
      await page.locator('#dlgError').waitFor({ state: 'visible' });
      const shown = await page.locator('#dlgError .message').textContent();
      if (message) assert.equal(shown, message, query.slice(0, 40));
      else assert.ok(shown.endsWith('.') || shown.endsWith('。'), shown);
      assert.deepEqual(await previewLines(page), []);
      await page.context().close();
    }
  });

  test('an unknown parameter is named, and the sheet made from the rest', async () => {
    const page = await openPage(env.browser, url('seed=3&sed=4&count=20'));
    await page.locator('#dlgNotice').waitFor({ state: 'visible' });
    assert.match(await page.locator('#dlgNotice .message').textContent(), /「sed」/);
    assert.equal((await previewLines(page)).length, 20);
    await page.context().close();
  });

  test('a hostile question is drawn as text and runs nothing', async () => {
    const hostile = '<img src=x onerror="window.pwned=1"><script>window.pwned=2</script>&amp;"\'';
    const params = argsToParams(DEFAULTS_SEED_0.args);
    params.set('question', hostile);
    const page = await openPage(env.browser, url(params.toString()), {}, stubPrint);
    await page.waitForFunction(() => document.getElementById('previewLines').textContent !== '');
    // Too wide for the sheet: said once, not printed half without a word.
    await page.locator('#dlgWarning').waitFor({ state: 'visible' });
    assert.match(await page.locator('#dlgWarning .message').textContent(), /問題文がプリントの幅に収まらない/);
    await page.click('#dlgWarning button');
    const csp = (await page.request.get(url())).headers()['content-security-policy'];
    assert.match(csp, /script-src 'self' 'wasm-unsafe-eval'/);
    assert.equal(await page.inputValue('#QstSentence'), hostile);
    assert.ok((await page.getAttribute('#PaintBox1', 'aria-label')).includes(hostile));
    await page.click('#btnPrint');
    const texts = await page.locator('#print-pages text').allTextContents();
    assert.ok(texts.includes(hostile));
    assert.equal(await page.evaluate(() => window.pwned), undefined);
    assert.equal(await page.locator('img[src="x"], script:not([src])').count(), 0);
    assert.deepEqual(page.errors, []);
    await page.context().close();
  });
});

describe('offline', () => {
  test('after one visit the page loads and works with the network off', async () => {
    const page = await openPage(env.browser, url());
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    await page.context().setOffline(true);
    await page.goto(url('seed=5'));
    await page.waitForFunction(() => document.getElementById('previewLines').textContent !== '');
    assert.equal((await previewLines(page)).length, 16);
    assert.ok((await inkPixels(page)) > 2000);
    await page.context().close();
  });

  test('after one visit a question in kanji no page text uses is drawn in the shipped font offline', async () => {
    // The first kanji of a middle and of the last of Mincho's kanji parts.
    const css = readFileSync(join(SITE, 'style.css'), 'utf8');
    const slices = [...css.matchAll(/tavrimo-mincho-k\d+\.woff2[^)]*\) format\("woff2"\); unicode-range: U\+([0-9A-F]+)/g)]
      .map((m) => String.fromCodePoint(parseInt(m[1], 16)));
    assert.ok(slices.length >= 10);
    const rare = [slices[Math.floor(slices.length / 2)], slices.at(-1)];
    const question = `${rare[0]}と${rare[1]}の計算`;

    const page = await openPage(env.browser, url());
    const drawnIn = (text) => page.evaluate((t) => document.fonts.check('16px "Tavrimo Mincho"', t), text);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    for (const kanji of rare) assert.equal(await drawnIn(kanji), false, kanji);
    await page.context().setOffline(true);
    await page.fill('#QstSentence', question);
    await clickPreview(page);
    assert.equal(await drawnIn(question), true);
    assert.equal(await page.getAttribute('#PaintBox1', 'aria-label'), `プレビュー画面: 問題No.1 ${question}`);
    assert.deepEqual(page.errors, []);
    await page.context().close();
  });
});

describe('installing', () => {
  // Chromium's own check of what makes it offer to install the page as an
  // app (manifest, icon, service worker); the tests' usual contexts are
  // incognito, which it refuses as such, so this one has a profile.
  test('Chromium finds nothing that stops it offering to install the page', async () => {
    const context = await chromium.launchPersistentContext(join(tmp, 'profile'), {
      executablePath: CHROMIUM,
      args: ['--no-sandbox'],
    });
    try {
      const page = await context.newPage();
      await page.goto(url());
      await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
      await page.evaluate(() => navigator.serviceWorker.ready);
      const cdp = await context.newCDPSession(page);
      const manifest = await cdp.send('Page.getAppManifest');
      assert.deepEqual(manifest.errors, []);
      assert.equal(JSON.parse(manifest.data).icons.length > 0, true);
      assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    } finally {
      await context.close();
    }
  });
});

// python3's own static server, which sends Last-Modified and no caching
// headers: the browser keeps its files as long as its heuristics say.
async function pythonServer(root) {
  const child = spawn('/usr/bin/python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', root],
    { stdio: ['ignore', 'pipe', 'ignore'] });
  const [line] = await once(child.stdout, 'data');
  return { url: `http://127.0.0.1:${/port (\d+)/.exec(line)[1]}/`, close: async () => child.kill() };
}

// Every file of a site dated 1 January 2001, long before any visit, which the
// browser's heuristics take for files that rarely change.
function backdate(dir) {
  const old = new Date('2001-01-01T00:00:00Z');
  for (const path of readdirSync(dir, { recursive: true })) utimesSync(join(dir, path), old, old);
}

describe('updates', () => {
  const versionOf = (site) => /const VERSION = '([0-9a-f]+)'/.exec(readFileSync(join(site, 'sw.js'), 'utf8'))[1];
  const wasmOf = (site) => /"(tavrimo\.wasm\?v=[0-9a-f]+)"/.exec(readFileSync(join(site, 'tavrimo.js'), 'utf8'))[1];

  // A rebuild as the build makes one: a text of the page, a colour of its
  // style, a message of its script and both files of the engine changed, then
  // the site stamped and compressed anew.
  function rebuild(site) {
    const edit = (file, change) => writeFileSync(join(site, file), change(readFileSync(join(site, file), 'utf8')));
    edit('index.html', (t) => t.replace('Ver1.11', 'Ver1.12'));
    edit('js/main.js', (t) => t.replace('用紙はA4、', '用紙はA4（新）、'));
    appendFileSync(join(site, 'style.css'), '#Label14 { color: rgb(0, 0, 255); }\n');
    appendFileSync(join(site, 'tavrimo.js'), "\nglobalThis.tavrimoEngine = 'new';\n");
    // A custom section: id 0, 8 bytes long, named "rebuilt".
    appendFileSync(join(site, 'tavrimo.wasm'), Buffer.from([0, 8, 7, ...Buffer.from('rebuilt')]));
    execFileSync('/usr/bin/python3', [join(ROOT, 'scripts/stamp-web-site'), site, join(ROOT, 'web/sw.js')]);
    execFileSync('/usr/bin/python3', [join(ROOT, 'scripts/compress-web-site'), site]);
  }

  // The build of each part of the site the page shows; the engine is new
  // when both its script and its module are.
  const shown = async (page, wasm) => {
    await page.click('#btnMaintenance');
    await page.locator('#dlgNotice').waitFor({ state: 'visible' });
    const [mark, modules] = await page.evaluate(() => [globalThis.tavrimoEngine,
      performance.getEntriesByType('resource').map((e) => e.name).filter((n) => n.includes('tavrimo.wasm'))]);
    const parts = {
      page: (await page.locator('#Label14').textContent()).includes('Ver1.12') ? 'new' : 'old',
      style: (await page.locator('#Label14').evaluate((e) => getComputedStyle(e).color)) === 'rgb(0, 0, 255)'
        ? 'new' : 'old',
      script: (await page.locator('#dlgNotice .message').textContent()).includes('（新）') ? 'new' : 'old',
      engine: ['old', 'new'].find((v) => (mark ?? 'old') === v && modules.every((n) => n.endsWith(wasm[v]))) ?? 'mixed',
    };
    await page.click('#dlgNotice button');
    return parts;
  };
  const OLD = { page: 'old', style: 'old', script: 'old', engine: 'old' };
  const NEW = { page: 'new', style: 'new', script: 'new', engine: 'new' };
  // The caches as a page or a worker of the site sees them.
  const cacheNames = (scope) => scope.evaluate(() => caches.keys());
  async function cachesBecome(scope, names) {
    const deadline = Date.now() + 20000;
    let now = await cacheNames(scope);
    while (JSON.stringify(now) !== JSON.stringify(names) && Date.now() < deadline) {
      await new Promise((r) => setTimeout(r, 100));
      now = await cacheNames(scope);
    }
    // The workers' states tell a slow install from a stuck activation.
    const workers = await scope.evaluate(async () => {
      const r = await (self.registration ?? navigator.serviceWorker.getRegistration());
      const w = (x) => (x ? `${x.scriptURL.replace(/.*\//, '')} ${x.state}` : null);
      return r && { installing: w(r.installing), waiting: w(r.waiting), active: w(r.active) };
    });
    assert.deepEqual(now, names, JSON.stringify(workers));
  }
  // The worker of a build, once the browser has started it.
  async function workerOf(context, build) {
    const mine = (w) => w.url().endsWith(`sw.js?v=${build}`);
    return context.serviceWorkers().find(mine) ?? context.waitForEvent('serviceworker', { predicate: mine });
  }

  // The project's own server, and hosts whose caching headers let the
  // browser keep files without asking: heuristics on old file dates (the
  // rebuilt files dated the same), and a fixed ten minutes.
  const hosts = [
    ['scripts/serve-web.mjs', (site) => serveSite(site), false],
    ['python3 -m http.server, files dated 2001', pythonServer, true],
    ['Cache-Control: max-age=600', (site) => serveSite(site, 0, { headers: { 'Cache-Control': 'max-age=600' } }), false],
  ];
  hosts.forEach(([name, host, dated], i) => {
    test(`${name}: the first visit after a rebuild shows it whole, and it replaces the old copy`, async () => {
      const site = join(tmp, `site-${i}`);
      cpSync(SITE, site, { recursive: true });
      if (dated) backdate(site);
      const server = await host(site);
      try {
        // Visit 1: the site, kept by its worker.
        const page = await openPage(env.browser, server.url);
        await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
        const wasm = { old: wasmOf(site) };
        const old = versionOf(site);
        assert.deepEqual(await cacheNames(page), [`tavrimo-${old}`]);
        assert.deepEqual(await shown(page, wasm), OLD);
        rebuild(site);
        if (dated) backdate(site);
        wasm.new = wasmOf(site);
        const next = versionOf(site);
        assert.notEqual(next, old);

        // Visit 2, online, the old worker still in charge: the new page with
        // its new style, scripts and engine, while the new worker installs.
        await page.goto(server.url);
        await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
        assert.deepEqual(await shown(page, wasm), NEW);
        assert.deepEqual(page.errors, []);

        // The new worker takes over once the old one is idle and drops the
        // old build's copy. The browser waits for a worker it runs DevTools
        // on (as this test's driver does) to have no page before calling it
        // idle, so the page is closed first.
        const context = page.context();
        const worker = await workerOf(context, next);
        await page.close();
        await cachesBecome(worker, [`tavrimo-${next}`]);

        // Visit 3, offline: the new build from the new copy.
        await context.setOffline(true);
        const offline = await context.newPage();
        offline.errors = [];
        offline.on('pageerror', (e) => offline.errors.push(e.message));
        await offline.goto(server.url);
        await offline.waitForFunction(() => document.documentElement.dataset.ready === 'true');
        assert.deepEqual(await shown(offline, wasm), NEW);
        assert.deepEqual(offline.errors, []);
        await context.close();
      } finally {
        await server.close();
      }
    });
  });
});

describe('the preview against the desktop', () => {
  // Same settings and seed, drawn by Qt into a PNG and by the page into its
  // canvas: only anti-aliasing may differ.
  const cases = [
    DEFAULTS_SEED_0,
    vectors().find((c) => c.note.startsWith('borrowing with multiples, kind 5, 20')),
    vectors().find((c) => c.note.startsWith('whole parts 1..9')),
  ];
  for (const c of cases) {
    test(`pixels: ${c.note}`, async () => {
      const png = join(tmp, 'preview.png');
      const args = c.args.filter((a) => a !== '--json');
      execFileSync(SHEETS, [...args, '--preview', '-o', png], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
      const page = await openPage(env.browser, url(argsToParams(c.args).toString()));
      await page.waitForFunction(() => document.getElementById('previewLines').textContent !== '');
      const desktop = `data:image/png;base64,${readFileSync(png).toString('base64')}`;
      const { sameSize, differing, ink } = await comparePngs(page.context(), desktop, await canvasPng(page));
      assert.ok(sameSize);
      console.log(`${c.note}: ${differing} pixels differ by more than half, of ${ink} dark pixels`);
      assert.ok(ink > 2000);
      assert.ok(differing < ink * 0.01, `${differing} of ${ink}`);
      await page.context().close();
    });
  }
});
