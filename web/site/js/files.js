// Where the skin's files come from: the site's game folder (the file list that assemble.sh
// writes says what exists) or a folder the player dropped on the page; and what is found at a
// file the skin set-up or the skin checker names (zn.wasm decides what that means).

import { decodePicture } from './pictures.js';

// A relative path with '/' separators, '.' and empty segments dropped and '..' taken back.
export function normalPath(path) {
  const out = [];
  for (const part of path.replace(/\\/g, '/').split('/')) {
    if (part === '' || part === '.') continue;
    if (part === '..') out.pop();
    else out.push(part);
  }
  return out.join('/');
}

// The address of a file of the site by its name: only what the address parser would not take as
// part of the name is escaped, so the address is the one the service worker cached it under.
export function fileUrl(name) {
  return name.replace(/[%#?]/g, (c) => encodeURIComponent(c));
}

// The game folder on the server: the file list written by assemble.sh says what exists, so no
// request is made for a file that is not there.
export async function serverFiles(base = 'game/') {
  // What index.html's first script started to fetch, taken once (then fetched as usual).
  const early = globalThis.znPrefetch instanceof Map ? globalThis.znPrefetch : new Map();
  const take = (name) => {
    const p = early.get(name);
    early.delete(name);
    return p;
  };
  let held = null; // while the start dialog's pictures go first (hold())
  const bytesOf = async (name) => {
    const p = take(name);
    if (p) return p;
    await held;
    const r = await fetch(fileUrl(name));
    if (!r.ok) throw new Error(`${name}: ${r.status}`);
    return r.arrayBuffer();
  };
  let names = null;
  try {
    const list = JSON.parse(new TextDecoder().decode(await bytesOf('files.json')));
    names = new Set(list.filter((n) => n.startsWith(base)).map((n) => n.slice(base.length)));
  } catch {
    names = null;
  }
  return {
    pictures: new Map(), // path -> Promise of its decoded picture (see SkinLayout.picture)
    decoded: new Map(), // path -> its decoded picture (null: undecodable, undefined: no file)
    has: (path) => (names ? names.has(normalPath(path)) : true),
    bytes: (path) => bytesOf(base + normalPath(path)),
    // The browser's decoding that index.html did, once: a promise of {width, height, rgba}, or null.
    early: (path) => take(`decoding:${base}${normalPath(path)}`) || null,
    // The double-size partner index.html fetched in a picture's stead, or null.
    standIn: (path) => {
      const name = take(`stand-in:${base}${normalPath(path)}`);
      return name ? name.slice(base.length) : null;
    },
    text: async (path) => new TextDecoder('latin1').decode(await bytesOf(base + path)),
    // Files not asked for yet are fetched only once the function returned is called.
    hold() {
      let release;
      held = new Promise((r) => (release = r));
      return () => release((held = null));
    },
  };
}

// A dropped skin: a Map of relative path -> Blob. Names are matched without regard to case when
// no exact match exists (a skin made on another system may differ in case only).
export function blobFiles(map) {
  const lower = new Map();
  for (const name of map.keys()) lower.set(name.toLowerCase(), name);
  const find = (path) => {
    const p = normalPath(path);
    return map.has(p) ? p : lower.get(p.toLowerCase());
  };
  return {
    pictures: new Map(),
    decoded: new Map(),
    has: (path) => find(path) !== undefined,
    early: () => null,
    async bytes(path) {
      const name = find(path);
      if (name === undefined) throw new Error(`${path}: missing`);
      return map.get(name).arrayBuffer();
    },
  };
}

// The decoded picture of a file of source: null when it cannot be decoded, undefined when there
// is no such file. Each file is decoded once per source; quick as decodePicture's, for the first
// request.
export function filePicture(source, path, quick = false) {
  if (!source.pictures.has(path)) source.pictures.set(path, decodeFile(source, path, quick));
  return source.pictures.get(path);
}

async function decodeFile(source, path, quick) {
  let pic = quick ? await halfOfPartner(source, path) : undefined;
  if (pic === undefined && source.has(path)) {
    const bytes = await source.bytes(path).catch(() => null);
    // A picture not waited for is decoded in a task of its own, never many in one.
    if (!quick) await new Promise((r) => setTimeout(r, 0));
    pic = bytes && (await decodePicture(path, bytes, quick, source.early(path)));
  }
  source.decoded.set(path, pic);
  return pic;
}

// On a sharp screen the first frame is drawn from the double-size partners, which index.html
// fetched alone: the picture itself is first made from its partner, at half its size, and given
// its file's exact pixels (exact()) once the device is drawn. undefined without such a partner.
// Only for a quick decoding, whose caller calls exact().
async function halfOfPartner(source, path) {
  const partner = source.standIn ? source.standIn(path) : null;
  const big = partner ? await filePicture(source, partner) : null;
  if (!big || big.width % 2 || big.height % 2) return undefined;
  const pic = big.halved();
  pic.approximate = true;
  pic.exact = async () => {
    pic.exact = null;
    const own = await source.bytes(path).then((b) => decodePicture(path, b), () => null);
    if (own && own.width === pic.width && own.height === pic.height) pic.takePixels(own);
    pic.approximate = false;
  };
  return pic;
}

// What is found at a file that zn.wasm named ({path, decode}), as the line it reads back.
export async function factLine(source, file, quick = false) {
  if (!source.has(file.path)) return 'missing';
  if (!file.decode) return 'present';
  const pic = await filePicture(source, file.path, quick);
  if (pic === undefined) return 'missing';
  if (!pic) return `undecodable\t0\t0\tPicture '${file.path.replace(/\s/g, ' ')}' cannot be decoded: the browser cannot read it`;
  return `decoded\t${pic.width}\t${pic.height}`;
}

// Config.ini's text and the facts after it, as zn.wasm's skin exports take them: the text's
// length in bytes first.
export function iniAndFacts(iniText, lines) {
  return [new TextEncoder().encode(iniText).length, iniText + lines.join('\n')];
}
