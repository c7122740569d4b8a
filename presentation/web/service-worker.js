// Keeps the page's own files, and only those, so that the page opens without a network once it
// has been visited. The files change together with the version in the cache's name.
'use strict';

const CACHE = 'quadrell-@PROJECT_VERSION@-@PAGE_HASH@';
const FILES = ['./', 'index.html', 'quadrell.js', 'quadrell.webmanifest', 'quadrell.svg', 'quadrell-256.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

// The page's files from the cache; anything else the page never asks for goes its own way.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET' || new URL(event.request.url).origin !== self.location.origin)
    return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((cached) => cached || fetch(event.request)));
});
