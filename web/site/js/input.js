// Keys and pointers working the seven controls. What a key, an image or a finger works, and
// what each key and pointer holds, is the module's to say (zn_key_down, zn_click_area_control,
// zn_touch_at, zn_pointer_take: controls/pointerholds.h); this listens and does what it says.
// KeyboardEvent.code names the physical key, so every layout works. A press vibrates unless the
// stored Vibrate is 0. A right click, or a long press a fingertip away from every control, opens
// the popup menu (controls/longpress.h).

// The pointer's shapes by zn_cursor_at's answer: the arrow, a hand, a question mark.
const kCursors = ['', 'pointer', 'help'];

export class Input {
  // hooks: press(c), release(c), shortcut(e) -> true when a menu shortcut took the key,
  // popup(x, y), blocked() -> true while a dialog has the keyboard, releaseAll().
  constructor(host, renderer, hooks) {
    this.r = renderer;
    this.hooks = hooks;
    this.engine = host.engine;
    this.store = host.settings;
    this.timings = this.engine.askJson('zn_touch_timings');
    this.captured = new Set(); // pointerIds the canvas holds the capture of
    this.longPressTimer = 0; // the long press's (controls/longpress.h) while it is on
  }

  // Seven key-table indices (power, select, start, up, left, right, down).
  setBindings(indices) {
    this.engine.ask('zn_set_key_bindings', indices.map((i) => (Number.isInteger(i) ? i : 0)));
  }

  // touchArea: the box over the device that takes its touches in full screen.
  attach(canvas, touchArea) {
    this.canvas = canvas;
    this.touchArea = touchArea;
    window.addEventListener('keydown', (e) => this.keyDown(e));
    window.addEventListener('keyup', (e) => this.keyUp(e));
    const listen = (type, fn, options) => [canvas, touchArea].forEach((el) => el.addEventListener(type, fn, options));
    listen('pointerdown', (e) => this.pointerDown(e));
    listen('pointerup', (e) => this.pointerUp(e));
    listen('pointercancel', (e) => this.pointerUp(e));
    listen('lostpointercapture', (e) => this.pointerUp(e));
    listen('pointermove', (e) => this.pointerMove(e));
    listen('contextmenu', (e) => {
      // A see-through pixel is the page's, as the desktop's is the desktop's.
      const { x, y } = this.canvasPoint(e);
      if (this.r.seeThrough(x, y)) return;
      e.preventDefault();
      if (!this.engine.ask('zn_long_press_menu_allowed', [performance.now()])) return;
      if (e.pointerType === 'touch' && this.touchAt({ x, y })[3]) return; // a thumb resting on the controls
      this.cancelLongPress();
      if (this.hooks.blocked()) return;
      this.hooks.popup(e.clientX, e.clientY);
    });
    // No scrolling, zooming or selection under the fingers (but a pinch where the canvas allows).
    const mine = (e) => e.currentTarget === touchArea || !document.body.classList.contains('zn-fullscreen');
    for (const type of ['touchstart', 'touchmove', 'touchend', 'dblclick', 'gesturestart'])
      listen(type, (e) => e.cancelable && mine(e) && e.preventDefault(), { passive: false });
    const letGo = () => this.hooks.releaseAll();
    window.addEventListener('blur', letGo);
    document.addEventListener('visibilitychange', () => document.visibilityState === 'hidden' && letGo());
  }

  keyDown(e) {
    if (this.hooks.shortcut(e)) {
      e.preventDefault();
      return;
    }
    if (this.hooks.blocked() || isTextField(e.target)) return;
    const c = this.engine.ask('zn_key_down', [], e.code);
    if (!c) return;
    e.preventDefault(); // arrows and the space bar would scroll, Alt would open a menu bar
    this.hooks.press(c);
  }

  keyUp(e) {
    if (this.hooks.blocked() || isTextField(e.target)) return;
    const c = this.engine.ask('zn_key_up', [], e.code);
    if (!c) return;
    e.preventDefault();
    this.hooks.release(c);
  }

  // The canvas pixel (device pixels) under a pointer event.
  canvasPoint(e) {
    const rect = this.canvas.getBoundingClientRect();
    const x = ((e.clientX - rect.left) * this.canvas.width) / Math.max(1, rect.width);
    const y = ((e.clientY - rect.top) * this.canvas.height) / Math.max(1, rect.height);
    return { x: Math.floor(x), y: Math.floor(y) };
  }

  // [onJoystick, direction, control, nearControl, rocked] (zn_touch_at).
  touchAt({ x, y }) {
    if (this.r.seeThrough(x, y)) return [0, 0, 0, 0, 0];
    return this.engine.askList('zn_touch_at', [x, y, window.devicePixelRatio || 1]);
  }

  pointerDown(e) {
    const touch = e.pointerType !== 'mouse';
    if (touch) e.preventDefault();
    if (e.button !== 0 || this.hooks.blocked()) return;
    const at = this.canvasPoint(e);
    const id = this.r.seeThrough(at.x, at.y) ? -1 : this.r.imageAt(at.x, at.y);
    const [joystick, direction, control, near] = touch ? this.touchAt(at) : [0, 0, 0, 0];
    const c = touch ? direction || control : id < 0 ? 0 : this.engine.ask('zn_click_area_control', [id]);
    if (!c && !joystick) {
      if (touch && !near) this.startLongPress(e);
      return;
    }
    e.preventDefault();
    try {
      this.canvas.setPointerCapture(e.pointerId);
      this.captured.add(e.pointerId);
    } catch {
      /* the pointer is gone already */
    }
    const took = this.engine.ask('zn_pointer_take', [e.pointerId, c, joystick]);
    if (took < 0) return;
    if (took) this.hooks.press(c);
    if (c && touch) this.vibrate();
  }

  // Unless the stored Vibrate switch is 0 (on where the settings have none).
  vibrate() {
    if (typeof navigator.vibrate !== 'function') return;
    try {
      if (this.store.get('Vibrate') === 0) return;
    } catch { /* no settings */ }
    navigator.vibrate(this.timings.vibrateMs);
  }

  pointerUp(e) {
    this.cancelLongPress(e.pointerId);
    this.captured.delete(e.pointerId);
    const c = this.engine.ask('zn_pointer_let_go', [e.pointerId]);
    if (c) this.hooks.release(c);
  }

  pointerMove(e) {
    if (e.pointerType === 'mouse') {
      const { x, y } = this.canvasPoint(e);
      const shape = this.r.seeThrough(x, y) ? 0 : this.engine.ask('zn_cursor_at', [x, y]);
      this.canvas.style.cursor = this.touchArea.style.cursor = kCursors[shape] || '';
    } else {
      // A finger on the joystick's disc rocks it to the arrow it is over now.
      const rocked = this.touchAt(this.canvasPoint(e))[4];
      const [off, on, took] = this.engine.askList('zn_pointer_rock', [e.pointerId, rocked]);
      if (off) this.hooks.release(off);
      if (on) this.hooks.press(on);
      if (took) this.vibrate();
    }
    if (this.engine.ask('zn_long_press_move', [e.pointerId, e.clientX, e.clientY, performance.now()])) clearTimeout(this.longPressTimer);
  }

  startLongPress({ pointerId, clientX: x, clientY: y }) {
    clearTimeout(this.longPressTimer);
    this.engine.ask('zn_long_press_start', [pointerId, x, y]);
    this.longPressTimer = setTimeout(() => {
      this.engine.ask('zn_long_press_fire');
      this.hooks.popup(x, y);
    }, this.timings.longPressMs);
  }

  // The press of the pointer, or (-1) whichever is on, is called off.
  cancelLongPress(pointerId = -1) {
    if (this.engine.ask('zn_long_press_end', [pointerId, performance.now()])) clearTimeout(this.longPressTimer);
  }

  // Forgets everything the keys and pointers hold (the page lost the focus) and returns the
  // controls they held, for the caller to release.
  releaseAll() {
    this.cancelLongPress();
    for (const id of this.captured) if (this.canvas.hasPointerCapture(id)) this.canvas.releasePointerCapture(id);
    this.captured.clear();
    return this.engine.askList('zn_holds_forget');
  }
}

function isTextField(t) {
  return !!t && (t.isContentEditable || /^(INPUT|TEXTAREA|SELECT)$/.test(t.tagName || ''));
}
