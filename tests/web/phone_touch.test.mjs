// A first visit on a phone held upright (390 x 844 CSS pixels, three device pixels each, touch)
// in the stored default display, the full-screen one.
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

test('a phone upright: the first screen, a resting thumb, a slide, vibration, no full screen unasked, a pinch', async () => {
  const phone = { width: 390, height: 844, deviceScaleFactor: 3, mobile: true, screenWidth: 390, screenHeight: 844 };
  const context = await browser.newContext({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 3 });
  await presetStorage(context, { SplashScreen: '0', SoundMode: '2' });
  await context.addInitScript(() => {
    window.__calls = { fullscreen: 0, vibrate: [], controls: [] };
    Element.prototype.requestFullscreen = async () => ++window.__calls.fullscreen;
    Navigator.prototype.vibrate = (ms) => window.__calls.vibrate.push(ms) > 0;
  });
  const page = await context.newPage(), log = watchConsole(page);
  await page.session.send('Emulation.setDeviceMetricsOverride', phone);
  await page.goto(server.url);
  await waitReady(page);
  // Each image's place on the page in CSS pixels (the logo's is the client's); the game's presses.
  const places = await page.evaluate(() => {
    const { engine: e, renderer: r, canvas } = window.zn.host;
    for (const op of ['press', 'release']) e[op] = ((real) => (c) => window.__calls.controls.push(`${op} ${c}`) && real(c))(e[op].bind(e));
    const k = canvas.getBoundingClientRect().width / canvas.width, s = r.scale;
    const place = ({ x, y, w, h }) => ({ x: (x * s.game + s.shiftX) * k, y: (y * s.game + s.shiftY) * k, w: w * s.game * k, h: h * s.game * k });
    const out = { logo: { ...r.rect(1), shown: r.visible(1) } };
    for (let id = 2; id < e.imageCount; ++id) out[e.imageName(id)] = place(r.rect(id));
    return out;
  });
  const device = places.im_background, logo = places.logo;
  assert.ok(Math.abs(device.x) < 1 && Math.abs(device.y) < 1 && Math.abs(device.w - 390) < 1, JSON.stringify(device));
  assert.equal(logo.shown, logo.x >= 0 && logo.x + logo.w <= 390 && logo.y >= device.y + device.h, JSON.stringify(logo));
  const centre = (name) => ({ x: places[name].x + places[name].w / 2, y: places[name].y + places[name].h / 2 });
  const [up, left, down] = ['btn_ctrlr_overlay_up', 'btn_ctrlr_overlay_left', 'btn_ctrlr_overlay_down'].map(centre);
  const touch = (type, ...at) => page.session.send('Input.dispatchTouchEvent', { type, touchPoints: at.map((p, i) => ({ ...p, id: i + 1 })) });
  const calls = () => page.evaluate(() => ({ ...window.__calls, controls: window.__calls.controls.splice(0).join(', ') }));
  const cases = [
    ['a thumb resting on the joystick', { x: up.x, y: (up.y + down.y) / 2 }, false, ''],
    ['a thumb just beside the left arrow', { x: left.x - places.btn_ctrlr_overlay_left.w * 0.9, y: left.y }, false, ''],
    ['a tap on power', centre('btn_power_top'), false, 'press 1'],
    ['a finger on the backdrop', { x: 195, y: 780 }, true, ''],
  ];
  for (const [what, at, menu, controls] of cases) {
    await touch('touchStart', at);
    await page.evaluate(() => new Promise((r) => setTimeout(r, 900)));
    assert.equal(await page.evaluate(() => !!document.querySelector('.zn-menu')), menu, what);
    await touch('touchEnd');
    assert.equal((await calls()).controls, controls, what);
    if (menu) await page.keyboard.press('Escape');
    await until(page, () => !document.querySelector('.zn-menu'), undefined, 'the menu to close');
  }
  // Left, slid onto up without lifting, then lifted.
  await touch('touchStart', left);
  await touch('touchMove', up);
  await touch('touchEnd');
  await page.keyboard.press('Digit2');
  assert.deepEqual(await calls(), { fullscreen: 0, vibrate: [10, 10, 10], controls: 'press 5, release 5, press 4, release 4, press 2, release 2' });
  // Full screen shown already: F12 leaves it, the next F12 asks the browser.
  for (const key of ['F12', 'F12']) await page.keyboard.press(key);
  assert.equal((await calls()).fullscreen, 1);
  // Two fingers spread on the backdrop below the device zoom the page.
  for (let d = 0; d <= 100; d += 5) await touch(d ? 'touchMove' : 'touchStart', { x: 150 - d, y: 760 }, { x: 240 + d, y: 790 });
  await touch('touchEnd');
  await until(page, () => visualViewport.scale > 1.5, undefined, 'the page zoomed');
  assert.deepEqual(log.errors, []);
  await context.close();
});
