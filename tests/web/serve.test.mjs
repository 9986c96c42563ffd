// scripts/serve-web.mjs as a host: the build's compressed copies by the
// request's Accept-Encoding, and caching by whether a name is versioned.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { request } from 'node:http';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { brotliDecompressSync, gunzipSync } from 'node:zlib';
import { SITE } from './harness.mjs';
import { serveSite } from '../../scripts/serve-web.mjs';

let server;
before(async () => { server = await serveSite(SITE); });
after(() => server.close());

const get = (path, headers) => new Promise((ok, fail) => {
  request(new URL(path, server.url), { headers }, (res) => {
    const chunks = [];
    res.on('data', (c) => chunks.push(c));
    res.on('end', () => ok({ status: res.statusCode, headers: res.headers, body: Buffer.concat(chunks) }));
  }).on('error', fail).end();
});

const style = /href="(style\.css\?v=[0-9a-f]+)"/.exec(readFileSync(join(SITE, 'index.html'), 'utf8'))[1];

test('each request gets the best copy it accepts, told apart by Vary and ETag', async () => {
  const file = readFileSync(join(SITE, 'style.css'));
  const decode = { br: brotliDecompressSync, gzip: gunzipSync, undefined: (b) => b };
  const rows = [
    ['gzip, deflate, br', 'br'],
    ['gzip', 'gzip'],
    ['br;q=0, gzip', 'gzip'],
    ['', undefined],
    ['identity', undefined],
  ];
  const tags = new Set();
  for (const [accept, encoding] of rows) {
    const res = await get(style, { 'Accept-Encoding': accept });
    assert.equal(res.status, 200, accept);
    assert.equal(res.headers['content-encoding'], encoding, accept);
    assert.equal(res.headers.vary, 'Accept-Encoding', accept);
    assert.deepEqual(decode[encoding](res.body), file, accept);
    tags.add(`${encoding}:${res.headers.etag}`);
    const again = await get(style, { 'Accept-Encoding': accept, 'If-None-Match': res.headers.etag });
    assert.equal(again.status, 304, accept);
  }
  assert.equal(new Set([...tags].map((t) => t.split(':')[1])).size, 3);
});

test('versioned names are kept a year; the page and an unversioned worker are asked about each time', async () => {
  const rows = [[style, /immutable/], ['/', /^no-cache$/], ['/sw.js', /^no-cache$/]];
  for (const [path, caching] of rows) {
    const res = await get(path, {});
    assert.equal(res.status, 200, path);
    assert.match(res.headers['cache-control'], caching, path);
  }
});
