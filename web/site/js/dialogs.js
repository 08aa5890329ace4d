// The page's small UI kit for its dialogs and menus: the style sheet, elements placed at the
// desktop's rectangles, the dialog frame they share, and their controls. What the dialogs show
// (texts, rectangles, artwork) is zn.wasm's: dialogData.

// Loads ui.css once, whether or not index.html links it. Resolves when it is in force.
let stylesReady = null;
export function ensureUiStyles() {
  if (stylesReady) return stylesReady;
  const href = new URL('../ui.css', import.meta.url).href;
  for (const link of document.querySelectorAll('link[rel="stylesheet"]'))
    if (link.href === href) return (stylesReady = link.sheet ? Promise.resolve() : loaded(link));
  const link = document.createElement('link');
  link.rel = 'stylesheet';
  link.href = href;
  stylesReady = loaded(link);
  document.head.append(link);
  return stylesReady;
}

// A style sheet that failed, or is slow to come, still lets the dialogs show, if unstyled.
function loaded(link) {
  return new Promise((resolve) => {
    link.addEventListener('load', resolve, { once: true });
    link.addEventListener('error', resolve, { once: true });
    setTimeout(resolve, 3000);
  });
}

// props: text, the textContent; rect, [left, top, width, height] in the client area; any
// other, the element's property of that name, else its attribute.
export function element(tag, className, props = {}) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  for (const [k, v] of Object.entries(props)) {
    if (k === 'text') e.textContent = v;
    else if (k === 'rect') Object.assign(e.style, { left: `${v[0]}px`, top: `${v[1]}px`, width: `${v[2]}px`, height: `${v[3]}px` });
    else if (k in e) e[k] = v;
    else e.setAttribute(k, v);
  }
  return e;
}

// Opens an address in a new tab; a blocked window is no error of the page.
export function openAddress(url) {
  try {
    window.open(url, '_blank', 'noopener');
  } catch {}
}

// A note at the top of the page that the player can close and that leaves by itself after
// `seconds`; a note of the same id goes first.
export function notice(id, text, seconds) {
  ensureUiStyles();
  document.getElementById(id)?.remove();
  const note = element('div', 'zn-notice', { id, role: 'status' });
  const close = element('button', 'zn-notice-close', { type: 'button', 'aria-label': 'Close', text: '\u00d7', onclick: () => note.remove() });
  note.append(element('span', '', { text }), close);
  document.body.append(note);
  setTimeout(() => note.remove(), seconds * 1000);
  return note;
}

const modalStack = [];

// Key preview of the top modal dialog: it sees every key before the focused control, and no
// key reaches the device while it is open. A key it does not take still works the focused
// control (a list moves, Tab moves the focus): only propagation is stopped.
function previewKey(e) {
  const top = modalStack[modalStack.length - 1];
  if (!top) return;
  if (e.type === 'keydown') {
    const run = isEscapeKey(e) ? top.onClose : isEnterKey(e) || top.enterCodes.includes(e.code) ? top.onEnter : null;
    if (run) {
      e.preventDefault();
      e.stopPropagation();
      if (!e.repeat || run === top.onClose) run();
      return;
    }
    if (e.key === 'Tab') top.keepFocusInside(e);
  }
  e.stopPropagation();
}

const kFocusable = 'select, input, button, a[href], [tabindex]:not([tabindex="-1"])';

// True on a touch screen: there the dialogs are laid out for a finger (ui.css), scroll inside
// themselves rather than being scaled down, and give the keyboard to no control at opening.
export const isTouchScreen = () => window.matchMedia('(pointer: coarse)').matches;

// A dialog window: a caption bar above a client area of width x height CSS pixels, placed by
// zn.wasm's rule (zn_dialog_fit; on a touch screen by ui.css). modal: a backdrop takes the
// page's pointer input and the key preview its keys: Escape runs onClose (as the caption bar's
// close button does), Enter or a key of enterCodes onEnter; a dialog that is not modal hears
// Escape wherever the keyboard is. stills: the host whose game stands
// still while the dialog shows, every held control let go (no key-up would reach the device).
export class DialogFrame {
  constructor(engine, { className, caption, width, height, modal, onClose = null, onEnter = null, enterCodes = [], stills = null }) {
    ensureUiStyles();
    Object.assign(this, { engine, modal, stills, onClose, onEnter, enterCodes });
    this.backdrop = null;
    if (modal) {
      const refuse = (e) => e.preventDefault();
      this.backdrop = element('div', 'zn-backdrop', { hidden: true, onpointerdown: refuse, oncontextmenu: refuse });
    }
    this.root = element('div', `zn-dialog ${className}`, { hidden: true, tabIndex: -1, role: 'dialog', 'aria-label': caption });
    if (modal) this.root.setAttribute('aria-modal', 'true');
    this.root.addEventListener('contextmenu', (e) => e.preventDefault());
    const bar = element('div', 'zn-titlebar');
    bar.append(element('span', 'zn-titlebar-caption', { text: caption }));
    if (onClose) bar.append(element('button', 'zn-titlebar-close', { type: 'button', text: '\u00d7', 'aria-label': 'Close', tabIndex: -1, onclick: onClose }));
    this.size = [width, height];
    this.client = element('div', 'zn-client');
    this.client.style.width = `${width}px`;
    this.client.style.height = `${height}px`;
    this.root.append(bar, this.client);
    if (this.backdrop) document.body.append(this.backdrop);
    document.body.append(this.root);
    this.refit = () => this.fit();
    if (modal || !onClose) return;
    window.addEventListener('keydown', (e) => {
      if (!isEscapeKey(e) || !this.visible || e.defaultPrevented) return;
      e.preventDefault();
      onClose();
    });
  }

  get visible() {
    return !this.root.hidden;
  }

  // Shows the dialog and gives focusTarget (or the dialog) the keyboard.
  show(focusTarget = null) {
    if (this.stills && !this.visible) {
      this.stills.releaseAll?.();
      this.stills.pauseGame?.();
    }
    if (this.backdrop) this.backdrop.hidden = false;
    this.root.hidden = false;
    // Not seen until ui.css is in force, so it never shows unstyled for a moment.
    this.root.style.visibility = 'hidden';
    ensureUiStyles().then(() => {
      if (!this.visible) return;
      this.root.style.visibility = '';
      // On a touch screen a control given the focus would only show its ring.
      (isTouchScreen() ? this.root : focusTarget || this.root).focus({ preventScroll: true });
    });
    this.fit();
    window.addEventListener('resize', this.refit);
    if (this.modal && !modalStack.includes(this)) {
      window.addEventListener('keydown', previewKey, true);
      window.addEventListener('keyup', previewKey, true);
      modalStack.push(this);
      document.body.classList.add('zn-modal-open');
    }
  }

  hide() {
    if (!this.visible) return;
    if (this.root.contains(document.activeElement)) document.activeElement.blur();
    this.root.hidden = true;
    if (this.backdrop) this.backdrop.hidden = true;
    window.removeEventListener('resize', this.refit);
    const at = modalStack.indexOf(this);
    if (at >= 0) modalStack.splice(at, 1);
    if (modalStack.length === 0) document.body.classList.remove('zn-modal-open');
    this.stills?.resumeGame?.();
  }

  fit() {
    if (isTouchScreen()) {
      Object.assign(this.root.style, { left: '', top: '', transform: '' });
      return;
    }
    // The viewport as unzoomed: a pinch zoom enlarges the dialog rather than fitting it again.
    const v = window.visualViewport;
    const viewport = v ? [v.width * v.scale, v.height * v.scale] : [window.innerWidth, window.innerHeight];
    const [left, top, scale] = this.engine.askText('zn_dialog_fit', [...viewport, ...this.size]).split(' ').map(Number);
    Object.assign(this.root.style, { left: `${left}px`, top: `${top}px`, transform: scale === 1 ? '' : `scale(${scale})` });
  }

  // Tab and Shift+Tab go round the dialog's controls and never leave it.
  keepFocusInside(e) {
    const controls = [...this.root.querySelectorAll(kFocusable)].filter(
      (c) => !c.disabled && !c.hidden && c.offsetParent !== null && c.tabIndex >= 0,
    );
    if (controls.length === 0) {
      e.preventDefault();
      return;
    }
    const first = controls[0];
    const last = controls[controls.length - 1];
    const inside = this.root.contains(document.activeElement);
    if (!inside || (e.shiftKey && document.activeElement === first)) {
      e.preventDefault();
      (e.shiftKey ? last : first).focus();
    } else if (!e.shiftKey && document.activeElement === last) {
      e.preventDefault();
      first.focus();
    }
  }
}

// The keys the dialogs answer, by physical key too.
function isEnterKey(e) {
  return e.key === 'Enter' || e.code === 'Enter' || e.code === 'NumpadEnter';
}
function isEscapeKey(e) {
  return e.key === 'Escape' || e.code === 'Escape';
}

export function label(text, rect, className = 'zn-label') {
  return element('div', className, { text, rect });
}

// What the start and about dialogs show, read once from the core.
let data = null;
export function dialogData(engine) {
  if (!data) data = engine.askJson('zn_dialog_data');
  return data;
}

// A picture of the dialogs' artwork as zn.wasm names it ({file, hiDpi}): its address and its
// @2x partner's, for the browser to take the one that suits the screen.
export function artSource(d, { file, hiDpi }) {
  const at = (name) => `game/${d.art.folder}/${name}`;
  return { src: at(file), srcset: `${at(file)} 1x, ${at(hiDpi)} 2x` };
}

// A picture of the dialogs' artwork (artSource); a missing one shows nothing.
export function picture({ src, srcset }, rect, className = 'zn-picture') {
  const img = element('img', className, { rect, alt: '', draggable: false, decoding: 'async', srcset, src });
  img.addEventListener('error', () => (img.style.visibility = 'hidden'));
  return img;
}

// Without its picture, a picture control shows its caption instead.
export function captionIfMissing(img, holder, caption) {
  img.addEventListener('error', () => {
    img.remove();
    holder.textContent = caption;
    holder.classList.add('zn-no-picture');
  });
}

// A picture button: the artgen's picture, or its plain caption.
export function pictureButton({ src, srcset }, caption, rect, onclick) {
  const button = element('button', 'zn-picture-button', { type: 'button', rect, 'aria-label': caption, onclick });
  const img = element('img', '', { alt: caption, draggable: false, srcset, src });
  captionIfMissing(img, button, caption);
  button.append(img);
  return button;
}

export function link(text, url, rect) {
  return element('a', 'zn-link', { text, href: url, target: '_blank', rel: 'noopener', rect });
}
