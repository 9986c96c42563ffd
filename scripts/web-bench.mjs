#!/usr/bin/env node
// Figures of the web edition, measured, not asserted: download sizes, the
// first visit to an interactive page on localhost, a preview click to the
// painted canvas, and the preparation of a two-page print.
//   usage: web-bench.mjs SITE_DIR
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { chromium } from 'playwright-core';
import { serveSite } from './serve-web.mjs';

const site = process.argv[2] ?? 'build-web/site';
const kb = (n) => `${(n / 1024).toFixed(1)} KB`;
const gz = (f) => gzipSync(readFileSync(join(site, f)), { level: 9 }).length;
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

const engine = gz('tavrimo.wasm') + gz('tavrimo.js');
const pageJs = readdirSync(join(site, 'js')).reduce((n, f) => n + gz(join('js', f)), 0);
const fonts = readdirSync(join(site, 'fonts')).filter((f) => f.endsWith('.woff2'))
  .reduce((n, f) => n + readFileSync(join(site, 'fonts', f)).length, 0);
console.log(`wasm + engine JS, gzipped:   ${kb(engine)}  (target < 100 KB; page scripts add ${kb(pageJs)})`);
console.log(`fonts (WOFF2):               ${kb(fonts)}  (target < 2560 KB)`);

const server = await serveSite(site);
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });

// First visit: a fresh profile each time, navigation start to the controls
// wired and the engine loaded.
const visits = [];
for (let i = 0; i < 5; ++i) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(server.url);
  await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
  visits.push(await page.evaluate(() => performance.now()));
  await context.close();
}
console.log(`first visit to interactive:  median ${median(visits).toFixed(0)} ms of ${visits.length}  (target < 1000 ms)`);

const context = await browser.newContext();
await context.addInitScript(() => { window.print = () => {}; });
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
console.log(`preview click to drawn:      median ${median(previews.drawn).toFixed(2)} ms of ${previews.drawn.length}  (target < 10 ms)`);
console.log(`  ... to the next frame:     median ${median(previews.framed).toFixed(2)} ms`);

// Print preparation of 印刷（答えつき）: both sheets drawn as SVG pages and
// laid out, the (stubbed) print dialog excluded.
const prints = await page.evaluate(async () => {
  const times = [];
  const button = document.getElementById('btnPrintWithAns');
  for (let i = 0; i < 25; ++i) {
    const t0 = performance.now();
    button.click();
    document.getElementById('print-pages').getBoundingClientRect();
    times.push(performance.now() - t0);
    await new Promise((r) => setTimeout(r, 0));
  }
  return times.slice(5);
});
console.log(`print preparation, 2 pages:  median ${median(prints).toFixed(2)} ms of ${prints.length}  (target < 100 ms)`);

await browser.close();
await server.close();
