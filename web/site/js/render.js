// The device on a canvas: every image of the window (engine image ids, which are the stacking
// order, bottom first), each a rectangle drawing its picture unscaled from its top-left corner,
// clipped to the rectangle and blended over the images below, on the window's background
// colour. In windowed mode the pixels whose composed colour is the key colour are left
// see-through, as the shaped desktop window leaves them.
//
// The frame is composed by zn.wasm (engine.js's fill, draw, clearKey) with the desktop's
// raster arithmetic, so that at 100 % the canvas holds the desktop window's pixels exactly.
// Only the rectangles of images whose visibility, picture or rectangle changed are composed
// and copied to the canvas. Where an image lies at the present scale is zn.wasm's rule
// (ui/devicefit.h), and so is the picture it is drawn with (picture.js).

import { pixelFromBgr } from './picture.js';

function intersect(a, b) {
  const x = Math.max(a.x, b.x);
  const y = Math.max(a.y, b.y);
  const r = Math.min(a.x + a.w, b.x + b.w);
  const btm = Math.min(a.y + a.h, b.y + b.h);
  return r > x && btm > y ? { x, y, w: r - x, h: btm - y } : null;
}

function sameRect(a, b) {
  return a.x === b.x && a.y === b.y && a.w === b.w && a.h === b.h;
}

export class Renderer {
  // canvas: the page's canvas; engine: zn.wasm's Engine. isGameImage(id): false for the
  // backdrop, the logo and the game menu's images.
  constructor(canvas, engine, isGameImage) {
    const imageCount = engine.imageCount;
    this.engine = engine;
    this.canvas = canvas;
    this.ctx = canvas.getContext('2d', { alpha: true });
    this.count = imageCount;
    this.isGameImage = isGameImage;
    this.images = [];
    for (let i = 0; i < imageCount; ++i)
      this.images.push({
        rect: { x: 0, y: 0, w: 0, h: 0 }, // skin pixels
        own: null, // the picture the skin gave this image
        picture: null, // the picture it shows now (own, another image's own, or none)
        visible: false,
        stretch: false,
        shown: null, // what the canvas shows: {rect (device px), picture} or null
      });
    this.clientW = 692;
    this.clientH = 747;
    this.background = pixelFromBgr(0);
    this.keyed = false;
    this.key = 0;
    this.scale = { game: 1, shiftX: 0, shiftY: 0, client: 1 };
    this.width = 0; // canvas size in device pixels
    this.height = 0;
    this.framed = false; // the module's frame has the canvas's size
    this.dirty = []; // device-pixel rectangles to compose
    this.touched = new Set();
    this.backdropScaled = null;
  }

  // --- what the images are ---------------------------------------------------------------

  setClientSize(w, h) {
    this.clientW = Math.max(0, w);
    this.clientH = Math.max(0, h);
    this.backdropScaled = null;
    this.resize();
  }

  setBackground(bgr) {
    this.background = pixelFromBgr(bgr);
    this.invalidateAll();
  }

  setKeyColour(on, bgr) {
    this.keyed = on;
    this.key = pixelFromBgr(bgr);
    this.dropScaled();
    this.invalidateAll();
  }

  setOwnPicture(id, picture) {
    this.images[id].own = picture;
    if (id === 0) this.backdropScaled = null;
    this.touch(id);
  }

  // The picture image id shows now: the own picture of image `from`, or none (from < 0).
  showPictureOf(id, from) {
    const im = this.images[id];
    const pic = from >= 0 && from < this.count ? this.images[from].own : null;
    if (im.picture === pic) return;
    im.picture = pic;
    this.touch(id);
  }

  setRect(id, x, y, w, h) {
    const r = this.images[id].rect;
    if (r.x === x && r.y === y && r.w === Math.max(0, w) && r.h === Math.max(0, h)) return;
    this.images[id].rect = { x, y, w: Math.max(0, w), h: Math.max(0, h) };
    this.touch(id);
  }

  rect(id) {
    if (id === 0) return { x: 0, y: 0, w: this.clientW, h: this.clientH };
    return this.images[id].rect;
  }

  setVisible(id, visible) {
    const im = this.images[id];
    if (im.visible === visible) return;
    im.visible = visible;
    this.touch(id);
  }

  visible(id) {
    return this.images[id].visible;
  }

  setStretch(id, stretch) {
    if (this.images[id].stretch === stretch) return;
    this.images[id].stretch = stretch;
    this.backdropScaled = null;
    this.touch(id);
  }

  touch(id) {
    this.touched.add(id);
  }

  invalidateAll() {
    this.dirty = [{ x: 0, y: 0, w: this.width, h: this.height }];
    for (let i = 0; i < this.count; ++i) this.touched.add(i);
  }

  // The picture's pixels changed (Picture.takePixels): every image showing it is drawn again at
  // the next draw().
  repaint(pic) {
    if (this.images[0].picture === pic) this.backdropScaled = null;
    for (const im of this.images) if (im.shown && im.shown.picture === pic) this.dirty.push(im.shown.rect);
  }

  dropScaled() {
    const seen = new Set();
    for (const im of this.images)
      for (const p of [im.own, im.picture])
        if (p && !seen.has(p)) {
          seen.add(p);
          p.scaled.clear();
        }
    this.backdropScaled = null;
  }

  // --- scale ------------------------------------------------------------------------------

  // game: device pixels per skin pixel for the game images; shiftX/Y: where the skin's (0,0)
  // lies, in device pixels; client: device pixels per client pixel for the canvas itself and
  // the backdrop, the logo and the game menu.
  setScale(scale) {
    const s = { game: scale.game, shiftX: scale.shiftX || 0, shiftY: scale.shiftY || 0, client: scale.client };
    if (!(s.game > 0) || !(s.client > 0)) return;
    const t = this.scale;
    if (s.game === t.game && s.shiftX === t.shiftX && s.shiftY === t.shiftY && s.client === t.client) return;
    this.scale = s;
    this.engine.ask('zn_view_scale', [], `${s.game} ${s.shiftX} ${s.shiftY} ${s.client}`);
    this.backdropScaled = null;
    this.resize();
  }

  resize() {
    const [, , w, h] = this.engine.askList('zn_device_rect', [0, 0, this.clientW, this.clientH, 0]);
    if (w !== this.width || h !== this.height || !this.framed) {
      this.width = w;
      this.height = h;
      this.canvas.width = Math.max(1, w);
      this.canvas.height = Math.max(1, h);
      this.engine.resizeFrame(Math.max(1, w), Math.max(1, h));
      this.framed = true;
      for (const im of this.images) im.shown = null;
    }
    this.invalidateAll();
  }

  identity() {
    const s = this.scale;
    return s.game === 1 && s.shiftX === 0 && s.shiftY === 0;
  }

  // Where an image lies on the canvas, in device pixels.
  deviceRect(id) {
    if (id === 0) return { x: 0, y: 0, w: this.width, h: this.height };
    return this.onCanvas(this.rect(id), this.isGameImage(id));
  }

  // A rectangle of skin pixels on the canvas: with the game's scale when game is true.
  onCanvas(r, game) {
    const [x, y, w, h] = this.engine.askList('zn_device_rect', [r.x, r.y, r.w, r.h, game ? 1 : 0]);
    return { x, y, w, h };
  }

  // The picture as drawn at the game's scale (game true) or the client's.
  scaledPicture(pic, game) {
    return pic.scaledFor(game, String(game ? this.scale.game : this.scale.client), this.keyed, this.key);
  }

  // --- drawing ----------------------------------------------------------------------------

  // Collects the rectangles of what changed since the last call and composes them.
  draw() {
    for (const id of this.touched) {
      const im = this.images[id];
      const now = this.deviceRect(id);
      const vis = im.visible && now.w > 0 && now.h > 0 && im.picture !== null;
      const was = im.shown;
      if (vis) {
        if (!was || !sameRect(was.rect, now) || was.picture !== im.picture) {
          if (was) this.dirty.push(was.rect);
          this.dirty.push(now);
        }
        im.shown = { rect: now, picture: im.picture };
      } else {
        if (was) this.dirty.push(was.rect);
        im.shown = null;
      }
    }
    this.touched.clear();
    const full = { x: 0, y: 0, w: this.width, h: this.height };
    const rects = [];
    for (const d of this.dirty) {
      const c = intersect(d, full);
      if (c) rects.push(c);
    }
    this.dirty = [];
    const drawn = mergeRects(rects);
    for (const r of drawn) this.compose(r);
    if (drawn.length > 0) {
      const frame = this.engine.frameImage();
      for (const r of drawn) this.ctx.putImageData(frame, 0, 0, r.x, r.y, r.w, r.h);
    }
    return drawn.length > 0;
  }

  // The frame's pixels (a view that is good until the module next makes a picture).
  get fb() {
    return this.engine.framePixels();
  }

  compose(r) {
    this.engine.fill(r.x, r.y, r.w, r.h, this.background);
    for (let id = 0; id < this.count; ++id) {
      const im = this.images[id];
      if (!im.shown) continue;
      if (!intersect(im.shown.rect, r)) continue;
      this.drawImage(id, im, r);
    }
    if (this.keyed) this.engine.clearKey(r.x, r.y, r.w, r.h, this.key);
  }

  drawImage(id, im, clip) {
    const pic = im.picture;
    if (id === 0) {
      if (im.stretch) {
        if (!this.backdropScaled) this.backdropScaled = pic.stretched(this.width, this.height);
        this.blit(this.backdropScaled, 0, 0, this.width, this.height, clip);
      } else {
        const p = this.scaledPicture(pic, false);
        this.blit(p, 0, 0, p.width, p.height, clip);
      }
      return;
    }
    const r = im.rect;
    const sw = Math.min(r.w, pic.width), sh = Math.min(r.h, pic.height);
    if (sw <= 0 || sh <= 0) return;
    const game = this.isGameImage(id);
    if (game && this.identity()) {
      this.blit(pic, r.x, r.y, sw, sh, clip);
      return;
    }
    // The same part of the picture, on the canvas: from the scaled picture, unscaled.
    const dest = this.onCanvas({ x: r.x, y: r.y, w: sw, h: sh }, game);
    const p = this.scaledPicture(pic, game);
    this.blit(p, dest.x, dest.y, Math.min(dest.w, p.width), Math.min(dest.h, p.height), clip);
  }

  // Blends the top-left w x h of pic at (x, y), inside clip.
  blit(pic, x, y, w, h, clip) {
    if (!intersect({ x, y, w, h }, clip)) return;
    this.engine.draw(pic.copy, x, y, w, h, clip);
  }

  // --- reading back -----------------------------------------------------------------------

  // The topmost shown image whose rectangle holds the canvas point (device pixels), or -1.
  imageAt(x, y, accept = () => true) {
    for (let id = this.count - 1; id >= 0; --id) {
      const im = this.images[id];
      if (!im.visible) continue;
      const r = this.deviceRect(id);
      if (x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h && accept(id)) return id;
    }
    return -1;
  }

  // True when the canvas pixel is see-through (the key colour in windowed mode).
  seeThrough(x, y) {
    if (!this.keyed || x < 0 || y < 0 || x >= this.width || y >= this.height) return false;
    return this.fb[Math.floor(y) * this.width + Math.floor(x)] === 0;
  }
}

// Rectangles that overlap are merged into their bounding box, so no pixel is composed twice.
function mergeRects(rects) {
  const out = [];
  for (let r of rects) {
    let merged = true;
    while (merged) {
      merged = false;
      for (let i = 0; i < out.length; ++i) {
        const o = out[i];
        if (r.x < o.x + o.w && o.x < r.x + r.w && r.y < o.y + o.h && o.y < r.y + r.h) {
          const x = Math.min(r.x, o.x), y = Math.min(r.y, o.y);
          r = { x, y, w: Math.max(r.x + r.w, o.x + o.w) - x, h: Math.max(r.y + r.h, o.y + o.h) - y };
          out.splice(i, 1);
          merged = true;
          break;
        }
      }
    }
    out.push(r);
  }
  return out;
}
