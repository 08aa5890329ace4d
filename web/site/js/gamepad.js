// Game controllers through the Gamepad API's standard mapping: each frame this hands zn.wasm
// every controller's buttons and axes, and it works the game by the desktop's rules.

export class Gamepads {
  // allowed() -> true when a press may reach the device.
  constructor(engine, allowed) {
    this.engine = engine;
    this.allowed = allowed;
  }

  // Every animation frame: a line per controller, its index, its buttons' values, its axes.
  poll() {
    const list = typeof navigator.getGamepads === 'function' ? navigator.getGamepads() : [];
    const lines = [];
    for (const pad of list) {
      if (!pad || !pad.connected || pad.mapping !== 'standard') continue;
      const buttons = Array.from(pad.buttons, (b) => (b.pressed ? 1 : b.value));
      lines.push(`${pad.index};${buttons.join(' ')};${Array.from(pad.axes).join(' ')}`);
    }
    this.engine.ask('zn_pads_read', [this.allowed() ? 1 : 0], lines.join('\n'));
  }

  // Forgets what is held and returns the controls, for the caller to release; what is still
  // held presses again at the next poll.
  forget() {
    return this.engine.askList('zn_pads_forget');
  }
}
