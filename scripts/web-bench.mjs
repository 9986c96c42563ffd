#!/usr/bin/env node
// Figures of the web edition against their targets, measured, not asserted:
// the bytes a first visit transfers before the page is interactive (counted
// at the server, headers included), the first visit to an interactive page on
// localhost, a preview click to the painted canvas, and the preparation of a
// two-page print.
//   usage: web-bench.mjs SITE_DIR
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { chromium } from 'playwright-core';
import { noteReady } from './page-ready.mjs';
import { serveSite } from './serve-web.mjs';

const site = process.argv[2] ?? 'build-web/site';
const kb = (n) => `${(n / 1024).toFixed(1)} KB`;
const gz = (f) => gzipSync(readFileSync(join(site, f)), { level: 9 }).length;
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const row = (what, value, target) => console.log(`${`${what}:`.padEnd(36)}${value}  (target ${target})`);

const engine = gz('tavrimo.wasm') + gz('tavrimo.js');
const pageJs = readdirSync(join(site, 'js')).filter((f) => f.endsWith('.js')).reduce((n, f) => n + gz(join('js', f)), 0);
const fontFiles = readdirSync(join(site, 'fonts')).filter((f) => f.endsWith('.woff2'));
const fonts = fontFiles.reduce((n, f) => n + readFileSync(join(site, 'fonts', f)).length, 0);
row('wasm + engine JS, gzipped', `${kb(engine)}; page scripts ${kb(pageJs)}`, '< 100 KB');
row('fonts (WOFF2), all parts', `${kb(fonts)} in ${fontFiles.length} files`, '< 2560 KB');

// Each response the server sends, by path and query.
let sent = [];
const server = await serveSite(site, 0, { onSent: (r) => sent.push(r) });
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });

// First visits, each in a fresh profile: navigation start to the controls
// wired and the engine loaded, and the bytes of every request that reached
// the server before then.
const visits = [];
const bytes = [];
let lastFirstVisit = [];
for (let i = 0; i < 7; ++i) {
  const context = await browser.newContext();
  await context.addInitScript(noteReady);
  const page = await context.newPage();
  sent = [];
  await page.goto(server.url);
  await page.waitForFunction(() => window.readyAt !== undefined);
  const [readyAt, origin] = await page.evaluate(() => [window.readyAt, performance.timeOrigin]);
  const before = sent.filter((r) => r.at <= origin + readyAt);
  visits.push(readyAt);
  bytes.push(before.reduce((n, r) => n + r.bytes, 0));
  lastFirstVisit = before;
  await context.close();
}
row('bytes before interactive', `${kb(median(bytes))} in ${lastFirstVisit.length} responses`, '<= 150 KB');
for (const r of lastFirstVisit.sort((a, b) => b.bytes - a.bytes)) {
  console.log(`    ${String(r.bytes).padStart(7)}  ${r.encoding ?? '    '}  ${r.path.replace(/\?v=.*/, '')}`);
}
row('first visit to interactive', `median ${median(visits).toFixed(0)} ms of ${visits.length}`, '<= 400 ms, idle machine');

const context = await browser.newContext();
// The print dialog stubbed: it lays the pages out and says when.
await context.addInitScript(() => {
  window.print = () => {
    document.getElementById('print-pages').getBoundingClientRect();
    window.printed?.(performance.now());
  };
});
const page = await context.newPage();
await page.goto(server.url);
await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');

// Preview: the click handler, set made and canvas drawn, and to the next
// frame (which waits for the display's refresh as well).
const previews = await page.evaluate(async () => {
  const drawn = [];
  const framed = [];
  const button = document.getElementById('btnPreview');
  for (let i = 0; i < 60; ++i) {
    const t0 = performance.now();
    button.click();
    drawn.push(performance.now() - t0);
    await new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0)));
    framed.push(performance.now() - t0);
  }
  return { drawn: drawn.slice(10), framed: framed.slice(10) };
});
row('preview click to drawn', `median ${median(previews.drawn).toFixed(2)} ms of ${previews.drawn.length}`, '<= 5 ms');
console.log(`  ... to the next frame:             median ${median(previews.framed).toFixed(2)} ms`);

// Clicks 印刷（答えつき） `rounds` times: each click to its pages laid out for
// the stubbed print dialog, the first `warmUp` left out, and the pages.
const timePrints = (page, rounds, warmUp) => page.evaluate(async ([n, skip]) => {
  const times = [];
  const button = document.getElementById('btnPrintWithAns');
  for (let i = 0; i < n; ++i) {
    const printed = new Promise((r) => { window.printed = r; });
    const t0 = performance.now();
    button.click();
    times.push((await printed) - t0);
    await new Promise((r) => setTimeout(r, 0));
  }
  return { times: times.slice(skip), pages: document.querySelectorAll('#print-pages svg').length };
}, [rounds, warmUp]);

// Print preparation of 印刷（答えつき）: the click to both sheets drawn as SVG
// pages and laid out for the print dialog, which is stubbed.
const prints = await timePrints(page, 25, 5);
row('print preparation, 2 pages', `median ${median(prints.times).toFixed(2)} ms of ${prints.times.length}`, '<= 20 ms');

// A class set of 30 sheets with answers: the click of 印刷（答えつき） to the
// print dialog with its 60 pages.
await page.goto(`${server.url}?seed=1&sheets=30`);
await page.waitForFunction(() => document.getElementById('previewLines').textContent !== '');
const classSet = await timePrints(page, 8, 2);
row(`class set to the print dialog, ${classSet.pages} pages`, `median ${median(classSet.times).toFixed(1)} ms of ${classSet.times.length}`,
  '<= 300 ms');

await browser.close();
await server.close();
