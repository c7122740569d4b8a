// The page beside a plain page with the same sixteen HTML elements and no script, in headless
// Chromium from files, alternately, each run in a fresh browser context (nothing cached) once its
// window has settled:
//  - time from navigation to the first frame that shows the controls with the behaviour ready
//    (the plain page: the first frame after its elements are parsed), read in the page;
//  - a keystroke through the page: from the key's event to the end of its input event, the
//    program's cascade and every control it changes included, typing "255" into the decimal entry;
//  - the bytes each page loads, gzipped.
// With a second page folder (another build of the page, the one before a change, say), that page
// takes its turn too, and the two are compared side by side. With --phone, every page is opened
// on a phone's screen, 390 x 844 CSS px with touch, where the page's layout is the one for a finger.
//   node startup.mjs PAGE_FOLDER [OTHER_PAGE_FOLDER] [--phone] [RUNS]
import { readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import { launch, TouchScreens } from '../../tests/web/browsers.mjs';

const phone = process.argv.includes('--phone');
const [folder, other] = process.argv.slice(2).filter((a) => a !== '--phone' && Number.isNaN(Number(a))).map((f) => resolve(f));
const runs = Number(process.argv.slice(2).find((a) => !Number.isNaN(Number(a))) ?? 101);
const quadrellPage = (pageFolder) => ({ url: pathToFileURL(join(pageFolder, 'index.html')).href, ready: 'html[data-ready]',
  files: ['index.html', 'quadrell.js', 'quadrell.svg'].map((name) => join(pageFolder, name)) });
const pages = {
  quadrell: quadrellPage(folder),
  ...(other ? { other: quadrellPage(other) } : {}),
  plain: { url: new URL('plain.html', import.meta.url).href,
    ready: '#Shape1', files: [new URL('plain.html', import.meta.url).pathname] },
};
const PhoneScreen = TouchScreens[0];

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
  if (phone)
    await tab.setViewport({ width: PhoneScreen.width, height: PhoneScreen.height, isMobile: true, hasTouch: true });
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
const names = Object.keys(pages);
const times = Object.fromEntries(names.map((name) => [name, []]));
let keys = [];
let clicked = true;
for (let run = 0; run < runs; run++) {
  // Each page first in turn, so that no page always follows the same one.
  for (const name of names.map((_, n) => names[(n + run) % names.length])) {
    const { time, tab, context } = await startUp(browser, pages[name]);
    times[name].push(time);
    if (name !== 'plain') {
      // Ready means ready: a click then changes the byte.
      await tab.click('#Check1_0');
      clicked &&= (await tab.$eval('#Label1', (label) => label.textContent)) === '10000000';
      if (run === 0 && name === 'quadrell')
        keys = await keystrokes(tab);
    }
    await context.close();
  }
}
await browser.close();

const medians = Object.fromEntries(names.map((name) => [name, median(times[name])]));
const shown = (name) => `${medians[name].toFixed(1)} ms`;
console.log(`${runs} runs each, in turn, Chromium headless from file://${phone ? `, on a ${PhoneScreen.name} with touch` : ''}`);
console.log(`first frame with the controls ready: Quadrell ${shown('quadrell')}, plain ${shown('plain')}, ratio ${(medians.quadrell / medians.plain).toFixed(2)}`);
if (other)
  console.log(`the other page (${other}): ${shown('other')}, ratio to plain ${(medians.other / medians.plain).toFixed(2)}; Quadrell / other ${(medians.quadrell / medians.other).toFixed(3)}`);
console.log(`a click on box 0 then showed 10000000 in every run: ${clicked ? 'yes' : 'NO'}`);
console.log(`a keystroke through the page ("255" typed ${keys.length / 3} times): median ${median(keys).toFixed(2)} ms, slowest ${Math.max(...keys).toFixed(2)} ms`);
console.log(`bytes loaded, gzipped: Quadrell ${gzipped(pages.quadrell.files)} (${pages.quadrell.files.map((f) => f.split('/').at(-1)).join(', ')}), plain ${gzipped(pages.plain.files)}`);
process.exit(clicked ? 0 : 1);
