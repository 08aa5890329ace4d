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
// A right click, or a long press of a touch that holds no control, opens the popup menu.

const kLongPressMs = 500;
const kLongPressSlop = 10; // CSS pixels a finger may wander during a long press

export class Input {
  // host: the page's host object. renderer: the canvas's Renderer. hooks: {press(c),
  // release(c)} (the engine's operations followed by a redraw), shortcut(e) -> true when a menu
  // shortcut took the key, popup(x, y) opens the popup menu, blocked() -> true while a dialog
  // has the keyboard, releaseAll() lets go of every held control (the page lost the focus).
  constructor(host, renderer, hooks) {
    this.r = renderer;
    this.hooks = hooks;
    this.engine = host.engine;
    this.pointers = new Map(); // pointerId -> control
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

  attach(canvas) {
    this.canvas = canvas;
    window.addEventListener('keydown', (e) => this.keyDown(e));
    window.addEventListener('keyup', (e) => this.keyUp(e));
    canvas.addEventListener('pointerdown', (e) => this.pointerDown(e));
    canvas.addEventListener('pointerup', (e) => this.pointerUp(e));
    canvas.addEventListener('pointercancel', (e) => this.pointerUp(e));
    canvas.addEventListener('lostpointercapture', (e) => this.pointerUp(e));
    canvas.addEventListener('pointermove', (e) => this.pointerMove(e));
    canvas.addEventListener('contextmenu', (e) => {
      // A see-through pixel is the page's, as the desktop's is the desktop's.
      const { x, y } = this.canvasPoint(e);
      if (this.r.seeThrough(x, y)) return;
      e.preventDefault();
      if ((this.longPress && this.longPress.opened) || performance.now() < this.menuQuietUntil) return;
      this.cancelLongPress();
      if (this.hooks.blocked()) return;
      this.hooks.popup(e.clientX, e.clientY);
    });
    // No scrolling, zooming or text selection under the player's fingers.
    for (const type of ['touchstart', 'touchmove', 'touchend', 'dblclick', 'gesturestart'])
      canvas.addEventListener(type, (e) => e.cancelable && e.preventDefault(), { passive: false });
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

  pointerDown(e) {
    if (e.pointerType !== 'mouse') e.preventDefault();
    if (e.button !== 0 || this.hooks.blocked()) return;
    // The topmost image under the press (none on a see-through pixel), and the control whose
    // click area it is.
    const { x, y } = this.canvasPoint(e);
    const id = this.r.seeThrough(x, y) ? -1 : this.r.imageAt(x, y);
    const c = id < 0 ? 0 : this.engine.ask('zn_click_area_control', [id]);
    if (!c) {
      if (e.pointerType !== 'mouse') this.startLongPress(e);
      return;
    }
    e.preventDefault();
    try {
      this.canvas.setPointerCapture(e.pointerId);
    } catch {
      /* the pointer is gone already */
    }
    if (this.pointers.has(e.pointerId)) return;
    this.pointers.set(e.pointerId, c);
    // Power has no release, so each pointer's press works it again.
    if (this.holders[c]++ === 0 || !this.engine.ask('zn_control_has_release', [c])) this.hooks.press(c);
  }

  pointerUp(e) {
    if (this.longPress && this.longPress.id === e.pointerId) this.cancelLongPress();
    const c = this.pointers.get(e.pointerId);
    if (c === undefined) return;
    this.pointers.delete(e.pointerId);
    if (--this.holders[c] === 0) this.hooks.release(c);
  }

  pointerMove(e) {
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
    const held = new Set([...this.keysDown.values(), ...this.pointers.values()]);
    this.cancelLongPress();
    for (const id of this.pointers.keys())
      if (this.canvas.hasPointerCapture(id)) this.canvas.releasePointerCapture(id);
    this.pointers.clear();
    this.holders.fill(0);
    this.keysDown.clear();
    return held;
  }
}

function isTextField(t) {
  return !!t && (t.isContentEditable || /^(INPUT|TEXTAREA|SELECT)$/.test(t.tagName || ''));
}
