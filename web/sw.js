// Keeps the site for offline use. Every file but the page is asked for by a
// name carrying a hash of its bytes (?v=...), so a cached copy of such a name
// is never stale, in this cache or the browser's, and a rebuilt file is a new
// name whatever the host's caching headers say. The page itself is fetched
// from the network first, so a visit online always sees the newest build.
// Each build names its cache after a hash of its files; a new version
// installs beside the old one, takes what it can from it, and replaces it.
const VERSION = '@BUILD_HASH@';
const FILES = @FILES@;
const CACHE = `tavrimo-${VERSION}`;
const PAGE = './';

const buildOf = (page) => /<meta name="tavrimo-build" content="([^"]*)">/.exec(page)?.[1];

// A file for the new cache: another build's copy of the same version, else
// the browser's cache (which holds what the visit itself downloaded), else
// the network. Each file is downloaded once.
async function fetchFile(file) {
  const kept = await caches.match(file);
  if (kept) return kept;
  const response = await fetch(file, { cache: 'force-cache' });
  if (!response.ok) throw new Error(`${file}: ${response.status}`);
  return response;
}

// The page of this build: the copy the visit itself downloaded, when the
// browser still has it under the address the page was opened by, else the
// network's.
async function fetchPage() {
  const opened = (await self.clients.matchAll({ type: 'window', includeUncontrolled: true })).map((c) => c.url);
  for (const address of [...opened, PAGE]) {
    const kept = await fetch(address, { cache: 'only-if-cached', mode: 'same-origin' }).catch(() => null);
    if (kept?.ok && buildOf(await kept.clone().text()) === VERSION) return kept;
  }
  const fresh = await fetch(PAGE, { cache: 'reload' });
  if (!fresh.ok) throw new Error(`page: ${fresh.status}`);
  return fresh;
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    await Promise.all([
      ...FILES.map(async (file) => {
        if (!(await cache.match(file))) await cache.put(file, await fetchFile(file));
      }),
      fetchPage().then((page) => cache.put(PAGE, page)),
    ]);
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) if (name !== CACHE) await caches.delete(name);
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  if (request.mode === 'navigate') {
    event.respondWith((async () => {
      try {
        // Never the browser's copy, which a host's heuristics may call fresh;
        // the answer is kept there for the next worker's install.
        const response = await fetch(request, { cache: 'reload' });
        if (response.ok) return response;
      } catch {
        // offline: the cached page below
      }
      const cache = await caches.open(CACHE);
      return (await cache.match(PAGE)) ?? Response.error();
    })());
    return;
  }
  // A versioned name matches only its own bytes, whichever build's cache
  // holds them; anything else goes to the network.
  event.respondWith((async () => (await caches.match(request)) ?? fetch(request))());
});
