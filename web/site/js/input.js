// Keys and pointers working the seven controls. What a key or an image works is the module's
// to say (the desktop's rules: zn_key_code, zn_key_pressed_control, zn_click_area_control...);
// this listens, and holds what the keys and pointers hold.
//
// Keys: KeyboardEvent.code names the physical key, so every layout works; held keys repeat the
// press, as on the desktop.
//
// Pointers: a primary press on the canvas goes to the topmost shown image under it (a
// see-through pixel of the windowed display takes none); on the click area of a control it
// presses that control, and the pointer keeps it until it lets go, wherever it has moved. Every
// pointer holds its own control, so one thumb can hold a direction while another presses START;
// a control held by several pointers is released when the last one lets go.
//
// A finger follows the module's touch rules (zn_touch_at): on the joystick's disc a slide rocks
// it from arrow to arrow; a press vibrates unless the stored Vibrate is 0. A right click, or a
// long press a fingertip away from every control, opens the popup menu.

const kLongPressMs = 500;
const kLongPressSlop = 10; // CSS pixels a finger may wander during a long press
const kVibrateMs = 10;
// The pointer's shapes by zn_cursor_at's answer: the arrow, a hand, a question mark.
const kCursors = ['', 'pointer', 'help'];

export class Input {
  // host: the page's host object. renderer: the canvas's Renderer. hooks: {press(c),
  // release(c)} (the engine's operations followed by a redraw), shortcut(e) -> true when a menu
  // shortcut took the key, popup(x, y) opens the popup menu, blocked() -> true while a dialog
  // has the keyboard, releaseAll() lets go of every held control (the page lost the focus).
  constructor(host, renderer, hooks) {
    this.r = renderer;
    this.hooks = hooks;
    this.engine = host.engine;
    this.store = host.settings;
    this.pointers = new Map(); // pointerId -> control (0: a finger on the joystick's dead centre)
    this.rocking = new Set(); // pointerIds of the fingers on the joystick's disc
    this.holders = new Array(8).fill(0); // [control] -> pointers holding it
    this.keysDown = new Map(); // virtual-key code of a held bound key -> its control
    this.longPress = null;
    this.menuQuietUntil = 0; // performance.now() until which a contextmenu event opens no menu
  }

  // The bindings: seven key-table indices (power, select, start, up, left, right, down). An
  // index outside the table gives its control no key.
  setBindings(indices) {
    this.engine.ask('zn_set_key_bindings', indices.map((i) => (Number.isInteger(i) ? i : 0)));
  }

  // touchArea: the box over the device that takes its touches where the canvas lets the page
  // pinch-zoom (the full screen); it passes on what it gets as the canvas would.
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
      if ((this.longPress && this.longPress.opened) || performance.now() < this.menuQuietUntil) return;
      if (e.pointerType === 'touch' && this.touchAt({ x, y })[3]) return; // a thumb resting on the controls
      this.cancelLongPress();
      if (this.hooks.blocked()) return;
      this.hooks.popup(e.clientX, e.clientY);
    });
    // No scrolling, zooming or text selection under the player's fingers (but for a pinch where
    // the canvas allows it).
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
    // The key's virtual-key code, and the control it works (0: none).
    const code = this.engine.ask('zn_key_code', [], e.code);
    const c = code && this.engine.ask('zn_key_pressed_control', [code]);
    if (!c) return;
    e.preventDefault(); // arrows and the space bar would scroll, Alt would open a menu bar
    if (this.engine.ask('zn_control_has_release', [c])) this.keysDown.set(code, c);
    this.hooks.press(c);
  }

  keyUp(e) {
    if (this.hooks.blocked() || isTextField(e.target)) return;
    const code = this.engine.ask('zn_key_code', [], e.code);
    this.keysDown.delete(code);
    const c = code && this.engine.ask('zn_key_released_control', [code]);
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

  // What a finger at the canvas point meets: [onJoystick, direction, control, nearControl,
  // rocked] (zn_touch_at; see-through pixels meet nothing).
  touchAt({ x, y }) {
    if (this.r.seeThrough(x, y)) return [0, 0, 0, 0, 0];
    return this.engine.askList('zn_touch_at', [x, y, window.devicePixelRatio || 1]);
  }

  pointerDown(e) {
    const touch = e.pointerType !== 'mouse';
    if (touch) e.preventDefault();
    if (e.button !== 0 || this.hooks.blocked()) return;
    // The topmost image under the press (none on a see-through pixel), and the control whose
    // click area it is; for a finger, the touch rules' answer.
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
    } catch {
      /* the pointer is gone already */
    }
    if (this.pointers.has(e.pointerId)) return;
    if (joystick) this.rocking.add(e.pointerId);
    this.hold(e.pointerId, c, touch);
  }

  // The pointer holds control c (0: none). Power has no release, so each pointer's press works
  // it again.
  hold(pointerId, c, touch) {
    this.pointers.set(pointerId, c);
    if (!c) return;
    if (this.holders[c]++ === 0 || !this.engine.ask('zn_control_has_release', [c])) this.hooks.press(c);
    if (touch && typeof navigator.vibrate === 'function' && this.vibrates()) navigator.vibrate(kVibrateMs);
  }

  letGo(pointerId) {
    const c = this.pointers.get(pointerId);
    this.pointers.delete(pointerId);
    if (c && --this.holders[c] === 0) this.hooks.release(c);
  }

  // The stored Vibrate switch; on where the settings have none.
  vibrates() {
    try { return this.store.get('Vibrate') !== 0; } catch { return true; }
  }

  pointerUp(e) {
    if (this.longPress && this.longPress.id === e.pointerId) this.cancelLongPress();
    this.rocking.delete(e.pointerId);
    if (this.pointers.has(e.pointerId)) this.letGo(e.pointerId);
  }

  pointerMove(e) {
    if (e.pointerType === 'mouse') {
      const { x, y } = this.canvasPoint(e);
      const shape = this.r.seeThrough(x, y) ? 0 : this.engine.ask('zn_cursor_at', [x, y]);
      this.canvas.style.cursor = this.touchArea.style.cursor = kCursors[shape] || '';
    }
    // A finger on the joystick rocks it to the arrow it is over now, letting go of the one before.
    if (this.rocking.has(e.pointerId)) {
      const rocked = this.touchAt(this.canvasPoint(e))[4];
      if (rocked !== this.pointers.get(e.pointerId)) {
        this.letGo(e.pointerId);
        this.hold(e.pointerId, rocked, true);
      }
    }
    const lp = this.longPress;
    if (!lp || lp.id !== e.pointerId) return;
    if (Math.hypot(e.clientX - lp.x, e.clientY - lp.y) > kLongPressSlop) this.cancelLongPress();
  }

  startLongPress(e) {
    this.cancelLongPress();
    this.menuQuietUntil = 0;
    const lp = { id: e.pointerId, x: e.clientX, y: e.clientY, opened: false };
    lp.timer = setTimeout(() => {
      lp.opened = true;
      this.hooks.popup(lp.x, lp.y);
    }, kLongPressMs);
    this.longPress = lp;
  }

  cancelLongPress() {
    const lp = this.longPress;
    if (!lp) return;
    clearTimeout(lp.timer);
    this.longPress = null;
    // The contextmenu event that a long press also brings may come after it: it opens nothing.
    if (lp.opened) this.menuQuietUntil = performance.now() + 400;
  }

  // Forgets everything the keys and pointers hold (the page lost the focus) and returns the
  // controls they held, for the caller to release.
  releaseAll() {
    const held = new Set([...this.keysDown.values(), ...[...this.pointers.values()].filter(Boolean)]);
    this.cancelLongPress();
    for (const id of this.pointers.keys())
      if (this.canvas.hasPointerCapture(id)) this.canvas.releasePointerCapture(id);
    this.pointers.clear();
    this.rocking.clear();
    this.holders.fill(0);
    this.keysDown.clear();
    return held;
  }
}

function isTextField(t) {
  return !!t && (t.isContentEditable || /^(INPUT|TEXTAREA|SELECT)$/.test(t.tagName || ''));
}
