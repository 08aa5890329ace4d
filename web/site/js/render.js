// The device on a canvas. What each image shows and where, what changed and the composing are
// zn.wasm's scene (web/core/scene.h); the page keeps the pictures, smooths the copies the scene
// asks for, and puts the composed rectangles on the canvas.

import { pixelFromBgr } from './picture.js';

// How the scene draws a picture (web/core/scene.h's DrawnAs).
const DrawnAs = { AsIs: 0, GameScale: 1, ClientScale: 2, Stretched: 3 };

export class Renderer {
  constructor(canvas, engine) {
    this.engine = engine;
    this.canvas = canvas;
    this.ctx = canvas.getContext('2d', { alpha: true });
    this.own = []; // the picture the skin gave each image
    this.shows = []; // the picture each image shows now (own, another image's own, or none)
    this.keyed = false;
    this.key = 0;
    this.scale = { game: 1, shiftX: 0, shiftY: 0, client: 1 };
    this.width = 0; // canvas size in device pixels
    this.height = 0;
    this.backdrop = null; // {source, width, height, picture}: the stretched backdrop
    engine.ask('zn_scene_reset');
  }

  setClientSize(w, h) { this.resized(this.engine.askList('zn_scene_client_size', [w, h])); }
  setBackground(bgr) { this.engine.ask('zn_scene_background', [pixelFromBgr(bgr)]); }

  setKeyColour(on, bgr) {
    this.keyed = on;
    this.key = pixelFromBgr(bgr);
    this.dropScaled();
    this.engine.ask('zn_scene_key_colour', [on ? 1 : 0, this.key]);
  }

  setOwnPicture(id, picture) {
    this.own[id] = picture;
    this.engine.ask('zn_scene_touch', [id]);
  }

  // The picture image id shows now: the own picture of image `from`, or none (from < 0).
  showPictureOf(id, from) {
    const pic = (from >= 0 && this.own[from]) || null;
    if ((this.shows[id] || null) === pic) return;
    this.shows[id] = pic;
    this.engine.ask('zn_scene_show', [id, pic ? pic.serial : 0]);
  }

  setRect(id, x, y, w, h) { this.engine.ask('zn_scene_set_rect', [id, x, y, w, h]); }
  rect(id) {
    const [x, y, w, h] = this.engine.askList('zn_scene_rect', [id]);
    return { x, y, w, h };
  }
  setVisible(id, visible) { this.engine.ask('zn_scene_set_visible', [id, visible ? 1 : 0]); }
  visible(id) { return this.engine.ask('zn_scene_visible', [id]) === 1; }
  setStretch(id, stretch) { this.engine.ask('zn_scene_set_stretch', [id, stretch ? 1 : 0]); }
  invalidateAll() { this.engine.ask('zn_scene_invalidate'); }

  // The picture's pixels changed: every image showing it is drawn again at the next draw().
  repaint(pic) {
    if (this.backdrop && this.backdrop.source === pic) this.backdrop = null;
    this.shows.forEach((p, id) => p === pic && this.engine.ask('zn_scene_repaint', [id]));
  }

  // The copies made for a scale are made again when next drawn.
  dropScaled() {
    for (const p of new Set([...this.own, ...this.shows])) if (p) p.scaled.clear();
    this.backdrop = null;
  }

  // game: device pixels per skin pixel of the game images; shiftX/Y: where the skin's (0,0)
  // lies; client: device pixels per client pixel.
  setScale(s) {
    if (!(s.game > 0) || !(s.client > 0)) return;
    const text = `${s.game} ${s.shiftX} ${s.shiftY} ${s.client}`;
    this.scale = s;
    this.engine.ask('zn_view_scale', [], text);
    this.resized(this.engine.askList('zn_scene_scale', [], text));
  }

  resized([w, h, changed]) {
    if (!changed) return;
    this.width = w;
    this.height = h;
    this.canvas.width = Math.max(1, w);
    this.canvas.height = Math.max(1, h);
    this.engine.resizeFrame(Math.max(1, w), Math.max(1, h));
  }

  // Composes what changed since the last call and puts it on the canvas.
  draw() {
    const e = this.engine;
    const wanted = e.askList('zn_scene_prepare');
    for (let i = 0; i < wanted.length; i += 2) {
      const pic = this.shows[wanted[i]];
      e.ask('zn_scene_drawn', [wanted[i], pic.copy, this.drawnAs(pic, wanted[i + 1]).copy]);
    }
    const rects = e.askList('zn_scene_compose');
    if (rects.length === 0) return false;
    const frame = e.frameImage();
    for (let i = 0; i < rects.length; i += 4) this.ctx.putImageData(frame, 0, 0, rects[i], rects[i + 1], rects[i + 2], rects[i + 3]);
    return true;
  }

  drawnAs(pic, as) {
    if (as === DrawnAs.AsIs) return pic;
    if (as !== DrawnAs.Stretched) {
      const game = as === DrawnAs.GameScale;
      return pic.scaledFor(game, String(game ? this.scale.game : this.scale.client), this.keyed, this.key);
    }
    const b = this.backdrop;
    if (b && b.source === pic && b.width === this.width && b.height === this.height) return b.picture;
    this.backdrop = { source: pic, width: this.width, height: this.height, picture: pic.stretched(this.width, this.height) };
    return this.backdrop.picture;
  }

  // The topmost shown image whose rectangle holds the canvas point (device pixels), or -1.
  imageAt(x, y) { return this.engine.ask('zn_scene_image_at', [Math.floor(x), Math.floor(y)]); }

  // True when the canvas pixel is see-through (the key colour in windowed mode).
  seeThrough(x, y) { return this.engine.ask('zn_scene_see_through', [Math.floor(x), Math.floor(y)]) === 1; }
}
