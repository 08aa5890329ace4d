// The page: loads the engine, lays the skin onto the canvas, runs the clock, the sound and the
// input, and hands the menus and dialogs one `host` object to work the device through.
//
// Address options: ?zoom=PERCENT fixes the device's scale (else it fills the viewport, its
// proportions kept); ?seed=N seeds the ghosts' generator as the script driver's `seed N` does;
// ?clock=manual stops the real-time clock (tests move it with window.zn.advance(ms)).

import { loadEngine } from './engine.js';
import { createStore } from './store.js';
import { Renderer, usePixelKernel } from './render.js';
import { SkinLayout } from './layout.js';
import { serverFiles } from './files.js';
import { GameClock } from './clock.js';
import { Sounds } from './audio.js';
import { Input, Control } from './input.js';
import { Gamepads } from './gamepad.js';
import { DisplayMode } from './fullscreen.js';
import { showSplash } from './dialogs.js';
// The menus and the skin loader (menu.js, gamemenu.js, skindrop.js) are imported once the
// device is drawn: they are not needed for the first picture.

const params = new URLSearchParams(location.search);

// Images whose visibility is the page's, not the engine's: the full-screen backdrop and logo,
// the joystick picture and the four overlay arrows, the game menu (gamemenu.js draws it).
const kPageImages = [
  'im_backdrop',
  'im_backdrop_logo',
  'btn_joystick_top',
  'btn_ctrlr_overlay_up',
  'btn_ctrlr_overlay_left',
  'btn_ctrlr_overlay_right',
  'btn_ctrlr_overlay_down',
  'btn_game_menu_background',
  'btn_game_menu_top',
];
// Shown from the window's creation on, and never hidden by the game.
const kAlwaysShown = ['im_background', 'im_background_screen_top', 'btn_power_top', 'btn_select_top', 'btn_start_top'];
const kNotScaledWithGame = ['im_backdrop', 'im_backdrop_logo', 'btn_game_menu_background', 'btn_game_menu_top'];
const kOverlays = ['btn_ctrlr_overlay_up', 'btn_ctrlr_overlay_left', 'btn_ctrlr_overlay_right', 'btn_ctrlr_overlay_down'];

function zoomParam() {
  const z = params.get('zoom');
  if (z === null || !/^\d+$/.test(z)) return null;
  const n = Number(z);
  return n >= 10 && n <= 1000 ? n : null;
}

function seedParam() {
  const s = params.get('seed');
  if (s !== null && /^\d+$/.test(s) && Number.isSafeInteger(Number(s))) return Number(s);
  const a = new Uint32Array(1);
  crypto.getRandomValues(a);
  return a[0];
}

// Full screen fitted: the game area as large as it fits into the client, proportions kept,
// centred, stopping short of the logo where it can (the desktop's rule).
function fitted(cw, ch, area, keepClear) {
  if (!cw || !ch || !area.width || !area.height) return { s: 1, x: 0, y: 0 };
  const w = area.width, h = area.height;
  let s = Math.min(cw / w, ch / h);
  if (keepClear) {
    const k = keepClear;
    const clear = Math.max(
      (2 * k.x - cw) / w,
      (cw - 2 * (k.x + k.w)) / w,
      (2 * k.y - ch) / h,
      (ch - 2 * (k.y + k.h)) / h,
    );
    s = Math.max(Math.min(s, clear), Math.min(s, 1));
  }
  return { s, x: (cw - w * s) / 2 - area.x * s, y: (ch - h * s) / 2 - area.y * s };
}

async function start() {
  const canvas = document.getElementById('device');
  // The engine, the file list and Config.ini side by side (index.html started fetching them and
  // the default skin's pictures already).
  const files = serverFiles('game/');
  const iniText = files.then((source) => source.text('Config.ini'));
  // index.html started fetching zn.wasm; where it could not, it is loaded here.
  const early = globalThis.znPrefetch instanceof Map ? globalThis.znPrefetch.get('zn.wasm') : null;
  const engine = await loadEngine((await Promise.resolve(early).catch(() => null)) || 'zn.wasm');
  performance.mark('zn-engine-loaded');
  usePixelKernel(engine);
  const seed = seedParam();
  engine.reset(seed);
  const store = createStore(engine);

  const ids = new Map();
  for (let i = 0; i < engine.imageCount; ++i) ids.set(engine.imageName(i), i);
  const id = (name) => ids.get(name);
  const pageOwned = new Set(kPageImages.map(id));
  const alwaysShown = new Set(kAlwaysShown.map(id));
  const notScaled = new Set(kNotScaledWithGame.map(id));

  const renderer = new Renderer(canvas, engine.imageCount, (i) => !notScaled.has(i));
  const serverSource = await files;
  const defaultIni = await iniText;
  let skin = { layout: new SkinLayout(engine, renderer, serverSource), ini: defaultIni };

  const sounds = new Sounds(); // loaded once the device is drawn
  let soundOutput = -1; // 0 Web Audio, 1 (no sound); none chosen yet

  const manual = params.get('clock') === 'manual';
  const zoom = zoomParam();
  let fullscreen = store.get('FullscreenMode') === 1;
  let overlays = store.get('CtrlrOverlay') === 1;
  let clientScale = 1; // CSS pixels per client pixel
  let shownDensity = window.devicePixelRatio || 1; // the device pixel ratio the canvas is drawn for
  let onResize = null;
  let menus = null; // menu.js, once imported
  let bindings = [1, 2, 3, 4, 5, 6, 7].map((i) => store.get(`Key${i}`));

  // --- the picture ---------------------------------------------------------------------

  function syncImage(i) {
    if (pageOwned.has(i)) return;
    renderer.setVisible(i, alwaysShown.has(i) || engine.visible(i));
    renderer.showPictureOf(i, engine.pictureOf(i));
  }

  function syncPageImages() {
    for (const name of kOverlays) renderer.setVisible(id(name), overlays);
    renderer.setVisible(id('btn_joystick_top'), !overlays);
    for (const name of ['im_backdrop', 'im_backdrop_logo', 'btn_joystick_top', ...kOverlays])
      renderer.showPictureOf(id(name), id(name));
  }

  const gamepads = new Gamepads(
    { press: (c) => press(c), release: (c) => release(c) },
    () => document.hasFocus() && !blocked(),
  );

  // Draws what changed and plays what the engine asked for since the last call.
  function update() {
    if (!manual) gamepads.poll();
    // A window moved to a screen of another pixel density may bring no resize event.
    if ((window.devicePixelRatio || 1) !== shownDensity && onResize) onResize();
    for (const i of engine.takeChanged()) syncImage(i);
    const events = engine.takeSounds();
    if (events.length) sounds.play(events);
    renderer.draw();
  }

  function press(c) {
    engine.press(c);
    update();
  }

  function release(c) {
    if (c === Control.Power) return;
    engine.release(c);
    update();
  }

  // Scale and size of the canvas for the display mode and the viewport.
  function viewport() {
    const v = window.visualViewport;
    return {
      w: Math.max(1, Math.floor(document.documentElement.clientWidth || window.innerWidth)),
      h: Math.max(1, Math.floor(v ? Math.min(v.height, window.innerHeight) : window.innerHeight)),
    };
  }

  function applyScale() {
    const dpr = window.devicePixelRatio || 1;
    shownDensity = dpr;
    const { w: vw, h: vh } = viewport();
    const s = skin.layout.skin;
    if (!s) return;
    if (!fullscreen) {
      const z = zoom !== null ? zoom / 100 : Math.min(vw / s.clientWidth, vh / s.clientHeight);
      clientScale = z;
      renderer.setScale({ game: z * dpr, client: z * dpr });
    } else {
      clientScale = 1;
      const area = s.gameArea;
      const logo = renderer.visible(id('im_backdrop_logo')) ? renderer.rect(id('im_backdrop_logo')) : null;
      const fits = area.width <= s.clientWidth && area.height <= s.clientHeight;
      if (store.get('FullscreenFit') === 1 || !fits) {
        const f = fitted(s.clientWidth, s.clientHeight, area, logo);
        renderer.setScale({ game: f.s * dpr, shiftX: f.x * dpr, shiftY: f.y * dpr, client: dpr });
      } else {
        renderer.setScale({ game: dpr, client: dpr });
      }
    }
    canvas.style.width = `${renderer.width / dpr}px`;
    canvas.style.height = `${renderer.height / dpr}px`;
    canvas.dataset.clientWidth = String(s.clientWidth);
    canvas.dataset.clientHeight = String(s.clientHeight);
    document.body.classList.toggle('zn-fullscreen', fullscreen);
    document.body.classList.toggle('zn-zoomed', zoom !== null && !fullscreen);
  }

  // Lays the current skin out for the display mode; the game itself is not touched.
  // Lay-outs run one after the other; one that fails (a picture the browser cannot decode)
  // rejects its own promise and leaves the next one to run.
  let layoutRun = Promise.resolve();
  function serial(job) {
    const run = layoutRun.then(job);
    layoutRun = run.catch(() => {});
    return run;
  }
  // The double-size partners of the pictures in use, when drawn above 100 %.
  async function sharpen() {
    if (renderer.scale.game > 1 || renderer.scale.client > 1) {
      if (await skin.layout.loadPartners()) {
        renderer.dropScaled();
        renderer.invalidateAll();
      }
    }
  }

  // Images the device shows now: their pictures are waited for before the first drawing (of
  // the joystick and its overlay arrows only those the overlay setting shows).
  const joystick = id('btn_joystick_top');
  const overlayIds = new Set(kOverlays.map(id));
  const urgent = (i) =>
    alwaysShown.has(i) ||
    (i === joystick ? !overlays : overlayIds.has(i) ? overlays : pageOwned.has(i) || engine.visible(i));
  // The other pictures came: every image takes the picture it shows again.
  const late = () => {
    for (let i = 0; i < engine.imageCount; ++i) syncImage(i);
    serial(async () => {
      await sharpen();
      renderer.draw();
    });
  };

  // The first lay-out draws the device from the browser's decoding of its partly transparent
  // pictures and makes them exact right after (window.zn.ready waits for that); later ones
  // decode them exactly before they draw.
  let quick = true;
  function relayout() {
    return serial(async () => {
      const { w, h } = viewport();
      const result = await skin.layout.apply(skin.ini, fullscreen, w, h, urgent, late, quick);
      quick = false;
      if (result.error) return result;
      syncPageImages();
      for (let i = 0; i < engine.imageCount; ++i) syncImage(i);
      applyScale();
      await sharpen();
      renderer.draw();
      return result;
    });
  }

  let resizePending = false;
  onResize = () => {
    if (resizePending) return;
    resizePending = true;
    requestAnimationFrame(() => {
      resizePending = false;
      if (fullscreen) relayout();
      else {
        applyScale();
        serial(async () => {
          await sharpen();
          renderer.draw();
        });
      }
    });
  };
  window.addEventListener('resize', onResize);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', onResize);

  // The device is drawn first; the rest of the page is set up a task later (whoever waits for
  // the drawn device hears of it before that starts).
  const first = await relayout();
  if (first && first.error) throw new Error(first.error);
  performance.mark('zn-first-draw');
  document.body.classList.add('zn-ready');
  await new Promise((r) => setTimeout(r, 0));

  // --- the display mode ------------------------------------------------------------------

  const display = new DisplayMode((on, byBrowser) => {
    fullscreen = on;
    if (byBrowser) store.set('FullscreenMode', 0);
    relayout();
  });
  display.on = fullscreen;

  // --- the clock --------------------------------------------------------------------------

  const clock = new GameClock(engine, update, { manual });

  function blocked() {
    return document.body.classList.contains('zn-modal-open');
  }

  // --- the host the menus and dialogs work through ------------------------------------------

  const host = {
    engine,
    settings: store,
    canvas,
    isFullscreen: () => fullscreen,
    setFullscreen: (on) => display.set(!!on),
    overlaysShown: () => overlays,
    setOverlaysShown(on) {
      overlays = !!on;
      syncPageImages();
      renderer.draw();
    },
    soundOutput: () => soundOutput,
    setSoundOutput(i) {
      soundOutput = i === 0 ? 0 : 1;
      engine.setSoundEnabled(soundOutput === 0);
      if (soundOutput === 0) sounds.unlock();
    },
    bindings: () => bindings.slice(),
    setBindings(indices) {
      bindings = indices.slice(0, 7);
      input.setBindings(bindings);
    },
    pauseGame: () => clock.pause(),
    resumeGame: () => clock.resume(),
    // source: blobFiles() of the skin's folder.
    async loadSkin(source, iniText) {
      const layout = new SkinLayout(engine, renderer, source);
      const { w, h } = viewport();
      const check = engine.readSkin(iniText, { fullscreen, screenWidth: w, screenHeight: h });
      if (check.error) throw new Error(check.error);
      skin = { layout, ini: iniText };
      return relayout();
    },
    defaultSkin() {
      skin = { layout: new SkinLayout(engine, renderer, serverSource), ini: defaultIni };
      return relayout();
    },
    releaseAll() {
      const held = new Set([...input.releaseAll(), ...gamepads.forget()]);
      for (const c of held) engine.release(c);
      update();
    },
    clientScale: () => clientScale,
    // For tests and measurements.
    skinPlan: () => skin.layout.skin,
    renderer,
    sounds,
    clock,
  };

  const input = new Input(host, renderer, {
    press,
    release,
    shortcut: (e) => {
      if (menus && menus.menuShortcut(host, e)) return true;
      if (e.code === 'F12' && !blocked()) {
        if (!e.repeat) {
          store.set('FullscreenMode', fullscreen ? 0 : 1);
          display.set(!fullscreen);
        }
        return true;
      }
      return false;
    },
    popup: (x, y) => menus && menus.openPopupMenu(host, x, y),
    gesture: () => {
      if (soundOutput !== 1) sounds.unlock();
    },
    blocked,
    releaseAll: () => host.releaseAll(),
  });
  input.setBindings(bindings);
  input.attach(canvas);
  host.input = input;
  host.gamepads = gamepads;
  // The first gesture anywhere on the page may start the sound.
  for (const type of ['pointerdown', 'pointerup', 'touchend', 'keydown', 'click'])
    window.addEventListener(type, () => soundOutput !== 1 && sounds.unlock(), { capture: true, passive: true });
  // ... and take the whole screen when the stored display mode is full screen (not on the keys
  // that switch the mode or leave it).
  const claim = (e) => {
    if (e.type === 'keydown' && /^(F\d+|Escape)$/.test(e.code)) return;
    display.claimScreen();
  };
  window.addEventListener('pointerup', claim, { capture: true, passive: true });
  window.addEventListener('keydown', claim, { capture: true, passive: true });

  sounds.load('game/');
  // Ready for play once every picture of the skin is in (and drawn, when it shows).
  const complete = first.rest.then(() => layoutRun);

  const ui = Promise.all([import('./menu.js'), import('./gamemenu.js'), import('./skindrop.js')]).then(
    ([menu, gameMenu, skinDrop]) => {
      menus = menu;
      gameMenu.attachGameMenu(host);
      skinDrop.attachSkinDrop(host);
    },
  );
  Object.assign(window.zn, {
    engine,
    host,
    seed,
    advance(ms) {
      clock.advance(ms);
    },
  });
  clock.start();
  update();
  showSplash(host);
  await Promise.all([complete, ui]);
  // The offline copy of the site, fetched once the page has what it needs (its fetches would
  // otherwise compete with the first picture's).
  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('sw.js').catch(() => {});
  return window.zn;
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
