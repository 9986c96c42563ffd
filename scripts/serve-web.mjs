#!/usr/bin/env node
// Serves the built site from 127.0.0.1 with the headers a host should send:
// the Content-Security-Policy; files named with their version (?v=) kept for
// a year, anything else (the page, the worker) asked about on every use; the
// build's .br or .gz copy of a file where the browser takes it. Used by
// `make web` and, in-process, by the tests and the bench.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm',
  '.woff2': 'font/woff2',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.txt': 'text/plain; charset=utf-8',
};

// The precompressed copies the build makes, best first.
const ENCODINGS = [['br', '.br'], ['gzip', '.gz']];

export const CSP = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; img-src 'self'; " +
  "font-src 'self'; connect-src 'self'; manifest-src 'self'; worker-src 'self'; object-src 'none'; " +
  "base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

const accepts = (header, coding) =>
  (header ?? '').split(',').some((part) => {
    const [name, ...params] = part.trim().split(';');
    return name.trim() === coding && !params.some((p) => /^\s*q=0(\.0*)?\s*$/.test(p));
  });

// Resolves with { server, url, close() } once listening; port 0 picks a free
// one. options.headers replace the caching headers (to play another host);
// options.onSent({ path, status, encoding, bytes, at }) hears of each
// response once it is sent: bytes count headers and body as they went out,
// at is when the request came (ms since the epoch).
export function serveSite(root, port = 0, options = {}) {
  const base = resolve(root);
  // The files' bytes by path, read again when a file's tag changes: a stat is
  // all most requests cost.
  const kept = new Map();
  const read = async (file, etag) => {
    let body = kept.get(file);
    if (body?.etag !== etag) {
      body = { etag, bytes: await readFile(file) };
      kept.set(file, body);
    }
    return body.bytes;
  };
  // The first of the encodings the request takes that the build made.
  const encoded = async (file, acceptEncoding) => {
    for (const [coding, suffix] of ENCODINGS) {
      if (!accepts(acceptEncoding, coding)) continue;
      const info = await stat(file + suffix, { bigint: true }).catch(() => null);
      if (info?.isFile()) return { coding, file: file + suffix, info };
    }
    return null;
  };
  const server = createServer(async (req, res) => {
    const at = Date.now();
    const sentBefore = req.socket.bytesWritten;
    let encoding = null;
    res.on('finish', () => options.onSent?.({
      path: req.url, status: res.statusCode, encoding, bytes: req.socket.bytesWritten - sentBefore, at,
    }));
    try {
      const url = new URL(req.url, 'http://localhost');
      const path = decodeURIComponent(url.pathname);
      let file = normalize(join(base, path));
      if (file !== base && !file.startsWith(base + sep)) throw new Error('outside');
      let info = await stat(file, { bigint: true });
      if (info.isDirectory()) {
        file = join(file, 'index.html');
        info = await stat(file, { bigint: true });
      }
      const headers = {
        'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream',
        'Content-Security-Policy': CSP,
        'X-Content-Type-Options': 'nosniff',
        // A versioned name never changes its bytes. no-cache still lets the
        // browser keep a copy it asks about each time: an unchanged file
        // costs a 304, a rebuilt one is sent again.
        'Cache-Control': url.searchParams.has('v') ? 'public, max-age=31536000, immutable' : 'no-cache',
        ...options.headers,
      };
      const copy = await encoded(file, req.headers['accept-encoding']);
      if (copy) {
        encoding = copy.coding;
        file = copy.file;
        info = copy.info;
        headers['Content-Encoding'] = copy.coding;
      }
      // The answer differs with Accept-Encoding wherever a copy exists.
      if (copy || (await encoded(file, 'br, gzip'))) headers.Vary = 'Accept-Encoding';
      const etag = `"${info.size.toString(36)}-${info.mtimeNs.toString(36)}"`;
      headers.ETag = etag;
      if (req.headers['if-none-match'] === etag) {
        res.writeHead(304, headers);
        res.end();
        return;
      }
      const bytes = await read(file, etag);
      res.writeHead(200, { ...headers, 'Content-Length': bytes.length });
      res.end(req.method === 'HEAD' ? undefined : bytes);
    } catch {
      res.writeHead(404, { 'Content-Type': 'text/plain' });
      res.end('not found');
    }
  });
  return new Promise((ok, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => {
      const url = `http://127.0.0.1:${server.address().port}/`;
      ok({ server, url, close: () => new Promise((done) => { server.closeAllConnections(); server.close(done); }) });
    });
  });
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const [root = 'build-web/site', port = '8080'] = process.argv.slice(2);
  const { url } = await serveSite(root, Number(port));
  console.log(`Tavrimo web edition: ${url}`);
}
