// Runs the real window under Xvfb with Qt's GTK 3 platform theme in GNOME's light and dark styles
// (and the dark one at twice the scale), checks two boxes and types a value and a split count with
// real mouse clicks and keys, takes a screenshot and checks from its pixels that every text is
// readable on its background and no caption is cut at its control's edge.
//
//   node theme_check.mjs PROGRAM THEME_CHECK WINDOW_PROBE SHOTS
//     (the CTest test themes.gnome-styles; PROGRAM: the built window, or another build of it)
//   Screenshots are kept in SHOTS.
import { spawn } from 'node:child_process';
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { end, run, sleep, startVirtualDisplay, stopAtExit } from '../smoke/x_display.mjs';

const [program, checker, probe, shots] = process.argv.slice(2);

// Each step ends the style's check as failed when its program does, after what it printed.
class StepFailed extends Error {}
function step(program, args, options = {}) {
  const result = run(program, args, options);
  if (result.status !== 0) {
    process.stdout.write(result.stderr ?? '');
    throw new StepFailed(`${program} ${args.join(' ')}`);
  }
  return result.stdout;
}

// A left click at the middle of a control, where the checker places it at this scale.
async function click(name, scale, window) {
  const line = step(checker, ['points', String(scale)]).split('\n').find(l => l.split(/\s+/)[0] === name);
  const [, x, y] = line?.split(/\s+/) ?? [];
  step('xdotool', ['mousemove', '--window', window, x ?? '', y ?? '', 'click', '1']);
  await sleep(200);
}

const type = text => step('xdotool', ['type', '--delay', '50', text]);

async function stopProgram(child) {
  if (child.exitCode === null && child.signalCode === null) {
    child.kill();
    await new Promise(resolve => child.once('exit', resolve));
  }
}

// Whether the window in GTK_THEME `theme` at `scale` is readable and whole.
async function checkTheme(theme, scale) {
  const shot = join(shots, `quadrell-${theme.replace(':', '-')}-${scale}x.png`);
  const env = { ...process.env, QT_QPA_PLATFORMTHEME: 'gtk3', GTK_THEME: theme, QT_SCALE_FACTOR: String(scale) };
  const child = stopAtExit(spawn(program, [], { env, stdio: 'ignore' }));
  try {
    const window = step(probe, ['--wait-for', 'Quadrell', '--seconds', '20'], { seconds: 30 }).trim();
    await sleep(500);
    await click('Text1', scale, window);
    type('77');
    await click('Check1_0', scale, window);
    await click('Check1_2', scale, window);  // 77 with 128 and 32 added: 237
    await click('Text2', scale, window);
    type('4');
    await sleep(500);
    step('import', ['-window', window, shot]);
  } catch (error) {
    if (!(error instanceof StepFailed))
      throw error;
    console.log(`GTK_THEME=${theme} at ${scale}x: ${error.message} failed`);
    return false;
  } finally {
    await stopProgram(child);
  }
  console.log(`GTK_THEME=${theme} at ${scale}x (${shot}):`);
  return run(checker, ['check', shot, String(scale), '11101101'], { stdio: 'inherit' }).status === 0;
}

mkdirSync(shots, { recursive: true });
process.env.DISPLAY = (await startVirtualDisplay('1280x1024')).display;
let passed = true;
for (const [theme, scale] of [['Adwaita', 1], ['Adwaita:dark', 1], ['Adwaita:dark', 2]])
  passed = await checkTheme(theme, scale) && passed;
console.log(passed ? 'Every caption is readable and whole in every style.' : 'FAIL: see above');
end(passed);
