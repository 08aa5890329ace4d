// What every browser test of the web edition shares: the built site served on a free port of
// its own, Debian's Chromium driven over the devtools protocol by tools/webdriver/chromium.mjs,
// pages opened with settings in localStorage, the page's canvas read back, waits with deadlines.
//
// Environment (set by tests/web/CMakeLists.txt):
//   ZN_WEB_SITE   the built site (build/web); a test exits 77 (skipped) when it was not built
//   ZN_BUILD_DIR  the build folder (the desktop program in game/, zorpy-nibbo-script)
//   ZN_CHROMIUM   the browser, /usr/bin/chromium unless set
import fs from 'node:fs';
import path from 'node:path';
import { kDeadlineMs, launch, serve as serveFolder } from '../../tools/webdriver/chromium.mjs';

export { kDeadlineMs, launch };

export const kSkipped = 77;

export const siteDir = path.resolve(process.env.ZN_WEB_SITE || 'build/web');
export const buildDir = path.resolve(process.env.ZN_BUILD_DIR || path.dirname(siteDir));
const chromiumPath = process.env.ZN_CHROMIUM || '/usr/bin/chromium';

// The browser to launch(), or a clear error when there is none; skips the whole test when the
// site is not built (the web edition is off in this build folder).
export async function requireSite() {
  if (!fs.existsSync(path.join(siteDir, 'index.html')) || !fs.existsSync(path.join(siteDir, 'zn.wasm'))) {
    console.log(`SKIPPED: no web edition in ${siteDir} (configure with -DZN_BUILD_WEB=ON and build)`);
    process.exit(kSkipped);
  }
  if (!fs.existsSync(chromiumPath)) {
    console.error(`no browser at ${chromiumPath}: apt-get install chromium`);
    process.exit(1);
  }
  return { executablePath: chromiumPath };
}

// The site (or another folder) served on a free port.
export const serve = (dir = siteDir, headers = {}) => serveFolder(dir, headers);

// The settings a test's page starts with: no splash, "(no sound)" (SoundMode 2, as on the
// desktop; 0 is "Web Audio") unless a test wants sound,
// windowed, the controller overlays on (as the desktop references are taken).
export const kQuietSettings = { SplashScreen: '0', SoundMode: '2', FullscreenMode: '0', CtrlrOverlay: '1' };

// Puts settings into the site's localStorage before any of its scripts run, on the first
// load only (a reload keeps what the page stored).
export async function presetStorage(context, settings) {
  await context.addInitScript((values) => {
    try {
      if (location.protocol !== 'http:' || sessionStorage.getItem('__zn_test_preset__')) return;
      sessionStorage.setItem('__zn_test_preset__', '1');
      for (const [k, v] of Object.entries(values)) localStorage.setItem(k, v);
    } catch {
      // a frame without storage
    }
  }, settings);
}

// Collects what the page says on its console and every uncaught error.
export function watchConsole(page) {
  const errors = [];
  const lines = [];
  page.on('console', (m) => {
    lines.push(`${m.type()}: ${m.text()}`);
    if (m.type() === 'error') errors.push(`console: ${m.text()}`);
  });
  page.on('pageerror', (e) => errors.push(`uncaught: ${e.message}`));
  page.on('requestfailed', (r) => errors.push(`request failed: ${r.url()} ${r.failure()?.errorText}`));
  page.on('response', (r) => r.status() >= 400 && errors.push(`HTTP ${r.status()}: ${r.url()}`));
  return { errors, lines };
}

// Opens the site with the query (e.g. 'zoom=100&clock=manual&seed=3') and waits until
// window.zn.ready has resolved.
export async function openGame(context, base, query = '') {
  const page = await context.newPage();
  const log = watchConsole(page);
  await page.goto(base + (query ? `?${query}` : ''));
  await waitReady(page);
  return { page, log };
}

export async function waitReady(page) {
  await page.waitForFunction(() => window.zn && window.zn.ready, null, { timeout: kDeadlineMs });
  await page.evaluate(() => window.zn.ready);
}

// Polls fn (in the page) until it returns a truthy value, which it resolves to.
export async function until(page, fn, arg, what = 'a condition') {
  try {
    const h = await page.waitForFunction(fn, arg, { timeout: kDeadlineMs, polling: 50 });
    return await h.jsonValue();
  } catch (e) {
    throw new Error(`waited ${kDeadlineMs} ms for ${what}: ${e.message.split('\n')[0]}`);
  }
}

// --- the device ----------------------------------------------------------------------------------

// The controls as engine.press numbers them, and the script driver's words for them.
export const kControls = { power: 1, select: 2, start: 3, up: 4, left: 5, right: 6, down: 7 };

// The KeyboardEvent.code of each control's default key, from the engine's key table (its
// virtual-key codes: digits, letters, the arrows, ...).
export async function defaultKeyCodes(page) {
  const table = await page.evaluate(() => {
    const e = window.zn.engine;
    return { keys: e.askJson('zn_key_table'), index: [1, 2, 3, 4, 5, 6, 7].map((b) => e.ask('zn_default_key_index', [b])) };
  });
  const byIndex = new Map(table.keys.map((k) => [k.index, k]));
  const codes = {};
  for (const [name, n] of Object.entries(kControls)) {
    const vk = byIndex.get(table.index[n - 1]).code;
    codes[name] = vkToCode(vk);
  }
  return codes;
}

function vkToCode(vk) {
  if (vk >= 0x30 && vk <= 0x39) return `Digit${vk - 0x30}`;
  if (vk >= 0x41 && vk <= 0x5a) return `Key${String.fromCharCode(vk)}`;
  const named = { 0x25: 'ArrowLeft', 0x26: 'ArrowUp', 0x27: 'ArrowRight', 0x28: 'ArrowDown', 0x20: 'Space',
    0x0d: 'Enter', 0x10: 'ShiftLeft', 0x11: 'ControlLeft' };
  if (named[vk]) return named[vk];
  throw new Error(`no key code for virtual key ${vk}`);
}

// The page's canvas as RGBA bytes with its size: {width, height, data: Buffer}. The canvas
// is copied onto a scratch canvas of the same size at (0, 0), which keeps every opaque and
// every fully see-through pixel as it is.
export async function canvasPixels(page) {
  const r = await page.evaluate(() => {
    const c = window.zn.host.canvas;
    const copy = document.createElement('canvas');
    copy.width = c.width;
    copy.height = c.height;
    const g = copy.getContext('2d');
    g.drawImage(c, 0, 0);
    const d = g.getImageData(0, 0, c.width, c.height).data;
    let s = '';
    for (let i = 0; i < d.length; i += 0x8000) s += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));
    return { width: c.width, height: c.height, b64: btoa(s) };
  });
  return { width: r.width, height: r.height, data: Buffer.from(r.b64, 'base64') };
}

// The default skin as the page's engine reads it (the site's game/Config.ini), windowed.
export async function skinLayout(page) {
  return page.evaluate(async () => {
    const text = await (await fetch('game/Config.ini')).text();
    return window.zn.engine.askJson('zn_read_skin', [0, 1280, 1024], text);
  });
}

// The image of the skin named so (btn_power_top ...), with its rectangle in the canvas.
export function imageRect(skin, names, name) {
  const id = names.indexOf(name);
  const im = skin.images.find((i) => i.id === id);
  if (!im) throw new Error(`the skin places no image ${name}`);
  return im;
}

export async function imageNames(page) {
  return page.evaluate(() => {
    const e = window.zn.engine;
    return Array.from({ length: e.imageCount }, (_, i) => e.imageName(i));
  });
}

// Where a point of the canvas lies in the page's CSS pixels.
export async function canvasPoint(page, x, y) {
  const box = await page.evaluate(() => {
    const r = window.zn.host.canvas.getBoundingClientRect();
    return { left: r.left, top: r.top, sx: r.width / window.zn.host.canvas.width, sy: r.height / window.zn.host.canvas.height };
  });
  return { x: box.left + x * box.sx, y: box.top + y * box.sy };
}
