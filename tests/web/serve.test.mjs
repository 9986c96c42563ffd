// scripts/serve-web.mjs as a host: the build's compressed copies by the
// request's Accept-Encoding, and caching by whether a name is versioned.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { SITE } from './harness.mjs';
import { serveSite } from '../../scripts/serve-web.mjs';

test('each request gets the best copy it accepts; versioned names are kept a year, the page is asked about', async (t) => {
  const server = await serveSite(SITE);
  t.after(() => server.close());
  const style = /href="(style\.css\?v=[0-9a-f]+)"/.exec(readFileSync(join(SITE, 'index.html'), 'utf8'))[1];
  const rows = [
    [style, 'gzip, deflate, br', 'br', /immutable/],
    [style, 'br;q=0, gzip', 'gzip', /immutable/],
    [style, 'identity', null, /immutable/],
    ['', 'gzip', 'gzip', /^no-cache$/],
  ];
  for (const [path, accept, encoding, caching] of rows) {
    // fetch() undoes the encoding it was sent.
    const res = await fetch(server.url + path, { headers: { 'Accept-Encoding': accept } });
    assert.equal(res.headers.get('content-encoding'), encoding, accept);
    assert.equal(res.headers.get('vary'), 'Accept-Encoding', accept);
    assert.match(res.headers.get('cache-control'), caching, path);
    assert.deepEqual(Buffer.from(await res.arrayBuffer()), readFileSync(join(SITE, path ? 'style.css' : 'index.html')), accept);
  }
});
