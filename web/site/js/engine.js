// The only module that touches WebAssembly: the game, the skin reader, the settings rules and
// the key table of zn.wasm (the desktop's own C++), behind the Engine class below.
import { createWasi } from './wasi.js';

const encoder = new TextEncoder();
const decoder = new TextDecoder();

function checkInteger(name, value, low, high) {
  if (!Number.isInteger(value) || value < low || value > high)
    throw new RangeError(`${name}: ${value} is not an integer in ${low}..${high}`);
}

class Engine {
  #x;
  #frame = { ptr: 0, width: 0, height: 0, buffer: null }; // the canvas's frame in the module

  constructor(exports) {
    this.#x = exports;
    this.imageCount = exports.zn_image_count();
    this.controlCount = exports.zn_control_count(); // the controls, each bound to one key
    this.#x.zn_reset(0, 0);
  }

  #text(length) {
    return decoder.decode(new Uint8Array(this.#x.memory.buffer, this.#x.zn_out(), length));
  }
  #list(count) {
    return Array.from(new Int32Array(this.#x.memory.buffer, this.#x.zn_list(), count));
  }
  // Copies the bytes into the module's input buffer.
  #put(bytes) {
    const ptr = this.#x.zn_buffer(bytes.length);
    new Uint8Array(this.#x.memory.buffer, ptr, bytes.length).set(bytes);
  }
  #control(control) {
    checkInteger('control', control, 1, this.controlCount);
    return control;
  }
  #image(id) {
    checkInteger('image id', id, 0, this.imageCount - 1);
    return id;
  }

  // A rule of the core, by its export's name (web/core/*exports.cpp), for the page's modules
  // that ask the core rather than know: `text`, when given, is written into the buffer and its
  // byte length passed before the integers `args`.
  #call(name, args, text) {
    const f = this.#x[name];
    if (typeof f !== 'function') throw new TypeError(`zn.wasm has no export ${name}`);
    for (const a of args) checkInteger(`${name} argument`, a, -0x80000000, 0xffffffff);
    if (text == null) return f(...args);
    const bytes = encoder.encode(String(text));
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

  // The game.
  reset(seed) {
    checkInteger('seed', seed, 0, Number.MAX_SAFE_INTEGER);
    this.#x.zn_reset(seed % 0x100000000, Math.floor(seed / 0x100000000));
  }
  setSoundEnabled(on) { this.#x.zn_set_sound_enabled(on ? 1 : 0); }
  press(control) { this.#x.zn_press(this.#control(control)); }
  release(control) { this.#x.zn_release(this.#control(control)); }
  advance(ms) {
    checkInteger('advance', ms, 0, Number.MAX_SAFE_INTEGER);
    // The module takes at most 2^31 - 1 ms at a time.
    for (let left = ms; left > 0; ) {
      const step = Math.min(left, 0x7fffffff);
      this.#x.zn_advance(step);
      left -= step;
    }
  }
  now() { return this.#x.zn_now(); }
  mode() { return this.#x.zn_mode(); }

  // The figures.
  imageName(id) { return this.#text(this.#x.zn_image_name(this.#image(id))); }
  slotOf(id) { return this.#x.zn_slot_of(this.#image(id)); }
  visible(id) { return this.#x.zn_visible(this.#image(id)) !== 0; }
  pictureOf(id) { return this.#x.zn_picture_of(this.#image(id)); }
  takeChanged() { return this.#list(this.#x.zn_take_changed()); }
  takeSounds() { return this.#list(this.#x.zn_take_sounds()); }
  snapshot() { return this.#text(this.#x.zn_snapshot()); }

  // The skin.
  readSkin(iniText, { fullscreen = false, screenWidth = 0, screenHeight = 0 } = {}) {
    if (typeof iniText !== 'string') throw new TypeError('readSkin: the text of Config.ini must be a string');
    checkInteger('screenWidth', screenWidth, 0, 0x7fffffff);
    checkInteger('screenHeight', screenHeight, 0, 0x7fffffff);
    const bytes = encoder.encode(iniText);
    this.#put(bytes);
    return JSON.parse(this.#text(this.#x.zn_read_skin(bytes.length, fullscreen ? 1 : 0, screenWidth, screenHeight)));
  }

  // The stored settings.
  settings() { return JSON.parse(this.#text(this.#x.zn_settings())); }
  storedSetting(name, textOrNull) {
    const nameBytes = encoder.encode(String(name));
    const textBytes = textOrNull == null ? null : encoder.encode(String(textOrNull));
    const all = new Uint8Array(nameBytes.length + (textBytes ? textBytes.length : 0));
    all.set(nameBytes);
    if (textBytes) all.set(textBytes, nameBytes.length);
    this.#put(all);
    if (!this.#x.zn_stored_setting(nameBytes.length, textBytes ? textBytes.length : -1))
      throw new RangeError(`storedSetting: no setting is called '${name}'`);
    return this.#list(1)[0];
  }
  zoomPercentFrom(n) {
    checkInteger('zoom', n, -0x80000000, 0x7fffffff);
    return this.#x.zn_zoom_percent_from(n);
  }

  // The canvas's frame and the pictures drawn into it, composed by the module (render.js).

  // A picture from straight RGBA bytes, premultiplied and kept in the module: {id, blended
  // (some pixel is partly transparent)}. The bytes are not changed.
  addStraightPicture(bytes, width, height) {
    const n = width * height;
    if (!(bytes.length >= n * 4)) throw new RangeError(`${bytes.length} bytes for ${width} x ${height} pixels`);
    const id = this.#newPicture(width, height);
    new Uint8Array(this.#x.memory.buffer, this.#x.zn_picture_pixels(id), n * 4).set(bytes.subarray(0, n * 4));
    return { id, blended: this.#x.zn_picture_premultiply(id) === 1 };
  }
  // A copy of the pixels of picture id, width x height.
  picturePixels(id, width, height) {
    return new Uint32Array(this.#x.memory.buffer, this.#x.zn_picture_pixels(id), width * height).slice();
  }
  // A picture of premultiplied pixels (a Uint32Array of width x height), kept in the module.
  addPicture(pixels, width, height) {
    const id = this.#newPicture(width, height);
    new Uint32Array(this.#x.memory.buffer, this.#x.zn_picture_pixels(id), width * height).set(pixels.subarray(0, width * height));
    return id;
  }
  #newPicture(width, height) {
    const id = this.#x.zn_picture_add(width, height);
    if (!id) throw new RangeError(`a picture of ${width} x ${height} pixels is too large`);
    return id;
  }
  removePicture(id) { this.#x.zn_picture_remove(id); }
  // The straight RGBA bytes of picture id, width x height (a view valid until the module next
  // makes a picture).
  pictureStraight(id, width, height) {
    const ptr = this.#x.zn_picture_straight(id); // may grow the memory: before its buffer is taken
    return new Uint8ClampedArray(this.#x.memory.buffer, ptr, width * height * 4);
  }
  // A PNG file's bytes as the module reads them (web/core/pngdecode.h): {width, height, parts:
  // the [offset, length] of each compressed part to inflate}, or null for a file it does not read.
  pngChunks(file) {
    this.#put(file);
    const n = this.#x.zn_png_chunks(file.length);
    if (n < 2) return null;
    const l = this.#list(n);
    const parts = [];
    for (let i = 2; i + 1 < n; i += 2) parts.push([l[i], l[i + 1]]);
    return { width: l[0], height: l[1], parts };
  }
  // A picture of the file's inflated lines, kept in the module: {id, blended} or null when broken.
  addPngPicture(file, lines) {
    const ptr = this.#x.zn_buffer(file.length + lines.length);
    const into = new Uint8Array(this.#x.memory.buffer, ptr, file.length + lines.length);
    into.set(file);
    into.set(lines, file.length);
    const [id, blended] = this.#list(this.#x.zn_png_picture(file.length, lines.length));
    return id ? { id, blended: blended === 1 } : null;
  }

  // The frame, width x height pixels of 0.
  resizeFrame(width, height) {
    this.#frame = { ptr: this.#x.zn_frame(width, height), width, height, buffer: null };
  }
  // The frame's pixels and an ImageData over them (valid until the module's memory grows).
  framePixels() { return this.#frameViews().pixels; }
  frameImage() { return this.#frameViews().image; }
  #frameViews() {
    const f = this.#frame;
    if (f.buffer !== this.#x.memory.buffer) {
      f.buffer = this.#x.memory.buffer;
      const n = f.width * f.height;
      f.pixels = new Uint32Array(f.buffer, f.ptr, n);
      f.image = n > 0 ? new ImageData(new Uint8ClampedArray(f.buffer, f.ptr, n * 4), f.width, f.height) : null;
    }
    return f;
  }
  fill(x, y, w, h, colour) { this.#x.zn_fill(x, y, w, h, colour); }
  // The top-left w x h of picture id at (x, y), inside clip {x, y, w, h}.
  draw(id, x, y, w, h, clip) { this.#x.zn_draw(id, x, y, w, h, clip.x, clip.y, clip.w, clip.h); }
  clearKey(x, y, w, h, key) { this.#x.zn_clear_key(x, y, w, h, key); }

  // The key table.
  keyTable() { return JSON.parse(this.#text(this.#x.zn_key_table())); }
  defaultKeyIndex(binding) {
    checkInteger('binding', binding, 1, this.controlCount);
    return this.#x.zn_default_key_index(binding);
  }
}

// Loads and starts zn.wasm. url may be a URL or string (fetched), the module's bytes or the
// compiled module.
export async function loadEngine(url = 'zn.wasm') {
  const wasi = createWasi();
  let instance;
  if (typeof WebAssembly.Module === 'function' && url instanceof WebAssembly.Module) {
    instance = await WebAssembly.instantiate(url, wasi.imports);
  } else if (url instanceof ArrayBuffer || ArrayBuffer.isView(url)) {
    // At once: a browser compiles a function of the module when it is first called, so this
    // takes a millisecond or two, and the page does not wait for a task of the compiler's.
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
