// Opens the window natively on Wayland: starts a headless Weston with no X display at all, runs
// the program there (QT_QPA_PLATFORM unset, so Qt chooses its platform as on a user's desktop),
// checks in the Wayland protocol trace that it mapped a "Quadrell" toplevel window, takes a
// screenshot with weston-screenshooter and checks that it shows the window's designed colours.
//
//   node wayland_smoke.mjs PROGRAM SCREENSHOT_COLOURS OUTPUT
//     (the CTest test wayland.window-smoke; PROGRAM: the built window)
//   The screenshot is left in OUTPUT/quadrell-wayland.png.
import { spawn } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, openSync, readFileSync, readdirSync, renameSync, rmSync,
  writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { check, end, run, sleep, stopAtExit } from './x_display.mjs';

const [program, screenshotColours, output] = process.argv.slice(2);
const Socket = 'quadrell-wayland';

// A private XDG_RUNTIME_DIR (mode 0700) for the compositor's socket.
const runtime = mkdtempSync(join(tmpdir(), 'wayland-smoke-'));
process.on('exit', () => rmSync(runtime, { recursive: true, force: true }));
mkdirSync(output, { recursive: true });
const outside = name => join(output, name);

// No X display for any of it; the program's platform is left to Qt.
const compositor = { ...process.env, XDG_RUNTIME_DIR: runtime };
delete compositor.DISPLAY;
const wayland = { ...compositor, WAYLAND_DISPLAY: Socket };
delete wayland.QT_QPA_PLATFORM;

// Waits up to `tries` tenths of a second for `done`, no longer than `alive` holds.
async function poll(done, tries, alive = () => true) {
  for (let n = 0; n < tries && !done() && alive(); ++n)
    await sleep(100);
  return done();
}

// --debug exposes the screenshooter protocol; the pixman renderer draws into memory, so the
// screenshot holds real pixels.
const westonLog = openSync(outside('weston.log'), 'w');
const weston = stopAtExit(spawn('weston', ['--backend=headless-backend.so', '--use-pixman', '--debug', '--no-config',
  `--socket=${Socket}`, '--width=640', '--height=480'],
{ env: compositor, stdio: ['ignore', westonLog, westonLog] }));
if (!await poll(() => existsSync(join(runtime, Socket)), 100))
  process.stdout.write(readFileSync(outside('weston.log'), 'utf8'));
check(existsSync(join(runtime, Socket)), 'Weston did not start');

const tracePath = outside('wayland-trace.txt');
const quadrell = stopAtExit(spawn(program, [], {
  env: { ...wayland, WAYLAND_DEBUG: 'client' }, stdio: ['ignore', 'ignore', openSync(tracePath, 'w')],
}));
const running = () => quadrell.exitCode === null && quadrell.signalCode === null;
const trace = () => readFileSync(tracePath, 'utf8');

// Mapped: the toplevel has its title, has acknowledged the compositor's configure and has
// attached a buffer to its surface.
const mapped = () => [/xdg_toplevel@\d*\.set_title\("Quadrell"\)/, /xdg_surface@\d*\.ack_configure/,
  /wl_surface@\d*\.attach\(wl_buffer@/].every(line => line.test(trace()));
if (!await poll(mapped, 200, running))
  process.stdout.write(trace().split('\n').filter(line => !line.startsWith('[')).join('\n'));
check(mapped(), 'no Quadrell window was mapped on Wayland');
console.log(`Window mapped on Wayland: ${/xdg_toplevel@\d*\.set_app_id\("[^"]*"\)/.exec(trace())?.[0] ?? ''}`);

// The designed colours: the yellow bit boxes, the light green decimal display, the pale yellow
// binary display and the light blue "Cancella" button.
const shot = outside('quadrell-wayland.png');
const colours = [shot, '200', '255,255,0', '192,255,192', '255,255,192', '192,192,255'];
const screenshots = () => readdirSync(runtime).filter(name => /^wayland-screenshot-.*\.png$/.test(name));
for (let attempt = 1; attempt <= 10; ++attempt) {
  for (const old of screenshots())
    rmSync(join(runtime, old));
  run('weston-screenshooter', [], { cwd: runtime, env: wayland, stdio: 'ignore' });
  const [taken] = screenshots();
  if (taken) {
    renameSync(join(runtime, taken), shot);
    const counted = run(screenshotColours, colours);
    writeFileSync(outside('colours.txt'), counted.stdout ?? '');
    if (counted.status === 0)
      break;
  }
  if (attempt < 10)
    await sleep(500);
}
if (existsSync(outside('colours.txt')))
  process.stdout.write(readFileSync(outside('colours.txt'), 'utf8'));
check(run(screenshotColours, colours).status === 0, "the screenshot does not show the window's colours");
check(running(), 'the program did not stay up');
console.log(`Screenshot: ${shot}`);
end(true);
