// How the program's module starts, put in its script before the module (--pre-js). The module is
// inside the script as base64 text (wasmBinaryFile, a data: URL), since a page opened from a file
// cannot fetch one. The browser's own decoder reads it where it has one, some ten times faster
// than a loop in script; then the module is compiled and started at once, so that the page's
// first frame has the behaviour ready.
Module.instantiateWasm = function (imports, receiveInstance) {
  'use strict';
  var base64 = wasmBinaryFile.slice(wasmBinaryFile.indexOf(',') + 1);
  var bytes = Uint8Array.fromBase64 ? Uint8Array.fromBase64(base64)
    : Uint8Array.from(atob(base64), function (c) { return c.charCodeAt(0); });
  var instance = new WebAssembly.Instance(new WebAssembly.Module(bytes), imports);
  receiveInstance(instance);
  return instance.exports;
};
