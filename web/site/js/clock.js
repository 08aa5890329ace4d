// The game's time. The six timers run on the engine's virtual clock; every animation frame moves
// that clock on by the real time since the last frame, so the 120 ms tick keeps its rhythm at
// any refresh rate. After a stall (a busy main thread, a debugger) the clock catches up by at
// most kMaxCatchUpMs: the game slows down for a moment instead of running many ticks at once.
// A hidden tab stops the clock and a visible one starts it again from where it stood, so a
// throttled background tab never jumps. A paused clock (a modal dialog) stands still too.
//
// In manual mode (?clock=manual, for tests) no frame moves the clock: advance(ms) does.

export const kMaxCatchUpMs = 250;

export class GameClock {
  // engine: the Engine. update(): called after the clock moved (draws the changes, plays the
  // sounds). manual: true for ?clock=manual.
  constructor(engine, update, { manual = false } = {}) {
    this.engine = engine;
    this.update = update;
    this.manual = manual;
    this.pauses = 0;
    this.hidden = typeof document !== 'undefined' && document.visibilityState === 'hidden';
    this.last = null; // the real time of the last frame that moved the clock
    this.carry = 0; // the part of a millisecond not yet given to the engine
    this.frameId = 0;
    this.onVisibility = () => {
      this.hidden = document.visibilityState === 'hidden';
      this.last = null; // the time away is not played
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

  // One animation frame at real time t (ms).
  tick(t) {
    if (this.hidden || this.pauses > 0) {
      this.last = null;
      this.update();
      return;
    }
    if (this.last !== null) {
      const elapsed = Math.min(Math.max(0, t - this.last), kMaxCatchUpMs) + this.carry;
      const whole = Math.floor(elapsed);
      this.carry = elapsed - whole;
      if (whole > 0) this.engine.advance(whole);
    }
    this.last = t;
    this.update();
  }

  // Moves the clock on by ms at once (tests, ?clock=manual), then draws and plays.
  advance(ms) {
    this.engine.advance(ms);
    this.update();
  }

  pause() {
    this.pauses += 1;
  }

  resume() {
    if (this.pauses > 0) this.pauses -= 1;
    if (this.pauses === 0) this.last = null;
  }
}
