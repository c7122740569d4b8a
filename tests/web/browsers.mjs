// The two browsers the page is tested in, both Debian's, both headless, started as the checks
// need them; and what every check does with a page.
import puppeteer from 'puppeteer-core';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { ChromiumFlags } from './chromium_flags.mjs';

const require = createRequire(import.meta.url);

export const BrowserNames = ['chromium', 'firefox'];

// Starts `name` headless with the page's language `language` ("en-GB", "it-IT"); Firefox also with
// `firefoxPreferences`, the settings a reader would change in about:config. `options` go to the
// launch as they are: a `userDataDir` keeps the profile from one start to the next.
export async function launch(name, language = 'en-GB', firefoxPreferences = {}, options = {}) {
  if (name === 'firefox') {
    return puppeteer.launch({
      ...options, browser: 'firefox', protocol: 'webDriverBiDi', headless: true,
      executablePath: '/usr/lib/firefox-esr/firefox-esr',
      extraPrefsFirefox: { 'intl.accept_languages': language, 'intl.locale.requested': language,
        'network.captive-portal-service.enabled': false, 'app.update.enabled': false, ...firefoxPreferences },
    });
  }
  return puppeteer.launch({
    ...options, executablePath: '/usr/bin/chromium', headless: true,
    args: [...ChromiumFlags, `--lang=${language}`, `--accept-lang=${language}`],
    env: { ...process.env, LANGUAGE: language.replace('-', '_') },
  });
}

// Opens the page at `url` and waits until the program behind it has started.
export async function openPage(browser, url) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(url);
  await page.waitForSelector('html[data-ready]', { timeout: 15000 });
  page.errors = errors;
  return page;
}

// What axe-core finds wrong in the page as it stands, as "rule: target" lines.
const AxeSource = readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
export async function accessibilityViolations(page) {
  await page.evaluate(AxeSource);
  const violations = await page.evaluate(async () => (await window.axe.run(document)).violations
    .map((v) => v.nodes.map((n) => `${v.id} (${v.impact}): ${n.target.join(' ')}`)).flat());
  return violations;
}

// Lets the browser finish what the last input set off: its events, then a frame.
export async function settle(page) {
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0))));
}

// The screens the page is tried on for a finger, in CSS pixels: phones upright and held sideways
// (its height what is left beside the browser's bars), and a tablet.
export const TouchScreens = [
  { name: 'phone 390x844', width: 390, height: 844 },
  { name: 'phone 360x780', width: 360, height: 780 },
  { name: 'phone 320x568', width: 320, height: 568 },
  { name: 'phone sideways 844x340', width: 844, height: 340 },
  { name: 'tablet 820x1180', width: 820, height: 1180 },
];

// Firefox with a touch screen for its primary pointer (coarse, no hover), as its preference
// `ui.primaryPointerCapabilities` gives; Chromium emulates one per page (`showOnTouchScreen`).
export function launchForFinger(name, language = 'en-GB') {
  return launch(name, language, { 'ui.primaryPointerCapabilities': 1, 'ui.allPointerCapabilities': 1, 'dom.w3c_touch_events.enabled': 1 });
}

// Shows `page` on `screen` with touch; resolves to whether the page's primary pointer is coarse.
export async function showOnTouchScreen(page, screen, zoom = 1) {
  await page.setViewport({ width: Math.round(screen.width / zoom), height: Math.round(screen.height / zoom),
    deviceScaleFactor: zoom, isMobile: true, hasTouch: true });
  await settle(page);
  return page.evaluate(() => matchMedia('(pointer: coarse)').matches);
}

