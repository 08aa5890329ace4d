// The keys the driver presses: their devtools key events.

// The keys the tests press, by their KeyboardEvent.code (or key): [key, code, virtual key, text].
const kKeys = {
  ArrowLeft: ['ArrowLeft', 'ArrowLeft', 37], ArrowUp: ['ArrowUp', 'ArrowUp', 38],
  ArrowRight: ['ArrowRight', 'ArrowRight', 39], ArrowDown: ['ArrowDown', 'ArrowDown', 40],
  Enter: ['Enter', 'Enter', 13, '\r'], Escape: ['Escape', 'Escape', 27], Space: [' ', 'Space', 32, ' '],
  ShiftLeft: ['Shift', 'ShiftLeft', 16], ControlLeft: ['Control', 'ControlLeft', 17], F12: ['F12', 'F12', 123],
  F8: ['F8', 'F8', 119], Tab: ['Tab', 'Tab', 9, '\t'],
};
for (const c of '0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ') {
  const code = c <= '9' ? `Digit${c}` : `Key${c}`;
  kKeys[code] = [c.toLowerCase(), code, c.charCodeAt(0), c.toLowerCase()];
}

export function keyEvent(name, down) {
  const k = kKeys[name];
  if (!k) throw new Error(`no key ${name} in the driver's table`);
  const [key, code, vk, text] = k;
  const e = { key, code, windowsVirtualKeyCode: vk, location: /Left$/.test(code) && vk < 32 ? 1 : 0 };
  if (!down) return { type: 'keyUp', ...e };
  return text ? { type: 'keyDown', text, unmodifiedText: text, ...e } : { type: 'rawKeyDown', ...e };
}

