// The key settings dialog in HTML, as the desktop shows it: one list per control holding the
// 44 keys of the engine's key table, red labels for every control whose key another control
// also uses, no accept while such a pair exists; accept stores Key1..Key7 and hands the new
// bindings to the page. Built once, at its first showing, from the bindings of that moment:
// Escape closes without applying but keeps the lists as they are, so the next showing shows
// them again and a later accept applies them.

import { DialogFrame, element, ensureUiStyles, isEnterKey, isEscapeKey, placeAt } from './dialogs.js';

const kBindingCount = 7;

// The seven controls in binding order: caption, label rectangle, right-aligned, list rectangle.
const kRows = [
  ['Power On/Off', [136, 33, 72, 14], false, [8, 29, 120, 21]],
  ['Game Select 1-4', [136, 65, 97, 14], false, [8, 61, 120, 21]],
  ['Start', [136, 97, 72, 14], false, [8, 93, 120, 21]],
  ['Up', [216, 33, 96, 14], true, [320, 29, 120, 21]],
  ['Left', [216, 65, 96, 14], true, [320, 61, 120, 21]],
  ['Right', [216, 97, 96, 14], true, [320, 93, 120, 21]],
  ['Down', [216, 129, 96, 14], true, [320, 125, 120, 21]],
];

let dialog = null;

class KeysDialog {
  constructor(host) {
    this.host = host;
    const f = new DialogFrame({ className: 'zn-keys', caption: 'Key settings', width: 448, height: 195, modal: true });
    this.frame = f;
    const c = f.client;
    const heading = (text, rect, right) =>
      element('div', `zn-label zn-heading${right ? ' zn-right' : ''}`, { text, rect });
    c.append(heading('Main operations', [8, 8, 104, 13], false), heading('Game controls', [336, 8, 104, 13], true));

    // Item position = key-table index - 1; the list is built once and copied into the others.
    const texts = host.engine
      .keyTable()
      .slice()
      .sort((a, b) => a.index - b.index)
      .map((k) => k.dialogText);
    const options = texts.map((t) => element('option', '', { text: t }));
    this.labels = [];
    this.lists = [];
    kRows.forEach(([caption, labelRect, right, listRect], i) => {
      const l = element('div', `zn-label${right ? ' zn-right' : ''}`, { text: caption, id: `zn-keys-la-${i + 1}` });
      placeAt(l, labelRect);
      const list = element('select', 'zn-select', { rect: listRect });
      list.setAttribute('aria-labelledby', l.id);
      for (const o of options) list.append(o.cloneNode(true));
      list.addEventListener('change', () => this.listChanged());
      this.labels.push(l);
      this.lists.push(list);
    });
    // Tab order: the lists 1..7, then accept.
    for (let i = 0; i < kBindingCount; ++i) c.append(this.labels[i]);
    c.append(...this.lists);
    this.acceptButton = element('button', 'zn-accept', { type: 'button', text: '- ACCEPT -', rect: [183, 162, 82, 25] });
    this.acceptButton.addEventListener('click', () => this.accept());
    c.append(this.acceptButton);
    f.onKey = (e) => this.onKey(e);
    f.onHide = () => {
      if (this.host.resumeGame) this.host.resumeGame();
    };
    this.loadBindings();
  }

  // The lists start from the page's bindings; an index outside 1..44 leaves its list empty.
  loadBindings() {
    const bindings = this.host.bindings();
    this.lists.forEach((list, i) => {
      const index = bindings[i];
      list.selectedIndex = Number.isInteger(index) && index >= 1 && index <= list.length ? index - 1 : -1;
    });
    this.listChanged();
  }

  // Colours the labels of the lists that share their key with another (the module's rule, as
  // the desktop's dialog asks it); true when there is such a pair.
  markSharedKeys() {
    const shown = this.lists.map((l) => l.selectedIndex + 1); // key-table index, 0: none
    const conflict = this.host.engine.askList('zn_key_conflicts', shown);
    this.labels.forEach((l, i) => l.classList.toggle('zn-conflict', conflict[i] === 1));
    return conflict.includes(1);
  }

  listChanged() {
    this.acceptButton.disabled = this.markSharedKeys();
  }

  // Stores Key1..Key7 (an empty list as 0) and makes them the page's bindings.
  accept() {
    if (this.markSharedKeys()) return;
    const indices = this.lists.map((l) => l.selectedIndex + 1);
    indices.forEach((index, i) => this.host.settings.set(`Key${i + 1}`, index));
    this.host.setBindings(indices);
    this.close();
  }

  close() {
    this.frame.hide();
  }

  onKey(e) {
    if (isEnterKey(e)) {
      if (!e.repeat && !this.acceptButton.disabled) this.accept();
      return true;
    }
    if (isEscapeKey(e)) {
      this.close();
      return true;
    }
    return false;
  }

  // The game stands still while the dialog is open, and every held control is let go: the
  // dialog has the keyboard, so no key-up would reach the device.
  show() {
    if (this.frame.visible) return;
    if (this.host.releaseAll) this.host.releaseAll();
    if (this.host.pauseGame) this.host.pauseGame();
    this.frame.show(this.lists[0]);
  }
}

// Shows the key settings dialog; the device takes no input until it closes (accept or Escape).
export function showKeySettings(host) {
  ensureUiStyles();
  if (!dialog) dialog = new KeysDialog(host);
  dialog.show();
}
