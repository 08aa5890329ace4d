// The page on a phone held upright (390 x 844 CSS pixels, three device pixels each, touch), on
// a first visit in the stored default display: a thumb resting on the joystick opens no menu,
// a slide rocks the stick, no tap or key but the full screen's own asks for the full screen, a
// pressed control vibrates, and the device sits at the top with the logo whole or left out.
import assert from 'node:assert/strict';
import test, { after } from 'node:test';

import { launch, presetStorage, requireSite, serve, until, waitReady, watchConsole } from './lib.mjs';

const chromium = await requireSite();
const server = await serve();
const browser = await launch(chromium);
after(async () => {
  await browser.close();
  await server.close();
});

const kPhone = { width: 390, height: 844, deviceScaleFactor: 3 };

// A first visit on the phone (the sound chosen and the splash off, so nothing covers the device),
// with the browser's Fullscreen API and vibration recorded rather than done.
async function openPhone() {
  const context = await browser.newContext({ viewport: { width: kPhone.width, height: kPhone.height }, ...kPhone });
  await presetStorage(context, { SplashScreen: '0', SoundMode: '2' });
  await context.addInitScript(() => {
    window.__calls = { fullscreen: 0, vibrate: [] };
    Element.prototype.requestFullscreen = function () {
      ++window.__calls.fullscreen;
      return Promise.resolve();
    };
    Navigator.prototype.vibrate = (ms) => window.__calls.vibrate.push(ms) > 0;
  });
  const page = await context.newPage();
  const log = watchConsole(page);
  await page.session.send('Emulation.setDeviceMetricsOverride', {
    ...kPhone, mobile: true, screenWidth: kPhone.width, screenHeight: kPhone.height,
  });
  await page.goto(server.url);
  await waitReady(page);
  // What the game's controls do: the presses and releases, in order.
  await page.evaluate(() => {
    const e = window.zn.engine;
    window.__controls = [];
    for (const op of ['press', 'release']) {
      const real = e[op].bind(e);
      e[op] = (c) => window.__controls.push(`${op} ${c}`) && real(c);
    }
  });
  const touch = (type, points) => page.session.send('Input.dispatchTouchEvent', { type, touchPoints: points });
  return { context, page, log, touch };
}

// Where an image lies on the page, in CSS pixels: {x, y, w, h}.
function placeOf(page, name) {
  return page.evaluate((n) => {
    const { engine, renderer, canvas } = window.zn.host;
    const id = Array.from({ length: engine.imageCount }, (_, i) => engine.imageName(i)).indexOf(n);
    const r = renderer.rect(id);
    const s = renderer.scale;
    const k = canvas.getBoundingClientRect().width / canvas.width;
    return { x: (r.x * s.game + s.shiftX) * k, y: (r.y * s.game + s.shiftY) * k, w: r.w * s.game * k, h: r.h * s.game * k };
  }, name);
}
const centre = (r) => ({ x: r.x + r.w / 2, y: r.y + r.h / 2 });
const controls = (page) => page.evaluate(() => window.__controls.splice(0).join(', '));
const menuOpen = (page) => page.evaluate(() => !!document.querySelector('.zn-menu'));
const pause = (page, ms) => page.evaluate((n) => new Promise((r) => setTimeout(r, n)), ms);

test('a long press opens the menu only away from the controls; a slide rocks the joystick', async () => {
  const { context, page, log, touch } = await openPhone();
  const up = await placeOf(page, 'btn_ctrlr_overlay_up');
  const down = await placeOf(page, 'btn_ctrlr_overlay_down');
  const left = centre(await placeOf(page, 'btn_ctrlr_overlay_left'));
  const middle = { x: up.x + up.w / 2, y: (up.y + down.y + down.h) / 2 };
  const power = centre(await placeOf(page, 'btn_power_top'));
  const below = { x: 195, y: 780 }; // the backdrop under the device

  const cases = [
    { what: 'a thumb resting on the joystick', at: middle, menu: false, held: '' },
    { what: 'a thumb just beside the left arrow', at: { x: left.x - up.w * 0.9, y: left.y }, menu: false, held: '' },
    { what: 'a finger on the power switch', at: power, menu: false, held: 'press 1' },
    { what: 'a finger on the backdrop', at: below, menu: true, held: '' },
  ];
  for (const c of cases) {
    await touch('touchStart', [{ ...c.at, id: 1 }]);
    await pause(page, 900);
    assert.equal(await menuOpen(page), c.menu, c.what);
    await touch('touchEnd', []);
    assert.equal(await controls(page), c.held, c.what);
    if (c.menu) await page.keyboard.press('Escape');
    await until(page, () => !document.querySelector('.zn-menu'), undefined, 'the menu to close');
  }

  // Left, slid onto up without lifting, then lifted; the stick is released on the way.
  await touch('touchStart', [{ ...left, id: 1 }]);
  await touch('touchMove', [{ ...centre(up), id: 1 }]);
  await touch('touchEnd', []);
  assert.equal(await controls(page), 'press 5, release 5, press 4, release 4');
  assert.deepEqual(log.errors, []);
  await context.close();
});

test('only the full screen command asks for the full screen; a pressed control vibrates', async () => {
  const { context, page, log, touch } = await openPhone();
  const calls = () => page.evaluate(() => ({ fullscreen: window.__calls.fullscreen, vibrate: window.__calls.vibrate.length }));
  await touch('touchStart', [{ ...centre(await placeOf(page, 'btn_power_top')), id: 1 }]);
  await touch('touchEnd', []);
  await page.keyboard.press('Digit2');
  assert.deepEqual(await calls(), { fullscreen: 0, vibrate: 1 }, 'a tap and a key');
  assert.deepEqual(await page.evaluate(() => window.__calls.vibrate), [10]);
  // The mode shown is full screen already: F12 leaves it, and the next F12 asks the browser.
  await page.keyboard.press('F12');
  await page.keyboard.press('F12');
  assert.deepEqual(await calls(), { fullscreen: 1, vibrate: 1 }, 'F12 twice');
  assert.deepEqual(log.errors, []);
  await context.close();
});

test('upright, the device sits at the top as wide as the screen, the cut logo left out', async () => {
  const { context, page, log } = await openPhone();
  const device = await placeOf(page, 'im_background');
  assert.ok(Math.abs(device.y) < 1 && Math.abs(device.x) < 1, `at the top left: ${JSON.stringify(device)}`);
  assert.ok(Math.abs(device.w - kPhone.width) < 1, `as wide as the screen: ${device.w}`);
  const logo = await page.evaluate(() => {
    const { engine, renderer } = window.zn.host;
    const id = Array.from({ length: engine.imageCount }, (_, i) => engine.imageName(i)).indexOf('im_backdrop_logo');
    return { shown: renderer.visible(id), ...renderer.rect(id) };
  });
  // Shown, it would lie whole on the screen and below the device.
  const fits = logo.x >= 0 && logo.x + logo.w <= kPhone.width && logo.y >= device.y + device.h;
  assert.equal(logo.shown, fits, `the logo ${JSON.stringify(logo)}`);
  assert.deepEqual(log.errors, []);
  await context.close();
});
