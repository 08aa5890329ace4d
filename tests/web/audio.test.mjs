// Sound starts with the first real gesture: the splash's PLAY button, or, on a page that starts
// without the splash, the first key or tap. The browser runs with a gesture required before
// sound, and until the gesture the test runs no script in the page (a scripted evaluation would
// count as a gesture itself): it waits for the page through a console line of a script laid in
// before the page's own, finds where to click through the DOM domain of the devtools protocol,
// and presses through the browser's input pipeline.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import path from 'node:path';
import test, { after } from 'node:test';

import { buildDir, kDeadlineMs, launch, presetStorage, requireSite, serve, siteDir, until } from './lib.mjs';

const chromium = await requireSite();
const server = await serve();
const browser = await launch(chromium);
after(async () => {
  await browser.close();
  await server.close();
});

// Laid into the page before its scripts: records every audio context and every voice started,
// and says on the console, once the device is drawn and the sounds decoded, the state of every
// audio context made so far.
function recorder() {
  const rec = { contexts: [], starts: [] };
  window.__znAudio = rec;
  const Ctx = window.AudioContext;
  window.AudioContext = class extends Ctx {
    constructor(...a) {
      super(...a);
      rec.contexts.push(this);
    }
  };
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...a) {
    rec.starts.push({ buffer: this.buffer, state: this.context.state });
    return start.apply(this, a);
  };
  const wait = setInterval(() => {
    if (!window.zn || !window.zn.ready) return;
    clearInterval(wait);
    window.zn.ready
      .then(() => window.zn.host.sounds.load())
      .then(() => console.log(`zn-test: ready ${JSON.stringify(rec.contexts.map((c) => c.state))}`));
  }, 10);
}

// The content quad (x1, y1, ... x4, y4) of the first element matching selector, in CSS
// pixels, read without a script.
async function boxOf(cdp, selector) {
  const { root } = await cdp.send('DOM.getDocument', { depth: -1 });
  const { nodeId } = await cdp.send('DOM.querySelector', { nodeId: root.nodeId, selector });
  assert.ok(nodeId, `no ${selector} in the page`);
  return (await cdp.send('DOM.getBoxModel', { nodeId })).model.content;
}

async function centreOf(cdp, selector) {
  const q = await boxOf(cdp, selector);
  return { x: (q[0] + q[4]) / 2, y: (q[1] + q[5]) / 2 };
}

// The power switch's click area in the canvas, as the skin checker reads the site's Config.ini.
function powerRect() {
  const check = path.join(buildDir, 'zorpy-nibbo-skin-check');
  const r = spawnSync(check, ['--rect', 'btn_power_top', path.join(siteDir, 'game', 'Config.ini')], { encoding: 'utf8' });
  assert.equal(r.status, 0, `${check}: ${r.stderr}`);
  const [left, top, width, height] = r.stdout.trim().split(/\s+/).map(Number);
  return { left, top, width, height };
}

const gestures = [
  {
    name: 'the splash dialog\'s PLAY button',
    settings: { SplashScreen: '1', SoundMode: '0', CtrlrOverlay: '1', FullscreenMode: '0' },
    async act(page, cdp) {
      const p = await centreOf(cdp, 'button[aria-label="PLAY"]');
      await page.mouse.click(p.x, p.y);
    },
    power: true, // the device is still off after PLAY: the power key then makes the first sound
  },
  {
    name: 'the first key, without the splash',
    settings: { SplashScreen: '0', SoundMode: '0', CtrlrOverlay: '1', FullscreenMode: '0' },
    async act(page) {
      await page.keyboard.press('Digit1');
    },
  },
  {
    name: 'the first tap, without the splash',
    settings: { SplashScreen: '0', SoundMode: '0', CtrlrOverlay: '1', FullscreenMode: '0' },
    async act(page, cdp) {
      const canvas = await boxOf(cdp, '#device');
      const r = powerRect(); // zoom 100: one canvas pixel per CSS pixel
      const p = { x: canvas[0] + r.left + r.width / 2, y: canvas[1] + r.top + r.height / 2, id: 1 };
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [p] });
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    },
  },
];

for (const g of gestures) {
  test(`sound after ${g.name}`, async () => {
    const context = await browser.newContext();
    await presetStorage(context, g.settings);
    await context.addInitScript(recorder);
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    const ready = page.waitForEvent('console', { predicate: (m) => m.text().startsWith('zn-test: ready'), timeout: kDeadlineMs });
    await page.goto(`${server.url}?zoom=100`);
    const before = JSON.parse((await ready).text().slice('zn-test: ready '.length));
    assert.ok(!before.includes('running'), `no sound before a gesture (audio contexts: ${before})`);

    const cdp = await context.newCDPSession(page);
    await g.act(page, cdp);
    await until(page, () => window.__znAudio.contexts.some((c) => c.state === 'running'), null, 'a running audio context');
    if (g.power) await page.keyboard.press('Digit1');
    // the power switch's start tune, on a running context
    await until(page, () => window.__znAudio.starts.some((s) => s.buffer === window.zn.host.sounds.buffers[7]), null, 'the start tune');
    const played = await page.evaluate(() => window.zn.host.sounds.played);
    assert.deepEqual(played.slice(-1), [7], 'the engine asked for the start tune');
    assert.deepEqual(errors, []);
    await context.close();
  });
}
