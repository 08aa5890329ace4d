// The page on the real animation-frame clock: a hidden tab stops the game's clock and a visible
// one starts it again without playing the time away; once the service worker has the site,
// a reload with the network off plays, with its sounds.
import assert from 'node:assert/strict';
import test, { after } from 'node:test';

import { defaultKeyCodes, kQuietSettings, launch, openGame, presetStorage, requireSite, serve, until } from './lib.mjs';

const chromium = await requireSite();
const browser = await launch(chromium);
after(() => browser.close());

// Laid into the page: frames(n, ms) resolves once n animation frames and at least ms of real
// time have passed; setVisibility(state) tells the page what a browser tells a page whose tab
// goes to the background or comes back (headless Chromium keeps every page visible):
// document.visibilityState, document.hidden and a visibilitychange event.
function helpers() {
  window.__znTest = {
    frames(n, ms) {
      return new Promise((resolve) => {
        const start = performance.now();
        const step = () => (--n <= 0 && performance.now() - start >= ms ? resolve() : requestAnimationFrame(step));
        requestAnimationFrame(step);
      });
    },
    setVisibility(state) {
      Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => state });
      Object.defineProperty(document, 'hidden', { configurable: true, get: () => state === 'hidden' });
      document.dispatchEvent(new Event('visibilitychange'));
    },
  };
}

test('a hidden tab stops the game clock; a visible one goes on from where it stood', async (t) => {
  const server = await serve();
  t.after(() => server.close());
  const context = await browser.newContext();
  await presetStorage(context, kQuietSettings);
  await context.addInitScript(helpers);
  const { page, log } = await openGame(context, server.url, 'zoom=100&seed=1');
  const keys = await defaultKeyCodes(page);
  await page.keyboard.press(keys.power);
  const t0 = await page.evaluate(() => window.zn.engine.now());
  await until(page, (t) => window.zn.engine.now() > t + 300, t0, 'the clock to run');

  // hidden for 40 frames and at least 600 ms: more than the clock's catch-up after a stall
  const hidden = await page.evaluate(async () => {
    window.__znTest.setVisibility('hidden');
    const at = window.zn.engine.now();
    const real = performance.now();
    await window.__znTest.frames(40, 600);
    return { at, after: window.zn.engine.now(), realMs: performance.now() - real };
  });
  assert.equal(hidden.after, hidden.at, `the clock moved while hidden for ${hidden.realMs.toFixed(0)} ms`);

  // visible again: the first frame does not play the time away
  const shown = await page.evaluate(async () => {
    const at = window.zn.engine.now();
    window.__znTest.setVisibility('visible');
    await window.__znTest.frames(1, 0);
    return { at, after: window.zn.engine.now() };
  });
  assert.ok(shown.after - shown.at < 250, `the clock jumped by ${shown.after - shown.at} ms when the tab came back`);
  await until(page, (t) => window.zn.engine.now() > t + 300, shown.after, 'the clock to run again');
  assert.deepEqual(log.errors, []);
  await context.close();
});

test('after one visit the page plays with the network off', async () => {
  const server = await serve();
  const context = await browser.newContext();
  await presetStorage(context, kQuietSettings);
  const { page, log } = await openGame(context, server.url);
  await until(page, () => navigator.serviceWorker && navigator.serviceWorker.controller !== null,
    null, 'the service worker to take the page');
  // Offline for the browser, and the site's server gone too (a service worker's own requests
  // do not follow the page's offline switch).
  await context.setOffline(true);
  await server.close();
  await page.reload();
  await page.waitForFunction(() => window.zn && window.zn.ready, null);
  await page.evaluate(() => window.zn.ready);
  assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null), 'the service worker served the page');
  const keys = await defaultKeyCodes(page);
  await page.keyboard.press(keys.power);
  assert.equal(await page.evaluate(() => window.zn.engine.mode()), 1, 'the power switch works offline');
  await until(page, () => window.zn.engine.mode() === 2, null, 'the start tune to end on the running clock');
  const sounds = await page.evaluate(() => window.zn.host.sounds.load().then(() => window.zn.host.sounds.buffers.map(Boolean)));
  assert.ok(sounds.length > 0 && !sounds.includes(false), `every sound decoded offline: ${sounds}`);
  assert.deepEqual(log.errors, []);
  await context.close();
});
