// The splash (start) dialog and the about dialog, as the desktop draws them: the same client
// sizes, control rectangles, texts and artwork, in HTML. Also the frame every dialog of the
// page shares (a caption bar, the desktop's client area, scaling down to a small viewport, and
// the key preview of a modal dialog), which keysdialog.js builds on.

const kArtFolder = 'game/Graphics/Dialogs/'; // the artgen's dialog pictures, in the site's game folder

// The authors' details, as shell/authordetails.h gives them to the desktop's dialogs.
const kAuthor = Object.freeze({
  name: 'Zorpy Nibbo Simulator team',
  birthplace: 'A shared Git repository',
  birthdate: 'Spring 2017',
  occupation: 'Simulator builders',
  hobby: 'Collecting LCD handhelds',
  websiteText: 'zorpy-nibbo.example.org',
  websiteUrl: 'https://zorpy-nibbo.example.org/',
  donateUrl: 'https://zorpy-nibbo.example.org/donate',
  email: 'zorpy-nibbo@example.org',
  mailtoUrl: 'mailto:zorpy-nibbo@example.org',
  releaseLine: 'Released on 4 December 2017 by the Zorpy Nibbo Simulator team',
});

// The sound outputs of the splash dialog's list, in list order. The list position is what
// host.setSoundOutput takes; soundMode is the stored SoundMode, which keeps the desktop's
// meaning (0 a sound output, 2 "(no sound)"), so the engine's range rule reads it unchanged.
const kSoundOutputs = Object.freeze([
  { caption: 'Web Audio', soundMode: 0 },
  { caption: '(no sound)', soundMode: 2 },
]);

// The list position of a stored SoundMode, -1 for none (a value no item has).
function soundOutputPosition(soundMode) {
  return kSoundOutputs.findIndex((o) => o.soundMode === soundMode);
}

// ---- shared by the page's dialogs and menus (the exports below serve the other ui modules) ----

// Loads ui.css once, whether or not index.html links it. Resolves when it is in force.
let stylesReady = null;
export function ensureUiStyles() {
  if (stylesReady) return stylesReady;
  if (typeof document === 'undefined') return (stylesReady = Promise.resolve());
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

export function element(tag, className, props = {}) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  for (const [k, v] of Object.entries(props)) {
    if (k === 'text') e.textContent = v;
    else if (k === 'rect') placeAt(e, v);
    else if (k in e) e[k] = v;
    else e.setAttribute(k, v);
  }
  return e;
}

// Places a control at the desktop's rectangle [left, top, width, height] in the client area.
export function placeAt(e, [left, top, width, height]) {
  Object.assign(e.style, { left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px` });
}

// Opens an address in a new tab, as the desktop hands it to the default handler; the outcome
// is never reported.
export function openAddress(url) {
  try {
    window.open(url, '_blank', 'noopener');
  } catch {
    // A blocked window is no error of the page.
  }
}

const modalStack = [];

// Key preview of the top modal dialog: it sees every key before the focused control, as the
// desktop's dialogs do, and no key reaches the device while it is open (the desktop disables
// the main window). A key the dialog does not take still does what it does to the focused
// control (a list moves, Tab moves the focus), because only propagation is stopped.
function previewKey(e) {
  const top = modalStack[modalStack.length - 1];
  if (!top) return;
  if (e.type === 'keydown') {
    if (top.onKey && top.onKey(e)) {
      e.preventDefault();
      e.stopPropagation();
      return;
    }
    if (e.key === 'Tab') top.keepFocusInside(e);
  }
  e.stopPropagation();
}

let previewInstalled = false;
function installPreview() {
  if (previewInstalled) return;
  previewInstalled = true;
  window.addEventListener('keydown', previewKey, true);
  window.addEventListener('keyup', previewKey, true);
}

const kCaptionHeight = 24; // .zn-titlebar
const kFrameBorder = 1; // .zn-dialog

const kFocusable = 'select, input, button, a[href], [tabindex]:not([tabindex="-1"])';

// A dialog window of the page: a caption bar above the desktop's client area of width x
// height CSS pixels, centred in the viewport and scaled down as a whole when the viewport is
// smaller. Created once and shown and hidden, as the desktop's dialogs are.
// modal: a backdrop takes the page's pointer input and the key preview its keys.
// closeButton: the caption bar has a close button (the about dialog), which calls onClose.
export class DialogFrame {
  constructor({ className, caption, width, height, modal, closeButton = false }) {
    ensureUiStyles();
    this.modal = modal;
    this.onKey = null; // (KeyboardEvent) => true when the dialog took the key
    this.onClose = () => this.hide();
    this.onHide = null;
    this.backdrop = null;
    if (modal) {
      this.backdrop = element('div', 'zn-backdrop', { hidden: true });
      // Presses on the page behind a modal dialog do nothing and leave the focus in it.
      this.backdrop.addEventListener('pointerdown', (e) => e.preventDefault());
      this.backdrop.addEventListener('contextmenu', (e) => e.preventDefault());
    }
    this.root = element('div', `zn-dialog ${className}`, { hidden: true, tabIndex: -1 });
    this.root.setAttribute('role', 'dialog');
    this.root.setAttribute('aria-label', caption);
    if (modal) this.root.setAttribute('aria-modal', 'true');
    this.root.addEventListener('contextmenu', (e) => e.preventDefault());
    const bar = element('div', 'zn-titlebar');
    bar.append(element('span', 'zn-titlebar-caption', { text: caption }));
    if (closeButton) {
      const close = element('button', 'zn-titlebar-close', { type: 'button', text: '\u00d7' });
      close.setAttribute('aria-label', 'Close');
      close.tabIndex = -1;
      close.addEventListener('click', () => this.onClose());
      bar.append(close);
    }
    // The outer size, from the sizes ui.css gives the frame: known before the style sheet is.
    this.outerWidth = width + 2 * kFrameBorder;
    this.outerHeight = height + kCaptionHeight + 2 * kFrameBorder;
    this.client = element('div', 'zn-client');
    this.client.style.width = `${width}px`;
    this.client.style.height = `${height}px`;
    this.root.append(bar, this.client);
    if (this.backdrop) document.body.append(this.backdrop);
    document.body.append(this.root);
    this.refit = () => this.fit();
  }

  get visible() {
    return !this.root.hidden;
  }

  // Shows the dialog and gives focusTarget (or the dialog) the keyboard.
  show(focusTarget = null) {
    if (this.backdrop) this.backdrop.hidden = false;
    this.root.hidden = false;
    // Not seen until ui.css is in force, so it never shows unstyled for a moment.
    this.root.style.visibility = 'hidden';
    ensureUiStyles().then(() => {
      if (!this.visible) return;
      this.root.style.visibility = '';
      (focusTarget || this.root).focus({ preventScroll: true });
    });
    this.fit();
    window.addEventListener('resize', this.refit);
    if (this.modal && !modalStack.includes(this)) {
      installPreview();
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
    if (this.onHide) this.onHide();
  }

  // Centred, and scaled so that the whole dialog fits the viewport with a small margin.
  fit() {
    const margin = 8;
    const w = this.outerWidth;
    const h = this.outerHeight;
    // The viewport as unzoomed: a pinch zoom enlarges the dialog rather than fitting it again.
    const v = window.visualViewport;
    const vw = v ? v.width * v.scale : window.innerWidth;
    const vh = v ? v.height * v.scale : window.innerHeight;
    const scale = Math.max(0.1, Math.min(1, (vw - 2 * margin) / w, (vh - 2 * margin) / h));
    // Whole pixels: a dialog at a half pixel would blur its text.
    this.root.style.left = `${Math.round((vw - w * scale) / 2)}px`;
    this.root.style.top = `${Math.round((vh - h * scale) / 2)}px`;
    this.root.style.transform = scale === 1 ? '' : `scale(${scale})`;
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

// The keys the dialogs answer, by physical key like the desktop's digit row.
export function isEnterKey(e) {
  return e.key === 'Enter' || e.code === 'Enter' || e.code === 'NumpadEnter';
}
export function isEscapeKey(e) {
  return e.key === 'Escape' || e.code === 'Escape';
}

function label(text, rect, className = 'zn-label') {
  return element('div', className, { text, rect });
}

// A picture of the dialogs' artwork and its @2x partner (zn-artgen paints both), for the
// browser to take the one that suits the screen's density.
const artSources = (file) => `${kArtFolder}${file} 1x, ${kArtFolder}${file.replace(/\.\w+$/, '@2x$&')} 2x`;

// A picture of the dialogs' artwork; a missing one shows nothing (no broken-image sign).
function picture(file, rect, className = 'zn-picture') {
  const img = element('img', className, { rect, alt: '', draggable: false, decoding: 'async' });
  img.addEventListener('error', () => (img.style.visibility = 'hidden'));
  img.srcset = artSources(file);
  img.src = kArtFolder + file;
  return img;
}

// A picture button: the artgen's picture, or a plain caption when the picture is missing,
// so the dialog stays usable without its artwork.
function pictureButton(file, caption, rect) {
  const button = element('button', 'zn-picture-button', { type: 'button', rect });
  button.setAttribute('aria-label', caption);
  const img = element('img', '', { alt: caption, draggable: false });
  img.srcset = artSources(file);
  img.src = kArtFolder + file;
  img.addEventListener('error', () => {
    img.remove();
    button.textContent = caption;
    button.classList.add('zn-no-picture');
  });
  button.append(img);
  return button;
}

function link(text, url, rect) {
  return element('a', 'zn-link', { text, href: url, target: '_blank', rel: 'noopener', rect });
}

// ---- the splash dialog ----------------------------------------------------------------------

let splash = null;

class SplashDialog {
  constructor(host) {
    this.host = host;
    this.played = false;
    this.resolve = null;
    const f = new DialogFrame({ className: 'zn-splash', caption: 'About this game...', width: 460, height: 420, modal: true });
    this.frame = f;
    const c = f.client;
    // Beneath the background picture: its bands, in case the picture is missing.
    c.append(element('div', 'zn-splash-band-top'), element('div', 'zn-splash-band-bottom'));
    c.append(picture('splash_background.png', [0, 0, 460, 420]));
    c.append(picture('splash_box.jpg', [0, 56, 460, 160], 'zn-picture zn-picture-centred'));
    const title = label('Zorpy Nibbo (Korvent, Plimquad) Simulator', [0, 12, 460, 15], 'zn-label zn-center zn-bold');
    const version = label('Version 5.00 * Final *', [0, 28, 460, 15], 'zn-label zn-center zn-bold');
    title.style.color = version.style.color = '#fff';
    c.append(title, version);
    c.append(label(kAuthor.releaseLine, [0, 236, 460, 15], 'zn-label zn-center'));
    c.append(label('website:', [118, 259, 56, 15]));
    this.website = link(kAuthor.websiteText, kAuthor.websiteUrl, [174, 259, 168, 15]);
    c.append(label('email:', [118, 282, 56, 15]));
    this.email = link(kAuthor.email, kAuthor.mailtoUrl, [174, 282, 168, 15]);
    // The label shares the list's text line, as on the desktop.
    const soundLabel = label('Select sound driver:', [98, 308, 116, 21]);
    soundLabel.style.lineHeight = '21px';
    soundLabel.id = 'zn-splash-sound-label';
    c.append(soundLabel);

    this.cb_sound = element('select', 'zn-select', { rect: [217, 308, 144, 21] });
    this.cb_sound.setAttribute('aria-labelledby', soundLabel.id);
    for (const o of kSoundOutputs) this.cb_sound.append(element('option', '', { text: o.caption }));
    this.cb_sound.addEventListener('change', () => this.cb_soundChange());

    this.btn_play = pictureButton('splash_play.png', 'PLAY', [116, 340, 107, 30]);
    this.btn_play.addEventListener('click', () => this.btn_playClick());
    // The greyed twin; without its picture, the caption in grey.
    this.btn_play_disabled = element('div', 'zn-splash-disabled', { rect: [116, 340, 107, 30], hidden: true });
    this.btn_play_disabled.title = 'please select sound driver first';
    const greyed = picture('splash_play_disabled.png', [0, 0, 107, 30]);
    greyed.alt = 'PLAY';
    greyed.addEventListener('error', () => {
      greyed.remove();
      this.btn_play_disabled.textContent = 'PLAY';
      this.btn_play_disabled.classList.add('zn-no-picture');
    });
    this.btn_play_disabled.append(greyed);
    this.btn_paypal = pictureButton('splash_donate.png', 'DONATE', [237, 340, 107, 30]);
    this.btn_paypal.addEventListener('click', () => openAddress(kAuthor.donateUrl));

    const box = element('label', 'zn-checkbox', { rect: [12, 391, 444, 17] });
    this.chb_splashscreen = element('input', '', { type: 'checkbox', checked: true });
    box.append(this.chb_splashscreen, document.createTextNode('Display this splash screen at startup'));

    // The list and the check box first, as ever; the buttons and the links after them.
    c.append(this.cb_sound, box, this.btn_play, this.btn_play_disabled, this.btn_paypal, this.website, this.email);
    f.onKey = (e) => this.FormKeyDown(e);
  }

  // FormCreate's reading of the stored choices: true when the play action ran by itself (an
  // output is stored and the user asked not to see the dialog again).
  FormCreate() {
    const store = this.host.settings;
    this.cb_sound.selectedIndex = soundOutputPosition(store.get('SoundMode'));
    this.chb_splashscreen.checked = store.get('SplashScreen') !== 0;
    this.cb_soundChange();
    if (this.cb_sound.selectedIndex >= 0 && !this.chb_splashscreen.checked) {
      this.btn_playClick();
      return true;
    }
    return false;
  }

  cb_soundChange() {
    const chosen = this.cb_sound.selectedIndex >= 0;
    this.btn_play.hidden = !chosen;
    this.btn_play.disabled = !chosen;
    this.btn_play_disabled.hidden = chosen;
  }

  // The play action: starts the chosen sound output (a click or key here is the gesture that
  // lets the page's audio start), stores the choices, and leaves the device switched off.
  btn_playClick() {
    const position = this.cb_sound.selectedIndex;
    if (this.played || position < 0) return;
    this.played = true;
    const store = this.host.settings;
    this.host.setSoundOutput(position);
    store.set('SoundMode', kSoundOutputs[position].soundMode);
    store.set('SplashScreen', this.chb_splashscreen.checked ? 1 : 0);
    this.finish();
  }

  // Escape: the desktop ends the application here, which a page cannot do. The dialog closes
  // without storing anything, and the page plays through Web Audio for this visit.
  closeWithoutChoosing() {
    if (this.played) return;
    this.played = true;
    this.host.setSoundOutput(0);
    this.finish();
  }

  finish() {
    if (this.frame.visible) {
      this.frame.hide();
      if (this.host.resumeGame) this.host.resumeGame();
    }
    if (this.resolve) this.resolve();
  }

  FormKeyDown(e) {
    if (isEnterKey(e) || e.code === 'Digit1') {
      if (!e.repeat && !this.btn_play.disabled) this.btn_playClick();
      return true;
    }
    if (isEscapeKey(e)) {
      this.closeWithoutChoosing();
      return true;
    }
    return false;
  }
}

// The splash dialog, shown at most once per visit. Resolves when the play action has run:
// at once when an output is stored and the splash is switched off (nothing is seen), else
// when the user plays (or closes the dialog with Escape).
export function showSplash(host) {
  ensureUiStyles();
  if (splash) return splash.promise;
  splash = new SplashDialog(host);
  splash.promise = new Promise((resolve) => {
    splash.resolve = resolve;
  });
  if (!splash.FormCreate()) {
    if (host.releaseAll) host.releaseAll();
    if (host.pauseGame) host.pauseGame();
    splash.frame.show(splash.cb_sound);
  }
  return splash.promise;
}

// ---- the about dialog -----------------------------------------------------------------------

let about = null;

class AboutDialog {
  constructor() {
    const f = new DialogFrame({
      className: 'zn-about',
      caption: 'About the author...',
      width: 397,
      height: 176,
      modal: false,
      closeButton: true,
    });
    this.frame = f;
    const c = f.client;
    const portrait = picture('about_portrait.png', [8, 8, 116, 160]);
    portrait.style.objectFit = 'fill';
    c.append(portrait);
    const rows = [
      ['Name:', kAuthor.name],
      ['Birthplace:', kAuthor.birthplace],
      ['Birth date:', kAuthor.birthdate],
      ['Occupation:', kAuthor.occupation],
      ['Hobby:', kAuthor.hobby],
      ['Website:', kAuthor.websiteText, kAuthor.websiteUrl],
      ['Email:', kAuthor.email, kAuthor.mailtoUrl],
    ];
    rows.forEach(([caption, value, url], r) => {
      const top = 8 + 24 * r;
      c.append(label(caption, [132, top, 76, 16], 'zn-label zn-about-caption'));
      if (url) {
        // Links of the about dialog are for the pointer: no key opens a browser from here.
        const a = link(value, url, [212, top, 181, 16]);
        a.tabIndex = -1;
        a.addEventListener('click', () => setTimeout(() => f.hide(), 0));
        c.append(a);
      } else {
        const v = label(value, [212, top, 181, 16], 'zn-label zn-about-value');
        if (r === 4) v.style.fontStyle = 'italic';
        c.append(v);
      }
    });
    // Escape closes the dialog wherever the keyboard is: the page has no other use for it.
    this.onEscape = (e) => {
      if (isEscapeKey(e) && this.frame.visible && !e.defaultPrevented) {
        e.preventDefault();
        this.frame.hide();
      }
    };
    f.onHide = () => window.removeEventListener('keydown', this.onEscape);
  }

  show() {
    window.addEventListener('keydown', this.onEscape);
    this.frame.show();
  }
}

// Shows the about dialog without waiting for it; the device stays usable meanwhile.
export function showAbout(_host) {
  ensureUiStyles();
  if (!about) about = new AboutDialog();
  about.show();
}
