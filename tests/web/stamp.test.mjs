// The build's stamping of a site: every reference names its file's version,
// the worker keeps what the page reaches, and a rebuilt file renames exactly
// the files that lead to it.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { ROOT } from './harness.mjs';

const FILES = {
  'index.html': '<meta name="tavrimo-build" content="@BUILD_HASH@"><link rel="stylesheet" href="a.css">' +
    '<script type="module" src="js/m.js"></script>',
  'a.css': '@font-face { src: url("f/x.woff2") format("woff2"); }',
  'js/m.js': "import { y } from './y.js';\nfetch('f/data.json');\nconst note = 'a.css is the style';\n",
  'js/y.js': 'export const y = 1;\n',
  'f/x.woff2': 'font bytes',
  'f/data.json': '{}',
  'notes.txt': 'read by nobody',
};
const TEMPLATE = "const VERSION = '@BUILD_HASH@';\nconst FILES = @FILES@;\n";

function makeSite(files) {
  const site = mkdtempSync(join(tmpdir(), 'tavrimo-stamp-'));
  for (const [name, text] of Object.entries(files)) {
    mkdirSync(dirname(join(site, name)), { recursive: true });
    writeFileSync(join(site, name), text);
  }
  writeFileSync(join(site, 'sw.tmpl'), TEMPLATE);
  return site;
}
const stamp = (site) => execFileSync('/usr/bin/python3', [join(ROOT, 'scripts/stamp-web-site'), site, join(site, 'sw.tmpl')],
  { encoding: 'utf8', stdio: 'pipe' }).trim();
const read = (site, name) => readFileSync(join(site, name), 'utf8');
const hashOf = (site, name) => createHash('sha256').update(readFileSync(join(site, name))).digest('hex').slice(0, 12);

test('each reference carries the hash of the file it names; the worker keeps what the page reaches', (t) => {
  const site = makeSite(FILES);
  t.after(() => rmSync(site, { recursive: true }));
  const build = stamp(site);
  const refs = [
    ['index.html', 'a.css', '"a.css'],
    ['index.html', 'js/m.js', '"js/m.js'],
    ['a.css', 'f/x.woff2', '"f/x.woff2'],
    ['js/m.js', 'js/y.js', "'./y.js"],
    ['js/m.js', 'f/data.json', "'f/data.json"],
  ];
  for (const [from, to, ref] of refs) assert.ok(read(site, from).includes(`${ref}?v=${hashOf(site, to)}`), `${from} -> ${to}`);
  assert.ok(read(site, 'js/m.js').includes("'a.css is the style'"));
  assert.ok(read(site, 'index.html').includes(`content="${build}"`));
  const worker = read(site, 'sw.js');
  assert.ok(worker.includes(`'${build}'`));
  const kept = JSON.parse(/FILES = (\[.*\]);/.exec(worker)[1]);
  assert.deepEqual(kept, ['a.css', 'f/data.json', 'f/x.woff2', 'js/m.js', 'js/y.js'].map((f) => `${f}?v=${hashOf(site, f)}`));
});

test('stamped again, a site changes only where a file changed, up its referrers', (t) => {
  const site = makeSite(FILES);
  t.after(() => rmSync(site, { recursive: true }));
  const first = stamp(site);
  const names = ['index.html', 'a.css', 'js/m.js', 'js/y.js', 'sw.js'];
  const before = Object.fromEntries(names.map((n) => [n, read(site, n)]));
  assert.equal(stamp(site), first);
  for (const n of names) assert.equal(read(site, n), before[n], n);

  writeFileSync(join(site, 'js/y.js'), 'export const y = 2;\n');
  assert.notEqual(stamp(site), first);
  for (const [n, changed] of [['js/m.js', true], ['index.html', true], ['sw.js', true], ['a.css', false]]) {
    assert.equal(read(site, n) !== before[n], changed, n);
  }
});

test('files that reference each other are refused', (t) => {
  const site = makeSite({ 'index.html': '<script src="a.js"></script>', 'a.js': "'./b.js'", 'b.js': "'./a.js'" });
  t.after(() => rmSync(site, { recursive: true }));
  assert.throws(() => stamp(site), /reference each other: .*a\.js -> b\.js -> a\.js/);
});
