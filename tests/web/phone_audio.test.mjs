// The page on a phone: a first visit fetches, before the device is drawn, one picture of each
// x.png / x@2x.png pair, none of the hidden joystick and no sound, and draws the same pixels
// once loaded as the page smooths afterwards; the stored Volume reaches the output gain; after an app
// switch the sound comes back, and what was asked for while it was away is never played late.
import assert from 'node:assert/strict';
import test, { after } from 'node:test';

import { kQuietSettings, launch, openGame, presetStorage, requireSite, serve, until } from './lib.mjs';

const chromium = await requireSite();
const server = await serve();
const browser = await launch(chromium);
after(async () => {
  await browser.close();
  await server.close();
});

const kPhone = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, hasTouch: true };
const kDesktop = { viewport: { width: 1280, height: 800 }, deviceScaleFactor: 1, hasTouch: false };

async function open(options, settings, query = '') {
  const context = await browser.newContext(options);
  await presetStorage(context, settings);
  // every voice started, with its context's state at that moment
  await context.addInitScript(() => {
    const started = (window.__znStarts = []);
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...a) {
      started.push(this.context.state);
      return start.apply(this, a);
    };
  });
  return { context, ...(await openGame(context, server.url, query)) };
}

test('a first visit fetches one picture of each pair and no sound before the first frame', async () => {
  for (const [options, query, want] of [[kPhone, '', '@2x.png'], [kDesktop, 'zoom=100', '.png']]) {
    const { context, page, log } = await open(options, {}, query);
    const names = await page.evaluate(() => {
      const drawn = performance.getEntriesByName('zn-first-draw')[0].startTime;
      return performance.getEntriesByType('resource').filter((r) => r.startTime < drawn).map((r) => new URL(r.name).pathname);
    });
    const pictures = names.filter((n) => n.endsWith('.png'));
    assert.ok(pictures.includes(`/game/Graphics/Skin/background${want}`), `${query}: ${pictures}`);
    for (const p of pictures) assert.ok(!pictures.includes(p.replace(/(@2x)?\.png$/, (m) => (m === '.png' ? '@2x.png' : '.png'))), `both of ${p}`);
    assert.deepEqual(names.filter((n) => /\.(mp3|wav)$/.test(n)), [], 'no sound before the first frame');
    assert.ok(!pictures.some((p) => p.includes('/joystick')), `the joystick, hidden by the overlay: ${pictures}`);
    const approximate = await page.evaluate(() => {
      const own = window.zn.host.renderer.own.filter(Boolean);
      return [...own, ...own.flatMap((p) => [...p.scaled.values()])].filter((p) => p.approximate).length;
    });
    assert.equal(approximate, 0, 'pictures made from their partners, and copies smoothed by the worker, are exact');
    // What the worker smoothed while loading is what the page smooths itself afterwards.
    const drawn = () => {
      const c = document.getElementById('device');
      let hash = 2166136261;
      for (const v of c.getContext('2d').getImageData(0, 0, c.width, c.height).data) hash = Math.imul(hash ^ v, 16777619);
      return hash;
    };
    const loaded = await page.evaluate(drawn);
    await page.evaluate(() => {
      const r = window.zn.host.renderer;
      r.dropScaled();
      r.invalidateAll();
      r.draw();
    });
    assert.equal(await page.evaluate(drawn), loaded, `${query}: the device as smoothed after loading`);
    await page.evaluate(() => window.zn.host.sounds.load());
    assert.ok(await page.evaluate(() => window.zn.host.sounds.buffers.every(Boolean)), 'every sound decoded after it');
    assert.deepEqual(log.errors, []);
    await context.close();
  }
});

test('the stored Volume is the output gain', async () => {
  for (const [stored, gain] of [['40', 0.4], [null, 1], ['0', 0], ['150', 1], ['loud', 1]]) {
    const settings = { ...kQuietSettings, SoundMode: '0', ...(stored === null ? {} : { Volume: stored }) };
    const { context, page } = await open(kPhone, settings, 'zoom=100');
    await page.keyboard.press('Digit1'); // the gesture that makes the audio context
    await until(page, () => window.zn.host.sounds.gain, null, 'the output gain');
    assert.equal(await page.evaluate(() => window.zn.host.sounds.gain.gain.value), Math.fround(gain), `Volume ${stored}`);
    await page.evaluate(() => window.zn.host.sounds.setVolume(25));
    assert.equal(await page.evaluate(() => window.zn.host.sounds.gain.gain.value), 0.25);
    await context.close();
  }
});

test('after an app switch the sound comes back; one asked for while away is dropped', async () => {
  const { context, page, log } = await open(kPhone, { ...kQuietSettings, SoundMode: '0' }, 'zoom=100');
  await page.evaluate(() => window.zn.host.sounds.load());
  await page.keyboard.press('Digit1');
  await until(page, () => window.zn.host.sounds.ctx && window.zn.host.sounds.ctx.state === 'running', null, 'sound');
  for (const back of ['visibilitychange', 'pageshow']) {
    const away = await page.evaluate(async () => {
      const { sounds } = window.zn.host;
      await sounds.ctx.suspend(); // what a phone does to the page's audio in another app
      const before = window.__znStarts.length;
      sounds.play([0]);
      return window.__znStarts.length - before;
    });
    assert.equal(away, 0, `${back}: a sound started while suspended`);
    await page.evaluate((type) => {
      if (type === 'pageshow') window.dispatchEvent(new PageTransitionEvent('pageshow', { persisted: true }));
      else document.dispatchEvent(new Event('visibilitychange'));
    }, back);
    await until(page, () => window.zn.host.sounds.ctx.state === 'running', null, `the sound back on ${back}`);
    const starts = await page.evaluate(() => {
      window.zn.host.sounds.play([0]);
      return window.__znStarts.slice(-1);
    });
    assert.deepEqual(starts, ['running'], back);
  }
  assert.deepEqual(log.errors, []);
  await context.close();
});
