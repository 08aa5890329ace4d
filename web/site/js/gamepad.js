// Game controllers through the Gamepad API's standard mapping. Which button works which control,
// the sticks' hysteresis and the counting of what holds a control are the module's (the
// desktop's rules for its controllers); this hands it every controller's buttons and axes each
// frame, and the module works the game.

export class Gamepads {
  // allowed() -> true when a press may reach the device (the page has the focus and no dialog
  // is open).
  constructor(engine, allowed) {
    this.engine = engine;
    this.allowed = allowed;
  }

  // Reads the controllers; called every animation frame. Each controller is a line of the text
  // the module reads: its index, its buttons' values, its axes.
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

  // Forgets what is held and returns the controls that were held, for the caller to release
  // (the page lost the focus); what is still held presses again at the next poll.
  forget() {
    return this.engine.askList('zn_pads_forget');
  }
}
