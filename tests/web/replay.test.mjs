// Recorded games across the front ends: (a) a page game, saved, in the script driver at every tick
// and in the desktop window (Xvfb) to its end and score; (b) a driver's recording, opened on the page,
// on the window's final screen pixel for pixel; (c) a shared link in a new context; bad links and files.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import test from 'node:test';
import { fileURLToPath } from 'node:url';
import zlib from 'node:zlib';

import { buildDir, canvasPixels, defaultKeyCodes, kQuietSettings, launch, openGame, presetStorage, requireSite, serve, until } from './lib.mjs';

const chromium = await requireSite();
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'zn-replay-'));
const [server, browser] = [await serve(), await launch(chromium)];
test.after(() => Promise.all([browser.close(), server.close(), fs.promises.rm(tmp, { recursive: true, force: true })]));

const quietContext = async () => ((c) => presetStorage(c, kQuietSettings).then(() => c))(await browser.newContext());
const quietPage = async (query) => openGame(await quietContext(), server.url, query);
const driver = (args, input) => {
  const r = spawnSync(path.join(buildDir, 'zorpy-nibbo-script'), args, { input, encoding: 'utf8' });
  assert.equal(r.status, 0, r.stderr);
  return r.stdout.trimEnd().split('\n').filter((l) => !l.startsWith('sound '));
};
function desktop(file) { // the window's hold: its end log's lines and its picture
  const r = spawnSync('bash', [fileURLToPath(new URL('replay_desktop.sh', import.meta.url)), path.join(buildDir, 'game'), file, `${file}.d`], { encoding: 'utf8' });
  assert.equal(r.status, 0, r.stdout + r.stderr);
  return { end: fs.readFileSync(`${file}.d/end.txt`, 'utf8').trimEnd().split('\n'), png: `${file}.d/end.png` };
}
// A driver's script of a recording, a `show` at each time given (before that time's events).
function scriptOf(text, shows) {
  const steps = shows.map((t) => [t, 'show']);
  let t = 0;
  for (const [, ms, letters] of text.matchAll(/^(\d+)([A-Za-z]+)$/gm)) {
    t += Number(ms);
    for (const c of letters) steps.push([t, `${c < 'a' ? 'press' : 'release'} ${{ p: 'power', g: 'select', s: 'start', u: 'up', l: 'left', r: 'right', d: 'down' }[c.toLowerCase()]}`]);
  }
  steps.sort((a, b) => a[0] - b[0] || (b[1] === 'show') - (a[1] === 'show'));
  let now = 0;
  const wait = (when) => {
    const ms = when - now;
    now = Math.max(now, when);
    return ms > 0 ? `wait ${ms}\n` : '';
  };
  return `seed ${/^seed (\d+)/m.exec(text)[1]}\n${steps.map(([when, s]) => wait(when) + s).join('\n')}\n`;
}
const ask = (page, name) => page.evaluate((n) => window.zn.engine.ask(n), name);
const snapshot = async (page) => (await page.evaluate(() => window.zn.engine.snapshot())).trimEnd().split('\n');
async function menuItem(page, command) {
  const [x, y] = await page.evaluate(() => ((r) => [r.left + r.width / 2, r.top + 20])(window.zn.host.canvas.getBoundingClientRect()));
  await page.mouse.click(x, y, { button: 'right' });
  await until(page, () => document.querySelector('.zn-menu-item'), undefined, 'the menu');
  await page.locator(`.zn-menu-item[data-command="${command}"]`).click();
}
// Game 1 played with keys on the manual clock; the figures every 40 ms (every 120 ms tick seen).
async function play(page, turns) {
  const keys = await defaultKeyCodes(page);
  const looks = [];
  const wait = async (ms) => looks.push(...await page.evaluate((n) => Array.from({ length: n }, () => {
    window.zn.advance(40);
    return { t: window.zn.engine.now(), lines: window.zn.engine.snapshot() };
  }), ms / 40));
  for (const [key, ms] of [['power', 3080], ['select', 0], ['start', 0]]) await page.keyboard.press(keys[key]).then(() => wait(ms));
  for (const d of turns) for (const [act, ms] of [['down', 760], ['up', 200]]) await page.keyboard[act](keys[d]).then(() => wait(ms));
  return looks;
}

test('(a) a page game in the script driver at every tick, and in the desktop window to its end', async () => {
  const { page, log } = await quietPage('seed=20261208&clock=manual&zoom=100');
  const looks = await play(page, ['left', 'up', 'right', 'down', 'left', 'up', 'left', 'down', 'right']);
  await page.evaluate(() => (HTMLAnchorElement.prototype.click = function save() { window.zn.saved = this; }));
  await menuItem(page, 'savereplay');
  const saved = await page.evaluate(async () => [window.zn.saved.download, await (await fetch(window.zn.saved.href)).text()]);
  const file = path.join(tmp, saved[0]);
  fs.writeFileSync(file, saved[1]);
  assert.deepEqual(driver([], scriptOf(saved[1], looks.map((l) => l.t))), looks.flatMap((l) => l.lines.trimEnd().split('\n')));
  const end = driver(['--replay', file]);
  const last = await snapshot(page);
  assert.deepEqual(end.slice(0, 8), last);
  assert.match(last[0], /digits=0*[1-9]\d*$/, 'the game scored');
  assert.deepEqual(desktop(file).end, end);
  assert.deepEqual(log.errors, []);
});

test('(b) a driver\'s recording ends on the page on the desktop window\'s screen, then hands over', async () => {
  const file = path.join(tmp, 'driver.znreplay');
  const turns = ['left', 'up', 'right', 'down', 'left'].map((d) => `press ${d}\nwait 900\nrelease ${d}\nwait 150\n`).join('');
  driver(['--record', file], `seed 777\npress power\nwait 3000\npress select\nrelease select\npress start\nrelease start\nwait 400\n${turns}`);
  const desk = desktop(file);
  const { page, log } = await quietPage('seed=1&clock=manual&zoom=100');
  const power = (await defaultKeyCodes(page)).power;
  await page.locator('#zn-replay-file').setInputFiles(file);
  await until(page, () => window.zn.engine.ask('zn_replay_phase') === 1, undefined, 'the recording to play');
  await page.keyboard.press(power); // ignored while it plays
  await page.evaluate(() => window.zn.advance(60000));
  const mark = () => page.evaluate(() => !document.querySelector('.zn-replay-mark').hidden);
  assert.deepEqual([await ask(page, 'zn_replay_phase'), await mark(), await snapshot(page)], [2, true, desk.end.slice(0, 8)]);
  const [want, { data }] = [spawnSync('convert', [desk.png, '-depth', '8', 'rgba:-'], { maxBuffer: 1 << 28 }).stdout, await canvasPixels(page)];
  const off = (i) => (want[i + 3] === 0 ? data[i + 3] !== 0 : data[i + 3] !== 255 || [0, 1, 2].some((c) => Math.abs(want[i + c] - data[i + c]) > 2));
  assert.deepEqual([data.length, Array.from({ length: want.length / 4 }, (_, i) => off(4 * i)).filter(Boolean).length], [want.length, 0]);
  await page.keyboard.press(power); // the take-over: power off
  assert.deepEqual([await ask(page, 'zn_replay_phase'), await mark(), await ask(page, 'zn_mode')], [0, false, 0]);
  assert.deepEqual(log.errors, []);
});

test('(c) a shared link plays in a new context and holds; bad links and files are told', async () => {
  const { page } = await quietPage('seed=99&clock=manual&zoom=100');
  await play(page, ['left', 'up']);
  await menuItem(page, 'share');
  const link = await until(page, () => document.querySelector('.zn-share-link')?.value, undefined, 'the link');
  assert.match(link, /^http:\/\/[^?#]+\/#replay=[\w-]+$/);
  await page.keyboard.press('Escape');
  assert.ok(await page.evaluate(() => document.querySelector('.zn-share').hidden), 'Escape closes the dialog');
  const viewer = await (await quietContext()).newPage(); // the receiver's own settings
  await viewer.goto(link);
  await until(viewer, () => window.zn?.engine?.ask('zn_replay_phase') === 2, undefined, 'the link\'s end');
  assert.deepEqual(await snapshot(viewer), await snapshot(page));

  for (const [hash, drop, says] of [
    [`#replay=${zlib.deflateRawSync('zorpy-nibbo-replay 1\nseed 1\nstart off\n0Q\nend 0\n').toString('base64url')}`, null, /^the replay link: line 4: unknown control 'Q'/],
    ['#replay=AAAA', null, /^the replay link: its data is damaged/],
    ['', 'zorpy-nibbo-replay 1\nseed 1\nstart off\n10P\n-3P\n', /^bad\.znreplay: line 5: /],
  ]) {
    const { page: p, log } = await quietPage(`clock=manual${hash}`);
    if (drop) await p.evaluate((text) => ((data) => data.items.add(new File([text], 'bad.znreplay')) &&
      window.dispatchEvent(new DragEvent('drop', { dataTransfer: data, cancelable: true })))(new DataTransfer()), drop);
    assert.match(await until(p, () => document.getElementById('zn-replay-problem')?.textContent, undefined, 'the message'), says);
    assert.equal(await p.evaluate(() => document.querySelector('.zn-skin-panel:not([hidden])')), null, 'no skin panel');
    await p.keyboard.press((await defaultKeyCodes(p)).power);
    assert.notEqual(await ask(p, 'zn_mode'), 0, 'the device works');
    assert.deepEqual(log.errors, []);
  }
});
