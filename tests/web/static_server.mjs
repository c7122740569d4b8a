// A static server for the page's folder on 127.0.0.1, as a reader's web host would serve it:
// the files as they are, each with its type, nothing else.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';

const Types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml', '.png': 'image/png' };

// Serves `folder`; resolves to { url, requests, close() }, `requests` listing every path asked for.
export function serve(folder) {
  const requests = [];
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    requests.push(path);
    const file = join(folder, path.endsWith('/') ? `${path}index.html` : path);
    try {
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': Types[extname(file)] ?? 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    requests,
    close: () => new Promise((done) => { server.closeAllConnections(); server.close(done); }),
  })));
}
