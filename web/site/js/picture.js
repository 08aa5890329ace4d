// A picture of the page: its size and its pixels, which zn.wasm keeps (web/core/pixels.h) from
// the moment it is made, and the same picture made for another scale. Which picture is drawn at
// which scale, and how it is made, is zn.wasm's rule (ui/picturescaling.h); the browser only
// smooths, on a canvas, when that rule asks for it.

// zn.wasm's Engine, which keeps every picture: given once the engine is loaded, before any
// picture is made.
let kernel = null;
export function usePixelKernel(engine) {
  kernel = engine;
}
export function pixelKernel() {
  return kernel;
}

// A picture's copy in the module goes with the picture.
const copies = typeof FinalizationRegistry === 'function' ? new FinalizationRegistry((id) => kernel.removePicture(id)) : null;

function setCopy(pic, id) {
  if (pic.copy) {
    kernel.removePicture(pic.copy);
    if (copies) copies.unregister(pic);
  }
  pic.copy = id;
  if (id && copies) copies.register(pic, id, pic);
}

// How a scaled picture is made (ui/picturescaling.h's Scaling).
const Scaling = { AsIs: 0, Nearest: 1, Smooth: 2, SmoothHardEdges: 3, NotKept: 4 };

let made = 0; // pictures made so far

export class Picture {
  // A picture of the module's picture id, width x height pixels.
  constructor(width, height, id) {
    this.width = width;
    this.height = height;
    this.serial = ++made; // which picture it is, for as long as the page runs
    this.copy = 0; // its number in the module
    setCopy(this, id);
    this.hiRes = null; // the double-size partner (a Picture), when the skin has one
    this.scaled = new Map(); // scale key -> Picture
  }

  // From straight (not premultiplied) RGBA bytes; the bytes are not changed.
  static fromStraightRGBA(width, height, bytes) {
    const { id, blended } = kernel.addStraightPicture(bytes, width, height);
    const pic = new Picture(width, height, id);
    pic.blended = blended; // some pixel is partly transparent
    return pic;
  }

  // Takes over another picture's pixels (of the same size), as when a picture first drawn from
  // the browser's decoding gets the file's exact pixels; what was scaled from it is dropped.
  takePixels(other) {
    const id = other.copy;
    if (id && copies) copies.unregister(other);
    other.copy = 0;
    setCopy(this, id);
    this.blended = other.blended;
    // What was made from the double-size partner stays as it is.
    for (const [key, made] of this.scaled) if (made.fromPartnerOf !== this) this.scaled.delete(key);
  }

  // The picture as drawn at the view's game scale (game true) or client scale: made once per
  // picture and scale, from the double-size partner where the rule says so.
  scaledFor(game, scaleKey, keyed, key) {
    const known = this.scaled.get(scaleKey);
    if (known) return known;
    const partner = this.hiRes ? this.hiRes.copy : 0;
    const [fromPartner, w, h, how, made] = kernel.askList('zn_picture_scaling', [this.copy, partner, game ? 1 : 0, keyed ? 1 : 0, key]);
    const source = fromPartner ? this.hiRes : this;
    let out = source;
    if (how === Scaling.Nearest) out = new Picture(w, h, made);
    else if (how === Scaling.Smooth || how === Scaling.SmoothHardEdges) {
      out = smoothed(source, w, h);
      if (how === Scaling.SmoothHardEdges) kernel.ask('zn_picture_harden', [out.copy]);
    }
    if (fromPartner && out !== source) out.fromPartnerOf = this;
    this.scaled.set(scaleKey, out);
    return out;
  }

  // Half the size, from every other pixel of every other line: a stand-in for the first frame,
  // quick to make (a smoothed one of a whole device takes a phone a quarter of a second).
  halved() {
    const w = this.width >> 1, h = this.height >> 1;
    const s = kernel.pictureStraight(this.copy, this.width, this.height);
    const from = new Uint32Array(s.buffer, s.byteOffset, s.length >> 2);
    const to = new Uint32Array(w * h);
    for (let y = 0; y < h; ++y) for (let x = 0, f = 2 * y * this.width; x < w; ++x, f += 2) to[y * w + x] = from[f];
    return Picture.fromStraightRGBA(w, h, new Uint8Array(to.buffer));
  }

  // The picture stretched to w x h (the backdrop), smoothed.
  stretched(w, h) {
    return this.width === w && this.height === h ? this : smoothed(this, w, h);
  }
}

// Packs a colour 0x00BBGGRR (Config.ini's layout) as an opaque pixel.
export function pixelFromBgr(bgr) {
  return (0xff000000 | (bgr & 0xffffff)) >>> 0;
}

// Smooth scaling by the browser, from the picture's straight pixels.
function smoothed(pic, w, h) {
  const from = makeCanvas(pic.width, pic.height);
  const straight = kernel.pictureStraight(pic.copy, pic.width, pic.height);
  from.getContext('2d').putImageData(new ImageData(straight, pic.width, pic.height), 0, 0);
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
