// The page's own rules that no browser run reaches directly, checked in Node on the page's
// modules: the controllers' reading handed to zn.wasm and the composing arithmetic (against
// the desktop's raster engine's values).
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import test from 'node:test';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const site = path.join(here, '../../web/site/js');

// Just enough of a page for the modules to load.
globalThis.document = { visibilityState: 'visible', addEventListener: () => {} };
let pads = [];
Object.defineProperty(globalThis, 'navigator', { value: { getGamepads: () => pads }, configurable: true });

const { Gamepads } = await import(path.join(site, 'gamepad.js'));
const { Picture, usePixelKernel } = await import(path.join(site, 'picture.js'));
const { Renderer } = await import(path.join(site, 'render.js'));
const { loadEngine } = await import(path.join(site, 'engine.js'));
const buildDir = process.env.ZN_BUILD_DIR || path.join(here, '../../build');
// The pixel arithmetic is zn.wasm's: the composing test needs the built module.
const wasmFile = path.join(buildDir, 'web/zn.wasm');
const engine = fs.existsSync(wasmFile) ? await loadEngine(fs.readFileSync(wasmFile)) : null;
if (engine) usePixelKernel(engine);

test('the controllers reach the module as the Gamepad API reports them', async (t) => {
  if (!fs.existsSync(wasmFile)) return t.skip(`no ${wasmFile} (configure with -DZN_BUILD_WEB=ON)`);
  const g = new Gamepads(await loadEngine(fs.readFileSync(wasmFile)), () => true);
  // Standard-mapping buttons by number: pressed, or an analogue value; both left-stick axes.
  const pad = (index, mapping, held, axes) => ({
    index, connected: true, mapping, axes,
    buttons: Array.from({ length: 17 }, (_, i) => held[i] || { pressed: false, value: 0 }),
  });
  const steps = [
    // X pressed, Start half way down, the stick right past half way and up below 30 %
    [[pad(3, 'standard', { 2: { pressed: true, value: 0 }, 9: { pressed: false, value: 0.6 } }, [0.51, -0.29])], [2, 3, 6]],
    [[pad(3, 'standard', { 9: { pressed: false, value: 0.4 } }, [-1, 1])], [5, 7]],
    [[pad(1, '', { 0: { pressed: true, value: 1 } }, [0, 0])], []], // no standard mapping
  ];
  for (const [state, held] of steps) {
    pads = state;
    g.poll();
    assert.deepEqual(g.forget(), held);
  }
});

// The desktop's raster engine (premultiplied source-over, x * a / 255 rounded as
// (t + (t >> 8) + 128) >> 8), computed here channel by channel in plain numbers.
function qtMul(x, a) {
  const t = x * a;
  return (t + (t >> 8) + 0x80) >> 8;
}

test('a picture is blended over the background with the desktop\'s rounding', (t) => {
  if (!fs.existsSync(wasmFile)) return t.skip(`no ${wasmFile} (configure with -DZN_BUILD_WEB=ON)`);
  const canvas = { width: 0, height: 0, getContext: () => ({ putImageData() {} }) };
  globalThis.ImageData = class {
    constructor(data, w, h) { this.data = data; this.width = w; this.height = h; }
  };
  // Straight colours and alphas over an opaque background (RGB).
  const cases = [
    [[200, 100, 50, 128], [255, 0, 255]],
    [[1, 2, 3, 1], [17, 34, 51]],
    [[255, 255, 255, 254], [0, 0, 0]],
    [[90, 180, 45, 77], [12, 250, 129]],
    [[10, 20, 30, 255], [200, 200, 200]],
    [[10, 20, 30, 0], [200, 201, 202]],
  ];
  // A pixel alone, and a row of them.
  for (const width of [1, 100]) {
    for (const [[r, g, b, a], bg] of cases) {
      const rd = new Renderer(canvas, engine);
      rd.setClientSize(width, 1);
      rd.setBackground(bg[0] | (bg[1] << 8) | (bg[2] << 16));
      const row = new Uint8Array(width * 4);
      for (let x = 0; x < width; ++x) row.set([r, g, b, a], x * 4);
      rd.setOwnPicture(1, Picture.fromStraightRGBA(width, 1, row));
      rd.showPictureOf(1, 1);
      rd.setRect(1, 0, 0, width, 1);
      rd.setVisible(1, true);
      rd.draw();
      const want = [r, g, b].map((c, i) => qtMul(c, a) + qtMul(bg[i], 255 - a)).concat(255);
      for (const x of [0, width - 1]) {
        const got = [...engine.frameImage().data.subarray(x * 4, x * 4 + 4)];
        assert.deepEqual(got, want, `${[r, g, b, a]} over ${bg}, pixel ${x} of ${width}`);
      }
    }
  }
});
