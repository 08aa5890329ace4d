// The only module that touches WebAssembly: zn.wasm (the desktop's own C++) behind Engine.
import { createWasi } from './wasi.js';

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// An integer for an int parameter, any finite number for a double one.
function checkNumber(name, value, low, high) {
  if (!Number.isFinite(value) || value < low || value > high)
    throw new RangeError(`${name}: ${value} is not a number in ${low}..${high}`);
}

class Engine {
  #x;
  #frame = { ptr: 0, width: 0, height: 0, buffer: null }; // the canvas's frame in the module

  constructor(exports) {
    this.#x = exports;
    this.imageCount = exports.zn_image_count();
    this.controlCount = exports.zn_control_count(); // the controls, each bound to one key
    this.#x.zn_reset(0);
  }

  #text(length) {
    return decoder.decode(new Uint8Array(this.#x.memory.buffer, this.#x.zn_out(), length));
  }
  #list(count) {
    return Array.from(new Int32Array(this.#x.memory.buffer, this.#x.zn_list(), count));
  }
  #put(bytes) {
    const ptr = this.#x.zn_buffer(bytes.length);
    new Uint8Array(this.#x.memory.buffer, ptr, bytes.length).set(bytes);
  }

  // A rule of the core by its export's name (web/core/*exports.cpp): `text` (a string, or
  // bytes), when given, is written into the buffer and its byte length passed before `args`.
  #call(name, args, text) {
    const f = this.#x[name];
    if (typeof f !== 'function') throw new TypeError(`zn.wasm has no export ${name}`);
    for (const a of args) checkNumber(`${name} argument`, a, -0x80000000, 0xffffffff);
    if (text == null) return f(...args);
    const bytes = text instanceof Uint8Array ? text : encoder.encode(String(text));
    this.#put(bytes);
    return f(bytes.length, ...args);
  }
  // The export's number.
  ask(name, args = [], text = null) { return this.#call(name, args, text); }
  // The export's text result (its length returned, the text at zn_out).
  askText(name, args = [], text = null) { return this.#text(this.#call(name, args, text)); }
  // The export's text result read as JSON.
  askJson(name, args = [], text = null) { return JSON.parse(this.askText(name, args, text)); }
  // The export's list of numbers (its count returned, the list at zn_list).
  askList(name, args = [], text = null) { return this.#list(this.#call(name, args, text)); }

  // The game; the seed and the time in ms are whole numbers up to Number.MAX_SAFE_INTEGER.
  reset(seed) { this.#x.zn_reset(seed); }
  setSoundEnabled(on) { this.#x.zn_set_sound_enabled(on ? 1 : 0); }
  press(control) { this.#x.zn_press(control); }
  release(control) { this.#x.zn_release(control); }
  advance(ms) { this.#x.zn_advance(ms); }
  now() { return this.#x.zn_now(); }
  mode() { return this.#x.zn_mode(); }

  // The figures.
  imageName(id) { return this.#text(this.#x.zn_image_name(id)); }
  visible(id) { return this.#x.zn_visible(id) !== 0; }
  pictureOf(id) { return this.#x.zn_picture_of(id); }
  takeChanged() { return this.#list(this.#x.zn_take_changed()); }
  takeSounds() { return this.#list(this.#x.zn_take_sounds()); }
  snapshot() { return this.#text(this.#x.zn_snapshot()); }

  // A picture from straight RGBA bytes, premultiplied and kept in the module: {id, blended
  // (some pixel is partly transparent)}.
  addStraightPicture(bytes, width, height) {
    const n = width * height;
    if (!(bytes.length >= n * 4)) throw new RangeError(`${bytes.length} bytes for ${width} x ${height} pixels`);
    const id = this.#x.zn_picture_add(width, height);
    if (!id) throw new RangeError(`a picture of ${width} x ${height} pixels is too large`);
    new Uint8Array(this.#x.memory.buffer, this.#x.zn_picture_pixels(id), n * 4).set(bytes.subarray(0, n * 4));
    return { id, blended: this.#x.zn_picture_premultiply(id) === 1 };
  }
  removePicture(id) { this.#x.zn_picture_remove(id); }
  // The straight RGBA bytes of picture id, width x height (a view valid until the module next
  // makes a picture).
  pictureStraight(id, width, height) {
    const ptr = this.#x.zn_picture_straight(id); // may grow the memory: before its buffer is taken
    return new Uint8ClampedArray(this.#x.memory.buffer, ptr, width * height * 4);
  }

  // The frame, width x height pixels of 0.
  resizeFrame(width, height) {
    this.#frame = { ptr: this.#x.zn_frame(width, height), width, height, buffer: null };
  }
  // An ImageData over the frame's pixels (valid until the module's memory grows).
  frameImage() {
    const f = this.#frame;
    if (f.buffer !== this.#x.memory.buffer) {
      f.buffer = this.#x.memory.buffer;
      const n = f.width * f.height;
      f.image = n > 0 ? new ImageData(new Uint8ClampedArray(f.buffer, f.ptr, n * 4), f.width, f.height) : null;
    }
    return f.image;
  }
}

// Loads and starts zn.wasm. url may be a URL or string (fetched) or the module's bytes.
export async function loadEngine(url = 'zn.wasm') {
  const wasi = createWasi();
  let instance;
  if (url instanceof ArrayBuffer || ArrayBuffer.isView(url)) {
    // At once: a browser compiles a function when it is first called, so this is quick.
    try {
      instance = new WebAssembly.Instance(new WebAssembly.Module(url), wasi.imports);
    } catch (e) {
      if (!(e instanceof RangeError)) throw e; // a browser that compiles large modules only apart
      ({ instance } = await WebAssembly.instantiate(url, wasi.imports));
    }
  } else {
    const response = await fetch(url);
    if (!response.ok) throw new Error(`zn.wasm could not be loaded from ${url}: HTTP ${response.status}`);
    ({ instance } = await WebAssembly.instantiate(await response.arrayBuffer(), wasi.imports));
  }
  wasi.start(instance);
  return new Engine(instance.exports);
}
