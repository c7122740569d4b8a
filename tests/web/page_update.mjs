// An installed page stays current. The page of one version is visited from a server that sends
// real caching headers, and so installed; then the server has the next version. Each start is a
// new browser process on the same profile, as a phone starts an installed app:
//  - by the second start the page runs the new version;
//  - only the new version's cache is left of the page's, and what else the site keeps stays;
//  - with the server gone, the page still opens, in the new version, and works.
//   node page_update.mjs OLD_PAGE_FOLDER NEW_PAGE_FOLDER [BROWSER...]
// Exits 0 when every check passed, 1 when one failed, 77 when none could run.
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { launch, openPage, settle } from './browsers.mjs';
import { serve } from './static_server.mjs';

// How long a start waits for the browser to ask for the service worker, in milliseconds.
const UpdateWait = 20000;

const [oldFolder, newFolder, ...chosen] = process.argv.slice(2).map((argument, n) => (n < 2 ? resolve(argument) : argument));

// What a start shows: the version the page says it runs, the caches of its site, and whether a
// click on box 0 reaches the program.
async function start(browserName, profile, server) {
  const browser = await launch(browserName, 'en-GB', {}, { userDataDir: profile });
  try {
    const asked = server.requests.length;
    const page = await openPage(browser, server.url);
    await page.click('#Check1_0');
    // The user keeps the page open while the browser asks the server whether the service worker
    // is new, as it does at every start, and installs it if it is. Offline there is none to ask.
    const askedForWorker = () => server.requests.slice(asked).includes('/service-worker.js');
    for (let waited = 0; server.listening && !askedForWorker() && waited < UpdateWait; waited += 100)
      await new Promise((resolve) => setTimeout(resolve, 100));
    await page.evaluate(async () => {
      const registration = await navigator.serviceWorker.ready;
      await new Promise((resolve) => setTimeout(resolve, 500));
      while (registration.installing)
        await new Promise((resolve) => setTimeout(resolve, 100));
    });
    await settle(page);
    return await page.evaluate(async () => ({
      version: document.documentElement.dataset.version,
      caches: (await caches.keys()).sort(),
      byte: document.getElementById('Label1').textContent,
      controlled: navigator.serviceWorker.controller !== null,
    }));
  } catch (error) {
    return { error: error.message.split('\n')[0] };
  } finally {
    await browser.close();
  }
}

async function versionOf(browserName, folder) {
  const server = await serve(folder);
  const browser = await launch(browserName);
  const page = await openPage(browser, server.url);
  const version = await page.evaluate(() => document.documentElement.dataset.version);
  await browser.close();
  await server.close();
  return version;
}

// The site's other data: a cache the page did not make, which no update of the page may delete.
const OthersCache = 'another-page-of-this-site';

async function checkUpdate(browserName) {
  const [before, after] = [await versionOf(browserName, oldFolder), await versionOf(browserName, newFolder)];
  if (!before || before === after)
    return { skipped: `the two builds carry versions "${before}" and "${after}", which must differ` };
  const profile = await mkdtemp(join(tmpdir(), 'quadrell-profile-'));
  const server = await serve(oldFolder);
  const problems = [];
  const seen = [];
  try {
    const installed = await start(browserName, profile, server);
    if (installed.error || installed.version !== before)
      return { problems: [`the first visit ${installed.error ?? `runs ${installed.version}`}, not ${before}`] };
    const other = await launch(browserName, 'en-GB', {}, { userDataDir: profile });
    const page = await openPage(other, server.url);
    await page.evaluate((name) => caches.open(name), OthersCache);
    await other.close();

    server.serveFrom(newFolder);
    for (const n of [1, 2]) {
      const shown = await start(browserName, profile, server);
      seen.push(`start ${n}: ${shown.error ?? `${shown.version}, caches ${shown.caches.join(' ')}`}`);
      if (n === 2 && shown.version !== after)
        problems.push(`the second start after the update runs ${shown.error ?? shown.version}, not ${after}`);
      if (n === 2 && shown.caches) {
        const own = shown.caches.filter((name) => name.startsWith('quadrell-'));
        if (own.length !== 1 || !own[0].startsWith(`quadrell-${after}-`))
          problems.push(`the page's caches are ${own.join(' ') || 'none'}, not only ${after}'s`);
        if (!shown.caches.includes(OthersCache))
          problems.push(`the site's own cache "${OthersCache}" was deleted`);
      }
    }
    await server.close();
    const offline = await start(browserName, profile, server);
    seen.push(`offline: ${offline.error ?? offline.version}`);
    if (offline.version !== after || offline.byte !== '10000000' || !offline.controlled)
      problems.push(`with the server gone the page ${offline.error ?? `runs ${offline.version} and shows ${offline.byte}`}`);
  } finally {
    await server.close().catch(() => {});
    await rm(profile, { recursive: true, force: true });
  }
  return { problems, detail: `${before} installed, then ${after} served; ${seen.join('; ')}` };
}

let failed = 0;
let passed = 0;
for (const browserName of chosen.length ? chosen : ['chromium', 'firefox']) {
  const { problems, skipped, detail } = await checkUpdate(browserName);
  const name = `${browserName}: an installed page runs the next version by its second start, with only its cache, offline too`;
  if (skipped) {
    console.log(`  SKIP ${name}: ${skipped}`);
    continue;
  }
  console.log(`  ${problems.length ? 'FAIL' : 'ok  '} ${name}: ${detail ?? ''}`);
  problems.forEach((problem) => console.log(`       ${problem}`));
  problems.length ? ++failed : ++passed;
}
console.log(failed ? `${failed} check(s) failed` : passed ? 'Every check passed' : 'No check could run');
process.exit(failed ? 1 : passed ? 0 : 77);
