// Game controllers through the Gamepad API's standard mapping, with the desktop's assignments:
// the d-pad and the left stick work the joystick, Start and A the start button, Back and X game
// select, Guide and Y the power switch. Each stick half is a direction with hysteresis: held
// from half way on, let go below 30 %, so a stick near one mark does not chatter. A control is
// pressed when its first holder (any button or stick of any controller) takes it and released
// when the last lets go; power has no release. A controller that goes lets go of what it held.

const kStickPress = 16384 / 32767;
const kStickRelease = 9830 / 32767;

// Sources of one controller, each one holder of its control (1 power .. 7 down).
const kButtons = [
  { button: 12, control: 4 }, // d-pad up
  { button: 14, control: 5 }, // d-pad left
  { button: 15, control: 6 }, // d-pad right
  { button: 13, control: 7 }, // d-pad down
  { button: 9, control: 3 }, // Start
  { button: 0, control: 3 }, // A
  { button: 8, control: 2 }, // Back
  { button: 2, control: 2 }, // X
  { button: 16, control: 1 }, // Guide
  { button: 3, control: 1 }, // Y
];
// Stick sources follow the buttons: up, left, right, down.
const kStick = [
  { axis: 1, sign: -1, control: 4 },
  { axis: 0, sign: -1, control: 5 },
  { axis: 0, sign: 1, control: 6 },
  { axis: 1, sign: 1, control: 7 },
];

export class Gamepads {
  // ops: {press(c), release(c)}; allowed() -> true when a press may reach the device (the page
  // has the focus and no dialog is open).
  constructor(ops, allowed) {
    this.ops = ops;
    this.allowed = allowed;
    this.pads = new Map(); // gamepad index -> Array of held flags, one per source
    this.holders = new Array(8).fill(0);
  }

  // Reads the controllers; called every animation frame.
  poll() {
    const list = typeof navigator.getGamepads === 'function' ? navigator.getGamepads() : [];
    const seen = new Set();
    for (const pad of list) {
      if (!pad || !pad.connected) continue;
      if (pad.mapping !== 'standard') continue;
      seen.add(pad.index);
      if (!this.pads.has(pad.index)) this.pads.set(pad.index, new Array(kButtons.length + kStick.length).fill(false));
      this.read(pad);
    }
    for (const index of [...this.pads.keys()]) if (!seen.has(index)) this.drop(index);
  }

  read(pad) {
    const held = this.pads.get(pad.index);
    const allowed = this.allowed();
    const now = held.slice();
    kButtons.forEach((b, s) => {
      const button = pad.buttons[b.button];
      now[s] = !!button && (button.pressed || button.value >= 0.5);
    });
    kStick.forEach((k, i) => {
      const s = kButtons.length + i;
      const v = (pad.axes[k.axis] || 0) * k.sign;
      now[s] = v >= (held[s] ? kStickRelease : kStickPress);
    });
    // A source taking over a control that another still holds comes first, so the control is
    // never let go in between; then releases before presses, so a swing from one side to the
    // other lets go of the one before it presses the other.
    const control = (s) => (s < kButtons.length ? kButtons[s].control : kStick[s - kButtons.length].control);
    for (let s = 0; s < now.length; ++s)
      if (!held[s] && now[s] && this.holders[control(s)] > 0) this.set(held, s, true, allowed);
    for (let s = 0; s < now.length; ++s) if (held[s] && !now[s]) this.set(held, s, false, allowed);
    for (let s = 0; s < now.length; ++s) if (!held[s] && now[s]) this.set(held, s, true, allowed);
  }

  set(held, s, on, allowed) {
    held[s] = on;
    const c = s < kButtons.length ? kButtons[s].control : kStick[s - kButtons.length].control;
    if (on) {
      if (this.holders[c]++ === 0 && allowed) this.ops.press(c);
    } else if (--this.holders[c] === 0 && c !== 1) {
      this.ops.release(c);
    }
  }

  drop(index) {
    const held = this.pads.get(index);
    for (let s = 0; s < held.length; ++s) if (held[s]) this.set(held, s, false, false);
    this.pads.delete(index);
  }

  // Forgets what is held and returns the controls that were held, for the caller to release
  // (the page lost the focus); what is still held presses again at the next poll.
  forget() {
    const held = new Set();
    for (let c = 2; c <= 7; ++c) if (this.holders[c] > 0) held.add(c);
    this.holders.fill(0);
    for (const flags of this.pads.values()) flags.fill(false);
    return held;
  }
}
