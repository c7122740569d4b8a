// The flags Chromium is started with by every check, headless under the browser driver or in a
// window for the screen reader: as root, on a machine whose network is closed, no sandbox, no GPU,
// and none of the background connections a fresh profile makes. Run alone, prints them one a line,
// for a check that starts Chromium itself.
import { fileURLToPath } from 'node:url';

export const ChromiumFlags = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

if (process.argv[1] === fileURLToPath(import.meta.url))
  console.log(ChromiumFlags.join('\n'));
