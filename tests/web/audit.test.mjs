// What outside auditors check on the page, as Chromium itself shows it: nothing moves while
// the device appears, the page may be pinch-zoomed while the device keeps its own touches, the
// dialogs' links and buttons are targets of at least 24 x 24 CSS pixels, and the start dialog's
// pictures are not enlarged on a high-density screen.
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
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  return { context, page };
}

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
  const style = await page.evaluate(() => ({
    device: getComputedStyle(window.zn.host.canvas).touchAction,
    page: getComputedStyle(document.body).touchAction,
  }));
  assert.deepEqual(style, { device: 'none', page: 'manipulation' });
  // Two fingers spread below the start dialog: the page zooms, the device and the dialog keep
  // their sizes in the page (they are not fitted to the zoomed viewport again).
  const sizes = () => page.evaluate(() => ({
    zoomed: visualViewport.scale > 1.5, device: window.zn.host.canvas.style.width,
    dialog: document.querySelector('.zn-splash').style.transform,
  }));
  const before = await sizes();
  const cdp = await context.newCDPSession(page);
  const touch = (type, pts) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: pts });
  const fingers = (d) => [{ x: 150 - d, y: 760, id: 1 }, { x: 240 + d, y: 790, id: 2 }];
  await touch('touchStart', fingers(0).slice(0, 1));
  await touch('touchStart', fingers(0));
  for (let d = 5; d <= 100; d += 5) await touch('touchMove', fingers(d));
  await touch('touchEnd', []);
  await until(page, () => visualViewport.scale > 1.5, undefined, 'the page zoomed');
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  assert.deepEqual(await sizes(), { ...before, zoomed: true });
  await context.close();
});

// Every link and button of a dialog (the root selector) that shows, by its size on screen.
const small = (page, root) =>
  page.evaluate((sel) => [...document.querySelectorAll(`${sel} a, ${sel} button`)]
    .map((e) => [e.textContent || e.querySelector('img')?.alt, e.getBoundingClientRect()])
    .filter(([, r]) => r.width > 0)
    .filter(([, r]) => r.width < 24 || r.height < 24)
    .map(([t, r]) => `${t}: ${r.width.toFixed(1)} x ${r.height.toFixed(1)}`), root);

for (const [name, view] of [['a phone', kPhone], ['a desktop', kDesktop]]) {
  test(`the start dialog's links and buttons are 24 px targets, its pictures sharp, on ${name}`, async () => {
    const { context, page } = await visit(view, null);
    await until(page, () => document.querySelector('.zn-splash:not([hidden]) a'), undefined, 'the start dialog');
    assert.equal(await page.evaluate(() => document.querySelectorAll('.zn-splash a').length), 2);
    assert.deepEqual(await small(page, '.zn-splash'), []);
    // Its pictures have the pixels the screen shows (its density, up to 2): none enlarged.
    const enlarged = await page.evaluate(async () => {
      const shown = [...document.querySelectorAll('.zn-splash img')].filter((i) => i.getBoundingClientRect().width);
      const density = Math.min(2, window.devicePixelRatio);
      const out = [];
      for (const img of shown) {
        await img.decode(); // loaded: currentSrc names the file taken
        const file = new Image();
        file.src = img.currentSrc;
        await file.decode();
        const box = img.getBoundingClientRect();
        if (file.naturalWidth < box.width * density || file.naturalHeight < box.height * density)
          out.push(`${img.currentSrc}: ${file.naturalWidth} x ${file.naturalHeight} for ${box.width} x ${box.height}`);
      }
      return shown.length ? out : ['no picture shown'];
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
  await until(page, () => document.querySelector('.zn-about:not([hidden]) a'), undefined, 'the about dialog');
  assert.deepEqual(await small(page, '.zn-about'), []);
  await context.close();
});
