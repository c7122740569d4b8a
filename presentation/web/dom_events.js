// The page's side of the program, put in its script before the module (--pre-js): the elements
// the program holds (dom.cpp names them by their place in Module.nodes), and the listeners. These
// only say which control the user acted on, by its row in the design table (the data-place of its
// element), and what an entry now holds; the program decides everything else.
Module.nodes = [];

(function () {
  'use strict';

  // Until the program has started there is nothing to tell.
  function tell(name, types, values) {
    if (Module.calledRun)
      Module.ccall(name, null, types, values);
  }

  function placeOf(element) {
    var control = element.closest('[data-place]');
    return control ? Number(control.dataset.place) : -1;
  }

  // A click reaches a box's check box from its whole label, and from the space bar, once; the
  // label's own click event is the browser's way there and is not reported.
  document.addEventListener('click', function (event) {
    var target = event.target;
    if (target.matches('input, button') && placeOf(target) >= 0)
      tell('quadrell_user_clicks', ['number'], [placeOf(target)]);
  });

  document.addEventListener('input', function (event) {
    var target = event.target;
    if (target.matches('input[type=text]') && placeOf(target) >= 0)
      tell('quadrell_user_edits', ['number', 'string'], [placeOf(target), target.value]);
  });

  // Enter on a phone's keyboard ("done") closes it, as the keyboard's own key promises: the entry
  // gives up the focus. With a mouse, Enter in an entry does nothing, as in the desktop windows.
  var finger = matchMedia('(pointer: coarse)');
  document.addEventListener('keydown', function (event) {
    if (event.key === 'Enter' && finger.matches && event.target.matches('input[type=text]'))
      event.target.blur();
  });

  // The reader's colours: a dark scheme, or forced colours (high contrast), chosen while open.
  ['(prefers-color-scheme: dark)', '(forced-colors: active)'].forEach(function (query) {
    matchMedia(query).addEventListener('change', function () {
      tell('quadrell_desktop_scheme_changed', [], []);
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
