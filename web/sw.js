// Keeps the site for offline use. Each build names its cache after a hash of
// its files, so a new version installs beside the old one and replaces it; the
// page itself is fetched from the network first, so a visit online always
// sees the newest build.
const VERSION = '@BUILD_HASH@';
const FILES = @FILES@;
const CACHE = `tavrimo-${VERSION}`;

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    await cache.addAll(FILES.map((f) => new Request(f, { cache: 'reload' })));
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
        const response = await fetch(request, { cache: 'no-store' });
        if (response.ok) return response;
      } catch {
        // offline: the cached page below
      }
      const cache = await caches.open(CACHE);
      return (await cache.match('./', { ignoreSearch: true })) ?? Response.error();
    })());
    return;
  }
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    return (await cache.match(request, { ignoreSearch: true })) ?? fetch(request);
  })());
});
