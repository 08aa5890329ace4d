// What outside auditors check, as Chromium shows it: nothing moves as the device appears, the
// page pinch-zooms while the device keeps its touches, the dialogs' links and buttons are 24 x 24
// CSS px targets at least, the start dialog's pictures are not enlarged on a dense screen.
import assert from 'node:assert/strict';
import test, { after } from 'node:test';

import { kQuietSettings, launch, presetStorage, requireSite, serve, until, waitReady } from './lib.mjs';

const chromium = await requireSite();
const server = await serve();
const browser = await launch(chromium);
after(async () => {
  await browser.close();
  await server.close();
});

const kPhone = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, hasTouch: true };
const kDesktop = { viewport: { width: 1280, height: 800 }, deviceScaleFactor: 1, hasTouch: false };
const kWindowed = { ...kQuietSettings, SplashScreen: '1' };
// A first visit (settings: what localStorage holds before it), its layout shifts summed from
// the start of the document until the device is drawn and the page is ready, two frames on.
async function visit(view, settings, query = '') {
  const context = await browser.newContext(view);
  if (settings) await presetStorage(context, settings);
  await context.addInitScript(() => {
    window.znShift = 0;
    new PerformanceObserver((list) => {
      for (const e of list.getEntries()) if (!e.hadRecentInput) window.znShift += e.value;
    }).observe({ type: 'layout-shift', buffered: true });
  });
  const page = await context.newPage();
  await page.goto(server.url + query);
  await waitReady(page);
  await frames(page);
  return { context, page };
}
const frames = (page) => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));

const shifts = [
  ['full screen on a phone, the default', kPhone, null],
  ['full screen on a desktop, the default', kDesktop, null],
  ['a window fitted to the viewport', kDesktop, kWindowed],
  ['a window at ?zoom=100', kDesktop, kWindowed, '?zoom=100'],
  ['a window at ?zoom=50 on a phone', kPhone, kWindowed, '?zoom=50'],
];
for (const [name, view, settings, query] of shifts) {
  test(`nothing moves as the device appears: ${name}`, async () => {
    const { context, page } = await visit(view, settings, query);
    const shift = await page.evaluate(() => window.znShift);
    assert.ok(shift <= 0.02, `layout shift ${shift}`);
    await context.close();
  });
}

test('pinch zoom is allowed and enlarges the page, and the device canvas takes its own touches', async () => {
  const { context, page } = await visit(kPhone, kWindowed);
  const meta = await page.evaluate(() => document.querySelector('meta[name=viewport]').content);
  assert.doesNotMatch(meta, /user-scalable\s*=\s*(no|0)\b/);
  const max = /maximum-scale\s*=\s*([\d.]+)/.exec(meta);
  assert.ok(!max || Number(max[1]) >= 5, `maximum-scale ${max?.[1]}`);
  const touchAction = () => [window.zn.host.canvas, document.body].map((e) => getComputedStyle(e).touchAction);
  assert.deepEqual(await page.evaluate(touchAction), ['none', 'manipulation']); // the device's, the page's
  // Two fingers spread below the dialog: the page zooms, not fitting the device or dialog again.
  const sizes = () => page.evaluate(() => [visualViewport.scale > 1.5, window.zn.host.canvas.style.width,
    document.querySelector('.zn-splash').style.transform]);
  const before = await sizes();
  const touch = (type, pts) => page.session.send('Input.dispatchTouchEvent', { type, touchPoints: pts });
  const fingers = (d) => [{ x: 150 - d, y: 760, id: 1 }, { x: 240 + d, y: 790, id: 2 }];
  for (const n of [1, 2]) await touch('touchStart', fingers(0).slice(0, n));
  for (let d = 5; d <= 100; d += 5) await touch('touchMove', fingers(d));
  await touch('touchEnd', []);
  await until(page, () => visualViewport.scale > 1.5, undefined, 'the page zoomed');
  await frames(page);
  assert.deepEqual(await sizes(), [true, ...before.slice(1)]);
  await context.close();
});

// Every link and button of a dialog (the root selector) that shows, by its size on screen.
const small = (page, root) =>
  page.evaluate((sel) => [...document.querySelectorAll(`${sel} a, ${sel} button`)]
    .map((e) => [e.textContent || e.querySelector('img')?.alt, e.getBoundingClientRect()])
    .filter(([, r]) => r.width > 0 && (r.width < 24 || r.height < 24))
    .map(([t, r]) => `${t}: ${r.width.toFixed(1)} x ${r.height.toFixed(1)}`), root);

for (const [name, view] of [['a phone', kPhone], ['a desktop', kDesktop]]) {
  test(`the start dialog's links and buttons are 24 px targets, its pictures sharp, on ${name}`, async () => {
    const { context, page } = await visit(view, null);
    await until(page, () => document.querySelectorAll('.zn-splash:not([hidden]) a').length === 2, null, 'the links');
    assert.deepEqual(await small(page, '.zn-splash'), []);
    // Its pictures have the pixels the screen shows (its density, up to 2): none enlarged.
    const enlarged = await page.evaluate(async () => {
      const shown = [...document.querySelectorAll('.zn-splash img')].filter((i) => i.getBoundingClientRect().width);
      const density = Math.min(2, window.devicePixelRatio);
      const out = shown.length ? [] : ['no picture shown'];
      for (const img of shown) {
        await img.decode(); // loaded: currentSrc names the file taken
        const file = Object.assign(new Image(), { src: img.currentSrc });
        await file.decode();
        const box = img.getBoundingClientRect();
        if (file.naturalWidth < box.width * density || file.naturalHeight < box.height * density)
          out.push(`${img.currentSrc}: ${file.naturalWidth} x ${file.naturalHeight} for ${box.width} x ${box.height}`);
      }
      return out;
    });
    assert.deepEqual(enlarged, []);
    await context.close();
  });
}

test("the about dialog's links and buttons are 24 px targets", async () => {
  const { context, page } = await visit(kDesktop, kQuietSettings, '?zoom=100');
  await page.mouse.click(640, 400, { button: 'right' });
  await until(page, () => document.querySelector('.zn-menu-item'), undefined, 'the menu');
  await page.locator('.zn-menu-item', { hasText: 'About...' }).click();
  await until(page, () => document.querySelectorAll('.zn-about:not([hidden]) a').length === 2, null, 'the links');
  assert.deepEqual(await small(page, '.zn-about'), []);
  await context.close();
});
