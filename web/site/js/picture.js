// A picture of the page: its size and its pixels, which zn.wasm keeps (web/core/pixels.h) from
// the moment it is made, and the same picture made for another scale. Which picture is drawn at
// which scale, and how it is made, is zn.wasm's rule (ui/picturescaling.h); the browser only
// smooths, on a canvas, when that rule asks for it. While the page loads, that smoothing is done
// by a worker (smoothWhileLoading), so that it never holds up the page.

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
      out = smoothedFor(this, source, w, h, how === Scaling.SmoothHardEdges);
    }
    if (fromPartner && out !== source) out.fromPartnerOf = this;
    this.scaled.set(scaleKey, out);
    return out;
  }

  // Half the size, from every other pixel of every other line: a stand-in for the first frame,
  // quick to make (a smoothed one of a whole device takes a phone a quarter of a second).
  halved() {
    return new Picture(this.width >> 1, this.height >> 1, kernel.ask('zn_picture_halved', [this.copy]));
  }

  // The picture stretched to w x h (the backdrop), smoothed.
  stretched(w, h) {
    if (this.width === w && this.height === h) return this;
    // One made by the worker is kept until it is taken with its smoothed pixels.
    const key = `stretched ${w} ${h}`;
    const known = this.scaled.get(key);
    if (known && !known.approximate) this.scaled.delete(key);
    if (known) return known;
    const out = smoothedFor(this, this, w, h, false);
    if (out.approximate) this.scaled.set(key, out);
    return out;
  }
}

// Packs a colour 0x00BBGGRR (Config.ini's layout) as an opaque pixel.
export function pixelFromBgr(bgr) {
  return (0xff000000 | (bgr & 0xffffff)) >>> 0;
}

// Smooth scaling by the browser: straight RGBA bytes, width x height, drawn at w x h on a canvas
// with its best smoothing; the new straight bytes. On its own, as the worker runs it too.
function smoothRGBA(bytes, width, height, w, h) {
  const from = new OffscreenCanvas(width, height);
  from.getContext('2d').putImageData(new ImageData(bytes, width, height), 0, 0);
  const to = new OffscreenCanvas(w, h);
  const ctx = to.getContext('2d', { willReadFrequently: true });
  ctx.imageSmoothingEnabled = true;
  ctx.imageSmoothingQuality = 'high';
  ctx.drawImage(from, 0, 0, w, h);
  return ctx.getImageData(0, 0, w, h).data;
}

function smoothedPicture(bytes, w, h, hard) {
  const out = Picture.fromStraightRGBA(w, h, bytes);
  if (hard) kernel.ask('zn_picture_harden', [out.copy]);
  return out;
}

// The worker that works for the page while it loads: {worker, jobs, next}; null once the page
// has loaded, or where workers cannot be made.
let helper = null;
const pending = new Set(); // the smoothings asked for and not yet taken
let smoothedOne = () => {};

// From now until smoothingDone(), offThread() runs its functions in a worker, and a picture to
// smooth is first given a stand-in of its nearest pixels (approximate true), which takes the
// smoothed pixels once the worker sends them; then changed(picture) is called with the picture
// it was made from, to draw it again.
export function smoothWhileLoading(changed) {
  if (typeof Worker !== 'function') return;
  const source =
    'const made = new Map();\nonmessage = async ({ data: [job, fn, args] }) => { let out = null, failed = false;' +
    ' try { if (!made.has(fn)) made.set(fn, (0, eval)(`(${fn})`)); out = await made.get(fn)(...args); } catch { failed = true; }' +
    ' const bytes = out && (out.buffer || (out.rgba && out.rgba.buffer)); postMessage([job, out, failed], bytes ? [bytes] : []); };';
  try {
    const worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
    const jobs = new Map(); // job -> [resolve, fn, args]
    helper = { worker, jobs, next: 1 };
    // What the worker could not do (or a worker that cannot run at all) is done here.
    const here = ([resolve, fn, args]) => resolve(Promise.resolve().then(() => fn(...args)));
    worker.onmessage = ({ data: [job, out, failed] }) => {
      if (failed) here(jobs.get(job));
      else jobs.get(job)[0](out);
      jobs.delete(job);
    };
    worker.onerror = () => {
      worker.terminate();
      if (helper && helper.worker === worker) helper = null;
      for (const job of jobs.values()) here(job);
      jobs.clear();
    };
    smoothedOne = changed;
  } catch {
    helper = null;
  }
}

// fn(...args) run in the worker while the page loads, else here: a promise of its result. fn
// is sent as its source text, so it uses nothing but its arguments and the worker's globals;
// the arguments are copied.
export function offThread(fn, args) {
  if (!helper) return Promise.resolve().then(() => fn(...args));
  const job = helper.next++;
  return new Promise((resolve) => {
    helper.jobs.set(job, [resolve, fn, args]);
    helper.worker.postMessage([job, String(fn), args]);
  });
}

// Resolves once every smoothing asked for has been taken; from then on pictures are smoothed at
// once, as they are asked for, and offThread() runs its functions here.
export async function smoothingDone() {
  while (pending.size) await Promise.all(pending);
  if (helper) helper.worker.terminate();
  helper = null;
}

// The picture source (owner's, or its double-size partner's) smoothed to w x h: at once, or a
// stand-in while the worker smooths it.
function smoothedFor(owner, source, w, h, hard) {
  const straight = kernel.pictureStraight(source.copy, source.width, source.height);
  if (!helper) return smoothedPicture(smoothRGBA(straight, source.width, source.height, w, h), w, h, hard);
  // Copied before the module makes the stand-in, which may move its memory.
  const smooth = offThread(smoothRGBA, [straight.slice(), source.width, source.height, w, h]);
  const out = new Picture(w, h, kernel.ask('zn_picture_nearest', [source.copy, w, h]));
  out.approximate = true;
  const done = smooth.then((bytes) => {
    out.takePixels(smoothedPicture(bytes, w, h, hard));
    out.approximate = false;
    pending.delete(done);
    smoothedOne(owner);
  });
  pending.add(done);
  return out;
}
