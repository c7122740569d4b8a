// What the window checks share: a private X display, helper programs run with a time limit, and
// how a check reports that it failed. Used by the window's smoke check, the Wayland check, the
// GNOME styles check and the screen reader check.
import { spawn, spawnSync } from 'node:child_process';

export { setTimeout as sleep } from 'node:timers/promises';

// Children that must not outlive the check, however it ends. A signal would end the process
// without its 'exit' handlers, so it ends the check as failed here, unless the check has a
// handler of its own for it, which then decides how the check ends.
const ownChildren = new Set();
process.on('exit', () => { for (const child of ownChildren) child.kill(); });
for (const signal of ['SIGTERM', 'SIGINT'])
  process.on(signal, () => { if (process.listenerCount(signal) === 1) process.exit(1); });

// Ends `child` when this process ends, unless it has ended by then.
export function stopAtExit(child) {
  ownChildren.add(child);
  child.on('exit', () => ownChildren.delete(child));
  return child;
}

// Starts Xvfb with a 24-bit screen (1024x768 unless told); it picks a free display number itself
// and writes it, once it takes clients, to the pipe it is given (-displayfd), so checks side by
// side never collide. Resolves to the display's name (":N") and the Xvfb process, which stops
// when this process ends.
export function startVirtualDisplay(size = '1024x768', seconds = 60) {
  const xvfb = stopAtExit(spawn('Xvfb', ['-displayfd', '3', '-screen', '0', `${size}x24`, '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] }));
  return new Promise((resolve, reject) => {
    const notStarted = () => reject(new Error('The virtual display did not start'));
    const timer = setTimeout(() => { xvfb.kill(); notStarted(); }, seconds * 1000);
    let written = '';
    xvfb.stdio[3].on('data', chunk => {
      written += chunk;
      if (written.includes('\n')) {
        clearTimeout(timer);
        resolve({ display: `:${written.trim()}`, xvfb });
      }
    });
    xvfb.on('exit', () => { clearTimeout(timer); notStarted(); });
  });
}

// Runs a program to its end, at most `seconds` long, and returns its status (null when it ran out
// of time or could not start), its output and its errors, as text.
export function run(program, args, { seconds = 60, ...options } = {}) {
  const result = spawnSync(program, args, { encoding: 'utf8', timeout: seconds * 1000, ...options });
  if (result.error && result.error.code !== 'ETIMEDOUT')
    console.log(`${program}: ${result.error.message}`);
  return result;
}

// Ends the check as failed when `passed` is false, with the reason on its own "FAIL:" line.
export function check(passed, reason) {
  if (!passed) {
    console.log(`FAIL: ${reason}`);
    process.exit(1);
  }
}

// Ends the check, passed or failed, with the children it left running: they would keep it waiting.
export function end(passed) {
  process.exit(passed ? 0 : 1);
}
