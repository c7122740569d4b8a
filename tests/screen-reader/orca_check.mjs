// Runs the Orca screen reader against the real window, or the web page in Chromium, and checks
// what it says, key by key: every control when it takes the focus, a box's state and the new byte
// after space, the outcome of typing into "ASCII:" and into "Split" and of pressing "Cancella",
// boxes inside and outside the split, the same in Italian, and that nothing is said twice in
// answer to one key. What Orca says is read from its debug log (its `SPEECH OUTPUT:` lines).
//
//   node orca_check.mjs PROGRAM TABLE
//     PROGRAM: the window's program, or the web page's index.html, opened from its file
//     TABLE:   the scenario table as JSON (tests/web/scenario_table.cpp prints it)
//   run in the source tree (the CTest tests screen-reader.window and screen-reader.web)
//
// The words expected are the program's own, from the table: the names the controls are heard by,
// the boxes' descriptions and the outcomes, in each language, as the program's narration words
// them. Only what Orca adds of its own (roles, states, "notification") is written here, in
// ReaderWords. English outcomes must also be among the scenario table's announcements, which are
// written out word for word, so a wrong English word cannot pass for the expected one.
//
// Everything runs privately: an X display of its own, a session bus of its own (which starts the
// accessibility bus and registry), Speech Dispatcher with its dummy voice and audio sent to ALSA's
// null device, and Orca with settings in a scratch folder. Orca refuses to start beside another
// Orca of the same user, and this check never replaces one (`--replace` would end it).
// The transcript is kept in build/screen-reader/.
import { spawn, execFileSync } from 'node:child_process';
import { copyFileSync, mkdirSync, mkdtempSync, openSync, readFileSync, readdirSync, realpathSync, rmSync,
  statSync, writeFileSync, appendFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { fileURLToPath } from 'node:url';
import { ChromiumFlags } from '../web/chromium_flags.mjs';
import { startVirtualDisplay } from '../smoke/x_display.mjs';

const QuietSeconds = 1.5;  // a key's response has ended when Orca's log has been still this long
const Kept = 'build/screen-reader';

// What Orca says of its own around the program's words, in the Qt window and on the page. An
// entry is "text" in the window and "entry" on the page; the program's announcements are
// notifications in the window and live region text on the page; on the page Orca tells when it
// enters and leaves focus mode, and when the page has loaded.
const ReaderWords = {
  window: {
    window: title => `${title} frame.`,
    entry: 'text',
    announced: words => `notification ${words}.`,
    focusMode: [],
    browseMode: [],
  },
  page: {
    loaded: title => `Finished loading ${title}.`,
    entry: 'entry',
    announced: words => words,
    focusMode: ['Focus mode'],
    browseMode: ['Browse mode'],
  },
  checkBox: 'check box',
  notChecked: 'not checked',
  checked: 'checked',
  pushButton: 'push button',
  selected: 'selected',
  unselected: 'Text unselected.',
  description: words => `${words}.`,
};

// The Orca processes of this user: Orca will not start beside one.
function usersOrcas() {
  const uid = String(process.getuid());
  return readdirSync('/proc').filter(pid => /^\d+$/.test(pid)).filter(pid => {
    try {
      const real = /^Uid:\s+(\d+)/m.exec(readFileSync(`/proc/${pid}/status`, 'utf8'));
      return readFileSync(`/proc/${pid}/comm`, 'utf8').trim() === 'orca' && real?.[1] === uid;
    } catch {
      return false;  // gone while looked at
    }
  });
}

function exited(child) {
  return new Promise(resolve => {
    if (child.exitCode !== null || child.signalCode !== null)
      resolve(child.exitCode ?? 1);
    else
      child.on('exit', code => resolve(code ?? 1));
  });
}

// Outside the session: the display, the session bus around the rest of the check, and the wait
// for this check's Orca to go.
async function outside(program, table) {
  if (usersOrcas().length > 0) {
    console.error('FAIL: another Orca of this user is running; Orca will not start beside it');
    return 1;
  }
  mkdirSync(Kept, { recursive: true });
  const { display, xvfb } = await startVirtualDisplay();
  const session = spawn('dbus-run-session', ['--', process.execPath, fileURLToPath(import.meta.url),
    '--inside-session', realpathSync(program), realpathSync(table)],
  { env: { ...process.env, DISPLAY: display }, stdio: ['ignore', 'inherit', openSync(`${Kept}/session.log`, 'w')] });
  const ending = () => session.kill();
  process.on('SIGTERM', ending);
  const status = await exited(session);
  process.off('SIGTERM', ending);
  // None ran before, so any Orca of this user now is this check's, going with its session; the
  // next check may start its own only once it has gone.
  for (let n = 0; n < 100 && usersOrcas().length > 0; ++n)
    await sleep(100);
  xvfb.kill();
  return status;
}

// Orca's debug log, as it grows.
class OrcaLog {
  constructor(path) { this.path = path; }

  size() {
    try { return statSync(this.path).size; } catch { return 0; }
  }

  // Every utterance so far, without its voice settings.
  utterances() {
    let text = '';
    try { text = readFileSync(this.path, 'latin1'); } catch { return []; }
    const utf8 = Buffer.from(text, 'latin1').toString('utf8');
    return utf8.split(/\r?\n/).filter(line => line.includes('SPEECH OUTPUT:'))
      .map(line => /SPEECH OUTPUT: '(.*)' ?\{.*\}/.exec(line)?.[1] ?? /SPEECH OUTPUT: '(.*)'/.exec(line)?.[1] ?? '');
  }

  // Until the log has been still for QuietSeconds, at most 20 s.
  async quiet() {
    let size = -1, still = 0;
    for (let n = 0; n < 200; ++n) {
      const now = this.size();
      if (now === size) {
        if (++still >= QuietSeconds * 10)
          return;
      } else {
        still = 0;
        size = now;
      }
      await sleep(100);
    }
  }
}

// The key presses and the comparison of what Orca said after each with what is expected.
class Listener {
  constructor(log, transcript) {
    this.log = log;
    this.transcript = transcript;
    this.failures = 0;
    this.heard = [];
  }

  note(line) {
    console.log(line);
    appendFileSync(this.transcript, `${line}\n`);
  }

  fail(why) {
    this.note(`  FAIL: ${why}`);
    ++this.failures;
  }

  // Does `action`, waits for Orca to fall silent, and keeps what it said, key echo left out.
  async respond(action) {
    const before = this.log.utterances().length;
    await action();
    await sleep(300);
    await this.log.quiet();
    this.heard = this.log.utterances().slice(before);
    // Orca echoes each key by its name with a trailing blank ("tab ", "5 "); that is not the program's.
    if (this.heard.length > 0 && this.heard[0].endsWith(' '))
      this.heard.shift();
    return this;
  }

  shown() {
    return this.heard.length === 0 ? '(nothing)' : this.heard.map(u => `'${u}'`).join(' ');
  }

  // What Orca said is `expected`, in order, and nothing of it twice but `allowedRepeat`.
  expect(what, expected, allowedRepeat) {
    this.note(`${what} -> ${this.shown()}`);
    if (JSON.stringify(this.heard) !== JSON.stringify(expected))
      this.fail(`expected ${expected.map(u => `'${u}'`).join(' ')}`);
    const seen = new Set();
    for (const utterance of this.heard.map(u => u.replace(/[.]$/, '').toLowerCase())) {
      if (seen.has(utterance) && utterance !== allowedRepeat)
        this.fail(`said twice: ${utterance}`);
      seen.add(utterance);
    }
  }

  // `utterance` is among what Orca said, whatever else came with it.
  expectAmong(what, utterance) {
    this.note(`${what} -> ${this.shown()}`);
    if (!this.heard.includes(utterance))
      this.fail(`expected '${utterance}' among them`);
  }
}

const xdotool = (...args) => execFileSync('xdotool', args, { encoding: 'utf8', timeout: 30000 });
const key = name => () => xdotool('key', '--delay', '0', name);
const typed = text => () => xdotool('type', '--delay', '0', text);

// The words the program says in one language, from the table, and what Orca makes of them.
class Words {
  constructor(table, language, reader, listener) {
    this.spoken = table.spoken[language];
    this.names = table.heardNames;
    this.reader = reader;
    // English outcomes are checked against the announcements the scenario table writes out.
    this.written = language === 'en'
      ? new Set(table.scenarios.flatMap(s => s.steps).flatMap(step => step.shows.heard?.split(table.heardSeparator) ?? []))
      : null;
    this.listener = listener;
  }

  announced(outcome) {
    if (this.written && !this.written.has(outcome))
      this.listener.fail(`'${outcome}' is not among the scenario table's announcements`);
    return this.reader.announced(outcome);
  }

  byte(value) { return this.announced(this.spoken.byteOutcomes[value]); }
  split(count) { return this.announced(this.spoken.splitOutcomes[count]); }

  // A box taking the focus, unchecked, while the split marks `splitCount` bits.
  box(k, splitCount = 0) {
    return [`${this.names[`Check1_${k}`]} ${ReaderWords.checkBox} ${ReaderWords.notChecked}.`,
      ReaderWords.description(this.spoken.boxDescriptions[splitCount][k])];
  }

  entry(id) { return `${this.names[id]} ${this.reader.entry}.`; }
  cancella() { return `${this.names.Command1} ${ReaderWords.pushButton}.`; }
  window() { return this.reader.window(this.names.window); }
  loaded() { return this.reader.loaded(this.names.window); }
}

// Starts the program, or Chromium with the page, in `language` (en or it) and gives it the keyboard.
function openWindow(program, scratch, language) {
  const locale = language === 'it' ? 'it_IT.UTF-8' : 'C.UTF-8';
  const env = { ...process.env, LANGUAGE: language, LC_ALL: locale };
  let child, title;
  if (program.endsWith('.html')) {
    const region = language === 'it' ? 'it-IT' : 'en-GB';
    const profile = join(scratch, `chromium-${language}`);
    // No offer to translate the Italian page: a dialog Orca would read out.
    mkdirSync(join(profile, 'Default'), { recursive: true });
    writeFileSync(join(profile, 'Default', 'Preferences'), '{"translate": {"enabled": false}}');
    child = spawn('chromium', [...ChromiumFlags, '--kiosk', '--force-renderer-accessibility',
      `--user-data-dir=${profile}`, `--lang=${region}`, `--accept-lang=${region}`, `file://${program}`],
    { env, stdio: 'ignore' });
    title = 'Quadrell - Chromium';
  } else {
    child = spawn(program, [], { env, stdio: 'ignore' });
    title = 'Quadrell';
  }
  // The one way the checks wait for a window: window_probe, which the test names.
  const window = execFileSync(process.env.WINDOW_PROBE, ['--wait-for', title, '--seconds', '30'],
    { env, encoding: 'utf8' }).trim();
  xdotool('windowfocus', '--sync', window);
  return child;
}

async function closeWindow(child) {
  child.kill();
  await exited(child);
}

// The keys and what Orca must say to each, in English.
async function inEnglish(run, words, onPage) {
  const { listener: l, reader } = run;
  await l.respond(() => { run.child = openWindow(run.program, run.scratch, 'en'); });
  // The window opens with the focus on the first box. On the page, Orca tells of the page's
  // loading around it (the browser's own words, and in an order that varies); the first Tab shows
  // where the focus was.
  if (onPage)
    l.expectAmong('page opens', words.loaded());
  else
    l.expect('window opens', [words.window(), ...words.box(0)]);

  for (let k = 1; k < 8; ++k)
    (await l.respond(key('Tab'))).expect('Tab', words.box(k));
  (await l.respond(key('space'))).expect('space', [ReaderWords.checked, words.byte(1)]);

  (await l.respond(key('Tab'))).expect('Tab', [words.entry('Text1'), ...reader.focusMode]);
  (await l.respond(typed('5'))).expect('5', [words.byte(5)]);
  (await l.respond(typed('0'))).expect('0', [words.byte(50)]);
  (await l.respond(key('BackSpace'))).expect('BackSpace', ['0', words.byte(5)]);

  (await l.respond(key('Tab'))).expect('Tab', [words.entry('Text2')]);
  (await l.respond(typed('3'))).expect('3', [words.split(3)]);

  (await l.respond(key('Tab'))).expect('Tab', [words.cancella(), ...reader.browseMode]);
  (await l.respond(key('space'))).expect('space', [words.byte(0)]);
  (await l.respond(key('space'))).expect('space again: the same words, heard again', [words.byte(0)]);

  // Around to the boxes (on the page, Chromium in kiosk mode has no toolbar to visit between): the
  // first three lie in the split, the fourth outside it.
  for (let k = 0; k < 4; ++k)
    (await l.respond(key('Tab'))).expect('Tab', words.box(k, 3));

  (await l.respond(key('shift+Tab'))).expect('shift+Tab', words.box(2, 3));
  for (let n = 0; n < 2; ++n)
    await l.respond(key('shift+Tab'));
  (await l.respond(key('shift+Tab'))).expect('shift+Tab', [words.cancella()]);
  if (onPage) {
    // The browser selects an entry's whole text when Tab brings the focus.
    (await l.respond(key('shift+Tab'))).expect('shift+Tab',
      [`${words.names.Text2} ${reader.entry} 3 ${ReaderWords.selected}.`, ...reader.focusMode]);
  } else {
    // Back round the other way. The toolkit's line edit selects its whole text when Tab brings the
    // focus, a convenience, and tells of that selection before it tells of the focus, so Orca says
    // the text and "selected" before the entry's name, and "selected" again after it; the
    // selection is also how the text is heard at all (Orca finds no line of text in a Qt 6.4 line
    // edit). Leaving, the line edit drops its selection, and Orca says "Text unselected". Both are
    // the toolkit's.
    (await l.respond(key('shift+Tab'))).expect('shift+Tab',
      ['3', ReaderWords.selected, words.entry('Text2'), `${ReaderWords.selected}.`], ReaderWords.selected);
    (await l.respond(key('Tab'))).expect('Tab', [ReaderWords.unselected, words.cancella()]);
  }
  await closeWindow(run.child);
}

// In Italian: the program's own words; Orca's stay in its own language.
async function inItalian(run, words, onPage) {
  const { listener: l, reader } = run;
  await l.respond(() => { run.child = openWindow(run.program, run.scratch, 'it'); });
  if (onPage) {
    l.expectAmong('page opens, in Italian', words.loaded());
    // Orca reads a page through once it has loaded, and its own place ends at the last control;
    // a key that moves the focus brings it back.
    await l.respond(key('Tab'));
    (await l.respond(key('shift+Tab'))).expect('shift+Tab', words.box(0));
  } else {
    l.expect('window opens, in Italian', [words.window(), ...words.box(0)]);
  }
  (await l.respond(key('space'))).expect('space', [ReaderWords.checked, words.byte(128)]);
  for (let n = 0; n < 7; ++n)
    await l.respond(key('Tab'));
  (await l.respond(key('Tab'))).expect('Tab', [words.entry('Text1'), ...reader.focusMode]);
  (await l.respond(typed('5'))).expect('5', [words.byte(5)]);
  (await l.respond(key('BackSpace'))).expect('BackSpace', ['5', words.byte(0)]);
  (await l.respond(key('Tab'))).expect('Tab', [words.entry('Text2')]);
  (await l.respond(typed('1'))).expect('1', [words.split(1)]);
  (await l.respond(typed('0'))).expect('0', [words.split(8)]);  // 10 marks all eight
  await closeWindow(run.child);
}

// The private environment inside the session bus: Orca speaks English, whatever the machine's
// locale, so that its own words (roles, states) are those of ReaderWords.
function privateEnvironment(scratch) {
  const dirs = { XDG_CONFIG_HOME: 'config', XDG_DATA_HOME: 'data', XDG_CACHE_HOME: 'cache', XDG_RUNTIME_DIR: 'runtime' };
  for (const [name, dir] of Object.entries(dirs)) {
    process.env[name] = join(scratch, dir);
    mkdirSync(process.env[name], { recursive: true, mode: 0o700 });
  }
  Object.assign(process.env, { LC_ALL: 'C.UTF-8', LANGUAGE: 'en' });
  // Speech Dispatcher refuses to start when its voice cannot open an audio device; ALSA's null
  // device always opens and plays nothing.
  mkdirSync(join(process.env.XDG_CONFIG_HOME, 'speech-dispatcher'));
  writeFileSync(join(process.env.XDG_CONFIG_HOME, 'speech-dispatcher', 'speechd.conf'),
    'AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\nAudioOutputMethod "alsa"\nAudioALSADevice "null"\n');
}

// Orca writes its debug log through a buffer it never flushes, except to a terminal, where it
// writes whole lines at once; `script` gives it one and copies every line to the log at once.
// (`script` runs its command through /bin/sh; the scratch path holds no quote.)
function startOrca(scratch, log) {
  return spawn('script', ['-qfec', `orca --user-prefs '${join(scratch, 'orca')}' --debug-file /dev/tty`, log],
    { env: { ...process.env, SHELL: '/bin/sh' }, stdio: 'ignore' });
}

async function inside(program, tablePath) {
  const table = JSON.parse(readFileSync(tablePath, 'utf8'));
  const scratch = mkdtempSync(join(tmpdir(), 'orca-check-'));
  privateEnvironment(scratch);
  const log = new OrcaLog(join(scratch, 'orca.log'));
  const transcript = `${Kept}/transcript.txt`;
  writeFileSync(transcript, '');
  const listener = new Listener(log, transcript);
  const onPage = program.endsWith('.html');
  const reader = onPage ? ReaderWords.page : ReaderWords.window;
  const run = { program, scratch, listener, reader, child: null };
  const orca = startOrca(scratch, log.path);
  const ending = () => { run.child?.kill(); orca.kill(); };
  process.on('SIGTERM', () => { ending(); process.exit(1); });
  try {
    const started = () => log.utterances().some(u => u.startsWith('Screen reader on'));
    for (let n = 0; n < 100 && !started(); ++n)
      await sleep(200);
    if (!started()) {
      console.log('FAIL: Orca did not start');
      return 1;
    }
    await log.quiet();
    await inEnglish(run, new Words(table, 'en', reader, listener), onPage);
    await inItalian(run, new Words(table, 'it', reader, listener), onPage);
  } finally {
    ending();
    await exited(orca);
    try { copyFileSync(log.path, `${Kept}/orca-debug.log`); } catch { /* Orca never wrote one */ }
    rmSync(scratch, { recursive: true, force: true });
  }
  console.log();
  if (listener.failures === 0) {
    console.log(`Orca said what the window shows. Transcript: ${transcript}`);
    return 0;
  }
  console.log(`FAIL: ${listener.failures} of Orca's answers were wrong. Transcript: ${transcript}`);
  return 1;
}

const [first, ...rest] = process.argv.slice(2);
process.exitCode = first === '--inside-session' ? await inside(...rest) : await outside(first, ...rest);
