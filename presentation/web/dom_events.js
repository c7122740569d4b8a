// The page's listeners, added to the program's script after the module (--post-js). They only
// say which control the user acted on, by its row in the design table (the data-place of its
// element), and what an entry now holds; the program decides everything else.
(function () {
  'use strict';

  function placeOf(element) {
    var control = element.closest('[data-place]');
    return control ? Number(control.dataset.place) : -1;
  }

  // A click reaches a box's check box from its whole label, and from the space bar, once; the
  // label's own click event is the browser's way there and is not reported.
  document.addEventListener('click', function (event) {
    var target = event.target;
    if (target.matches('input, button') && placeOf(target) >= 0 && Module.userClicks)
      Module.userClicks(placeOf(target));
  });

  document.addEventListener('input', function (event) {
    var target = event.target;
    if (target.matches('input[type=text]') && placeOf(target) >= 0 && Module.userEdits)
      Module.userEdits(placeOf(target), target.value);
  });

  // The reader's colours: a dark scheme, or forced colours (high contrast), chosen while open.
  ['(prefers-color-scheme: dark)', '(forced-colors: active)'].forEach(function (query) {
    matchMedia(query).addEventListener('change', function () {
      if (Module.desktopSchemeChanged)
        Module.desktopSchemeChanged();
    });
  });

  // Served from a web server, the page can be installed, and keeps its own files for use offline.
  // Opened from a file it needs neither, and a browser refuses a file page its manifest.
  if (location.protocol !== 'file:') {
    var manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'quadrell.webmanifest';
    document.head.append(manifest);
    if ('serviceWorker' in navigator)
      navigator.serviceWorker.register('service-worker.js');
  }
})();
