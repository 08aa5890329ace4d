// The key settings dialog: a list of the key table per control, red labels where two controls
// share a key (zn_key_conflicts), no accept meanwhile; accept stores Key1..Key7. Built once:
// Escape closes without applying but keeps the lists for the next showing.

import { DialogFrame, dialogData, element, label } from './dialogs.js';

let dialog = null;

// A label of the dialog, as zn.wasm gives it: {caption, rect, alignRight}.
const keysLabel = (l, className) => label(l.caption, l.rect, `${className}${l.alignRight ? ' zn-right' : ''}`);

class KeysDialog {
  constructor(host) {
    this.host = host;
    const k = dialogData(host.engine).keys;
    const f = new DialogFrame(host.engine, { className: 'zn-keys', caption: k.caption, width: k.width, height: k.height, modal: true, stills: host, onClose: () => f.hide(), onEnter: () => this.accept() });
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

  // Colours the labels of the lists that share their key; true when there is such a pair.
  markSharedKeys() {
    const shown = this.lists.map((l) => l.selectedIndex + 1); // key-table index, 0: none
    const conflict = this.host.engine.askList('zn_key_conflicts', shown);
    this.labels.forEach((l, i) => l.classList.toggle('zn-conflict', conflict[i] === 1));
    return conflict.includes(1);
  }

  listChanged() {
    this.acceptButton.disabled = this.markSharedKeys();
  }

  // An empty list is stored as 0.
  accept() {
    if (this.markSharedKeys()) return;
    const indices = this.lists.map((l) => l.selectedIndex + 1);
    indices.forEach((index, i) => this.host.settings.set(`Key${i + 1}`, index));
    this.host.setBindings(indices);
    this.frame.hide();
  }

  show() {
    if (this.frame.visible) return;
    this.frame.show(this.lists[0]);
  }
}

// Shows the key settings dialog; the device takes no input until it closes.
export function showKeySettings(host) {
  if (!dialog) dialog = new KeysDialog(host);
  dialog.show();
}
