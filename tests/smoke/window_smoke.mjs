// Runs the README's run command on a virtual X display, checks that the "Quadrell" window is
// mapped, closes it as a window manager would, and checks that the process ends with status 0.
// Before that, checks that the program fails with one line and status 1 wherever no window can be
// opened: no display, and a display that admits the program's own check but refuses the toolkit.
//
//   node window_smoke.mjs PROGRAM WINDOW_PROBE REFUSING_DISPLAY
//     (the CTest test qt.window-smoke, run in the source tree; PROGRAM: the built window)
import { spawn } from 'node:child_process';
import { createInterface } from 'node:readline';
import { check, end, run, startVirtualDisplay, stopAtExit } from './x_display.mjs';

const [program, probe, refusingDisplay] = process.argv.slice(2);

// The environment with the changes: a name given undefined is left out.
function changed(changes) {
  const env = { ...process.env, ...changes };
  for (const [name, value] of Object.entries(changes))
    if (value === undefined)
      delete env[name];
  return env;
}

// Runs the program in the changed environment and checks that it ends with status 1 after writing
// one line that matches `pattern`, and nothing else.
function expectOneLineFailure(what, pattern, changes) {
  console.log(`Window ${what}:`);
  const { status, stdout, stderr } = run(program, [], { env: changed(changes), seconds: 30 });
  process.stdout.write(stderr);
  const oneLine = stderr.endsWith('\n') && stderr.indexOf('\n') === stderr.length - 1;
  check(status === 1 && stdout === '' && oneLine && new RegExp(`^quadrell: ${pattern}`).test(stderr),
  `expected status 1 and one line 'quadrell: ${pattern}...', got status ${status}`);
}

// The first line the stand-in display prints: the number of the display it listens on.
function displayNumber(child, seconds) {
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error('The stand-in display printed no number')), seconds * 1000);
    createInterface({ input: child.stdout }).once('line', line => { clearTimeout(timer); resolve(line.trim()); });
  });
}

const { display } = await startVirtualDisplay();
process.env.DISPLAY = display;

expectOneLineFailure('with no display', 'no display', { DISPLAY: undefined, WAYLAND_DISPLAY: undefined });

// The stand-in display admits its first client, the program's own check, and refuses the next,
// the toolkit's connection; on a second run it refuses the check itself.
const refusing = stopAtExit(spawn(refusingDisplay, [], { stdio: ['ignore', 'pipe', 'inherit'] }));
const refusingNumber = await displayNumber(refusing, 10);
const onRefusing = { WAYLAND_DISPLAY: undefined, DISPLAY: `:${refusingNumber}` };
expectOneLineFailure('on a display that refuses the toolkit', 'cannot open the window: .*Maximum number of clients',
  onRefusing);
expectOneLineFailure('on a display that refuses the check', `the display :${refusingNumber} refused`, onRefusing);

console.log(`Window on display ${display}:`);
const { status } = run(probe, ['--title', 'Quadrell', '--', 'scripts/run'], { stdio: 'inherit', seconds: 240 });
end(status === 0);
