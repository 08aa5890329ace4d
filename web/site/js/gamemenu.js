// The game menu of the full-screen display (the desktop's display/gamemenu.cpp): a button in
// the device's top-left corner that unfolds into a translucent panel, a row per item, drawn
// over the canvas at its scale after zn.wasm's geometry and rows (zn_game_menu_look, menuItems).

import { element, ensureUiStyles } from './dialogs.js';
import { kCloseGameMenuEvent, menuItems, openPopupMenu } from './menu.js';

// The picture of btn_game_menu_background: the caption row and the panel.
function drawPanel(canvas, look) {
  const { openWidth: width, openHeight: height, captionRowHeight } = look;
  canvas.width = width;
  canvas.height = height;
  const p = canvas.getContext('2d'); // clear: setting the canvas's size cleared it
  p.fillStyle = `rgba(0, 0, 0, ${look.panelAlpha / 255})`;
  p.fillRect(0, captionRowHeight, width, height - captionRowHeight);
  p.fillStyle = '#000';
  p.fillRect(0, 0, width, captionRowHeight);
  p.fillStyle = '#fff';
  for (const y of look.iconBarTops) p.fillRect(look.iconBarLeft, y, look.iconBarWidth, 1);
  // The words scaled to fill their box exactly, as the desktop draws them.
  const [x0, y0, bw, bh] = look.captionBox;
  p.font = 'bold 64px Arial, "Liberation Sans", sans-serif';
  const m = p.measureText(look.caption);
  const w = m.actualBoundingBoxLeft + m.actualBoundingBoxRight;
  const h = m.actualBoundingBoxAscent + m.actualBoundingBoxDescent;
  if (w > 0 && h > 0) {
    p.save();
    p.beginPath();
    p.rect(x0, y0, bw, bh);
    p.clip();
    p.translate(x0, y0);
    p.scale(bw / w, bh / h);
    p.fillText(look.caption, m.actualBoundingBoxLeft, m.actualBoundingBoxAscent);
    p.restore();
  }
}

class GameMenu {
  constructor(host) {
    this.host = host;
    this.isOpen = false;
    this.rows = [];
    this.root = element('div', 'zn-game-menu', { hidden: true, role: 'navigation' });
    this.panel = element('div', '');
    Object.assign(this.panel.style, { position: 'absolute', left: '0', top: '0', width: '100%', height: '100%', overflow: 'hidden' });
    this.look = host.engine.askJson('zn_game_menu_look');
    this.picture = element('canvas', '');
    drawPanel(this.picture, this.look);
    this.panel.append(this.picture);
    this.button = element('button', 'zn-game-menu-button', { type: 'button', 'aria-label': this.look.caption, 'aria-expanded': 'false' });
    this.button.addEventListener('click', () => this.unfold(!this.isOpen));
    this.root.append(this.panel, this.button);
    // Tab goes through the button and the rows, Enter chooses, Escape closes.
    this.root.addEventListener('keydown', (e) => {
      if (e.key !== 'Escape' || !this.isOpen) return;
      e.preventDefault();
      e.stopPropagation();
      this.close();
      this.button.focus();
    });
    // A right click on the menu opens the popup menu, whose opening closes this one.
    this.root.addEventListener('contextmenu', (e) => {
      e.preventDefault();
      e.stopPropagation();
      openPopupMenu(host, e.clientX, e.clientY);
    });
    document.body.append(this.root);
    this.resize(false);

    const sync = () => this.sync();
    window.addEventListener('resize', sync);
    if (window.visualViewport) window.visualViewport.addEventListener('resize', sync);
    if (typeof ResizeObserver === 'function' && host.canvas) new ResizeObserver(sync).observe(host.canvas);
    // A switch of the display mode is seen on the body's classes.
    new MutationObserver(sync).observe(document.body, { attributes: true, attributeFilter: ['class'] });
    document.addEventListener(kCloseGameMenuEvent, () => this.close());
    this.sync();
  }

  // Shown in full screen only, at the canvas's top-left corner and scale.
  sync() {
    if (!this.host.isFullscreen()) {
      this.close();
      this.root.hidden = true;
      return;
    }
    const rect = this.host.canvas.getBoundingClientRect();
    const scale = this.host.clientScale(); // CSS pixels per pixel of the device's client area
    Object.assign(this.root.style, { left: `${rect.left}px`, top: `${rect.top}px`, transform: `scale(${scale})` });
    this.root.hidden = false;
  }

  close() {
    if (this.isOpen) this.unfold(false);
  }

  // Builds the rows from the items of this moment, or removes them.
  unfold(open) {
    this.isOpen = open;
    this.button.setAttribute('aria-expanded', String(open));
    for (const row of this.rows) row.remove();
    this.rows = open ? menuItems(this.host).filter((it) => it.inGameMenu).map((it) => this.buildRow(it)) : [];
    this.rows.forEach((row, i) => (row.style.top = `${this.look.rowHeight * (i + 1)}px`));
    this.root.append(...this.rows);
    this.resize(open);
  }

  resize(open) {
    const { openWidth, openHeight, closedWidth, closedHeight } = this.look;
    Object.assign(this.root.style, { width: `${open ? openWidth : closedWidth}px`, height: `${open ? openHeight : closedHeight}px` });
  }

  buildRow(it) {
    if (it.separator) return element('div', 'zn-game-menu-row zn-separator', { 'aria-hidden': 'true' });
    const row = element('div', 'zn-game-menu-row', { text: it.row, role: 'menuitem' });
    row.dataset.command = it.id;
    if (!it.enabled) return row;
    row.tabIndex = 0;
    const lit = (on) => () => row.classList.toggle('zn-hover', on);
    for (const [type, on] of [['pointerenter', true], ['pointerleave', false], ['focus', true], ['blur', false]])
      row.addEventListener(type, lit(on));
    row.addEventListener('keydown', (e) => {
      if (e.key !== 'Enter' || e.repeat) return;
      e.preventDefault();
      it.run();
      this.close();
      if (!document.activeElement || document.activeElement === document.body) this.button.focus();
    });
    row.addEventListener('pointerdown', (e) => {
      if (e.button !== 0) return;
      e.preventDefault();
      row.setPointerCapture(e.pointerId);
    });
    // A primary release inside the row runs the command; anywhere it closes the menu.
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

export function attachGameMenu(host) {
  ensureUiStyles();
  new GameMenu(host);
}
