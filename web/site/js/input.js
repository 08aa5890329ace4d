// Keys and pointers working the seven controls, as the desktop's input dispatch does.
//
// Keys: KeyboardEvent.code (the physical key, so every layout works) becomes the virtual-key
// code of the key table; a key-down presses the first of bindings 1..7 with that code (held keys
// repeat the press, as on the desktop), a key-up releases the first of bindings 2..7.
//
// Pointers: a primary press on the canvas goes to the topmost shown image under it (a
// see-through pixel of the windowed display takes none); on the click area of a control it
// presses that control, and the pointer keeps it until it lets go, wherever it has moved. Every
// pointer holds its own control, so one thumb can hold a direction while another presses START;
// a control held by several pointers is released when the last one lets go.
//
// A right click, or a long press of a touch that holds no control, opens the popup menu.

export const Control = Object.freeze({ Power: 1, Select: 2, Start: 3, Up: 4, Left: 5, Right: 6, Down: 7 });

// KeyboardEvent.code -> the virtual-key code the key table uses; keys outside the table map to 0
// (the keypad among them, as on the desktop).
export function virtualKeyCode(code) {
  let m = /^Digit([0-9])$/.exec(code);
  if (m) return 48 + Number(m[1]);
  m = /^Key([A-Z])$/.exec(code);
  if (m) return m[1].charCodeAt(0);
  return kSpecialCodes[code] || 0;
}

const kSpecialCodes = {
  ArrowUp: 38,
  ArrowDown: 40,
  ArrowLeft: 37,
  ArrowRight: 39,
  AltLeft: 18,
  AltRight: 18,
  ControlLeft: 17,
  ControlRight: 17,
  ShiftLeft: 16,
  ShiftRight: 16,
  Space: 32,
};

// The control whose click area an image is, by the image's name.
export const kClickAreas = Object.freeze({
  btn_power_top: Control.Power,
  btn_select_top: Control.Select,
  btn_start_top: Control.Start,
  btn_ctrlr_overlay_up: Control.Up,
  btn_ctrlr_overlay_left: Control.Left,
  btn_ctrlr_overlay_right: Control.Right,
  btn_ctrlr_overlay_down: Control.Down,
});

const kLongPressMs = 500;
const kLongPressSlop = 10; // CSS pixels a finger may wander during a long press

export class Input {
  // host: the page's host object. renderer: the canvas's Renderer. hooks: {press(c),
  // release(c)} (the engine's operations followed by a redraw), shortcut(e) -> true when a menu
  // shortcut took the key, popup(x, y) opens the popup menu, gesture() is told of every user
  // gesture (sound unlock), blocked() -> true while a dialog has the keyboard, releaseAll()
  // lets go of every held control (the page lost the focus).
  constructor(host, renderer, hooks) {
    this.host = host;
    this.r = renderer;
    this.hooks = hooks;
    this.codes = new Array(8).fill(0); // [binding] -> virtual-key code, [0] unused
    this.pointers = new Map(); // pointerId -> control
    this.holders = new Array(8).fill(0); // [control] -> pointers holding it
    this.keysDown = new Map(); // virtual-key code of a held bound key -> its control
    this.areas = new Map(); // image id -> control
    this.longPress = null;
    for (let id = 0; id < host.engine.imageCount; ++id) {
      const c = kClickAreas[host.engine.imageName(id)];
      if (c) this.areas.set(id, c);
    }
    this.keyTable = host.engine.keyTable();
  }

  // The bindings: seven key-table indices (power, select, start, up, left, right, down). An
  // index outside the table gives its control no key.
  setBindings(indices) {
    for (let i = 1; i <= 7; ++i) {
      const entry = this.keyTable.find((k) => k.index === indices[i - 1]);
      this.codes[i] = entry ? entry.code : 0;
    }
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
      if (this.longPress && this.longPress.opened) return;
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
    this.hooks.gesture();
    if (this.hooks.shortcut(e)) {
      e.preventDefault();
      return;
    }
    if (this.hooks.blocked() || isTextField(e.target)) return;
    const code = virtualKeyCode(e.code);
    if (code === 0) return;
    for (let i = 1; i <= 7; ++i) {
      if (this.codes[i] === code) {
        e.preventDefault(); // arrows and the space bar would scroll, Alt would open a menu bar
        if (i !== Control.Power) this.keysDown.set(code, i);
        this.hooks.press(i);
        return;
      }
    }
  }

  keyUp(e) {
    if (this.hooks.blocked() || isTextField(e.target)) return;
    const code = virtualKeyCode(e.code);
    if (code === 0) return;
    this.keysDown.delete(code);
    for (let i = 2; i <= 7; ++i) {
      if (this.codes[i] === code) {
        e.preventDefault();
        this.hooks.release(i);
        return;
      }
    }
  }

  // The canvas pixel (device pixels) under a pointer event.
  canvasPoint(e) {
    const rect = this.canvas.getBoundingClientRect();
    const x = ((e.clientX - rect.left) * this.canvas.width) / Math.max(1, rect.width);
    const y = ((e.clientY - rect.top) * this.canvas.height) / Math.max(1, rect.height);
    return { x: Math.floor(x), y: Math.floor(y) };
  }

  // The image a press at the event's point reaches, or -1.
  hit(e) {
    const { x, y } = this.canvasPoint(e);
    if (this.r.seeThrough(x, y)) return -1;
    return this.r.imageAt(x, y);
  }

  pointerDown(e) {
    this.hooks.gesture();
    if (e.pointerType !== 'mouse') e.preventDefault();
    if (e.button !== 0 || this.hooks.blocked()) return;
    const id = this.hit(e);
    const c = this.areas.get(id);
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
    if (this.holders[c]++ === 0 || c === Control.Power) this.hooks.press(c);
  }

  pointerUp(e) {
    if (this.longPress && this.longPress.id === e.pointerId) this.cancelLongPress();
    const c = this.pointers.get(e.pointerId);
    if (c === undefined) return;
    this.pointers.delete(e.pointerId);
    if (--this.holders[c] === 0 && c !== Control.Power) this.hooks.release(c);
  }

  pointerMove(e) {
    const lp = this.longPress;
    if (!lp || lp.id !== e.pointerId) return;
    if (Math.hypot(e.clientX - lp.x, e.clientY - lp.y) > kLongPressSlop) this.cancelLongPress();
  }

  startLongPress(e) {
    this.cancelLongPress();
    const lp = { id: e.pointerId, x: e.clientX, y: e.clientY, opened: false };
    lp.timer = setTimeout(() => {
      lp.opened = true;
      this.hooks.popup(lp.x, lp.y);
    }, kLongPressMs);
    this.longPress = lp;
  }

  cancelLongPress() {
    if (!this.longPress) return;
    clearTimeout(this.longPress.timer);
    const lp = this.longPress;
    this.longPress = null;
    // The contextmenu event that a long press also brings comes after it: let it pass once.
    if (lp.opened) {
      this.longPress = { opened: true, timer: 0, id: -1 };
      setTimeout(() => {
        if (this.longPress && this.longPress.id === -1) this.longPress = null;
      }, 400);
    }
  }

  // Forgets everything the keys and pointers hold (the page lost the focus) and returns the
  // controls they held, for the caller to release.
  releaseAll() {
    const held = new Set(this.keysDown.values());
    for (const c of this.pointers.values()) if (c !== Control.Power) held.add(c);
    this.cancelLongPress();
    for (const id of this.pointers.keys()) {
      try {
        this.canvas.releasePointerCapture(id);
      } catch {
        /* gone */
      }
    }
    this.pointers.clear();
    this.holders.fill(0);
    this.keysDown.clear();
    return held;
  }
}

function isTextField(t) {
  return !!t && (t.isContentEditable || /^(INPUT|TEXTAREA|SELECT)$/.test(t.tagName || ''));
}
