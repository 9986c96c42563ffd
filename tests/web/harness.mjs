// What the web tests share: the built site served in-process from
// 127.0.0.1, Debian's Chromium driven headless, and the engine loaded in Node.
import { existsSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { serveSite } from '../../scripts/serve-web.mjs';

export const ROOT = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const SITE = resolve(ROOT, process.env.TAVRIMO_SITE ?? 'build-web/site');
export const SHEETS = resolve(ROOT, process.env.TAVRIMO_SHEETS ?? 'build/src/cli/tavrimo-sheets');
export const CHROMIUM = process.env.CHROMIUM ?? '/usr/bin/chromium';

if (!existsSync(join(SITE, 'index.html'))) {
  throw new Error(`no site at ${SITE}: run make web-site first`);
}

export async function loadEngine() {
  const require = createRequire(import.meta.url);
  const create = require(join(SITE, 'tavrimo.js'));
  return create({ wasmBinary: readFileSync(join(SITE, 'tavrimo.wasm')) });
}

export async function startBrowser() {
  const site = await serveSite(SITE);
  const browser = await chromium.launch({ executablePath: CHROMIUM, args: ['--no-sandbox'] });
  return {
    site,
    browser,
    async close() {
      await browser.close();
      await site.close();
    },
  };
}

// A fresh page on the site; the page's errors fail the test that reads them.
export async function openPage(browser, url, options = {}, initScript = null) {
  const context = await browser.newContext({ viewport: { width: 800, height: 640 }, ...options });
  const page = await context.newPage();
  if (initScript) await page.addInitScript(initScript);
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(e.message));
  await page.goto(url);
  await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
  return page;
}

export const previewLines = (page) =>
  page.locator('#previewLines').textContent().then((t) => (t ? t.split('\n') : []));

// tavrimo-sheets' arguments as the page's query parameters.
export function argsToParams(args) {
  const flags = new Set(['--common-denominator', '--multiple', '--reduce-operands', '--json']);
  const params = new URLSearchParams();
  for (let i = 0; i < args.length; ++i) {
    const name = args[i].replace(/^--/, '');
    if (flags.has(args[i])) {
      if (name !== 'json') params.set(name, '1');
    } else {
      params.set(name, args[++i]);
    }
  }
  return params;
}

export const vectors = () =>
  JSON.parse(readFileSync(join(ROOT, 'tests/data/problem-sets.json'), 'utf8')).cases;
