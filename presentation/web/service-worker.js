// Keeps the page's own files, and only those, so that the page opens without a network once it
// has been visited. The files change together with the version in the cache's name.
'use strict';

const PREFIX = 'quadrell-';
const CACHE = `${PREFIX}@PROJECT_VERSION@-@PAGE_HASH@`;
const FILES = ['./', 'index.html', 'quadrell.js', 'quadrell.webmanifest', 'quadrell.svg', 'quadrell-256.png'];

// Each file from the server itself: the browser's HTTP cache may still hold the last version's
// files, for as long as the server allowed, and a new version must not keep them.
self.addEventListener('install', (event) => {
  const fresh = FILES.map((file) => new Request(file, { cache: 'reload' }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(fresh)).then(() => self.skipWaiting()));
});

// Then the page's older versions go; whatever else its site keeps is not the page's to delete.
self.addEventListener('activate', (event) => {
  const older = (name) => name.startsWith(PREFIX) && name !== CACHE;
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter(older).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

// The page's files from the cache; anything else the page never asks for goes its own way.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET' || new URL(event.request.url).origin !== self.location.origin)
    return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((cached) => cached || fetch(event.request)));
});
