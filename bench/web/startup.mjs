// The page beside a plain page with the same sixteen HTML elements and no script, in headless
// Chromium from files, alternately, each run in a fresh browser context (nothing cached) once its
// window has settled:
//  - time from navigation to the first frame that shows the controls with the behaviour ready
//    (the plain page: the first frame after its elements are parsed), read in the page;
//  - a keystroke through the page: from the key's event to the end of its input event, the
//    program's cascade and every control it changes included, typing "255" into the decimal entry;
//  - the bytes each page loads, gzipped.
//   node startup.mjs PAGE_FOLDER [RUNS]
import { readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import { launch } from '../../tests/web/browsers.mjs';

const folder = resolve(process.argv[2]);
const runs = Number(process.argv[3] ?? 101);
const pages = {
  quadrell: { url: pathToFileURL(join(folder, 'index.html')).href, ready: 'html[data-ready]',
    files: ['index.html', 'quadrell.js', 'quadrell.svg'].map((name) => join(folder, name)) },
  plain: { url: new URL('plain.html', import.meta.url).href,
    ready: '#Shape1', files: [new URL('plain.html', import.meta.url).pathname] },
};

// In every page from its first script on: each frame looks for the controls; the first frame
// that has them is timed once it has been drawn.
function watchForReady(selector) {
  const look = () => {
    if (document.querySelector(selector))
      setTimeout(() => { window.readyAt = performance.now(); }, 0);  // after the frame's paint
    else
      requestAnimationFrame(look);
  };
  requestAnimationFrame(look);
}

// A fresh context opens a new browser window, and Chromium builds the window's own pages (its
// address bar's popup, in another process) for some half a second after. On two cores that work
// would overlap the load being timed, so each page is opened a second later, as in a browser
// already running (from 600 ms on, the plain page's time no longer fell).
const QuietAfterNewWindow = 1000;

async function startUp(browser, page) {
  const context = await browser.createBrowserContext();
  const tab = await context.newPage();
  await tab.evaluateOnNewDocument(watchForReady, page.ready);
  await new Promise((resolve) => setTimeout(resolve, QuietAfterNewWindow));
  await tab.goto(page.url);
  await tab.waitForFunction(() => window.readyAt !== undefined);
  const time = await tab.evaluate(() => window.readyAt);
  return { time, tab, context };
}

async function keystrokes(tab) {
  await tab.click('#Text1');
  await tab.evaluate(() => {
    window.keys = [];
    let down = 0;
    document.addEventListener('keydown', (event) => { down = event.timeStamp; }, true);
    window.addEventListener('input', () => window.keys.push(performance.now() - down));  // after the page's own
  });
  for (let n = 0; n < 7; n++) {
    await tab.keyboard.type('255');
    await tab.click('#Text1');  // a click empties it again
  }
  return tab.evaluate(() => window.keys);
}

const median = (values) => { const s = [...values].sort((a, b) => a - b); return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2; };
const gzipped = (files) => files.reduce((sum, file) => sum + gzipSync(readFileSync(file), { level: 9 }).length, 0);

const browser = await launch('chromium');
const times = { quadrell: [], plain: [] };
let keys = [];
let clicked = true;
for (let run = 0; run < runs; run++) {
  for (const name of run % 2 ? ['plain', 'quadrell'] : ['quadrell', 'plain']) {
    const { time, tab, context } = await startUp(browser, pages[name]);
    times[name].push(time);
    if (name === 'quadrell') {
      // Ready means ready: a click then changes the byte.
      await tab.click('#Check1_0');
      clicked &&= (await tab.$eval('#Label1', (label) => label.textContent)) === '10000000';
      if (run === 0)
        keys = await keystrokes(tab);
    }
    await context.close();
  }
}
await browser.close();

const q = median(times.quadrell);
const p = median(times.plain);
console.log(`${runs} runs each, alternately, Chromium headless from file://`);
console.log(`first frame with the controls ready: Quadrell ${q.toFixed(1)} ms, plain ${p.toFixed(1)} ms, ratio ${(q / p).toFixed(2)}`);
console.log(`a click on box 0 then showed 10000000 in every run: ${clicked ? 'yes' : 'NO'}`);
console.log(`a keystroke through the page ("255" typed ${keys.length / 3} times): median ${median(keys).toFixed(2)} ms, slowest ${Math.max(...keys).toFixed(2)} ms`);
console.log(`bytes loaded, gzipped: Quadrell ${gzipped(pages.quadrell.files)} (${pages.quadrell.files.map((f) => f.split('/').at(-1)).join(', ')}), plain ${gzipped(pages.plain.files)}`);
process.exit(clicked ? 0 : 1);
