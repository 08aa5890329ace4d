// The popup menu of the device (the desktop's pm_0_menu), opened by a right click or a long
// press, and its shortcut keys. Its items (captions, shortcuts, check marks, enabled states,
// command ids) are the page's set of the menu registry in zn.wasm; the page runs each command
// its own way. The documents open in a new tab. The full-screen game menu (gamemenu.js) shows
// the same items, row by row.

import { dialogData, ensureUiStyles, element, isTouchScreen, notice, openAddress } from './dialogs.js';
import { showAbout } from './about.js';
import { showKeySettings } from './keysdialog.js';
import { setVolume } from './audio.js';
import { chooseReplay, saveReplay, shareGame } from './replay.js';

// Events between the ui modules, so that each keeps to its own exports:
export const kCloseGameMenuEvent = 'zn:close-game-menu'; // the game menu closes (gamemenu.js)
export const kChooseSkinEvent = 'zn:choose-skin'; // the skin folder chooser opens (skindrop.js)

const closeGameMenu = () => document.dispatchEvent(new Event(kCloseGameMenuEvent));

// The documents lie in the site's game folder, as they lie in the desktop's.
function openDocument(fileName) {
  openAddress(new URL(`game/${fileName}`, document.baseURI).href);
}

// SplashScreen's check mark: the stored value; the splash dialog stores it whenever it plays,
// and its check box starts ticked, which is the stored value's default.
function splashChecked(host) {
  return host.settings.get('SplashScreen') !== 0;
}

// What each command of the registry that opens no document does on the page.
function pageActions(host) {
  return {
    about: () => showAbout(host),
    skin: () => document.dispatchEvent(new Event(kChooseSkinEvent)),
    share: () => shareGame(host),
    savereplay: () => saveReplay(host),
    openreplay: () => chooseReplay(),
    keys: () => showKeySettings(host),
    fullscreen: () => {
      const on = !host.isFullscreen();
      closeGameMenu();
      host.settings.set('FullscreenMode', on ? 1 : 0);
      host.setFullscreen(on); // last: entering full screen needs the gesture this runs in
    },
    splash: () => host.settings.set('SplashScreen', splashChecked(host) ? 0 : 1),
    overlays: () => {
      const on = !host.overlaysShown();
      host.setOverlaysShown(on);
      host.settings.set('CtrlrOverlay', on ? 1 : 0);
    },
    vibrate: () => host.settings.set('Vibrate', host.settings.get('Vibrate') ? 0 : 1),
  };
}

// The page's volume, 0..100: stored, and handed to the sound.
export function applyVolume(host, percent) {
  if (percent !== undefined) host.settings.set('Volume', percent);
  setVolume(host.settings.get('Volume'));
}

// On a touch screen's first visit, once the start dialog has gone (afterSplash): the hint
// that a long press opens the menu, until the next touch. Shown once; the store remembers it.
export function hintLongPress(host, afterSplash) {
  if (!isTouchScreen() || !host.settings.get('LongPressHint')) return;
  afterSplash.then(() => {
    const { longPressHint, hintSeconds } = dialogData(host.engine).page;
    host.settings.set('LongPressHint', 0);
    const note = notice('zn-long-press-hint', longPressHint, 2 * hintSeconds);
    window.addEventListener('pointerdown', () => note.remove(), { once: true, capture: true }); // read: the next touch
  });
}

// The items in menu order, separators included, with their check marks and enabled states of
// this moment and each one's run (called inside the user's gesture: a tab, the full screen
// and the file chooser need it).
export function menuItems(host) {
  const state = [host.isFullscreen(), host.overlaysShown(), splashChecked(host), host.settings.get('Vibrate')].map((on) => (on ? 1 : 0));
  const actions = pageActions(host);
  const run = (it) => (it.document ? openDocument(it.document) : actions[it.id]?.());
  return host.engine.askJson('zn_menu_items', state).map((it) => ({ ...it, run: () => run(it) }));
}

// The shortcut keys of the items, plain keys without modifiers, as on the desktop: runs the
// item and returns true when the key is one of them (the key is then consumed and must not
// reach the game). A held key's repeats do nothing.
export function menuShortcut(host, e) {
  if (e.ctrlKey || e.altKey || e.metaKey || e.shiftKey) return false;
  if (document.body.classList.contains('zn-modal-open')) return false;
  const items = menuItems(host);
  const it = items[shortcutIndex(items, e)];
  if (!it) return false;
  e.preventDefault();
  if (!e.repeat) it.run();
  return true;
}

// The enabled item whose shortcut a key event names (function keys by their place on the
// keyboard), or -1.
function shortcutIndex(items, e) {
  const key = /^F\d+$/.test(e.code) ? e.code : e.key;
  return items.findIndex((it) => it.enabled && it.shortcut !== '' && it.shortcut === key);
}

let open = null; // the open menu: {catcher, menu, items, rows, active, restoreFocus}

function closePopupMenu() {
  if (!open) return;
  const { catcher, menu, restoreFocus } = open;
  open = null;
  window.removeEventListener('keydown', onMenuKey, true);
  window.removeEventListener('keyup', swallowKey, true);
  window.removeEventListener('blur', closePopupMenu);
  catcher.remove();
  menu.remove();
  if (restoreFocus && document.contains(restoreFocus)) restoreFocus.focus({ preventScroll: true });
}

function choose(index) {
  const it = open && open.items[index];
  if (!it || it.separator || !it.enabled) return;
  closePopupMenu();
  it.run();
}

function setActive(index) {
  if (!open) return;
  open.active = index;
  open.rows.forEach((row, i) => row.classList.toggle('zn-active', i === index));
  if (index >= 0) (open.rows[index].querySelector('input') || open.rows[index]).focus({ preventScroll: true });
  else open.menu.focus({ preventScroll: true });
}

function step(direction) {
  const n = open.items.length;
  let i = open.active >= 0 && open.active < n ? open.active : direction > 0 ? -1 : n;
  for (let tries = 0; tries < n; ++tries) {
    i = (i + direction + n) % n;
    if (!open.items[i].separator && open.items[i].enabled) {
      setActive(i);
      return;
    }
  }
}

function swallowKey(e) {
  e.stopPropagation();
}

// While the menu is open it has the keyboard: arrows move, Enter or Space chooses, Escape
// closes, an item's shortcut chooses it; no key reaches the game.
const menuKeys = {
  ArrowDown: () => step(1),
  ArrowUp: () => step(-1),
  Home: () => stepFrom(-1, 1),
  End: () => stepFrom(open.items.length, -1),
  Enter: () => open.active >= 0 && choose(open.active),
  ' ': () => open.active >= 0 && choose(open.active),
  Escape: closePopupMenu,
  Tab: closePopupMenu,
};

function stepFrom(index, direction) {
  open.active = index;
  step(direction);
}

function onMenuKey(e) {
  if (!open) return;
  e.stopPropagation();
  const plain = !(e.ctrlKey || e.altKey || e.metaKey);
  const at = plain ? shortcutIndex(open.items, e) : -1;
  if (Object.hasOwn(menuKeys, e.key)) menuKeys[e.key]();
  else if (at >= 0) choose(at);
  else return; // any other key: ignored, its default kept
  e.preventDefault();
}

// What a slider sets as it moves: the volume, the game's speed.
const sliderSetters = { volume: applyVolume, speed: (host, percent) => host.setSpeed(percent) };

// A slider's row: its caption and a slider over the registry's range and step.
function sliderRow(host, it) {
  const row = element('li', 'zn-menu-item zn-menu-slider', { tabIndex: -1, role: 'none' });
  const value = host.settings.get(it.setting);
  const slider = element('input', '', { type: 'range', min: it.low, max: it.high, step: it.step, id: `zn-menu-${it.id}`, name: it.id, value });
  slider.addEventListener('input', () => sliderSetters[it.id](host, Number(slider.value)));
  row.append(element('span', 'zn-menu-check'), element('label', 'zn-menu-caption', { text: it.caption, htmlFor: slider.id }), slider);
  return row;
}

function buildRow(host, it, index) {
  if (it.separator) return element('li', 'zn-menu-separator', { role: 'separator' });
  if (it.slider) return sliderRow(host, it);
  const row = element('li', `zn-menu-item${it.isDefault ? ' zn-default' : ''}`, { tabIndex: -1 });
  row.dataset.command = it.id;
  row.setAttribute('role', it.checkable ? 'menuitemcheckbox' : 'menuitem');
  if (it.checkable) row.setAttribute('aria-checked', String(it.checked));
  if (!it.enabled) row.setAttribute('aria-disabled', 'true');
  if (it.shortcut) row.setAttribute('aria-keyshortcuts', it.shortcut);
  row.append(
    element('span', 'zn-menu-check', { text: it.checked ? '\u2713' : '', 'aria-hidden': 'true' }),
    element('span', 'zn-menu-caption', { text: it.caption }),
    element('span', 'zn-menu-shortcut', { text: it.shortcut, 'aria-hidden': 'true' }),
  );
  row.addEventListener('pointermove', () => {
    if (open && open.active !== index) setActive(index);
  });
  row.addEventListener('click', () => choose(index));
  return row;
}

// Opens the menu at a point of the viewport (where the right click or long press was). Its
// opening refreshes the check marks and closes the full-screen game menu.
export function openPopupMenu(host, clientX, clientY) {
  ensureUiStyles();
  closePopupMenu();
  closeGameMenu();
  const items = menuItems(host);
  const catcher = element('div', 'zn-menu-catcher');
  const menu = element('ul', 'zn-menu', { tabIndex: -1, role: 'menu', 'aria-label': 'Menu' });
  const rows = items.map((it, i) => buildRow(host, it, i));
  menu.append(...rows);
  // A press outside closes the menu and does nothing else; a right click there opens it anew.
  catcher.addEventListener('pointerdown', (e) => {
    e.preventDefault();
    if (e.button !== 2) closePopupMenu();
  });
  catcher.addEventListener('contextmenu', (e) => {
    e.preventDefault();
    openPopupMenu(host, e.clientX, e.clientY);
  });
  menu.addEventListener('contextmenu', (e) => e.preventDefault());
  menu.addEventListener('pointerleave', () => open && setActive(-1));
  document.body.append(catcher, menu);

  // Opens right and down from the point, or left and up where the viewport ends.
  const vw = document.documentElement.clientWidth || window.innerWidth;
  const vh = document.documentElement.clientHeight || window.innerHeight;
  const { width, height } = menu.getBoundingClientRect();
  const place = (p, size, end) => {
    if (p + size > end) p = Math.max(0, p - size);
    return Math.round(p + size > end ? Math.max(0, end - size) : p);
  };
  menu.style.left = `${place(clientX, width, vw)}px`;
  menu.style.top = `${place(clientY, height, vh)}px`;

  open = { catcher, menu, items, rows, active: -1, restoreFocus: document.activeElement };
  window.addEventListener('keydown', onMenuKey, true);
  window.addEventListener('keyup', swallowKey, true);
  window.addEventListener('blur', closePopupMenu);
  menu.focus({ preventScroll: true });
}
