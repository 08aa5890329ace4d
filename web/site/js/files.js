// Where the skin's files come from: the site's game folder (the file list that assemble.sh
// writes says what exists) or a folder the player dropped on the page.

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
  const bytesOf = async (name) => {
    const p = take(name);
    if (p) return p;
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
    has: (path) => (names ? names.has(path) : true),
    bytes: (path) => bytesOf(base + path),
    // The browser's decoding that index.html did, once: a promise of {width, height, rgba}, or null.
    early: (path) => take(`decoding:${base}${path}`) || null,
    text: async (path) => new TextDecoder('latin1').decode(await bytesOf(base + path)),
  };
}

// A dropped skin: a Map of relative path -> Blob. Names are matched without regard to case when
// no exact match exists (a skin made on another system may differ in case only).
export function blobFiles(map) {
  const lower = new Map();
  for (const name of map.keys()) lower.set(name.toLowerCase(), name);
  const find = (path) => (map.has(path) ? path : lower.get(path.toLowerCase()));
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
