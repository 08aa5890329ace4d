// The device on a canvas: every image of the window (engine image ids, which are the stacking
// order, bottom first), each a rectangle drawing its picture unscaled from its top-left corner,
// clipped to the rectangle and blended over the images below, on the window's background
// colour. In windowed mode the pixels whose composed colour is the key colour are left
// see-through, as the shaped desktop window leaves them.
//
// The frame is composed in software, by zn.wasm (engine.js's fill, draw, clearKey), with the
// integer arithmetic of the desktop's raster engine (premultiplied pixels, source-over with
// x * a / 255 rounded as (t + (t >> 8) + 128) >> 8), so that at 100 % the canvas holds the
// desktop window's pixels exactly. Only the rectangles of images whose visibility, picture or
// rectangle changed are composed and copied to the canvas.
//
// Scale: the game images are drawn at `game` device pixels per skin pixel, shifted by `shift`;
// the backdrop, the logo and the game menu's button at `client` device pixels per pixel. A
// scaled picture is made once per picture and scale, from the skin's double-size partner above
// 100 % when there is one, and drawn unscaled from then on, as the desktop's zoom does.

// Pixels are Uint32 in the byte order of ImageData (little-endian: A << 24 | B << 16 | G << 8 | R).

// zn.wasm's Engine, which composes the frame and keeps a copy of every picture drawn: given
// once the engine is loaded, before any picture is made.
let kernel = null;
export function usePixelKernel(engine) {
  kernel = engine;
}

// A picture's copy in the module goes with the picture.
const copies = typeof FinalizationRegistry === 'function' ? new FinalizationRegistry((id) => kernel.removePicture(id)) : null;

// pic's copy in the module becomes id (0: none); the one it had is removed, its pixels kept
// unless they are being replaced.
function setCopy(pic, id, keepPixels = true) {
  if (pic.copy) {
    if (keepPixels && !pic.ownPixels) pic.ownPixels = kernel.picturePixels(pic.copy, pic.width, pic.height);
    kernel.removePicture(pic.copy);
    if (copies) copies.unregister(pic);
  }
  pic.copy = id;
  if (id && copies) copies.register(pic, id, pic);
}

// A picture: width, height and premultiplied pixels.
export class Picture {
  constructor(width, height, pixels) {
    this.width = width;
    this.height = height;
    this.ownPixels = pixels; // Uint32Array, premultiplied; null while the module's copy holds them
    this.copy = 0; // its copy in the module, made when it is first drawn
    this.hiRes = null; // the double-size partner (a Picture), when the skin has one
    this.straight = null; // the straight RGBA bytes it was made from, when kept
    this.scaled = new Map(); // scale key -> Picture
    this.blended = null; // some pixel is partly transparent (known for pictures from straight bytes)
  }

  // From straight (not premultiplied) RGBA bytes; the bytes are not changed. Its pixels stay in
  // the module until they are asked for.
  static fromStraightRGBA(width, height, bytes) {
    const { id, blended } = kernel.addStraightPicture(bytes, width, height);
    const pic = new Picture(width, height, null);
    setCopy(pic, id);
    if (blended) pic.straight = new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, width * height * 4);
    pic.blended = blended;
    return pic;
  }

  // The premultiplied pixels (Uint32Array).
  get pixels() {
    if (!this.ownPixels && this.copy) this.ownPixels = kernel.picturePixels(this.copy, this.width, this.height);
    return this.ownPixels;
  }

  // Its pixels changed: the module's copy is made again when it is next drawn.
  changed() {
    setCopy(this, 0);
  }

  // The straight RGBA bytes of the picture (for the browser's smooth scaling).
  straightRGBA() {
    if (this.straight) return this.straight;
    // Where no pixel is partly transparent the premultiplied pixels are the straight ones.
    if (this.blended === false) return (this.straight = new Uint8ClampedArray(this.pixels.buffer, this.pixels.byteOffset, this.width * this.height * 4));
    const out = new Uint8ClampedArray(this.width * this.height * 4);
    for (let i = 0, o = 0; i < this.pixels.length; ++i, o += 4) {
      const p = this.pixels[i];
      const a = p >>> 24;
      if (a === 0) continue;
      out[o] = Math.min(255, Math.round(((p & 0xff) * 255) / a));
      out[o + 1] = Math.min(255, Math.round((((p >>> 8) & 0xff) * 255) / a));
      out[o + 2] = Math.min(255, Math.round((((p >>> 16) & 0xff) * 255) / a));
      out[o + 3] = a;
    }
    return out;
  }

  // Takes over another picture's pixels (of the same size), as when a picture first drawn from
  // the browser's decoding gets the file's exact pixels; what was scaled from it is dropped.
  takePixels(other) {
    const id = other.copy;
    if (id && copies) copies.unregister(other);
    other.copy = 0;
    setCopy(this, 0, false);
    this.ownPixels = other.ownPixels;
    this.straight = other.straight;
    this.blended = other.blended;
    setCopy(this, id);
    this.scaled.clear();
  }

  holdsOpaque(colour) {
    return this.pixels.indexOf(colour) >= 0;
  }

  // Every pixel fully opaque or fully transparent, and some transparent.
  hasHardEdges() {
    let transparent = false;
    for (const p of this.pixels) {
      const a = p >>> 24;
      if (a !== 0 && a !== 255) return false;
      if (a === 0) transparent = true;
    }
    return transparent;
  }
}

// Packs a colour 0x00BBGGRR (Config.ini's layout) as an opaque pixel.
export function pixelFromBgr(bgr) {
  return (0xff000000 | (bgr & 0xffffff)) >>> 0;
}

// Rounds half away from zero, as the desktop's lround does.
function lround(v) {
  return v < 0 ? -Math.round(-v) : Math.round(v);
}

function scaledLength(length, s) {
  return Math.max(1, lround(length * s));
}

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

// Nearest-neighbour scaling: key-coloured pixels stay exactly that colour.
function scaleNearest(pic, w, h) {
  const out = new Uint32Array(w * h);
  for (let y = 0; y < h; ++y) {
    const sy = Math.min(pic.height - 1, Math.floor(((y + 0.5) * pic.height) / h));
    for (let x = 0; x < w; ++x) {
      const sx = Math.min(pic.width - 1, Math.floor(((x + 0.5) * pic.width) / w));
      out[y * w + x] = pic.pixels[sy * pic.width + sx];
    }
  }
  return new Picture(w, h, out);
}

// Smooth scaling by the browser.
function scaleSmooth(pic, w, h) {
  const from = makeCanvas(pic.width, pic.height);
  from.getContext('2d').putImageData(new ImageData(pic.straightRGBA(), pic.width, pic.height), 0, 0);
  const to = makeCanvas(w, h);
  const ctx = to.getContext('2d', { willReadFrequently: true });
  ctx.imageSmoothingEnabled = true;
  ctx.imageSmoothingQuality = 'high';
  ctx.drawImage(from, 0, 0, w, h);
  return Picture.fromStraightRGBA(w, h, ctx.getImageData(0, 0, w, h).data);
}

function makeCanvas(w, h) {
  if (typeof OffscreenCanvas !== 'undefined') return new OffscreenCanvas(w, h);
  const c = document.createElement('canvas');
  c.width = w;
  c.height = h;
  return c;
}

// Smoothing leaves half-transparent pixels along an outline: each becomes fully opaque or fully
// transparent again, so no half-blended rim of the key colour is left around it.
function hardenEdges(pic) {
  pic.straight = null;
  pic.changed();
  const px = pic.pixels;
  for (let i = 0; i < px.length; ++i) {
    const a = px[i] >>> 24;
    if (a === 0 || a === 255) continue;
    if (a < 128) {
      px[i] = 0;
    } else {
      // Opaque again: the straight colour, as the desktop's (colour | 0xff000000) keeps it.
      const p = px[i];
      const c = (ch) => Math.min(255, Math.round((ch * 255) / a));
      px[i] = (0xff000000 | (c((p >>> 16) & 0xff) << 16) | (c((p >>> 8) & 0xff) << 8) | c(p & 0xff)) >>> 0;
    }
  }
}

export class Renderer {
  // canvas: the page's canvas. imageCount: the number of images (engine.imageCount).
  // isGameImage(id): false for the backdrop, the logo and the game menu's images.
  constructor(canvas, imageCount, isGameImage) {
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
    this.lastDrawn = []; // the rectangles the last draw() composed (for tests and figures)
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

  ownPicture(id) {
    return this.images[id].own;
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
    const same =
      s.game === this.scale.game &&
      s.shiftX === this.scale.shiftX &&
      s.shiftY === this.scale.shiftY &&
      s.client === this.scale.client;
    if (same) return;
    this.scale = s;
    this.backdropScaled = null;
    this.resize();
  }

  resize() {
    const w = lround(this.clientW * this.scale.client);
    const h = lround(this.clientH * this.scale.client);
    if (w !== this.width || h !== this.height || !this.framed) {
      this.width = w;
      this.height = h;
      this.canvas.width = Math.max(1, w);
      this.canvas.height = Math.max(1, h);
      kernel.resizeFrame(Math.max(1, w), Math.max(1, h));
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
    const r = this.rect(id);
    if (id === 0) return { x: 0, y: 0, w: this.width, h: this.height };
    if (!this.isGameImage(id)) {
      const c = this.scale.client;
      if (c === 1) return r;
      const x0 = lround(r.x * c), y0 = lround(r.y * c);
      return { x: x0, y: y0, w: lround((r.x + r.w) * c) - x0, h: lround((r.y + r.h) * c) - y0 };
    }
    if (this.identity()) return r;
    return this.mapRect(r);
  }

  // By the edges, so images that meet in skin pixels meet on the canvas too.
  mapRect(r) {
    const s = this.scale;
    const x = (v) => lround(v * s.game + s.shiftX);
    const y = (v) => lround(v * s.game + s.shiftY);
    const left = x(r.x), top = y(r.y);
    return { x: left, y: top, w: x(r.x + r.w) - left, h: y(r.y + r.h) - top };
  }

  // The picture as drawn at scale s: made once per picture and scale.
  scaledPicture(pic, s) {
    if (s === 1) return pic;
    const key = String(s);
    const known = pic.scaled.get(key);
    if (known) return known;
    const w = scaledLength(pic.width, s), h = scaledLength(pic.height, s);
    let out;
    if (w * h > 1 << 25) {
      out = pic; // not kept scaled: drawn unscaled rather than not at all
    } else {
      let source = pic;
      if (s > 1 && pic.hiRes && pic.hiRes.width === pic.width * 2 && pic.hiRes.height === pic.height * 2)
        source = pic.hiRes;
      if (source.width === w && source.height === h) {
        out = source;
      } else if (this.keyed && source.holdsOpaque(this.key)) {
        out = scaleNearest(source, w, h);
      } else {
        out = scaleSmooth(source, w, h);
        if (source.hasHardEdges()) hardenEdges(out);
      }
    }
    pic.scaled.set(key, out);
    return out;
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
    this.lastDrawn = mergeRects(rects);
    for (const r of this.lastDrawn) this.compose(r);
    if (this.lastDrawn.length > 0) {
      const frame = kernel.frameImage();
      for (const r of this.lastDrawn) this.ctx.putImageData(frame, 0, 0, r.x, r.y, r.w, r.h);
    }
    return this.lastDrawn.length > 0;
  }

  // The frame's pixels (a view that is good until the module next makes a picture).
  get fb() {
    return kernel.framePixels();
  }

  compose(r) {
    kernel.fill(r.x, r.y, r.w, r.h, this.background);
    for (let id = 0; id < this.count; ++id) {
      const im = this.images[id];
      if (!im.shown) continue;
      if (!intersect(im.shown.rect, r)) continue;
      this.drawImage(id, im, r);
    }
    if (this.keyed) kernel.clearKey(r.x, r.y, r.w, r.h, this.key);
  }

  drawImage(id, im, clip) {
    const pic = im.picture;
    if (id === 0) {
      if (im.stretch) {
        if (!this.backdropScaled) this.backdropScaled = this.stretched(pic, this.width, this.height);
        this.blit(this.backdropScaled, 0, 0, this.width, this.height, clip);
      } else {
        const p = this.scaledPicture(pic, this.scale.client);
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
    const s = game ? this.scale.game : this.scale.client;
    const dest = game
      ? this.mapRect({ x: r.x, y: r.y, w: sw, h: sh })
      : { x: lround(r.x * s), y: lround(r.y * s), w: lround((r.x + sw) * s) - lround(r.x * s), h: lround((r.y + sh) * s) - lround(r.y * s) };
    const p = this.scaledPicture(pic, s);
    this.blit(p, dest.x, dest.y, Math.min(dest.w, p.width), Math.min(dest.h, p.height), clip);
  }

  stretched(pic, w, h) {
    if (pic.width === w && pic.height === h) return pic;
    return scaleSmooth(pic, w, h);
  }

  // Blends the top-left w x h of pic at (x, y), inside clip.
  blit(pic, x, y, w, h, clip) {
    if (!intersect({ x, y, w, h }, clip)) return;
    if (!pic.copy) setCopy(pic, kernel.addPicture(pic.ownPixels, pic.width, pic.height));
    kernel.draw(pic.copy, x, y, w, h, clip);
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
