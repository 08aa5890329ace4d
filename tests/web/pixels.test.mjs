// At ?zoom=100 and device pixel ratio 1 the canvas is the desktop window's client area pixel
// for pixel. The desktop's pictures are taken from the real program in an Xvfb
// (desktop_shots.sh) in four states; the page is brought to each state with its own keys on
// the manual clock. Where the desktop window is see-through (its shape, from the key colour)
// the canvas must be fully transparent; everywhere else opaque, each channel within 2 levels
// (the rounding where pictures are alpha-blended). The same holds on the screen: the page's
// own screenshot of the canvas shows the desktop's opaque pixels (no resampling of a canvas
// placed between two pixels).
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import test from 'node:test';
import { fileURLToPath } from 'node:url';

import {
  buildDir, canvasPixels, defaultKeyCodes, kQuietSettings, launch, openGame, presetStorage, requireSite, serve,
} from './lib.mjs';

const chromium = await requireSite();
const here = path.dirname(fileURLToPath(import.meta.url));
const kTolerance = 2;

// The states, in the order desktop_shots.sh takes them, and how the page gets from the one
// before to each: keys on the manual clock (the start tune takes 2980 ms; game 1's picture
// holds until its fifth tick, 600 ms after the start).
const states = [
  { name: 'off', go: async () => {} },
  { name: 'poweron', go: async (page, keys) => page.keyboard.press(keys.power) },
  {
    name: 'select1',
    go: async (page, keys) => {
      await page.evaluate(() => window.zn.advance(3000));
      await page.keyboard.press(keys.select);
    },
  },
  {
    name: 'game1',
    go: async (page, keys) => {
      await page.keyboard.press(keys.start);
      await page.evaluate(() => window.zn.advance(240));
    },
  },
];

// A PNG as RGBA bytes (ImageMagick, as the end-to-end tests use it).
function readPng(file) {
  const size = spawnSync('identify', ['-format', '%w %h', file], { encoding: 'utf8' });
  assert.equal(size.status, 0, `identify ${file}: ${size.stderr}`);
  const [width, height] = size.stdout.trim().split(' ').map(Number);
  const raw = spawnSync('convert', [file, '-depth', '8', 'rgba:-'], { maxBuffer: 1 << 28 });
  assert.equal(raw.status, 0, `convert ${file}: ${raw.stderr}`);
  return { width, height, data: raw.stdout };
}

// Differences of the canvas from the desktop: {transparency, colour, worst} counts and the
// largest channel difference among opaque pixels. onScreen: the canvas as the page shows it,
// where only the desktop's opaque pixels count (the page shows through the others).
function compare(desk, canvas, onScreen = false) {
  let transparency = 0;
  let colour = 0;
  let worst = 0;
  let first = '';
  for (let i = 0; i < desk.data.length; i += 4) {
    const see = desk.data[i + 3] === 0;
    const a = canvas.data[i + 3];
    if (onScreen && see) continue;
    if (see ? a !== 0 : a !== 255) {
      ++transparency;
      first ||= `alpha ${a} at ${(i / 4) % desk.width},${Math.floor(i / 4 / desk.width)} (desktop ${see ? 'see-through' : 'opaque'})`;
      continue;
    }
    if (see) continue;
    const d = Math.max(...[0, 1, 2].map((c) => Math.abs(desk.data[i + c] - canvas.data[i + c])));
    worst = Math.max(worst, d);
    if (d > kTolerance) {
      ++colour;
      first ||= `colour off by ${d} at ${(i / 4) % desk.width},${Math.floor(i / 4 / desk.width)}`;
    }
  }
  return { transparency, colour, worst, first };
}

test('the canvas at zoom 100 shows the desktop window\'s pixels', async (t) => {
  const shots = fs.mkdtempSync(path.join(os.tmpdir(), 'zn-desktop-shots-'));
  const failed = path.join(buildDir, 'tests', 'web', 'pixels-failed');
  t.after(() => fs.rmSync(shots, { recursive: true, force: true }));
  const game = path.join(buildDir, 'game');
  const take = spawnSync('bash', [path.join(here, 'desktop_shots.sh'), game, shots], { encoding: 'utf8' });
  assert.equal(take.status, 0, `the desktop's pictures: ${take.stdout}${take.stderr}`);

  const server = await serve();
  const browser = await launch(chromium);
  t.after(async () => {
    await browser.close();
    await server.close();
  });
  const context = await browser.newContext();
  await presetStorage(context, kQuietSettings);
  const { page, log } = await openGame(context, server.url, 'zoom=100&clock=manual&seed=1');
  const keys = await defaultKeyCodes(page);
  const size = await page.evaluate(() => {
    const c = window.zn.host.canvas;
    const r = c.getBoundingClientRect();
    return { dpr: window.devicePixelRatio, width: c.width, height: c.height, cssWidth: r.width, cssHeight: r.height };
  });
  assert.equal(size.dpr, 1);
  assert.deepEqual([size.cssWidth, size.cssHeight], [size.width, size.height], 'one canvas pixel per CSS pixel');

  const results = [];
  for (const s of states) {
    await s.go(page, keys);
    const desk = readPng(path.join(shots, `${s.name}.png`));
    const canvas = await canvasPixels(page);
    assert.deepEqual([canvas.width, canvas.height], [desk.width, desk.height], `${s.name}: the canvas is the client area`);
    const r = compare(desk, canvas);
    results.push({ state: s.name, ...r });
    const shown = path.join(shots, `${s.name}.screen.png`);
    // The canvas's pixels on the screen: its box snapped to whole pixels, as the page paints it.
    const box = await page.evaluate(() => {
      const b = window.zn.host.canvas.getBoundingClientRect();
      return { x: Math.round(b.left), y: Math.round(b.top), width: Math.round(b.width), height: Math.round(b.height) };
    });
    await page.screenshot({ path: shown, clip: box });
    const screen = readPng(shown);
    assert.deepEqual([screen.width, screen.height], [desk.width, desk.height], `${s.name}: the canvas's size on the screen`);
    const onScreen = compare(desk, screen, true);
    results.push({ state: `${s.name} on the screen`, ...onScreen });
    if (r.transparency || r.colour || onScreen.colour) {
      fs.mkdirSync(failed, { recursive: true });
      fs.copyFileSync(shown, path.join(failed, `${s.name}.screen.png`));
      fs.copyFileSync(path.join(shots, `${s.name}.png`), path.join(failed, `${s.name}.desktop.png`));
      const url = await page.evaluate(() => window.zn.host.canvas.toDataURL('image/png'));
      fs.writeFileSync(path.join(failed, `${s.name}.canvas.png`), Buffer.from(url.split(',')[1], 'base64'));
    }
  }
  console.log(results.map((r) => `${r.state}: ${r.transparency} see-through wrong, ${r.colour} off by more than ${kTolerance}, largest ${r.worst}`).join('\n'));
  for (const r of results)
    assert.ok(!r.transparency && !r.colour, `${r.state}: ${r.first} (both pictures in ${failed})`);
  assert.deepEqual(log.errors, []);
});
