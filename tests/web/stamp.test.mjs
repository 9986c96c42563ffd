// The build's stamping of a site: every reference names its file's version,
// the worker keeps what the page reaches, and stamping again after a change
// renames exactly the files that lead to it.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { ROOT } from './harness.mjs';

function makeSite(t, files) {
  const site = mkdtempSync(join(tmpdir(), 'tavrimo-stamp-'));
  t.after(() => rmSync(site, { recursive: true }));
  for (const [name, text] of Object.entries({ ...files, 'sw.tmpl': '@BUILD_HASH@\n@FILES@' })) {
    mkdirSync(dirname(join(site, name)), { recursive: true });
    writeFileSync(join(site, name), text);
  }
  return site;
}
const stamp = (site) => execFileSync('/usr/bin/python3', [join(ROOT, 'scripts/stamp-web-site'), site, join(site, 'sw.tmpl')],
  { encoding: 'utf8', stdio: 'pipe' }).trim();
const read = (site, name) => readFileSync(join(site, name), 'utf8');
const hashOf = (site, name) => createHash('sha256').update(readFileSync(join(site, name))).digest('hex').slice(0, 12);

test('references carry their files\' hashes; stamped again, only the files leading to a change change', (t) => {
  const site = makeSite(t, {
    'index.html': '<meta name="tavrimo-build" content=""><link href="a.css"><script src="js/m.js"></script>',
    'a.css': '@font-face { src: url("f/x.woff2"); }',
    'js/m.js': "import { y } from './y.js';\nfetch('f/data.json');\n",
    'js/y.js': 'export const y = 1;\n',
    'f/x.woff2': 'font', 'f/data.json': '{}', 'notes.txt': 'read by nobody',
  });
  const build = stamp(site);
  for (const [from, ref, to] of [['index.html', '"a.css', 'a.css'], ['index.html', '"js/m.js', 'js/m.js'],
    ['a.css', '"f/x.woff2', 'f/x.woff2'], ['js/m.js', "'./y.js", 'js/y.js'], ['js/m.js', "'f/data.json", 'f/data.json']]) {
    assert.ok(read(site, from).includes(`${ref}?v=${hashOf(site, to)}`), `${from} -> ${to}`);
  }
  assert.ok(read(site, 'index.html').includes(`content="${build}"`));
  const kept = ['a.css', 'f/data.json', 'f/x.woff2', 'js/m.js', 'js/y.js'].map((f) => `${f}?v=${hashOf(site, f)}`);
  const [version, files] = read(site, 'sw.js').split('\n');
  assert.deepEqual([version, JSON.parse(files)], [build, kept]);

  const before = Object.fromEntries(['index.html', 'a.css', 'js/m.js', 'sw.js'].map((n) => [n, read(site, n)]));
  assert.equal(stamp(site), build);
  writeFileSync(join(site, 'js/y.js'), 'export const y = 2;\n');
  assert.notEqual(stamp(site), build);
  for (const [name, changed] of [['js/m.js', true], ['index.html', true], ['sw.js', true], ['a.css', false]]) {
    assert.equal(read(site, name) !== before[name], changed, name);
  }
});
