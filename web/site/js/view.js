// The device as the page shows it: what each image shows, the skin laid out for the display
// mode, and the canvas's scale for the viewport (zn.wasm's ui/imageroles.h, ui/devicefit.h).

// Where the skin's lay-out decides what an image shows (ui/imageroles.h's kAsLaidOut).
const kAsLaidOut = -2;

export class DeviceView {
  // zoom: a fixed zoom in percent, or null to fill the viewport. skin: {layout, ini}.
  constructor(engine, renderer, canvas, store, zoom, skin) {
    this.engine = engine;
    this.renderer = renderer;
    this.canvas = canvas;
    this.store = store;
    this.zoom = zoom;
    this.skin = skin;
    this.fullscreen = store.get('FullscreenMode') === 1;
    this.overlays = store.get('CtrlrOverlay') === 1;
    this.clientScale = 1; // CSS pixels per client pixel
    this.shownDensity = window.devicePixelRatio || 1; // the device pixel ratio the canvas is drawn for
    this.logo = skin.layout.id('im_backdrop_logo');
    this.logoOut = false; // the logo left out for want of room
    // In full screen, where the page may be pinch-zoomed, this box over the device takes its
    // touches (style.css).
    this.touchArea = Object.assign(document.createElement('div'), { id: 'device-touch' });
    canvas.after(this.touchArea);
    this.layoutRun = Promise.resolve();
    this.quick = true;
    this.resizePending = false;
  }

  // [shown (1, 0 or kAsLaidOut), the image whose own picture it shows (-1: none, or kAsLaidOut)].
  showing(i) {
    const e = this.engine;
    return e.askList('zn_image_showing', [i, this.overlays ? 1 : 0, e.visible(i) ? 1 : 0, e.pictureOf(i)]);
  }

  syncImage(i) {
    const [shown, from] = this.showing(i);
    if (shown !== kAsLaidOut) this.renderer.setVisible(i, shown === 1);
    if (from !== kAsLaidOut) this.renderer.showPictureOf(i, from);
  }

  syncAll() {
    for (let i = 0; i < this.engine.imageCount; ++i) this.syncImage(i);
  }

  // Images the device shows now: their pictures are waited for before the first drawing.
  urgent(i) {
    return this.showing(i)[0] !== 0;
  }

  // The viewport in CSS pixels, as unzoomed: a pinch zoom enlarges the device.
  viewport() {
    const v = window.visualViewport;
    return {
      w: Math.max(1, Math.floor(document.documentElement.clientWidth || window.innerWidth)),
      h: Math.max(1, Math.floor(v ? Math.min(v.height * v.scale, window.innerHeight) : window.innerHeight)),
    };
  }

  // Scale and size of the canvas for the display mode and the viewport.
  applyScale() {
    const dpr = window.devicePixelRatio || 1;
    this.shownDensity = dpr;
    const { w: vw, h: vh } = this.viewport();
    const s = this.skin.layout.skin;
    if (!s) return;
    const r = this.renderer;
    const placed = this.fullscreen && (r.visible(this.logo) || this.logoOut);
    const logo = placed ? r.rect(this.logo) : { x: 0, y: 0, w: 0, h: 0 };
    const a = s.gameArea;
    const numbers = [this.fullscreen ? 1 : 0, this.zoom !== null ? this.zoom : 0, vw, vh, s.clientWidth, s.clientHeight];
    numbers.push(a.x, a.y, a.width, a.height, logo.x, logo.y, logo.w, logo.h, this.store.get('FullscreenFit') === 1 ? 1 : 0, dpr);
    const [game, shiftX, shiftY, client, css, logoShown] = this.engine.askText('zn_page_scale', [], numbers.join(' ')).trim().split(' ').map(Number);
    this.clientScale = css;
    if (placed) {
      this.logoOut = logoShown === 0;
      r.setVisible(this.logo, !this.logoOut);
    }
    r.setScale({ game, shiftX, shiftY, client });
    this.canvas.style.width = `${r.width / dpr}px`;
    this.canvas.style.height = `${r.height / dpr}px`;
    const [x, y, w, h] = this.engine.askList('zn_view_game_rect', [a.x, a.y, a.width, a.height]).map((v) => `${v / dpr}px`);
    Object.assign(this.touchArea.style, { left: x, top: y, width: w, height: h });
    document.body.classList.toggle('zn-fullscreen', this.fullscreen);
    document.body.classList.toggle('zn-zoomed', this.zoom !== null && !this.fullscreen);
  }

  // Lay-outs run one after the other; one that fails rejects its own promise only.
  serial(job) {
    const run = this.layoutRun.then(job);
    this.layoutRun = run.catch(() => {});
    return run;
  }

  // The double-size partners of the pictures in use, when drawn above 100 %.
  async sharpen() {
    const r = this.renderer;
    if ((r.scale.game > 1 || r.scale.client > 1) && (await this.skin.layout.loadPartners())) r.invalidateAll();
  }

  redraw() {
    return this.serial(async () => {
      await this.sharpen();
      this.renderer.draw();
    });
  }

  // Lays the current skin out for the display mode; the game is not touched. Only the first
  // lay-out is quick (SkinLayout.apply).
  relayout() {
    return this.serial(async () => {
      const { w, h } = this.viewport();
      const late = () => {
        this.syncAll();
        this.redraw();
      };
      const result = await this.skin.layout.apply(this.skin.ini, this.fullscreen, w, h, (i) => this.urgent(i), late, this.quick);
      this.quick = false;
      if (result.error) return result;
      this.syncAll();
      this.applyScale();
      await this.sharpen();
      this.renderer.draw();
      return result;
    });
  }

  // The viewport or the pixel density changed: laid out again in full screen, scaled again in
  // a window; once a frame at most.
  onResize() {
    if (this.resizePending) return;
    this.resizePending = true;
    requestAnimationFrame(() => {
      this.resizePending = false;
      if (this.fullscreen) this.relayout();
      else {
        this.applyScale();
        this.redraw();
      }
    });
  }
}
