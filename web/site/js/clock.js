// The game's time: every animation frame moves the engine's virtual clock by zn.wasm's rule
// (web/core/frameclock.h); a hidden tab or a pause (a modal dialog) stops it, and it starts again
// from where it stood. In manual mode (?clock=manual, for tests) only advance(ms) moves it.

export class GameClock {
  // update(): called after the clock moved (draws the changes, plays the sounds).
  constructor(engine, update, { manual = false } = {}) {
    this.engine = engine;
    this.update = update;
    this.manual = manual;
    this.pauses = 0;
    this.hidden = typeof document !== 'undefined' && document.visibilityState === 'hidden';
    this.frameId = 0;
    this.onVisibility = () => {
      this.hidden = document.visibilityState === 'hidden';
      engine.ask('zn_clock_restart');
    };
    document.addEventListener('visibilitychange', this.onVisibility);
  }

  start() {
    if (this.manual || this.frameId) return;
    const frame = (t) => {
      this.frameId = requestAnimationFrame(frame);
      this.tick(t);
    };
    this.frameId = requestAnimationFrame(frame);
  }

  tick(t) {
    this.engine.ask('zn_clock_frame', [t, this.hidden || this.pauses > 0 ? 0 : 1]);
    this.update();
  }

  advance(ms) {
    this.engine.advance(ms);
    this.update();
  }

  pause() {
    this.pauses += 1;
  }

  resume() {
    if (this.pauses > 0) this.pauses -= 1;
    if (this.pauses === 0) this.engine.ask('zn_clock_restart');
  }
}
