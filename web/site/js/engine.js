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

  constructor(exports) {
    this.#x = exports;
    this.imageCount = exports.zn_image_count();
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
    checkInteger('control', control, 1, 7);
    return control;
  }
  #image(id) {
    checkInteger('image id', id, 0, this.imageCount - 1);
    return id;
  }

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

  // The key table.
  keyTable() { return JSON.parse(this.#text(this.#x.zn_key_table())); }
  defaultKeyIndex(binding) {
    checkInteger('binding', binding, 1, 7);
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
    ({ instance } = await WebAssembly.instantiate(url, wasi.imports));
  } else {
    const response = await fetch(url);
    if (!response.ok) throw new Error(`zn.wasm could not be loaded from ${url}: HTTP ${response.status}`);
    ({ instance } = await WebAssembly.instantiate(await response.arrayBuffer(), wasi.imports));
  }
  wasi.start(instance);
  return new Engine(instance.exports);
}
