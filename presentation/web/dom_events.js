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
    if (target.matches('.control input, .control button') && Module.userClicks)
      Module.userClicks(placeOf(target));
  });

  document.addEventListener('input', function (event) {
    var target = event.target;
    if (target.matches('.control input[type=text]') && Module.userEdits)
      Module.userEdits(placeOf(target), target.value);
  });

  // The reader's colours: a dark scheme, or forced colours (high contrast), chosen while open.
  ['(prefers-color-scheme: dark)', '(forced-colors: active)'].forEach(function (query) {
    matchMedia(query).addEventListener('change', function () {
      if (Module.desktopSchemeChanged)
        Module.desktopSchemeChanged();
    });
  });

  // Served from a web server, the page keeps its own files for use offline and can be installed;
  // opened from a file it needs neither.
  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('service-worker.js');
})();
