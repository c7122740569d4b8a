// What a Windows user does with the release files, tried under 32-bit Wine in the Debian guest
// from outside: the installer installs silently for the user alone, the installed program starts
// from the Start-menu shortcut's target, installing again leaves one entry in the list of
// installed programs, the silent uninstall leaves nothing behind; the program from the zip starts
// from a folder whose path has spaces and letters beyond ASCII; and neither the installer nor the
// uninstaller loads a stand-in DLL planted beside it (scripts/lib/planted-dlls.sh). Each step is
// a command run in the guest through its command channel (tests/win32/guest/in_guest.sh).
//
//   node windows_install.mjs CHANNEL STAGED    (a CTest test, run in the source tree)
//
// STAGED holds setup.exe, zip/ (the unpacked zip, in a folder of that awkward name) and stand-ins/
// (windows_install_stage.cmake); the guest, started with CHANNEL inside it, has its .exe and .dll
// files at the same paths. Prints "ok: ..." or "FAILED: ..." for each check and exits 1 on any
// failure, or when no check ran. STAGED receives a screenshot of the installed program.
import { spawnSync } from 'node:child_process';
import { readdirSync, rmSync } from 'node:fs';
import { relative } from 'node:path';

const [channel, staged] = process.argv.slice(2);
const launcher = new URL('../win32/guest/in_guest.sh', import.meta.url).pathname;
const prefix = '/root/wine32';
const driveC = `${prefix}/drive_c`;
const display = 1;
// Wine's menu builder would copy shortcuts onto the Linux desktop.
const wineEnvironment = [`WINEPREFIX=${prefix}`, 'WINEARCH=win32', 'WINEDEBUG=-all',
    'WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d', `DISPLAY=:${display}`, 'LC_ALL=C.UTF-8'];
const key = 'Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quadrell';
const work = '/tmp/quadrell-install';
const counts = { passed: 0, failed: 0 };
const started = Date.now();

// inGuest(...args): one command line run in the guest, in this folder's path there; its output
// (stdout and stderr) and exit status. A launcher that hangs is ended, and the guest then ends
// the command.
function inGuest(...args) {
    const run = spawnSync('bash', [launcher, channel, ...args],
        { encoding: 'utf8', maxBuffer: 64 << 20, timeout: 900_000 });
    return { status: run.status ?? 1, stdout: run.stdout ?? '' };
}

// sh(script, ...args): a bash script run in the guest with Wine's environment, args as $1...
const sh = (script, ...args) => inGuest('env', ...wineEnvironment, 'bash', '-c', script, 'sh', ...args);
const lines = (text) => text.split('\n').map((line) => line.replace(/\r$/, '')).filter((line) => line !== '');
const indented = (label, items) => items.forEach((item) => console.log(`    ${label}${item}`));

function say(what) {
    console.log(`[${((Date.now() - started) / 1000).toFixed(1).padStart(6)} s] ${what}`);
}

function check(description, passed) {
    console.log(`${passed ? 'ok' : 'FAILED'}: ${description}`);
    counts[passed ? 'passed' : 'failed']++;
}

// A check's findings printed by the guest ("ok: ..." / "FAILED: ..." lines), counted here.
function countFindings(output) {
    process.stdout.write(output);
    for (const line of lines(output)) {
        if (line.startsWith('ok: ')) counts.passed++;
        if (line.startsWith('FAILED: ')) counts.failed++;
    }
}

// wineRun(seconds, ...command): a Windows program run to its end, and every process it started.
const wineRun = (seconds, ...command) =>
    sh(`timeout -k 10 ${seconds} wine "$@" 2> /dev/null; status=$?
        timeout -k 10 ${seconds} wineserver -w > /dev/null 2>&1; exit $status`, ...command);
// wineStart(program): a Windows program started in the background, to be looked at.
const wineStart = (program) => sh('setsid timeout -k 5 180 wine "$1" < /dev/null > /dev/null 2>&1 &', program);
// stopWine(): ends every Wine process of the prefix and waits for the server to go.
const stopWine = () => sh('timeout -k 5 30 wineserver -k; timeout -k 5 30 wineserver -w', '');
// showsWindow(): whether a window captioned "Quadrell" appears within two minutes.
const showsWindow = () => sh(`for _ in $(seq 240); do
    xwininfo -root -tree 2> /dev/null | grep -q '"Quadrell"' && exit 0; sleep 0.5; done; exit 1`).status === 0;
const fileTest = (...test) => sh('test "$@"', ...test).status === 0;
const sameFile = (a, b) => sh('cmp -s "$1" "$2"', a, b).status === 0;

// Every file of the prefix but those in temporary folders: the uninstaller runs from a copy of
// itself in the user's one, which it cannot delete while it runs.
const prefixFiles = () => new Set(lines(sh(`cd ${driveC} && find . -not -type d 2> /dev/null |
    grep -v -i '^\\./users/[^/]*/\\(AppData/Local/\\)\\?Temp/\\|^\\./windows/temp/'`).stdout));
const hive = (name) => lines(sh('cat "$1"', `${prefix}/${name}`).stdout);
// The keys of one of Wine's hive files (user.reg, system.reg), without their times.
const registryKeys = (name) => new Set(hive(name).map((line) => line.match(/^\[.*\]/)?.[0]).filter(Boolean));
const added = (before, after) => [...after].filter((item) => !before.has(item)).sort();
// How many entries of the user's list of installed programs are Quadrell's. Wine keeps the user's
// hive in user.reg, a key's path written with doubled backslashes.
const uninstallEntries = () => {
    const heading = `[${key.replaceAll('\\', '\\\\')}]`.toLowerCase();
    return hive('user.reg').filter((line) => line.toLowerCase().includes(heading)).length;
};
// The hives' lines that name the program's folder or its uninstall entry.
const namingTheProgram = (...names) =>
    names.flatMap((name) => hive(name).filter((line) => /Programs\\\\Quadrell|Uninstall\\\\Quadrell/i.test(line)));

// entryValue(entry, name): one value of the entry, as `reg query` shows it ("TYPE DATA").
function entryValue(entry, name) {
    const fields = lines(entry).map((line) => line.trim().split(/\s+/)).find((f) => f[0] === name);
    return fields ? fields.slice(1).join(' ') : '';
}

// places(): where things are, in the guest and in its prefix.
function places() {
    const folder = readdirSync(`${staged}/zip`)[0];
    const found = sh(`ls -d ${driveC}/users/* | grep -v /Public | head -1`);
    const userDir = lines(found.stdout)[0];
    if (found.status !== 0 || !userDir) throw new Error(`no user in the guest's prefix: ${found.stdout}`);
    const user = userDir.replace(/.*\//, '');
    return {
        folder, user, zipExe: `${staged}/zip/${folder}/quadrell.exe`,
        programDir: `${userDir}/AppData/Local/Programs/Quadrell`,
        shortcut: `${userDir}/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quadrell.lnk`,
        installedExe: `C:\\users\\${user}\\AppData\\Local\\Programs\\Quadrell\\quadrell.exe`,
    };
}

// shortcutTarget(at): the Windows path of the program the Start-menu shortcut starts.
const shortcutTarget = (at) => lines(sh(`tr -d '\\0' < "$1" |
    grep -a -o -i 'C:\\\\users\\\\[^:]*\\\\quadrell\\.exe' | head -1`, at.shortcut).stdout)[0] ?? '';

// prepare(at): the display, a work folder and the prefix as it was before the install.
function prepare(at) {
    const shown = inGuest('bash', 'tests/win32/virtual_display.sh', 'start', `${display}`, '1024x768');
    if (shown.status !== 0) throw new Error(`no virtual display in the guest: ${shown.stdout}`);
    sh('rm -rf "$1" && mkdir -p "$1/Downloads" && cp "$2" "$1/setup.exe"', work, `${staged}/setup.exe`);
    wineRun(120, 'cmd', '/c', 'exit');
    at.files = prefixFiles();
    const keys = { 'user.reg': registryKeys('user.reg'), 'system.reg': registryKeys('system.reg') };
    at.newKeys = (name) => added(keys[name], registryKeys(name));
    sh('touch "$1"', `${work}/before`);
    say(`prefix ready, ${at.files.size} files, user ${at.user}`);
}

function install(at) {
    say('silent install');
    const { programDir, installedExe } = at;
    check('the installer ends with status 0', wineRun(300, `${work}/setup.exe`, '/S').status === 0);
    check("quadrell.exe installed in the user's programs folder",
        sameFile(`${programDir}/quadrell.exe`, at.zipExe));
    check('LICENSE.txt and README.txt installed beside it',
        fileTest('-s', `${programDir}/LICENSE.txt`, '-a', '-s', `${programDir}/README.txt`));
    check('an uninstaller beside it', fileTest('-s', `${programDir}/uninstall.exe`));
    check('the Start-menu shortcut "Quadrell"', fileTest('-s', at.shortcut));
    check("the shortcut's target is the installed quadrell.exe", shortcutTarget(at) === installedExe);
    const entry = wineRun(120, 'reg', 'query', `HKCU\\${key}`).stdout;
    indented('', lines(entry));
    const value = (name) => entryValue(entry, name);
    const size = Number(sh('stat -c %s "$1"', `${programDir}/quadrell.exe`).stdout);
    check('one uninstall entry', uninstallEntries() === 1);
    check('its DisplayName "Quadrell"', value('DisplayName') === 'REG_SZ Quadrell');
    check('its DisplayVersion "1.00"', value('DisplayVersion') === 'REG_SZ 1.00');
    check('its Publisher "The Quadrell developers"', value('Publisher') === 'REG_SZ The Quadrell developers');
    check("its DisplayIcon, the installed program's icon", value('DisplayIcon') === `REG_SZ ${installedExe},0`);
    check('its EstimatedSize, in KiB, of the installed files',
        Number(value('EstimatedSize').split(' ')[1]) >= Math.floor(size / 1024));
    check('its UninstallString, the uninstaller',
        value('UninstallString').includes(`REG_SZ "${installedExe.replace(/quadrell\.exe$/, '')}uninstall.exe"`));
    check('its QuietUninstallString, the uninstaller with /S',
        value('QuietUninstallString').includes('uninstall.exe" /S'));
    indented('new in system.reg: ', at.newKeys('system.reg'));
    check("no key added to the machine's registry", at.newKeys('system.reg').length === 0);
    check("nothing in the machine's registry names the program", namingTheProgram('system.reg').length === 0);
    const files = added(at.files, prefixFiles());
    indented('added: ', files);
    check("every file added lies in the user's own folders",
        files.every((file) => file.startsWith(`./users/${at.user}/`)));
}

// startedShowsWindow(program[, shot]): the program, started, shows its window (a screenshot of it to
// shot.png); then every Wine process ends.
function startedShowsWindow(program, shot) {
    wineStart(program);
    check('it shows its window "Quadrell"', showsWindow());
    if (shot) {
        sh('sleep 2; xwd -silent -name Quadrell -out "$1"', `/host/${relative(process.cwd(), shot)}.xwd`);
        if (spawnSync('convert', [`xwd:${shot}.xwd`, `${shot}.png`]).status === 0) rmSync(`${shot}.xwd`);
    }
    stopWine();
}

function installAgain(at) {
    say('silent install again');
    check('the second install ends with status 0', wineRun(300, `${work}/setup.exe`, '/S').status === 0);
    check('still one uninstall entry', uninstallEntries() === 1);
    check('the program still in place', sameFile(`${at.programDir}/quadrell.exe`, at.zipExe));
}

function uninstall(at) {
    say("silent uninstall, as the entry's QuietUninstallString says");
    check('the uninstaller ends with status 0', wineRun(300, `${at.programDir}/uninstall.exe`, '/S').status === 0);
    check("the program's folder is gone", fileTest('!', '-e', at.programDir));
    check('the shortcut is gone', fileTest('!', '-e', at.shortcut));
    check('the uninstall entry is gone', uninstallEntries() === 0);
    const files = prefixFiles();
    const left = [...added(at.files, files), ...added(files, at.files)];
    indented('left: ', left);
    indented('left in a temporary folder: ',
        lines(sh(`cd ${driveC} && find . -ipath '*/temp/*' -newer "$1"`, `${work}/before`).stdout));
    check('the prefix holds the same files as before the install', left.length === 0);
    const keysLeft = [...at.newKeys('user.reg'), ...at.newKeys('system.reg')];
    indented('new key: ', keysLeft);
    const naming = namingTheProgram('user.reg', 'system.reg');
    indented('names the program: ', naming);
    check('no registry key left that was not there before the install', keysLeft.length === 0);
    check("nothing in the registry names the program's folder or its entry", naming.length === 0);
}

// planted(name, dir, program): the stand-ins planted in DIR, PROGRAM run with them (check_planted).
function planted(name, dir, program) {
    countFindings(sh(`source scripts/lib/planted-dlls.sh
        plant_stand_ins "$1" "$2" && check_planted "$3" "$2" installer wine "$4" /S`,
    `${staged}/stand-ins`, dir, name, program).stdout);
}

function plantedDlls(at) {
    say('DLLs planted beside the installer in a downloads folder, then beside the uninstaller');
    const { programDir } = at;
    sh('cp "$1" "$2/"', `${staged}/setup.exe`, `${work}/Downloads`);
    planted('the silent install', `${work}/Downloads`, `${work}/Downloads/setup.exe`);
    check('the install with DLLs planted beside it installed the program',
        fileTest('-s', `${programDir}/uninstall.exe`));
    planted('the silent uninstall', programDir, `${programDir}/uninstall.exe`);
    check('the uninstall with DLLs planted beside it removed the program',
        fileTest('!', '-e', `${programDir}/quadrell.exe`));
    sh('source scripts/lib/planted-dlls.sh; remove_stand_ins "$1"; rmdir "$1"; rm -rf "$2"', programDir, work);
}

function main() {
    if (!channel || !staged) throw new Error('usage: windows_install.mjs CHANNEL STAGED');
    const at = places();
    prepare(at);
    install(at);
    say("the installed program, from the shortcut's target");
    startedShowsWindow(shortcutTarget(at), `${staged}/installed`);
    installAgain(at);
    uninstall(at);
    say("the zip's program, from a folder with spaces and letters beyond ASCII");
    sh('mkdir -p "$2" && cp "$1"/* "$2/"', `${staged}/zip/${at.folder}`, `${driveC}/${at.folder}`);
    console.log(`    C:\\${at.folder}\\quadrell.exe`);
    startedShowsWindow(`C:\\${at.folder}\\quadrell.exe`);
    plantedDlls(at);
    inGuest('env', ...wineEnvironment, 'bash', 'tests/win32/virtual_display.sh', 'stop', `${display}`);
    say('done');
}

try {
    main();
} catch (error) {
    console.log(`The check could not run: ${error.message}`);
    counts.failed++;
}
console.log(`Windows install: ${counts.passed} passed, ${counts.failed} failed`);
process.exit(counts.failed === 0 && counts.passed > 0 ? 0 : 1);
