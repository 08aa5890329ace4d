// The one object the menus and dialogs work the device through: the display mode, the
// overlay, the sound output, the key bindings, the game's pause, another skin.

import { SkinLayout } from './layout.js';

// host.input is set once the input is made.
export function makeHost(parts) {
  const { engine, store, canvas, view, display, sounds, clock, gamepads, update, serverSource, defaultIni, narration } = parts;
  const renderer = view.renderer;
  let soundOutput = -1; // 0 Web Audio, 1 (no sound); none chosen yet
  let bindings = Array.from({ length: engine.controlCount }, (_, i) => store.get(`Key${i + 1}`));

  const host = {
    engine,
    settings: store,
    canvas,
    isFullscreen: () => view.fullscreen,
    setFullscreen: (on) => display.set(!!on),
    overlaysShown: () => view.overlays,
    // The game's pace (50, 75, 100 percent): stored and said.
    setSpeed(percent) {
      const speed = engine.ask('zn_set_speed', [percent]);
      store.set('Speed', speed);
      narration.saySpeed(speed);
    },
    setOverlaysShown(on) {
      view.overlays = !!on;
      view.syncAll();
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
      bindings = indices.slice(0, engine.controlCount);
      host.input.setBindings(bindings);
    },
    pauseGame: () => clock.pause(),
    resumeGame: () => clock.resume(),
    // source: blobFiles() of the skin's folder.
    async loadSkin(source, iniText) {
      const layout = new SkinLayout(engine, renderer, source);
      const { w, h } = view.viewport();
      const check = engine.askJson('zn_read_skin', [view.fullscreen ? 1 : 0, w, h], iniText);
      if (check.error) throw new Error(check.error);
      view.skin = { layout, ini: iniText };
      return view.relayout();
    },
    defaultSkin() {
      view.skin = { layout: new SkinLayout(engine, renderer, serverSource), ini: defaultIni };
      return view.relayout();
    },
    releaseAll() {
      const held = new Set([...host.input.releaseAll(), ...gamepads.forget()]);
      for (const c of held) engine.release(c);
      update();
    },
    clientScale: () => view.clientScale,
    // Draws what changed and plays what the game asked for (after a recording is opened).
    update,
    // For tests and measurements.
    skinPlan: () => view.skin.layout.skin,
    renderer,
    sounds,
  };
  return host;
}
