// node bench/web/measure.mjs SITE_DIR [RUNS] [PLAY_SECONDS]
//
// The web edition's figures, in one headless Chromium (Debian's, driven by the web tests'
// devtools driver in tests/web/lib.mjs), printed as Markdown table rows for bench/run.sh:
//   - the site's code: HTML, CSS, JS and zn.wasm, each gzipped (-9), summed; no pictures or sounds
//   - time to the first drawn device (the body gets the class zn-ready), median of RUNS cold
//     loads (each in a new context: nothing cached, a new renderer), set against bare.html
//     drawing the same device picture on a canvas in the same run: the same skin pictures that
//     the site's first frame shows, at the same places
//   - main-thread time of an animation frame that runs a game tick, with its drawing (the
//     page's clock frame: engine.advance and the redraw), median and 99th percentile over
//     PLAY_SECONDS of play; and the longest main-thread task (devtools trace) while playing
//   - key press to changed pixels: a new game, the joystick's right key pressed; the time from
//     the key event to the frame whose canvas shows Nibbo gone from his start cell, and how
//     many frames after the frame that ran the tick using the key
// The pages are served with cross-origin isolation, so performance.now() counts in
// microseconds rather than in tenths of a millisecond.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const site = path.resolve(process.argv[2] || path.join(here, '../../build/web'));
const runs = Number(process.argv[3] || 7);
const playSeconds = Number(process.argv[4] || 20);
process.env.ZN_WEB_SITE = site;
const lib = await import(path.join(here, '../../tests/web/lib.mjs'));
const chromium = await lib.requireSite();

const isolated = { 'cross-origin-opener-policy': 'same-origin', 'cross-origin-embedder-policy': 'require-corp' };
const median = (v) => [...v].sort((a, b) => a - b)[Math.floor((v.length - 1) / 2)];
const pct = (v, p) => [...v].sort((a, b) => a - b)[Math.min(v.length - 1, Math.ceil(v.length * p) - 1)];
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const note = (s) => process.stderr.write(`[web] ${s}\n`);

// --- the code's size ---------------------------------------------------------------------------
// The files the page fetches (files.json, which assemble.sh writes), and the service worker.
function codeSize() {
  const listed = JSON.parse(fs.readFileSync(path.join(site, 'files.json'), 'utf8'));
  const files = [...listed, 'sw.js'].filter((f) => /^[^/]*(\/[^/]*)?\.(html|js|mjs|css|wasm|webmanifest)$/.test(f) && !f.startsWith('game/'))
    .map((f) => path.join(site, f));
  let all = 0;
  let wasm = 0;
  for (const f of files) {
    const n = zlib.gzipSync(fs.readFileSync(f), { level: 9 }).length;
    all += n;
    if (f.endsWith('.wasm')) wasm += n;
  }
  return { all, wasm, files: files.length };
}

// --- the browser ---------------------------------------------------------------------------------
const browser = await lib.launch(chromium);
const server = await lib.serve(site, isolated);
const bareDir = fs.mkdtempSync(path.join(os.tmpdir(), 'zn-bench-bare-'));
fs.copyFileSync(path.join(here, 'bare.html'), path.join(bareDir, 'index.html'));
fs.symlinkSync(path.join(site, 'game'), path.join(bareDir, 'game'));
const bare = await lib.serve(bareDir, isolated);

// Laid into every page: the moment the body first has the class zn-ready.
function drawnMark() {
  new MutationObserver((_, obs) => {
    if (document.body && document.body.classList.contains('zn-ready')) {
      window.__znDrawn = performance.now();
      obs.disconnect();
    }
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ['class'], childList: true });
}

// A new context opens a new browser window, which starts renderers of the browser's own
// (its omnibox popup) for a second or so: the load waits until they are done, as a page
// opened in a window already there does not share the machine's two cores with them.
const kWindowSettleMs = 1500;

async function firstDrawn(url) {
  const context = await browser.newContext();
  await lib.presetStorage(context, lib.kQuietSettings);
  await context.addInitScript(drawnMark);
  const page = await context.newPage();
  await sleep(kWindowSettleMs);
  await page.goto(url);
  const t = await lib.until(page, () => window.__znDrawn, null, 'the first drawn device');
  return { t, page, context };
}

try {
  const size = codeSize();
  note(`code: ${size.all} bytes gzipped in ${size.files} files`);

  // The bare page's pictures: those the site's first frame shows, in their stacking order.
  {
    const { page, context } = await firstDrawn(`${server.url}?zoom=100`);
    const list = await page.evaluate(async () => {
      const { engine, host } = window.zn;
      const skin = engine.askJson('zn_read_skin', [0, 1280, 1024], await (await fetch('game/Config.ini')).text());
      const images = [];
      for (const im of skin.images) {
        const r = host.renderer.rect(im.id);
        if (host.renderer.visible(im.id) && host.renderer.shows[im.id] && r.w > 0 && r.h > 0)
          images.push({ id: im.id, file: `game/${skin.skinDir}${im.fileName}`, x: r.x, y: r.y, w: r.w, h: r.h });
      }
      images.sort((a, b) => a.id - b.id);
      return { width: skin.clientWidth, height: skin.clientHeight, images };
    });
    fs.writeFileSync(path.join(bareDir, 'bare.json'), JSON.stringify(list));
    note(`the bare page draws ${list.images.length} pictures`);
    await context.close();
  }
  const siteT = [];
  const bareT = [];
  for (let i = 0; i < runs; ++i) {
    for (const [list, url] of [[siteT, `${server.url}?zoom=100`], [bareT, bare.url]]) {
      const r = await firstDrawn(url);
      list.push(r.t);
      await r.context.close();
    }
  }
  note(`first drawn device: site ${siteT.map((t) => t.toFixed(0))}, bare ${bareT.map((t) => t.toFixed(0))}`);

  // --- play: the cost of a tick's frame and the longest task -------------------------------------
  const context = await browser.newContext();
  await lib.presetStorage(context, lib.kQuietSettings);
  const page = await context.newPage();
  await page.goto(`${server.url}?zoom=100&seed=1`);
  await lib.waitReady(page);
  const keys = await lib.defaultKeyCodes(page);
  await page.evaluate(() => {
    const zn = window.zn;
    const clock = zn.host.clock;
    const engine = zn.engine;
    const tick = clock.tick.bind(clock);
    const rec = { frames: [], start: null };
    zn.bench = rec;
    const press = engine.press.bind(engine);
    engine.press = (c) => {
      const r = press(c);
      if (c === 3 && engine.mode() >= 7 && engine.mode() <= 10) rec.start = engine.now();
      return r;
    };
    // One frame of the page's clock: the engine moved to the frame's time, its changes drawn.
    clock.tick = (t) => {
      const before = engine.now();
      const a = performance.now();
      tick(t);
      const ms = performance.now() - a;
      const after = engine.now();
      const ticked = rec.start !== null && Math.floor((after - rec.start) / 120) > Math.floor((before - rec.start) / 120);
      rec.frames.push({ ms, ticked });
    };
  });
  const mode = () => page.evaluate(() => window.zn.engine.mode());
  const newGame = async () => {
    if ((await mode()) !== 0) await page.keyboard.press(keys.power);
    await page.keyboard.press(keys.power);
    await lib.until(page, () => window.zn.engine.mode() === 2, null, 'the end of the start tune');
    await page.keyboard.press(keys.select);
    await page.keyboard.press(keys.start);
  };
  await newGame();
  await page.evaluate(() => { window.zn.bench.frames = []; });
  await browser.browser.startTracing(page, { categories: ['devtools.timeline', 'toplevel', 'disabled-by-default-devtools.timeline'] });
  const dirs = ['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown'].map((d) => keys[{ ArrowLeft: 'left', ArrowUp: 'up', ArrowRight: 'right', ArrowDown: 'down' }[d]]);
  const end = Date.now() + playSeconds * 1000;
  let n = 0;
  while (Date.now() < end) {
    const k = dirs[Math.floor(Math.random() * 4)];
    await page.keyboard.down(k);
    await sleep(900);
    await page.keyboard.up(k);
    if (++n % 5 === 0) await page.keyboard.press(keys.start); // a new game after game over
  }
  const trace = JSON.parse((await browser.browser.stopTracing()).toString());
  const frames = await page.evaluate(() => window.zn.bench.frames);
  const tickMs = frames.filter((f) => f.ticked).map((f) => f.ms);
  const allMs = frames.map((f) => f.ms);
  const events = trace.traceEvents || trace;
  const main = new Set(events.filter((e) => e.name === 'thread_name' && e.args && e.args.name === 'CrRendererMain').map((e) => `${e.pid}:${e.tid}`));
  // A task is a RunTask (an older Chromium names it ThreadControllerImpl::RunTask, a newer one
  // wraps that in a RunTask: only the outer one counts).
  const taskName = events.some((e) => e.name === 'RunTask') ? 'RunTask' : 'ThreadControllerImpl::RunTask';
  const taskEvents = events.filter((e) => e.name === taskName && e.ph === 'X' && main.has(`${e.pid}:${e.tid}`));
  const tasks = taskEvents.map((e) => e.dur / 1000);
  // What the long ones did: the longest events inside each.
  for (const t of taskEvents.filter((e) => e.dur > 16000)) {
    const inner = events
      .filter((e) => e.ph === 'X' && e.pid === t.pid && e.tid === t.tid && e !== t && e.ts >= t.ts && e.ts + e.dur <= t.ts + t.dur)
      .sort((a, b) => b.dur - a.dur)
      .slice(0, 4)
      .map((e) => `${e.name}${e.args && e.args.data && e.args.data.type ? `(${e.args.data.type})` : ''} ${(e.dur / 1000).toFixed(1)} ms`);
    note(`a task of ${(t.dur / 1000).toFixed(1)} ms: ${inner.join(', ')}`);
  }
  if (!tasks.length) {
    const names = {};
    for (const e of events) names[e.name] = (names[e.name] || 0) + 1;
    note(`no main-thread tasks in the trace; its events: ${JSON.stringify(names).slice(0, 600)}`);
  }
  note(`play: ${frames.length} frames, ${tickMs.length} with a tick, ${tasks.length} main-thread tasks`);

  // --- key press to changed pixels ---------------------------------------------------------------
  const delays = [];
  for (let i = 0; i < 5; ++i) {
    await newGame();
    await page.evaluate(() => {
      const zn = window.zn;
      const engine = zn.engine;
      const id = Array.from({ length: engine.imageCount }, (_, j) => engine.imageName(j)).indexOf('im_nibbo_06_03');
      const r = zn.host.renderer.rect(id); // {x, y, w, h} in client pixels: zoom 100, one per canvas pixel
      const g = document.createElement('canvas').getContext('2d', { willReadFrequently: true });
      g.canvas.width = r.w;
      g.canvas.height = r.h;
      const look = () => {
        g.clearRect(0, 0, r.w, r.h);
        g.drawImage(zn.host.canvas, r.x, r.y, r.w, r.h, 0, 0, r.w, r.h);
        return g.getImageData(0, 0, r.w, r.h).data.join();
      };
      const m = { key: null, frame: 0, tickFrame: null, pixelFrame: null, pixelAt: null, first: look() };
      zn.keyToPixels = m;
      window.addEventListener('keydown', (e) => { if (m.key === null) m.key = e.timeStamp; }, { capture: true, once: true });
      const frame = (t) => {
        ++m.frame;
        if (m.key !== null && m.tickFrame === null && !engine.visible(id)) m.tickFrame = m.frame;
        if (m.key !== null && m.pixelFrame === null && look() !== m.first) {
          m.pixelFrame = m.frame;
          m.pixelAt = t;
        }
        if (m.pixelFrame === null) requestAnimationFrame(frame);
      };
      requestAnimationFrame(frame);
    });
    await page.keyboard.down(keys.right);
    const m = await lib.until(page, () => window.zn.keyToPixels.pixelFrame !== null && window.zn.keyToPixels, null, 'Nibbo to leave his cell');
    await page.keyboard.up(keys.right);
    delays.push({ ms: m.pixelAt - m.key, after: m.pixelFrame - m.tickFrame });
  }
  await context.close();

  const ratio = median(siteT) / median(bareT);
  const ok = (c) => (c ? 'yes' : '**no**');
  const longest = Math.max(...tasks);
  const over16 = tasks.filter((d) => d > 16).length;
  const worstAfter = Math.max(...delays.map((d) => d.after));
  const rows = [
    `| Web: the site's code, gzipped (HTML, CSS, JS and zn.wasm; no pictures or sounds) | ${(size.all / 1024).toFixed(1)} KB in ${size.files} files, of which zn.wasm ${(size.wasm / 1024).toFixed(1)} KB | ≤ 150 KB | ${ok(size.all <= 150 * 1024)} |`,
    `| Web: time to the first drawn device, median of ${runs} cold loads | ${median(siteT).toFixed(0)} ms = ${ratio.toFixed(2)} × the bare page's ${median(bareT).toFixed(0)} ms | ≤ 1.5 × bare | ${ok(ratio <= 1.5)} |`,
    `| Web: main-thread time of a frame with a tick and its drawing, median / p99 (${playSeconds} s of play) | ${median(tickMs).toFixed(3)} / ${pct(tickMs, 0.99).toFixed(3)} ms over ${tickMs.length} ticks (every frame: ${median(allMs).toFixed(3)} ms median, ${allMs.length} frames) | median ≤ 0.2 ms | ${ok(median(tickMs) <= 0.2)} |`,
    `| Web: longest main-thread task while playing (devtools trace) | ${longest.toFixed(1)} ms of ${tasks.length} tasks, ${over16} over 16 ms | none over 16 ms | ${ok(over16 === 0)} |`,
    `| Web: key press to changed pixels (joystick right at a new game's start; 5 times) | drawn ${worstAfter} frames after the frame of the tick that used the key, at most; ${delays.map((d) => d.ms.toFixed(0)).join(', ')} ms from the key (Nibbo's first step waits for his step tick) | ≤ 1 frame after the tick | ${ok(worstAfter <= 1)} |`,
  ];
  console.log(rows.join('\n'));
} finally {
  await browser.close();
  await server.close();
  await bare.close();
  fs.rmSync(bareDir, { recursive: true, force: true });
}
