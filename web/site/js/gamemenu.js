// The game menu of the full-screen display (the desktop's display/gamemenu.cpp): a button with
// a three-bar icon in the device's top-left corner that unfolds into a translucent panel, one
// row per item of the popup menu, each row running that item's command. It exists only in full
// screen. It is drawn over the canvas at the canvas's scale, as the desktop draws it in its
// window: the caption row opaque black with the icon and the words "Game menu" in white, the
// panel black at 80 % opacity, rows of 32 pixels in white Arial, a black bar under the pointer.

import { element, ensureUiStyles } from './dialogs.js';
import { kCloseGameMenuEvent, menuItems, openPopupMenu } from './menu.js';

const kRowHeight = 32;
const kOpenWidth = 256;
const kClosedWidth = 36;
const kClosedHeight = 32;
const kPanelAlpha = 204 / 255;

// The picture of btn_game_menu_background for `rows` rows: the caption row and the panel.
function drawPanel(canvas, rows) {
  const height = kRowHeight * (rows + 1);
  canvas.width = kOpenWidth;
  canvas.height = height;
  const p = canvas.getContext('2d');
  p.clearRect(0, 0, kOpenWidth, height);
  p.fillStyle = `rgba(0, 0, 0, ${kPanelAlpha})`;
  p.fillRect(0, kRowHeight, kOpenWidth, height - kRowHeight);
  p.fillStyle = '#000';
  p.fillRect(0, 0, kOpenWidth, kRowHeight);
  p.fillStyle = '#fff';
  for (const y of [10, 15, 20]) p.fillRect(8, y, 20, 1); // x 8..27
  // "Game menu" scaled to fill x 36..124, y 9..20 exactly, as the desktop draws it.
  p.font = 'bold 64px Arial, "Liberation Sans", sans-serif';
  const m = p.measureText('Game menu');
  const w = m.actualBoundingBoxLeft + m.actualBoundingBoxRight;
  const h = m.actualBoundingBoxAscent + m.actualBoundingBoxDescent;
  if (w > 0 && h > 0) {
    p.save();
    p.beginPath();
    p.rect(36, 9, 89, 12);
    p.clip();
    p.translate(36, 9);
    p.scale(89 / w, 12 / h);
    p.fillText('Game menu', m.actualBoundingBoxLeft, m.actualBoundingBoxAscent);
    p.restore();
  }
}

// The text of a command row: three spaces, the caption, and " [V]" when the item is checked.
function rowText(it) {
  return `   ${it.caption}${it.checked ? ' [V]' : ''}`;
}

class GameMenu {
  constructor(host) {
    this.host = host;
    this.isOpen = false; // Vid_Game_Menu_Open
    this.rows = [];
    this.root = element('div', 'zn-game-menu', { hidden: true });
    this.root.setAttribute('role', 'navigation');
    this.panel = element('div', '');
    Object.assign(this.panel.style, { position: 'absolute', left: '0', top: '0', overflow: 'hidden' });
    this.picture = element('canvas', '');
    drawPanel(this.picture, menuItems(host).length);
    this.panel.append(this.picture);
    this.button = element('button', 'zn-game-menu-button', { type: 'button' });
    this.button.setAttribute('aria-label', 'Game menu');
    this.button.setAttribute('aria-expanded', 'false');
    this.button.addEventListener('click', () => this.btn_game_menu_topClick());
    this.root.append(this.panel, this.button);
    // A right click on the menu opens the popup menu, whose opening closes this one.
    this.root.addEventListener('contextmenu', (e) => {
      e.preventDefault();
      e.stopPropagation();
      openPopupMenu(host, e.clientX, e.clientY);
    });
    document.body.append(this.root);
    this.resize(false);

    const sync = () => this.sync();
    document.addEventListener('fullscreenchange', sync);
    document.addEventListener('webkitfullscreenchange', sync);
    window.addEventListener('resize', sync);
    if (window.visualViewport) window.visualViewport.addEventListener('resize', sync);
    if (typeof ResizeObserver === 'function' && host.canvas) new ResizeObserver(sync).observe(host.canvas);
    // The page marks its display mode on the body; a switch without the Fullscreen API (no
    // gesture to ask with) is seen there.
    new MutationObserver(sync).observe(document.body, { attributes: true, attributeFilter: ['class'] });
    document.addEventListener(kCloseGameMenuEvent, () => this.close());
    this.sync();
  }

  // Shown in full screen only, at the canvas's top-left corner and scale; a switch to the
  // windowed display closes it.
  sync() {
    const fullscreen = Boolean(this.host.isFullscreen());
    if (!fullscreen) {
      this.close();
      this.root.hidden = true;
      return;
    }
    const canvas = this.host.canvas;
    const rect = canvas.getBoundingClientRect();
    const scale = this.scale(rect);
    Object.assign(this.root.style, {
      left: `${rect.left}px`,
      top: `${rect.top}px`,
      transform: `scale(${scale})`,
    });
    this.root.hidden = false;
  }

  // CSS pixels per pixel of the device's client area.
  scale(rect) {
    if (typeof this.host.clientScale === 'function') {
      const s = Number(this.host.clientScale());
      if (s > 0) return s;
    }
    const clientWidth = Number(this.host.canvas.dataset.clientWidth);
    return clientWidth > 0 ? rect.width / clientWidth : 1;
  }

  btn_game_menu_topClick() {
    this.Vid_Display_Game_Menu(!this.isOpen);
  }

  close() {
    if (this.isOpen) this.Vid_Display_Game_Menu(false);
  }

  // Builds the rows from the items' captions and check marks of this moment, or removes them.
  Vid_Display_Game_Menu(open) {
    this.isOpen = open;
    this.button.setAttribute('aria-expanded', String(open));
    for (const row of this.rows) row.remove();
    this.rows = [];
    if (open) {
      menuItems(this.host).forEach((it, i) => {
        const row = this.buildRow(it);
        row.style.top = `${kRowHeight * (i + 1)}px`;
        this.rows.push(row);
      });
      this.root.append(...this.rows);
    }
    this.resize(open);
  }

  resize(open) {
    const rows = menuItems(this.host).length;
    const w = open ? kOpenWidth : kClosedWidth;
    const h = open ? kRowHeight * (rows + 1) : kClosedHeight;
    Object.assign(this.panel.style, { width: `${w}px`, height: `${h}px` });
    Object.assign(this.root.style, { width: `${w}px`, height: `${h}px` });
  }

  buildRow(it) {
    if (it.separator) return element('div', 'zn-game-menu-row zn-separator', { 'aria-hidden': 'true' });
    const row = element('div', 'zn-game-menu-row', { text: rowText(it), role: 'menuitem' });
    row.dataset.name = it.name;
    row.addEventListener('pointerenter', () => row.classList.add('zn-hover'));
    row.addEventListener('pointerleave', () => row.classList.remove('zn-hover'));
    row.addEventListener('pointerdown', (e) => {
      if (e.button !== 0) return;
      e.preventDefault();
      row.setPointerCapture(e.pointerId);
    });
    // A primary release inside the row runs the command, then closes the menu; a release
    // outside the row it was pressed in only closes it; a middle release does nothing.
    row.addEventListener('pointerup', (e) => {
      if (e.button !== 0) return;
      const r = row.getBoundingClientRect();
      const inside = e.clientX >= r.left && e.clientX < r.right && e.clientY >= r.top && e.clientY < r.bottom;
      if (inside) it.run();
      this.close();
    });
    return row;
  }
}

let gameMenu = null;

// Puts the game menu on the page; it shows itself whenever the display is full screen.
export function attachGameMenu(host) {
  ensureUiStyles();
  if (!gameMenu) gameMenu = new GameMenu(host);
  return gameMenu;
}
