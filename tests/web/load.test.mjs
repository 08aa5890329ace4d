// The page loads clean, and each way of touching the device works it: a key, a mouse click
// and two fingers at once (CDP touch events), each seen where the player sees it: the canvas's
// pixels change, and the engine's mode and lit figures follow.
import assert from 'node:assert/strict';
import test, { after } from 'node:test';

import {
  canvasPixels, canvasPoint, defaultKeyCodes, imageNames, imageRect, kQuietSettings, launch, openGame,
  presetStorage, requireSite, serve, skinLayout,
} from './lib.mjs';

const chromium = await requireSite();
const server = await serve();
const browser = await launch(chromium);
after(async () => {
  await browser.close();
  await server.close();
});

// Modes of the engine (Gam_Mode).
const Mode = { Off: 0, PowerOn: 1, Idle: 2, Select1: 3, Play1: 7 };

test('the page loads, draws the device and says nothing on its console', async () => {
  const context = await browser.newContext();
  const { page, log } = await openGame(context, server.url);
  // Two frames later everything the start drew has been shown and reported.
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  const px = await canvasPixels(page);
  let opaque = 0;
  for (let i = 3; i < px.data.length; i += 4) if (px.data[i] === 255) ++opaque;
  assert.ok(opaque > px.width * px.height * 0.5, `the canvas shows the device (${opaque} opaque pixels)`);
  assert.deepEqual(log.errors, []);
  await context.close();
});

// How many pixels of the rectangle differ between two readings of the canvas.
function changedIn(a, b, r) {
  let n = 0;
  for (let y = r.top; y < r.top + r.height; ++y)
    for (let x = r.left; x < r.left + r.width; ++x) {
      const i = (y * a.width + x) * 4;
      if (a.data[i] !== b.data[i] || a.data[i + 1] !== b.data[i + 1] || a.data[i + 2] !== b.data[i + 2]) ++n;
    }
  return n;
}

const mode = (page) => page.evaluate(() => window.zn.engine.mode());
const digits = (page) => page.evaluate(() => /digits=(\S+)/.exec(window.zn.engine.snapshot())[1]);
const advance = (page, ms) => page.evaluate((n) => window.zn.advance(n), ms);
// The cells Nibbo is drawn in, from the snapshot's rows.
const nibboCells = (page) =>
  page.evaluate(() => {
    const cells = [];
    for (const m of window.zn.engine.snapshot().matchAll(/^row (\d) (\d{8})$/gm))
      [...m[2]].forEach((d, c) => Number(d) & 1 && cells.push(`${c + 2},${m[1]}`));
    return cells.join(' ');
  });

// Each way in: how it presses a control (by the name of the image that is its click area).
const ways = {
  async key(page, control) {
    const keys = await defaultKeyCodes(page);
    const name = { btn_power_top: 'power', btn_select_top: 'select', btn_start_top: 'start' }[control];
    await page.keyboard.press(keys[name]);
  },
  async click(page, control, at) {
    await page.mouse.click(at.x, at.y);
  },
  async touch(page, control, at, cdp) {
    const p = { x: at.x, y: at.y, id: 1 };
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [p] });
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  },
};

for (const [way, pressControl] of Object.entries(ways)) {
  test(`${way}: power lights the device, select chooses game 1`, async () => {
    const context = await browser.newContext();
    await presetStorage(context, kQuietSettings);
    const { page, log } = await openGame(context, server.url, 'zoom=100&clock=manual&seed=1');
    const cdp = await context.newCDPSession(page);
    const skin = await skinLayout(page);
    const names = await imageNames(page);
    const centre = async (name) => {
      const r = imageRect(skin, names, name);
      return canvasPoint(page, r.left + r.width / 2, r.top + r.height / 2);
    };
    const screen = imageRect(skin, names, 'im_background_screen');
    const off = await canvasPixels(page);
    assert.equal(await mode(page), Mode.Off);

    await pressControl(page, 'btn_power_top', await centre('btn_power_top'), cdp);
    assert.equal(await mode(page), Mode.PowerOn);
    const lit = await canvasPixels(page);
    assert.ok(changedIn(off, lit, screen) > screen.width * screen.height * 0.1, 'the screen lit up');
    assert.ok(changedIn(off, lit, imageRect(skin, names, 'btn_power_on')) > 0, 'the power switch moved');
    assert.equal(await digits(page), '00000');

    await advance(page, 3000); // the start tune
    assert.equal(await mode(page), Mode.Idle);
    await pressControl(page, 'btn_select_top', await centre('btn_select_top'), cdp);
    assert.equal(await mode(page), Mode.Select1);
    assert.equal(await digits(page), '1____');
    assert.ok(changedIn(lit, await canvasPixels(page), screen) > 0, 'the chosen game shows');
    assert.deepEqual(log.errors, []);
    await context.close();
  });
}

test('two fingers: one holds the joystick while the other taps START, each lets go of its own', async () => {
  const context = await browser.newContext();
  await presetStorage(context, kQuietSettings);
  const { page, log } = await openGame(context, server.url, 'zoom=100&clock=manual&seed=1');
  const cdp = await context.newCDPSession(page);
  const skin = await skinLayout(page);
  const names = await imageNames(page);
  const centre = async (name) => {
    const r = imageRect(skin, names, name);
    return canvasPoint(page, r.left + r.width / 2, r.top + r.height / 2);
  };
  const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points });
  const power = await centre('btn_power_top');
  await touch('touchStart', [{ ...power, id: 1 }]);
  await touch('touchEnd', []);
  await advance(page, 3000);
  const select = await centre('btn_select_top');
  await touch('touchStart', [{ ...select, id: 1 }]);
  await touch('touchEnd', []);
  assert.equal(await mode(page), Mode.Select1);

  // finger 1 on the joystick's right, then finger 2 on START while finger 1 stays
  const right = { ...(await centre('btn_ctrlr_overlay_right')), id: 1 };
  const start = { ...(await centre('btn_start_top')), id: 2 };
  await touch('touchStart', [right]);
  await touch('touchStart', [right, start]);
  assert.equal(await mode(page), Mode.Play1, 'START took the second finger');
  const startDown = names.indexOf('btn_start_down');
  assert.equal(await page.evaluate((i) => window.zn.engine.visible(i), startDown), true);
  await touch('touchEnd', [start]); // finger 2 lifts (CDP: the points listed are the ones that end)
  assert.equal(await page.evaluate((i) => window.zn.engine.visible(i), startDown), false, 'START let go');

  // Nibbo runs right while finger 1 holds, eating on the way (as the script driver's walk)
  const before = await nibboCells(page);
  await advance(page, 2400);
  const moved = await nibboCells(page);
  assert.notEqual(moved, before, 'Nibbo went right');
  assert.notEqual(await digits(page), '00000', 'and ate');

  await touch('touchEnd', [right]); // finger 1 lifts: Nibbo stays where he is
  const stopped = await nibboCells(page);
  await advance(page, 1200);
  assert.equal(await nibboCells(page), stopped, 'the joystick let go');
  assert.deepEqual(log.errors, []);
  await context.close();
});
