// Recorded games across the front ends. A seeded game played with the page's keys and saved
// by "Save replay..." plays in the script driver to the page's figures at every tick, and in the
// desktop window (Xvfb) and the driver to the same end and score. A recording made by the script
// driver, opened by "Open a replay...", ends on the page on the desktop window's final screen
// pixel for pixel (?zoom=100), with its mark while it plays and until the take-over. A link
// made by "Share this game..." plays in a new browser context and holds at its end; a bad link
// and a bad dropped file are told in the reader's words while the device keeps working.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import test from 'node:test';
import { fileURLToPath } from 'node:url';
import zlib from 'node:zlib';

import {
  buildDir, canvasPixels, defaultKeyCodes, kQuietSettings, launch, openGame, presetStorage, requireSite, serve, until,
} from './lib.mjs';

const chromium = await requireSite();
const here = path.dirname(fileURLToPath(import.meta.url));
const driver = path.join(buildDir, 'zorpy-nibbo-script');
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'zn-replay-'));
process.on('exit', () => fs.rmSync(tmp, { recursive: true, force: true }));
const kWords = { P: 'power', G: 'select', S: 'start', U: 'up', L: 'left', R: 'right', D: 'down' };
const kStep = 40; // the page's figures are taken every 40 ms: every 120 ms tick is seen

const server = await serve();
const browser = await launch(chromium);
test.after(async () => {
  await browser.close();
  await server.close();
});

async function quietPage(query) {
  const context = await browser.newContext();
  await presetStorage(context, kQuietSettings);
  return { context, ...(await openGame(context, server.url, query)) };
}

const runDriver = (args, input) => {
  const r = spawnSync(driver, args, { input, encoding: 'utf8' });
  assert.equal(r.status, 0, `zorpy-nibbo-script ${args.join(' ')}: ${r.stderr}`);
  return r.stdout.trimEnd().split('\n').filter((l) => !l.startsWith('sound '));
};

// The desktop window's hold: {end: its figures and state, png: its picture}.
function desktopReplay(file, name) {
  const out = path.join(tmp, name);
  const r = spawnSync('bash', [path.join(here, 'replay_desktop.sh'), path.join(buildDir, 'game'), file, out], { encoding: 'utf8' });
  assert.equal(r.status, 0, `the desktop's replay of ${file}: ${r.stdout}${r.stderr}`);
  return { end: fs.readFileSync(path.join(out, 'end.txt'), 'utf8').trimEnd().split('\n'), png: path.join(out, 'end.png') };
}

// A script for the driver from a recording's text, with a `show` at each of the times given
// (before the events of the same time, as the page took its figures before its keys).
function scriptOf(text, shows) {
  const lines = text.trim().split('\n');
  const seed = lines.find((l) => l.startsWith('seed ')).split(' ')[1];
  const at = shows.map((t) => ({ t, step: 'show' }));
  let t = 0;
  for (const l of lines) {
    const m = /^(\d+)([A-Za-z]+)$/.exec(l);
    if (!m) continue;
    t += Number(m[1]);
    for (const c of m[2]) at.push({ t, step: `${c === c.toUpperCase() ? 'press' : 'release'} ${kWords[c.toUpperCase()]}` });
  }
  at.sort((a, b) => a.t - b.t || (b.step === 'show') - (a.step === 'show'));
  let now = 0;
  const out = [`seed ${seed}`];
  for (const { t: when, step } of at) {
    if (when > now) out.push(`wait ${when - now}`);
    now = Math.max(now, when);
    out.push(step);
  }
  return `${out.join('\n')}\n`;
}

function readPng(file) {
  const size = spawnSync('identify', ['-format', '%w %h', file], { encoding: 'utf8' });
  const raw = spawnSync('convert', [file, '-depth', '8', 'rgba:-'], { maxBuffer: 1 << 28 });
  assert.equal(raw.status, 0, `convert ${file}: ${raw.stderr}`);
  const [width, height] = size.stdout.trim().split(' ').map(Number);
  return { width, height, data: raw.stdout };
}

// Pixels where the canvas is not the desktop's: transparency where the window is see-through,
// opaque within 2 levels a channel (the blending's rounding) elsewhere.
function differences(desk, canvas) {
  let n = 0;
  for (let i = 0; i < desk.data.length; i += 4) {
    const see = desk.data[i + 3] === 0;
    if (see ? canvas.data[i + 3] !== 0 : canvas.data[i + 3] !== 255) ++n;
    else if (!see && [0, 1, 2].some((c) => Math.abs(desk.data[i + c] - canvas.data[i + c]) > 2)) ++n;
  }
  return n;
}

const phase = (page) => page.evaluate(() => window.zn.engine.ask('zn_replay_phase'));
const markShown = (page) => page.evaluate(() => !document.querySelector('.zn-replay-mark').hidden);
const snapshot = async (page) => (await page.evaluate(() => window.zn.engine.snapshot())).trimEnd().split('\n');

async function runMenuItem(page, command) {
  const [x, y] = await page.evaluate(() => {
    const r = window.zn.host.canvas.getBoundingClientRect();
    return [r.left + r.width / 2, r.top + 20];
  });
  await page.mouse.click(x, y, { button: 'right' });
  await until(page, () => document.querySelector('.zn-menu-item'), undefined, 'the menu');
  await page.locator(`.zn-menu-item[data-command="${command}"]`).click();
}

// Game 1 with the page's keys on the manual clock: power, select, start and turns.
async function playWithKeys(page, turns) {
  const keys = await defaultKeyCodes(page);
  const figures = []; // {t, lines} every kStep ms
  const wait = async (ms) => figures.push(...await page.evaluate(({ ms, step }) => {
    const out = [];
    for (let i = 0; i < ms; i += step) {
      window.zn.advance(step);
      out.push({ t: window.zn.engine.now(), lines: window.zn.engine.snapshot() });
    }
    return out;
  }, { ms, step: kStep }));
  await wait(200);
  await page.keyboard.press(keys.power);
  await wait(3080);
  await page.keyboard.press(keys.select);
  await page.keyboard.press(keys.start);
  for (const d of turns) {
    await wait(200);
    await page.keyboard.down(keys[d]);
    await wait(760);
    await page.keyboard.up(keys[d]);
  }
  await wait(400);
  return figures;
}

test('a game played on the page plays in the script driver and the desktop window', async () => {
  const { page, log } = await quietPage('seed=20261208&clock=manual&zoom=100');
  const figures = await playWithKeys(page, ['left', 'up', 'right', 'down', 'left', 'up', 'left', 'down', 'right']);
  await page.evaluate(() => {
    HTMLAnchorElement.prototype.click = function save() {
      if (this.download) window.zn.testSaved = { name: this.download, url: this.href };
    };
  });
  await runMenuItem(page, 'savereplay');
  const saved = await page.evaluate(async () => {
    const s = window.zn.testSaved;
    return { name: s.name, text: await (await fetch(s.url)).text() };
  });
  assert.match(saved.name, /\.znreplay$/);
  const file = path.join(tmp, saved.name);
  fs.writeFileSync(file, saved.text);

  // Every tick: the driver, fed the recording with a `show` at each of the page's looks.
  const shown = runDriver([], scriptOf(saved.text, figures.map((f) => f.t)));
  const pageShown = figures.flatMap((f) => f.lines.trimEnd().split('\n'));
  assert.equal(shown.length, pageShown.length, 'one show per look of the page');
  const firstOff = shown.findIndex((l, i) => l !== pageShown[i]);
  assert.equal(firstOff, -1, `the driver differs from the page at ${figures[Math.floor(firstOff / 8)]?.t} ms`);

  // The end: the driver's replay, the desktop window's hold and the page agree, score included.
  const end = runDriver(['--replay', file]);
  const last = await snapshot(page);
  assert.deepEqual(end.slice(0, last.length), last);
  assert.match(last[0], /digits=0*[1-9]\d*$/, 'the game scored');
  assert.deepEqual(desktopReplay(file, 'page-game').end, end);
  assert.deepEqual(log.errors, []);
  console.log(`${figures.length} looks compared over ${figures.at(-1).t} ms; the end: ${last[0]}`);
});

test('a recording made by the driver ends on the page on the desktop window\'s screen', async () => {
  const file = path.join(tmp, 'driver.znreplay');
  const turns = ['left', 'up', 'right', 'down', 'left', 'up'].map((d) => `press ${d}\nwait 900\nrelease ${d}\nwait 150\n`);
  runDriver(['--record', file], `seed 777\npress power\nwait 3000\npress select\nrelease select\npress start\nrelease start\nwait 400\n${turns.join('')}`);
  const desk = desktopReplay(file, 'driver');

  const { page, log } = await quietPage('seed=1&clock=manual&zoom=100');
  const keys = await defaultKeyCodes(page);
  await page.locator('#zn-replay-file').setInputFiles(file);
  await until(page, () => window.zn.engine.ask('zn_replay_phase') === 1, undefined, 'the recording to play');
  await page.keyboard.press(keys.power); // while it plays: ignored
  await page.evaluate(() => window.zn.advance(2000));
  assert.deepEqual([await phase(page), await markShown(page)], [1, true]);
  assert.notEqual(await page.evaluate(() => window.zn.engine.mode()), 0, 'the recording\'s power, not the player\'s');
  for (let i = 0; i < 60 && (await phase(page)) !== 2; ++i) await page.evaluate(() => window.zn.advance(500));
  assert.equal(await phase(page), 2, 'held at the end');
  assert.deepEqual(await snapshot(page), desk.end.slice(0, 8));
  const want = readPng(desk.png);
  const canvas = await canvasPixels(page);
  assert.deepEqual([canvas.width, canvas.height], [want.width, want.height]);
  assert.equal(differences(want, canvas), 0, 'pixels differ from the desktop window\'s hold');

  const held = await page.evaluate(() => window.zn.engine.now());
  await page.evaluate(() => window.zn.advance(3000));
  assert.equal(await page.evaluate(() => window.zn.engine.now()), held, 'the hold stops the clock');
  await page.keyboard.press(keys.power); // the take-over: power off
  assert.deepEqual([await phase(page), await markShown(page), await page.evaluate(() => window.zn.engine.mode())], [0, false, 0]);
  assert.deepEqual(log.errors, []);
});

test('a shared link plays in a new browser context; bad links and files are told', async () => {
  const { page } = await quietPage('seed=99&clock=manual&zoom=100');
  await playWithKeys(page, ['left', 'up']);
  const want = await snapshot(page);
  await runMenuItem(page, 'share');
  const link = await until(page, () => document.querySelector('.zn-share-link')?.value, undefined, 'the link');
  assert.match(link, /^http:\/\/[^?#]+\/#replay=[\w-]+$/, 'the page and the recording only');
  assert.ok(await page.evaluate(() => document.querySelector('.zn-share .zn-titlebar-close') !== null), 'a close button');
  await page.keyboard.press('Escape');
  assert.ok(await page.evaluate(() => document.querySelector('.zn-share').hidden), 'Escape closes it');

  const other = await browser.newContext();
  await presetStorage(other, kQuietSettings);
  const viewer = await other.newPage();
  await viewer.goto(link);
  await until(viewer, () => window.zn?.engine?.ask('zn_replay_phase') === 1, undefined, 'the link to play');
  await until(viewer, () => window.zn.engine.ask('zn_replay_phase') === 2, undefined, 'the link\'s end');
  assert.deepEqual(await snapshot(viewer), want);

  // Bad links and a bad file dropped: the reader's words in the page; the device still works.
  const bad = (text) => zlib.deflateRawSync(Buffer.from(text)).toString('base64url');
  const cases = [
    { hash: `#replay=${bad('zorpy-nibbo-replay 2\n')}`, says: /^the replay link: line 1: / },
    { hash: `#replay=${bad('zorpy-nibbo-replay 1\nseed 1\nstart off\n0Q\nend 0\n')}`, says: /^the replay link: line 4: unknown control 'Q'/ },
    { hash: '#replay=AAAA', says: /^the replay link: its data is damaged/ },
    { drop: 'zorpy-nibbo-replay 1\nseed 1\nstart off\n10P\n5P\n-3P\n', says: /^bad\.znreplay: line 6: / },
  ];
  for (const c of cases) {
    const { page: p, log } = await quietPage(c.hash ? `clock=manual${c.hash}` : 'clock=manual');
    if (c.drop) {
      await p.evaluate((text) => {
        const data = new DataTransfer();
        data.items.add(new File([text], 'bad.znreplay'));
        window.dispatchEvent(new DragEvent('drop', { dataTransfer: data, cancelable: true }));
      }, c.drop);
    }
    const said = await until(p, () => document.getElementById('zn-replay-problem')?.textContent, undefined, 'the message');
    assert.match(said, c.says);
    assert.equal(await p.evaluate(() => document.querySelector('.zn-skin-panel:not([hidden])')), null, 'no skin loaded');
    await p.keyboard.press((await defaultKeyCodes(p)).power);
    assert.equal(await phase(p), 0);
    assert.notEqual(await p.evaluate(() => window.zn.engine.mode()), 0, `${said}: the device works`);
    assert.deepEqual(log.errors, []);
  }
});
