// The page beyond the scenario rows: it makes no network request, it can be installed and works
// offline once served, its captions stay whole from 100 % to 400 % zoom where it reflows rather
// than scroll sideways, and every text keeps a contrast of 4.5:1 in light, dark and forced colours
// as the screen shows it. axe-core looks at the dark and forced-colour states too.
// With a mouse every control stands where the design (in the scenario table) and today's narrow
// layouts put it. For a finger, on every touch screen: targets, width, font sizes, the entries'
// keyboards and the on-screen keyboard's half of the screen.
//   SCREENSHOT_CONTRAST=PROGRAM node page_checks.mjs PAGE_FOLDER TABLE.json [BROWSER...]
// PROGRAM: the build's screenshot_contrast, which reads the texts' contrast from screenshots.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { accessibilityViolations, BrowserNames, launch, launchForFinger, openPage, settle, showOnTouchScreen,
  TouchScreens } from './browsers.mjs';
import { serve } from './static_server.mjs';

const [folderArgument, tablePath, ...chosen] = process.argv.slice(2);
const ScreenshotContrast = process.env.SCREENSHOT_CONTRAST;
if (!ScreenshotContrast) {
  console.error('page_checks.mjs: SCREENSHOT_CONTRAST names no program to read the screenshots\' contrast with');
  process.exit(2);
}
const design = JSON.parse(readFileSync(tablePath, 'utf8')).design;
const folder = resolve(folderArgument);
const folderUrl = pathToFileURL(folder).href + '/';
const pageUrl = folderUrl + 'index.html';
const PageFiles = ['/', '/index.html', '/quadrell.js', '/quadrell.webmanifest', '/quadrell.svg', '/quadrell-256.png',
  '/service-worker.js'];

let failed = 0;
let skipped = 0;
function skip(name, reason) {
  console.log(`  SKIP ${name}: ${reason}`);
  ++skipped;
}
function report(name, problems, detail = '') {
  console.log(`  ${problems.length ? 'FAIL' : 'ok  '} ${name}${detail ? ': ' + detail : ''}`);
  problems.forEach((problem) => console.log(`       ${problem}`));
  failed += problems.length ? 1 : 0;
}

// A user's first moves: a box, the split, "Cancella", another box, the decimal entry, which
// leave every display with text to read.
async function useThePage(page) {
  await page.click('#Check1_0');
  await page.click('#Text2');
  await page.keyboard.type('3');
  await page.click('#Command1');
  await page.click('#Check1_6');
  await page.click('#Text1');
  await page.keyboard.type('200');
  await settle(page);
}
const ByteAfterUse = '11001000';

async function noNetwork(browser) {
  const page = await browser.newPage();
  const requests = [];
  page.on('request', (request) => requests.push(request.url()));
  await page.goto(pageUrl);
  await page.waitForSelector('html[data-ready]');
  await useThePage(page);
  await page.close();
  // The module inside the script is read from a data: URL, which is no request to anyone.
  const named = requests.map((url) => (url.startsWith(folderUrl) ? url.slice(folderUrl.length)
    : url.startsWith('data:') ? `${url.slice(0, url.indexOf(','))} (the script's own module)` : url));
  const foreign = requests.filter((url) => !url.startsWith(folderUrl) && !url.startsWith('data:'));
  const seen = requests.length ? `${requests.length} requests: ${named.join(', ')}`
    : 'no request to a server (this browser does not tell of the files a page reads)';
  report('opened from a file, it asks for nothing beyond its own folder', foreign.map((url) => `asked for ${url}`), seen);
}

async function installableAndOffline(browser, browserName) {
  const server = await serve(folder);
  const page = await openPage(browser, server.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  const problems = [];
  if (browserName === 'chromium') {
    const session = await page.createCDPSession();
    const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
    problems.push(...installabilityErrors.map((error) => `not installable: ${error.errorId}`));
  }
  await server.close();
  problems.push(...server.requests.filter((path) => !PageFiles.includes(path)).map((path) => `served ${path}, not a page file`));
  await page.reload();
  const offline = await page.waitForSelector('html[data-ready]', { timeout: 10000 }).then(() => true, () => false);
  if (offline)
    await useThePage(page);
  const byte = offline ? await page.$eval('#Label1', (label) => label.textContent) : '';
  if (byte !== ByteAfterUse)
    problems.push(`with the server gone the page ${offline ? `shows ${byte} after its first moves` : 'did not start'}`);
  await page.close();
  report('served, it is installable and works offline once visited', problems,
    `${browserName === 'chromium' ? 'no installability error; ' : ''}server asked for ${[...new Set(server.requests)].join(' ')}`);
}

// In the page: what scrolls sideways, reaches past the right edge or has its text cut.
function textCutOrSideways() {
  const found = [];
  const root = document.documentElement;
  if (root.scrollWidth > root.clientWidth)
    found.push(`the page scrolls sideways: ${root.scrollWidth} px in ${root.clientWidth} px`);
  const inside = (inner, outer) => inner.left >= outer.left - 0.5 && inner.right <= outer.right + 0.5
    && inner.top >= outer.top - 0.5 && inner.bottom <= outer.bottom + 0.5;
  for (const control of document.querySelectorAll('.control:not(.shape)')) {
    const rect = control.getBoundingClientRect();
    if (rect.right > root.clientWidth + 0.5)
      found.push(`${control.id || control.firstChild.id} reaches past the page's right edge`);
    const caption = control.matches('.box') ? control.querySelector('span') : null;
    if (caption ? !inside(caption.getBoundingClientRect(), rect)
      : control.scrollWidth > control.clientWidth || control.scrollHeight > control.clientHeight)
      found.push(`${control.id || control.firstChild.id}: its text is cut`);
  }
  return found;
}

// In the page: every control's place and size, as [left, top, width, height] in CSS pixels, by the
// name the design gives it (a box's area is its label).
function controlRectangles() {
  return Object.fromEntries([...document.querySelectorAll('[data-place]')].map((area) => {
    const r = area.getBoundingClientRect();
    return [area.id || area.querySelector('[id]').id, [r.left, r.top, r.width, r.height].map((v) => Math.round(v * 100) / 100)];
  }));
}

// With a mouse the page is as it was: at the design's width every control where the design puts
// it, to the pixel, and in the narrow layouts where they have always stood
// (narrow_layouts.json: each width's rectangles as the page drew them before it had a layout
// for a finger).
async function mouseLayoutStays(browser) {
  const narrow = JSON.parse(readFileSync(new URL('narrow_layouts.json', import.meta.url), 'utf8'));
  const page = await openPage(browser, pageUrl);
  for (const [width, expected] of [[1280, design], ...Object.entries(narrow).map(([w, rects]) => [Number(w), rects])]) {
    await page.setViewport({ width, height: 800 });
    await settle(page);
    const shown = await page.evaluate(controlRectangles);
    const moved = Object.entries(expected).filter(([name, rect]) => shown[name]?.join() !== rect.join())
      .map(([name, rect]) => `${name} at ${shown[name]?.join(', ')}, not ${rect.join(', ')}`);
    // Headless Chromium has no pointer at all, Firefox a fine one: neither is a finger's.
    const pointer = await page.evaluate(() => ['fine', 'none'].find((kind) => matchMedia(`(pointer: ${kind})`).matches));
    report(`with a mouse at ${width} CSS px every control stands where it stood`,
      pointer ? moved : ['the pointer is coarse', ...moved], `${Object.keys(expected).length} controls, pointer ${pointer}`);
  }
  await page.close();
}

const TouchTarget = 44;  // CSS px, each way

// In the page, shown on a touch screen: the sizes a finger needs and what the screen shows.
function fingerMeasures() {
  const rect = (element) => element.getBoundingClientRect();
  const controls = [...document.querySelectorAll('.control:not(.shape)')];
  const name = (control) => control.id || control.querySelector('[id]').id;
  const rects = controls.map(rect);
  const union = { left: Math.min(...rects.map((r) => r.left)), right: Math.max(...rects.map((r) => r.right)),
    bottom: Math.max(...rects.map((r) => r.bottom)) };
  const text = (control) => (control.matches('.box') ? control.querySelector('span') : control);
  return {
    targets: [...document.querySelectorAll('label.box, #Text1, #Text2, #Command1')]
      .map((control) => ({ name: name(control), width: rect(control).width, height: rect(control).height })),
    widthShare: (union.right - union.left) / document.documentElement.clientWidth,
    below: union.bottom - innerHeight,
    scrolls: document.documentElement.scrollHeight > innerHeight || document.documentElement.scrollWidth > innerWidth,
    fonts: controls.map((control) => ({ name: name(control), px: parseFloat(getComputedStyle(text(control)).fontSize) })),
    entries: ['Text1', 'Text2'].map((id) => {
      const entry = document.getElementById(id);
      return { name: id, inputmode: entry.inputMode, enterkeyhint: entry.enterKeyHint,
        caption: entry.labels.length ? entry.labels[0].textContent : '' };
    }),
    viewport: document.querySelector('meta[name=viewport]').content,
  };
}

// The on-screen keyboard takes half the screen: with an entry in the focus, that entry and both
// displays are still in view; Enter ("done") then closes the keyboard, taking the focus away.
async function keyboardLeavesEntryAndDisplays(page, screen) {
  const problems = [];
  for (const id of ['Text1', 'Text2']) {
    await page.setViewport({ width: screen.width, height: screen.height, isMobile: true, hasTouch: true });
    await page.evaluate((id) => document.getElementById(id).focus(), id);
    await page.setViewport({ width: screen.width, height: Math.round(screen.height / 2), isMobile: true, hasTouch: true });
    await page.evaluate((id) => document.getElementById(id).scrollIntoView({ block: 'nearest' }), id);
    await settle(page);
    const hidden = await page.evaluate((ids) => ids.filter((id) => {
      const r = document.getElementById(id).getBoundingClientRect();
      const view = visualViewport;
      return r.top < -0.5 || r.bottom > view.height + 0.5 || r.left < -0.5 || r.right > view.width + 0.5;
    }), [id, 'Label1', 'Label3']);
    problems.push(...hidden.map((other) => `with the keyboard up for ${id}, ${other} is out of view`));
    await page.keyboard.press('Enter');
    await settle(page);
    if (await page.evaluate((id) => document.activeElement?.id === id, id))
      problems.push(`Enter in ${id} leaves the keyboard up (the entry keeps the focus)`);
  }
  await page.setViewport({ width: screen.width, height: screen.height, isMobile: true, hasTouch: true });
  return problems;
}

// Chromium emulates each touch screen; Firefox is started with a coarse primary pointer, and
// where it cannot show the page as on a touch screen the check is skipped, with its reason.
async function fingerLayout(browserName, browser) {
  for (const screen of TouchScreens) {
    const title = `for a finger on a ${screen.name}: 44 px targets, 80 % of the width, one screen, digits keyboards`;
    const page = await openPage(browser, pageUrl);
    try {
      if (!(await showOnTouchScreen(page, screen))) {
        skip(title, `${browserName} does not report a coarse pointer here`);
        continue;
      }
      await useThePage(page);
      await page.evaluate(() => document.activeElement.blur());
      await settle(page);
      const measures = await page.evaluate(fingerMeasures);
      const problems = [
        ...measures.targets.filter((t) => t.width < TouchTarget || t.height < TouchTarget)
          .map((t) => `${t.name} is ${t.width.toFixed(1)} x ${t.height.toFixed(1)} CSS px`),
        ...(measures.widthShare < 0.8 ? [`the controls fill ${(measures.widthShare * 100).toFixed(0)} % of the width`] : []),
        ...(measures.below > 0.5 ? [`the controls reach ${measures.below.toFixed(0)} px below the screen`] : []),
        ...(measures.scrolls ? ['the page scrolls'] : []),
        ...measures.fonts.filter((f) => f.px < (['Label1', 'Label3'].includes(f.name) ? 24 : 16))
          .map((f) => `${f.name}'s text is ${f.px.toFixed(1)} CSS px`),
        ...measures.entries.filter((e) => !['numeric', 'decimal'].includes(e.inputmode) || e.enterkeyhint !== 'done' || !e.caption)
          .map((e) => `${e.name} asks for inputmode "${e.inputmode}", enterkeyhint "${e.enterkeyhint}", captioned "${e.caption}"`),
        ...(/user-scalable\s*=\s*(no|0)|maximum-scale/.test(measures.viewport) ? [`the viewport blocks zoom: ${measures.viewport}`] : []),
        ...await page.evaluate(textCutOrSideways),
        ...await accessibilityViolations(page),
        ...await keyboardLeavesEntryAndDisplays(page, screen),
      ];
      const smallest = measures.targets.reduce((min, t) => Math.min(min, t.width, t.height), Infinity);
      report(title, problems, `smallest target ${smallest.toFixed(1)} px, width ${(measures.widthShare * 100).toFixed(0)} %`);
      // Zoomed to 200 %, the page may scroll down, never sideways, and keeps every caption whole.
      await showOnTouchScreen(page, screen, 2);
      report(`for a finger on a ${screen.name} at 200 % zoom every caption is whole and nothing scrolls sideways`,
        await page.evaluate(textCutOrSideways));
    } finally {
      await page.close();
    }
  }
}

// Zoom as the browser does it: the CSS width of a 1280 x 800 window shrinks, the pixels per CSS
// pixel grow.
async function zoomKeepsCaptionsWhole(browser) {
  const page = await openPage(browser, pageUrl);
  await useThePage(page);
  for (const zoom of [1, 2, 4]) {
    await page.setViewport({ width: 1280 / zoom, height: 800 / zoom, deviceScaleFactor: zoom });
    await settle(page);
    const problems = await page.evaluate(textCutOrSideways);
    const width = await page.evaluate(() => document.documentElement.clientWidth);
    report(`at ${zoom * 100} % zoom every caption is whole and nothing scrolls sideways`, problems, `${width} CSS px wide`);
  }
  await page.close();
}

// The four schemes: what the page must see of each, how Chromium's protocol emulates it (the
// driver's own call knows no forced colours) and the preferences that put Firefox in it, whose
// driver emulates no media feature.
const ContentScheme = 'layout.css.prefers-color-scheme.content-override';  // 0 dark, 1 light
// Firefox's forced colours: a background and a text colour, and Firefox calls the palette dark or
// light as its background is. The light palette is a whole high-contrast one, as Chromium
// emulates it: Firefox's own selection colours there, which the split's boxes take under forced
// colours, are white on mid blue, 2.9:1, the reader's palette and not the page's doing. The dark
// one keeps Firefox's own selection, a see-through cyan, which the page must show as it shows
// over the page's background.
const ForcedPalette = (background, text, highlight, highlightText) => ({ 'browser.display.document_color_use': 2,
  'browser.display.background_color': background, 'browser.display.foreground_color': text,
  'ui.-moz-field': background, 'ui.-moz-fieldtext': text, 'ui.buttonface': background, 'ui.buttontext': text,
  ...(highlight ? { 'ui.highlight': highlight, 'ui.highlighttext': highlightText } : {}) });
const Schemes = {
  light: { dark: false, forced: false, chromium: [{ name: 'prefers-color-scheme', value: 'light' }],
    firefox: { [ContentScheme]: 1 } },
  dark: { dark: true, forced: false, chromium: [{ name: 'prefers-color-scheme', value: 'dark' }],
    firefox: { [ContentScheme]: 0 } },
  'forced colours': { dark: false, forced: true, chromium: [{ name: 'forced-colors', value: 'active' }],
    firefox: ForcedPalette('#ffffff', '#000000', '#050049', '#ffffff') },
  'forced colours, dark': { dark: true, forced: true,
    chromium: [{ name: 'forced-colors', value: 'active' }, { name: 'prefers-color-scheme', value: 'dark' }],
    firefox: ForcedPalette('#000000', '#ffffff') },
};

// The page, used, in each scheme in turn. Chromium switches one page from scheme to scheme, which
// also shows that the page repaints at a change; Firefox starts afresh in each.
async function* pagesInEveryScheme(browserName, browser) {
  if (browserName === 'chromium') {
    const page = await openPage(browser, pageUrl);
    await useThePage(page);
    const session = await page.createCDPSession();
    try {
      for (const [scheme, wanted] of Object.entries(Schemes)) {
        await session.send('Emulation.setEmulatedMedia', { features: wanted.chromium });
        await settle(page);
        yield [scheme, wanted, page];
      }
    } finally {
      await page.close();
    }
    return;
  }
  for (const [scheme, wanted] of Object.entries(Schemes)) {
    const own = await launch(browserName, 'en-GB', wanted.firefox);
    try {
      const page = await openPage(own, pageUrl);
      await useThePage(page);
      yield [scheme, wanted, page];
    } finally {
      await own.close();
    }
  }
}

// What the page sees of the scheme, as "dark, forced colours".
function schemeSeen({ dark, forced }) {
  return `${dark ? 'dark' : 'light'}${forced ? ', forced colours' : ''}`;
}

// The contrast of each text as drawn, read from its area of a screenshot by the program the Qt
// window's and the Windows program's checks read theirs with (tests/screenshots): the commonest
// colour of the area is the background, the colour that differs most from it (at least a few
// pixels of it) the text.
function measureContrast(shot, areas) {
  const folder = mkdtempSync(join(tmpdir(), 'quadrell-contrast-'));
  try {
    const path = join(folder, 'shot.png');
    writeFileSync(path, shot);
    return JSON.parse(execFileSync(ScreenshotContrast, ['--least-pixels', '4', path], { input: JSON.stringify(areas) }));
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

// The contrast of every text on a screenshot of `page` as it stands, and what axe-core finds.
async function contrastOnScreen(page) {
  const scale = 2;
  await page.setViewport({ width: 400, height: 260, deviceScaleFactor: scale });
  await settle(page);
  // The text areas: a box's caption, a label's or button's inside, an entry's inside its frame.
  const areas = await page.evaluate((scale) => [...document.querySelectorAll('.control:not(.shape)')].map((control) => {
    const element = control.matches('.box') ? control.querySelector('span') : control;
    const rect = element.getBoundingClientRect();
    const inset = control.matches('.entry, .button') ? 3 : 0;
    return { name: control.id || control.firstChild.id, x: Math.round((rect.x + inset) * scale),
      y: Math.round((rect.y + inset) * scale), width: Math.round((rect.width - 2 * inset) * scale),
      height: Math.round((rect.height - 2 * inset) * scale) };
  }), scale);
  const measured = measureContrast(await page.screenshot(), areas);
  const low = measured.filter((text) => text.ratio < 4.5)
    .map((text) => `${text.name}: ${text.ratio.toFixed(2)}:1 on rgb(${text.background})`);
  const lowest = measured.reduce((min, text) => (text.ratio < min.ratio ? text : min));
  return { problems: [...low, ...await accessibilityViolations(page)], lowest };
}

async function contrastInEveryScheme(browserName, browser) {
  for await (const [scheme, wanted, page] of pagesInEveryScheme(browserName, browser)) {
    const title = `${scheme}: every text at least 4.5:1 on screen, no axe-core violation`;
    // A scheme the browser was asked for but does not show would measure another one.
    const seen = await page.evaluate(() => ({ dark: matchMedia('(prefers-color-scheme: dark)').matches,
      forced: matchMedia('(forced-colors: active)').matches }));
    if (schemeSeen(seen) !== schemeSeen(wanted)) {
      report(title, [`the page sees ${schemeSeen(seen)}, not ${schemeSeen(wanted)}`]);
      continue;
    }
    const { problems, lowest } = await contrastOnScreen(page);
    report(title, problems, `lowest ${lowest.ratio.toFixed(2)}:1 (${lowest.name})`);
  }
}

// The browser's language chooses the words and the page's language, and how the split entry reads
// a number: "2,5" is a number in Italian, where the first two boxes turn green, and none in English.
async function followsTheBrowsersLanguage(browserName) {
  const seen = {};
  for (const language of ['en-GB', 'it-IT']) {
    const browser = await launch(browserName, language);
    const page = await openPage(browser, pageUrl);
    await page.click('#Text2');
    await page.keyboard.type('2,5');
    await settle(page);
    seen[language] = await page.evaluate(() => ({
      lang: document.documentElement.lang,
      heard: document.getElementById('announcements').textContent,
      colours: [...document.querySelectorAll('label.box')].map((box) => getComputedStyle(box).backgroundColor)
        .filter((colour) => colour === 'rgb(192, 255, 192)').length,
    }));
    await browser.close();
  }
  const english = seen['en-GB'];
  const italian = seen['it-IT'];
  const problems = [];
  if (english.lang !== 'en' || italian.lang !== 'it')
    problems.push(`the page's lang is "${english.lang}" in English, "${italian.lang}" in Italian`);
  if (english.heard === italian.heard)
    problems.push(`both languages hear "${english.heard}"`);
  if (english.colours !== 0 || italian.colours !== 2)
    problems.push(`"2,5" marks ${english.colours} boxes in English, ${italian.colours} in Italian`);
  report('the browser\'s language chooses the words, the page\'s lang and the number format', problems,
    `"${english.heard}" / "${italian.heard}"`);
}

for (const browserName of chosen.length ? chosen : BrowserNames) {
  const browser = await launch(browserName);
  console.log(`${browserName} ${await browser.version()}`);
  await noNetwork(browser);
  await installableAndOffline(browser, browserName);
  await mouseLayoutStays(browser);
  await zoomKeepsCaptionsWhole(browser);
  await contrastInEveryScheme(browserName, browser);
  await browser.close();
  await followsTheBrowsersLanguage(browserName);
  const forFinger = await launchForFinger(browserName);
  await fingerLayout(browserName, forFinger);
  await forFinger.close();
}
// 77: a check that could not run is a skip, whatever the others did.
console.log(failed ? `${failed} check(s) failed` : skipped ? `${skipped} check(s) skipped, the rest passed` : 'Every check passed');
process.exit(failed ? 1 : skipped ? 77 : 0);
