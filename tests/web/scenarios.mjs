// The window scenarios, every row, against the page in headless Chromium and Firefox ESR: what
// each control shows, where the focus is, and what the live region says after each step; then
// axe-core on the state each scenario reaches.
// With --touch, the same on each touch screen (TouchScreens): the page's primary pointer coarse,
// every click a tap of the touch screen, the keys as they are.
//   node scenarios.mjs TABLE.json PAGE_URL [--touch] [BROWSER...]
import { readFileSync } from 'node:fs';
import { accessibilityViolations, BrowserNames, launch, launchForFinger, openPage, settle, showOnTouchScreen,
  TouchScreens } from './browsers.mjs';

const [tablePath, pageUrl, ...rest] = process.argv.slice(2);
const touch = rest.includes('--touch');
const chosen = rest.filter((argument) => argument !== '--touch');
const table = JSON.parse(readFileSync(tablePath, 'utf8'));
const focusOrder = table.focusOrder;

// What the page shows, in the table's terms. Box colours are read as painted: "Y" yellow, "G"
// light green, anything else by its value.
function readShown() {
  const boxes = [...Array(8).keys()].map((k) => document.getElementById(`Check1_${k}`));
  const letter = (colour) => ({ 'rgb(255, 255, 0)': 'Y', 'rgb(192, 255, 192)': 'G' })[colour] ?? `[${colour}]`;
  const active = document.activeElement;
  return {
    boxes: boxes.map((box) => (box.checked ? '1' : '0')).join(''),
    label1: document.getElementById('Label1').textContent,
    label3: document.getElementById('Label3').textContent,
    text1: document.getElementById('Text1').value,
    text2: document.getElementById('Text2').value,
    colours: boxes.map((box) => letter(getComputedStyle(box.closest('label')).backgroundColor)).join(''),
    focus: active && active !== document.body ? active.id : '(the page has none)',
    heard: window.heard.splice(0),
  };
}

// Records every announcement the live region makes: each is a new element added to it. Spoken,
// as a screen reader speaks it: without the silent no-break space every other one ends in.
function listen() {
  window.heard = [];
  new MutationObserver((records) => records.forEach((record) =>
    record.addedNodes.forEach((node) => window.heard.push(node.textContent.replace(/\u00A0$/, '')))))
    .observe(document.getElementById('announcements'), { childList: true });
}

// A browser that cannot tap plays no row with taps: that is a skip, not a pass.
class CannotTap extends Error {}

async function clickAt(page, id, where) {
  const area = await page.evaluateHandle((id) => {
    const element = document.getElementById(id);
    return element.closest('label.box') ?? element;  // a box is its whole label, caption and colour
  }, id);
  const box = await area.boundingBox();
  const x = where === 'beside-caption' ? box.x + box.width - 3 : box.x + box.width / 2;
  if (touch) {
    await page.touchscreen.tap(x, box.y + box.height / 2).catch((error) => {
      throw new CannotTap(error.message.split(' [')[0]);
    });
  } else
    await page.mouse.click(x, box.y + box.height / 2);
}

// Tab past "Cancella" leaves the page for the browser, as on any web page, and the next Tab comes
// back to box 0: a row that wraps the focus is two key presses here, the first leaving the page.
// Backwards, a headless browser that has no toolbar to go to may bring the focus round at once.
async function pressTab(page, backwards, expected, failures, where) {
  const press = async () => {
    if (backwards) await page.keyboard.down('Shift');
    await page.keyboard.press('Tab');
    if (backwards) await page.keyboard.up('Shift');
  };
  const focused = () => page.evaluate(() => document.activeElement && document.activeElement !== document.body
    ? document.activeElement.id : '');
  const from = focusOrder.indexOf(await focused());
  const to = focusOrder.indexOf(expected ?? '');
  const wraps = from >= 0 && to >= 0 && (backwards ? to >= from : to <= from);
  await press();
  if (!wraps)
    return;
  const after = await focused();
  if (after === '') {
    // Headless browsers may keep the keyboard in their toolbar from then on, whatever key comes
    // next; going to another tab and back gives it to the page, as a user's Tab out of the toolbar
    // does. The page has the keyboard again only some time after it is in front.
    for (let attempt = 0; attempt < 3 && (await focused()) === ''; ++attempt) {
      if (!(await page.evaluate(() => document.hasFocus()))) {
        stoodIn.add(where);
        await (await page.browser().newPage()).close();
        await page.bringToFront();
        await page.waitForFunction(() => document.hasFocus(), { timeout: 2000 }).catch(() => {});
      }
      await press();
    }
  } else if (!backwards || after !== expected)
    failures.push(`${where}: focus: Tab past the end of the page stays in it (on ${after})`);
}

const stoodIn = new Set();

// Stands in for a paste: a headless browser has no clipboard a page can be pasted from. The text
// goes in through the browser's own editing path, where the entry's length limit applies as it
// does to a paste, and the page hears the same input event.
async function paste(page, text) {
  await page.evaluate((text) => document.execCommand('insertText', false, text), text);
}

async function act(page, step, failures, where) {
  switch (step.action) {
  case 'Look': return;
  case 'Click': return clickAt(page, step.target, 'middle');
  case 'ClickBesideCaption': return clickAt(page, step.target, 'beside-caption');
  case 'Type': return page.keyboard.type(step.text);
  case 'Paste': return paste(page, step.text);
  case 'Tab': return pressTab(page, false, step.shows.focus, failures, where);
  case 'ShiftTab': return pressTab(page, true, step.shows.focus, failures, where);
  case 'Space': return page.keyboard.press(' ');
  default: throw new Error(`${where}: no way to do ${step.action}`);
  }
}

function check(shown, shows, failures, where) {
  const compare = (what, value, expected) => {
    if (expected !== undefined && value !== expected)
      failures.push(`${where}: ${what} shows "${value}", expected "${expected}"`);
  };
  compare('boxes', shown.boxes, shows.bits);
  compare('Label1', shown.label1, shows.bits);
  compare('Label3', shown.label3, shows.decimal);
  compare('Text1', shown.text1, shows.text1);
  compare('Text2', shown.text2, shows.text2);
  compare('box colours', shown.colours, shows.colours);
  compare('focus', shown.focus, shows.focus);
  // Every announcement of the step, in order: each is said once, and the same words said again
  // by a new action are heard again.
  compare('the live region', shown.heard.join(table.heardSeparator), shows.heard);
}

async function runScenario(browser, browserName, scenario, screen) {
  const failures = [];
  const page = await openPage(browser, pageUrl);
  if (screen && !(await showOnTouchScreen(page, screen))) {
    await page.close();
    return [`${browserName} ${scenario.name}: on the ${screen.name} the page's pointer is not coarse`];
  }
  await page.evaluate(listen);
  for (const [n, step] of scenario.steps.entries()) {
    const where = `${browserName} ${scenario.name} step ${n + 1} (${step.action}${step.target ? ' ' + step.target : ''})`;
    await act(page, step, failures, where);
    await settle(page);
    check(await page.evaluate(readShown), step.shows, failures, where);
  }
  for (const violation of await accessibilityViolations(page))
    failures.push(`${browserName} ${scenario.name}: axe-core: ${violation}`);
  failures.push(...page.errors.map((error) => `${browserName} ${scenario.name}: page error: ${error}`));
  await page.close();
  return failures;
}

// Every row in one browser; resolves to the number of rows that failed, or to the reason the
// browser could not play them.
async function playEveryRow(browserName) {
  const browser = await (touch ? launchForFinger : launch)(browserName);
  console.log(`${browserName} ${await browser.version()}`);
  let failedRows = 0;
  try {
    for (const screen of touch ? TouchScreens : [null]) {
      for (const scenario of table.scenarios) {
        const failures = await runScenario(browser, browserName, scenario, screen);
        console.log(`  ${failures.length ? 'FAIL' : 'ok  '} ${screen ? `${screen.name}: ` : ''}${scenario.name}`);
        failures.forEach((failure) => console.log(`       ${failure}`));
        failedRows += failures.length ? 1 : 0;
      }
    }
  } catch (error) {
    if (!(error instanceof CannotTap))
      throw error;
    return { skipped: `${browserName} cannot tap a touch screen headless (${error.message})` };
  } finally {
    await browser.close();
  }
  return { failedRows };
}

let failed = 0;
const skipped = [];
for (const browserName of chosen.length ? chosen : BrowserNames) {
  const result = await playEveryRow(browserName);
  failed += result.failedRows ?? 0;
  if (result.skipped)
    skipped.push(result.skipped);
}
skipped.forEach((reason) => console.log(`SKIP: ${reason}`));
stoodIn.forEach((where) => console.log(`Stood in: ${where}: the keyboard came back to the page through another tab`));
// 77: some browser played nothing, which is a skip however the others did; run each alone to
// see its own result.
console.log(failed ? `${failed} scenario(s) failed` : skipped.length ? 'Some browser played no scenario'
  : 'Every scenario passed in every browser');
process.exit(failed ? 1 : skipped.length ? 77 : 0);
