// A static server for the page's folder on 127.0.0.1, as a reader's web host would serve it: the
// files as they are, each with its type and the caching headers such hosts send (ten minutes
// fresh, then checked by date), nothing else.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';

const Types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml', '.png': 'image/png' };
const FreshFor = 600;  // seconds

async function answer(folder, request, response) {
  const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
  const file = join(folder, path.endsWith('/') ? `${path}index.html` : path);
  try {
    const modified = new Date((await stat(file)).mtime.toUTCString());
    const headers = { 'Cache-Control': `max-age=${FreshFor}`, 'Last-Modified': modified.toUTCString() };
    const since = Date.parse(request.headers['if-modified-since'] ?? '');
    if (since === modified.getTime()) {  // as nginx answers by default: the same date, not an older one
      response.writeHead(304, headers);
      response.end();
      return;
    }
    const body = await readFile(file);
    response.writeHead(200, { ...headers, 'Content-Type': Types[extname(file)] ?? 'application/octet-stream' });
    response.end(body);
  } catch {
    response.writeHead(404);
    response.end();
  }
}

// Serves `folder`; resolves to { url, requests, serveFrom(folder), close() }, `requests` listing
// every path asked for. `serveFrom` puts another folder at the same address, as a new version
// put on the host.
export function serve(folder) {
  const requests = [];
  let root = folder;
  const server = createServer((request, response) => {
    requests.push(normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)));
    answer(root, request, response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    requests,
    get listening() { return server.listening; },
    serveFrom: (other) => { root = other; },
    close: () => new Promise((done) => { server.closeAllConnections(); server.close(done); }),
  })));
}
