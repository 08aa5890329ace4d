// The page: loads the engine, lays the skin onto the canvas, runs the clock, the sound and the
// input, and hands the menus and dialogs one `host` object to work the device through.
//
// Address options: ?zoom=PERCENT fixes the device's scale (else it fills the viewport, its
// proportions kept); ?seed=N seeds the ghosts' generator as the script driver's `seed N` does;
// ?clock=manual stops the real-time clock (tests move it with window.zn.advance(ms)).

import { loadEngine } from './engine.js';
import { createStore } from './store.js';
import { smoothingDone, smoothWhileLoading, usePixelKernel } from './picture.js';
import { Renderer } from './render.js';
import { DeviceView } from './view.js';
import { makeHost } from './host.js';
import { SkinLayout } from './layout.js';
import { serverFiles } from './files.js';
import { GameClock } from './clock.js';
import { Sounds } from './audio.js';
import { Input } from './input.js';
import { Gamepads } from './gamepad.js';
import { DisplayMode } from './fullscreen.js';
import { showSplash } from './splash.js';
import { Narration } from './narration.js';
// The menus, the skin loader and the recorded games (menu.js, gamemenu.js, skindrop.js,
// replay.js) are imported once the device is drawn: they are not needed for the first picture.
// An address #replay=DATA plays the recording the link carries (replay.js).

const params = new URLSearchParams(location.search);

function zoomParam() {
  const z = params.get('zoom');
  const n = z !== null && /^\d+$/.test(z) ? Number(z) : 0;
  return n >= 10 && n <= 1000 ? n : null;
}

function seedParam() {
  const s = params.get('seed');
  if (s !== null && /^\d+$/.test(s) && Number.isSafeInteger(Number(s))) return Number(s);
  return crypto.getRandomValues(new Uint32Array(1))[0];
}

// The engine, the file list and Config.ini side by side (index.html started fetching them and
// the default skin's pictures already).
async function loadParts() {
  const files = serverFiles('game/');
  const iniText = files.then((source) => source.text('Config.ini'));
  // index.html started fetching zn.wasm; where it could not, it is loaded here.
  const early = globalThis.znPrefetch instanceof Map ? globalThis.znPrefetch.get('zn.wasm') : null;
  const engine = await loadEngine((await Promise.resolve(early).catch(() => null)) || 'zn.wasm');
  performance.mark('zn-engine-loaded');
  usePixelKernel(engine);
  return { engine, serverSource: await files, defaultIni: await iniText };
}

async function start() {
  const canvas = document.getElementById('device');
  const { engine, serverSource, defaultIni } = await loadParts();
  const seed = seedParam();
  engine.reset(seed);
  const store = createStore(engine);
  const manual = params.get('clock') === 'manual';

  const renderer = new Renderer(canvas, engine);
  smoothWhileLoading((pic) => {
    renderer.repaint(pic);
    renderer.draw();
  });
  const skin = { layout: new SkinLayout(engine, renderer, serverSource), ini: defaultIni };
  const view = new DeviceView(engine, renderer, canvas, store, zoomParam(), skin);
  const sounds = new Sounds(engine.askJson('zn_sample_files'), store.get('Volume')); // loaded once the device is drawn
  const gamepads = new Gamepads(engine, () => document.hasFocus() && !blocked());
  const narration = new Narration(engine, canvas);
  engine.ask('zn_set_speed', [store.get('Speed')]);
  let afterUpdate = null; // replay.js's mark, once imported

  // Draws what changed and plays what the engine asked for since the last call.
  function update() {
    if (!manual) gamepads.poll();
    // A window moved to a screen of another pixel density may bring no resize event.
    if ((window.devicePixelRatio || 1) !== view.shownDensity) view.onResize();
    for (const i of engine.takeChanged()) view.syncImage(i);
    const events = engine.takeSounds();
    if (events.length) sounds.play(events);
    renderer.draw();
    narration.update();
    afterUpdate?.();
  }

  function press(c) {
    engine.press(c);
    update();
  }

  function release(c) {
    if (!engine.ask('zn_control_has_release', [c])) return;
    engine.release(c);
    update();
  }

  function blocked() {
    return document.body.classList.contains('zn-modal-open');
  }

  window.addEventListener('resize', () => view.onResize());
  if (window.visualViewport) window.visualViewport.addEventListener('resize', () => view.onResize());
  // The device is drawn first; the rest of the page is set up a task later (whoever waits for
  // the drawn device hears of it before that starts).
  const first = await view.relayout();
  if (first && first.error) throw new Error(first.error);
  performance.mark('zn-first-draw');
  const fetchRest = serverSource.hold(); // the start dialog's pictures first, then the rest
  document.body.classList.add('zn-ready');
  await new Promise((r) => setTimeout(r, 0));

  const display = new DisplayMode((on, byBrowser) => {
    view.fullscreen = on;
    if (byBrowser) store.set('FullscreenMode', 0);
    view.relayout();
  });
  display.on = view.fullscreen;
  const clock = new GameClock(engine, update, { manual });

  const host = makeHost({ engine, store, canvas, view, display, sounds, clock, gamepads, update, serverSource, defaultIni, narration });
  let menus = null; // menu.js, once imported
  wireInput(host, { press, release, blocked, display, touchArea: view.touchArea, menus: () => menus });

  // Ready for play once every picture of the skin is in (and drawn, when it shows).
  const complete = first.rest.then(() => view.layoutRun);

  // Set up a task later, after the start dialog is shown.
  const ui = new Promise((r) => setTimeout(r, 0))
    .then(() => Promise.all([import('./menu.js'), import('./gamemenu.js'), import('./skindrop.js'), import('./replay.js')]))
    .then(([menu, gameMenu, skinDrop, replay]) => {
      afterUpdate = replay.attachReplays(host);
      menus = menu;
      menu.applyVolume(host);
      menu.hintLongPress(host, showSplash(host));
      gameMenu.attachGameMenu(host);
      skinDrop.attachSkinDrop(host);
    });
  Object.assign(window.zn, {
    engine,
    host,
    seed,
    advance: (ms) => clock.advance(ms),
  });
  clock.start();
  update();
  showSplash(host);
  // The start dialog's pictures are fetched alone: the rest would share the network with them.
  const shown = Promise.all([...document.images].map((img) => img.decode().catch(() => {})));
  shown.then(() => {
    fetchRest();
    sounds.load('game/');
  });
  await Promise.all([complete, ui]);
  await smoothingDone();
  // The offline copy of the site, fetched once the page has what it needs (its fetches would
  // otherwise compete with the first picture's).
  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('sw.js').catch(() => {});
  return window.zn;
}

// The keys, the pointer and the first gesture: the device's controls, the menus' shortcuts,
// F12 and the sound's unlocking.
function wireInput(host, { press, release, blocked, display, touchArea, menus }) {
  const { canvas, sounds, renderer } = host;
  const store = host.settings;
  const input = new Input(host, renderer, {
    press,
    release,
    shortcut: (e) => {
      if (menus() && menus().menuShortcut(host, e)) return true;
      if (e.code === 'F12' && !blocked()) {
        if (!e.repeat) {
          store.set('FullscreenMode', host.isFullscreen() ? 0 : 1);
          display.set(!host.isFullscreen());
        }
        return true;
      }
      return false;
    },
    popup: (x, y) => menus() && menus().openPopupMenu(host, x, y),
    blocked,
    releaseAll: () => host.releaseAll(),
  });
  input.setBindings(host.bindings());
  input.attach(canvas, touchArea);
  host.input = input;
  // The first gesture anywhere on the page may start the sound.
  for (const type of ['pointerdown', 'pointerup', 'touchend', 'keydown', 'click'])
    window.addEventListener(type, () => host.soundOutput() !== 1 && sounds.unlock(), { capture: true, passive: true });
}

function fail(e) {
  const box = document.getElementById('failure');
  if (box) {
    box.textContent = String((e && e.message) || e);
    box.hidden = false;
  }
  console.error(e);
  throw e;
}

// window.zn: {engine, host, seed, advance(ms), ready}; ready resolves once the device is drawn,
// and rejects when the page cannot start.
window.zn = { ready: null };
window.zn.ready = start().then(() => undefined, fail);
