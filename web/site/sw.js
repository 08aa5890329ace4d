// The service worker: keeps the whole site in one cache, so that after one visit the game
// plays with the network off. The cache's name carries a hash of the site's files, stamped in
// by assemble.sh: a new build installs a new cache and, once active, deletes the old ones.
const kVersion = '__ZN_CACHE_VERSION__';
const kCache = `zn-${kVersion}`;

self.addEventListener('install', (event) => {
  event.waitUntil(
    (async () => {
      const files = await (await fetch('files.json', { cache: 'no-store' })).json();
      const cache = await caches.open(kCache);
      // Escaped as the page escapes a file's name in its address (files.js, fileUrl).
      const url = (name) => name.replace(/[%#?]/g, (c) => encodeURIComponent(c));
      await cache.addAll(['./', 'files.json', ...files].map((f) => new Request(url(f), { cache: 'no-store' })));
      await self.skipWaiting();
    })(),
  );
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    (async () => {
      for (const name of await caches.keys()) if (name.startsWith('zn-') && name !== kCache) await caches.delete(name);
      await self.clients.claim();
    })(),
  );
});

// The cache first (the site is one build: its files never change under one version), the
// network for anything the cache does not hold.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(
    (async () => {
      const cache = await caches.open(kCache);
      const hit = await cache.match(request, { ignoreSearch: true });
      if (hit) return hit;
      return fetch(request);
    })(),
  );
});
