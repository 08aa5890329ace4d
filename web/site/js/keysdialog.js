// The key settings dialog in HTML, as the desktop shows it: one list per control holding the
// 44 keys of the engine's key table, red labels for every control whose key another control
// also uses, no accept while such a pair exists; accept stores Key1..Key7 and hands the new
// bindings to the page. Built once, at its first showing, from the bindings of that moment:
// Escape closes without applying but keeps the lists as they are, so the next showing shows
// them again and a later accept applies them.

import { DialogFrame, dialogData, element, isEnterKey, isEscapeKey, label } from './dialogs.js';

let dialog = null;

// A label of the dialog, as zn.wasm gives it: {caption, rect, alignRight}.
const keysLabel = (l, className) => label(l.caption, l.rect, `${className}${l.alignRight ? ' zn-right' : ''}`);

class KeysDialog {
  constructor(host) {
    this.host = host;
    const k = dialogData(host.engine).keys;
    const f = new DialogFrame({ className: 'zn-keys', caption: k.caption, width: k.width, height: k.height, modal: true, stills: host, onClose: () => f.hide() });
    this.frame = f;
    const c = f.client;
    c.append(keysLabel(k.mainHeading, 'zn-label zn-heading'), keysLabel(k.controlsHeading, 'zn-label zn-heading'));

    // Item position = key-table index - 1; the list is built once and copied into the others.
    const keys = host.engine.askJson('zn_key_table').sort((a, b) => a.index - b.index);
    const options = keys.map((key) => element('option', '', { text: key.dialogText }));
    this.labels = k.rows.map((row, i) => Object.assign(keysLabel(row.label, 'zn-label'), { id: `zn-keys-la-${i + 1}` }));
    this.lists = k.rows.map((row, i) => {
      const list = element('select', 'zn-select', { rect: row.list, id: `zn-keys-list-${i + 1}`, 'aria-labelledby': this.labels[i].id, onchange: () => this.listChanged() });
      for (const o of options) list.append(o.cloneNode(true));
      return list;
    });
    // Tab order: the lists in binding order, then accept.
    c.append(...this.labels, ...this.lists);
    this.acceptButton = element('button', 'zn-accept', { type: 'button', text: k.acceptCaption, rect: k.accept, onclick: () => this.accept() });
    c.append(this.acceptButton);
    f.onKey = (e) => this.onKey(e);
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
    this.frame.hide();
  }

  onKey(e) {
    if (isEnterKey(e)) {
      if (!e.repeat && !this.acceptButton.disabled) this.accept();
      return true;
    }
    if (isEscapeKey(e)) {
      this.frame.hide();
      return true;
    }
    return false;
  }

  // The game stands still while the dialog is open (DialogFrame's stills); showing it again
  // while it is open leaves the keyboard where it is.
  show() {
    if (this.frame.visible) return;
    this.frame.show(this.lists[0]);
  }
}

// Shows the key settings dialog; the device takes no input until it closes (accept, Escape or
// its close button, which is Escape's).
export function showKeySettings(host) {
  if (!dialog) dialog = new KeysDialog(host);
  dialog.show();
}
