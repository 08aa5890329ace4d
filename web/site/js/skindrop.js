// Your own skin: a folder holding a Config.ini and its pictures, dropped on the page or chosen
// with "Load a skin..." (a folder chooser), plays for this visit. The skin is read by the
// engine's own reader (engine.readSkin); its problems are listed in the page in the skin
// checker's words (zorpy-nibbo-skin-check): the description's problems as the engine gives
// them, and the pictures that are missing or cannot be decoded, looked at here since only the
// page has the files. A broken skin never breaks the page: a Config.ini that gives no skin is
// not applied, and the default skin is always one click away.

import { element, ensureUiStyles } from './dialogs.js';
import { kChooseSkinEvent } from './menu.js';

const kMaxFiles = 5000; // a skin is a few hundred files; a bigger drop is not walked further
const kPictureExtensions = new Set(['png', 'jpg', 'jpeg', 'bmp', 'ico']);

// ---- the files of a dropped or chosen folder ----------------------------------------------

// A relative path with '/' separators, '.' and empty segments dropped and '..' taken back.
function normalPath(path) {
  const out = [];
  for (const part of path.replace(/\\/g, '/').split('/')) {
    if (part === '' || part === '.') continue;
    if (part === '..') out.pop();
    else out.push(part);
  }
  return out.join('/');
}

function readEntries(reader) {
  return new Promise((resolve, reject) => reader.readEntries(resolve, reject));
}

function entryFile(entry) {
  return new Promise((resolve, reject) => entry.file(resolve, reject));
}

// Every file under the dropped entries as {path, file}; stops at kMaxFiles.
async function walkEntries(entries) {
  const out = [];
  let truncated = false;
  const walk = async (entry, prefix) => {
    if (out.length >= kMaxFiles) {
      truncated = true;
      return;
    }
    if (entry.isFile) {
      try {
        out.push({ path: prefix + entry.name, file: await entryFile(entry) });
      } catch {
        // A file that vanished or cannot be read is as good as missing.
      }
    } else if (entry.isDirectory) {
      const reader = entry.createReader();
      for (;;) {
        let batch;
        try {
          batch = await readEntries(reader);
        } catch {
          break;
        }
        if (batch.length === 0) break;
        for (const child of batch) await walk(child, `${prefix}${entry.name}/`);
      }
    }
  };
  for (const entry of entries) await walk(entry, '');
  return { files: out, truncated };
}

// The skin in a set of files: the Config.ini nearest the top, and every file below its folder
// by its path relative to that folder (as the desktop resolves names against its game folder).
function findSkin(files) {
  let ini = null;
  let depth = Infinity;
  for (const f of files) {
    const path = normalPath(f.path);
    const parts = path.split('/');
    if (parts[parts.length - 1].toLowerCase() === 'config.ini' && parts.length < depth) {
      ini = { path, file: f.file };
      depth = parts.length;
    }
  }
  if (!ini) return null;
  const base = ini.path.slice(0, ini.path.length - ini.path.split('/').pop().length);
  const map = new Map();
  for (const f of files) {
    const path = normalPath(f.path);
    if (path.startsWith(base)) map.set(path.slice(base.length), f.file);
  }
  return { iniPath: ini.path, iniFile: ini.file, files: map };
}

// Config.ini's text: UTF-8 when it is valid UTF-8, else the Windows code page such files are
// written in.
function iniTextOf(bytes) {
  try {
    return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  } catch {
    return new TextDecoder('windows-1252').decode(bytes);
  }
}

// ---- the pictures' problems, in the skin checker's words ------------------------------------

function extensionOf(name) {
  const slash = Math.max(name.lastIndexOf('/'), name.lastIndexOf('\\'));
  const dot = name.lastIndexOf('.');
  return dot < 0 || dot < slash ? '' : name.slice(dot + 1).toLowerCase();
}

function namesPicture(fileName) {
  return typeof fileName === 'string' && fileName !== '' && fileName !== 'nil';
}

function folderPath(folder) {
  const f = (folder || '').replace(/\\/g, '/');
  return f !== '' && !f.endsWith('/') ? `${f}/` : f;
}

function hiResPartnerPath(path) {
  const slash = path.lastIndexOf('/');
  const dot = path.lastIndexOf('.');
  if (dot <= slash + 1) return `${path}@2x`;
  return `${path.slice(0, dot)}@2x${path.slice(dot)}`;
}

// Looks at each file once: {state: 'loaded'|'missing'|'undecodable', width, height, error}.
class PictureLooker {
  constructor(files) {
    this.files = files;
    this.seen = new Map();
    // As the page draws a dropped skin: a name that differs from its file in case only
    // still finds it (a skin made on another system).
    this.lower = new Map();
    for (const name of files.keys()) if (!this.lower.has(name.toLowerCase())) this.lower.set(name.toLowerCase(), name);
  }

  find(key) {
    if (this.files.has(key)) return this.files.get(key);
    const name = this.lower.get(key.toLowerCase());
    return name === undefined ? undefined : this.files.get(name);
  }

  async look(path) {
    const key = normalPath(path);
    const first = !this.seen.has(key);
    if (first) this.seen.set(key, this.examine(path, key));
    return { picture: await this.seen.get(key), first };
  }

  async examine(path, key) {
    const blob = this.find(key);
    if (!blob) return { path, state: 'missing' };
    const ext = extensionOf(path);
    if (!kPictureExtensions.has(ext))
      return { path, state: 'undecodable', error: `Unknown picture file extension (.${ext}) of '${path}'` };
    try {
      const bitmap = await createImageBitmap(blob);
      const size = { width: bitmap.width, height: bitmap.height };
      bitmap.close();
      return { path, state: 'loaded', ...size };
    } catch (e) {
      const why = String((e && e.message) || 'the picture is damaged').replace(/\.$/, '');
      return { path, state: 'undecodable', error: `Picture '${path}' cannot be decoded: ${why}` };
    }
  }
}

// The lines for one named picture and its @2x partner, as the checker prints them.
async function pictureProblems(looker, section, key, dir, name) {
  const lines = [];
  const say = (text) => lines.push(`[${section}] ${key}: ${text}`);
  const state = (p) => {
    if (p.state === 'missing') say(`picture '${p.path}' is missing`);
    else if (p.state === 'undecodable') say(p.error);
  };
  const path = folderPath(dir) + name.replace(/\\/g, '/');
  const { picture: p, first } = await looker.look(path);
  if (!first) return lines;
  state(p);
  const { picture: hi, first: hiFirst } = await looker.look(hiResPartnerPath(p.path));
  if (hi.state === 'missing') return lines; // the skin gives no partner
  if (hiFirst) state(hi);
  if (p.state !== 'loaded' || hi.state !== 'loaded') return lines;
  if (hi.width !== 2 * p.width || hi.height !== 2 * p.height)
    say(
      `picture '${hi.path}' is ${hi.width} x ${hi.height}, not twice the ${p.width} x ${p.height} ` +
        `of '${p.path}' (${2 * p.width} x ${2 * p.height})`,
    );
  return lines;
}

// Where a line of the checker belongs, to put the picture lines among them in the checker's
// order: [Fullscreen] before the image sections, [ImageN] by N, anything else where it stands.
function sectionRank(line) {
  const m = /^\[(Fullscreen|Image(\d+))\]/i.exec(line);
  if (!m) return /^click areas /.test(line) ? Infinity : null;
  return m[2] ? 1 + Number(m[2]) : 1;
}

// The checker's list: the description's lines with the picture lines of each section before
// the first line of the same or a later section.
function mergeProblems(checkerLines, pictureLines) {
  const pending = pictureLines.slice(); // already in section order
  const out = [];
  const flushUpTo = (rank) => {
    while (pending.length && pending[0].rank <= rank) out.push(pending.shift().text);
  };
  for (const line of checkerLines) {
    const rank = sectionRank(line);
    if (rank !== null) flushUpTo(rank);
    out.push(line);
  }
  flushUpTo(Infinity);
  return out;
}

async function checkPictures(skin, files) {
  const looker = new PictureLooker(files);
  const lines = [];
  const add = async (rank, section, key, dir, name) => {
    if (!namesPicture(name)) return;
    for (const text of await pictureProblems(looker, section, key, dir, name)) lines.push({ rank, text });
  };
  await add(1, 'Fullscreen', 'BackdropFile', skin.backdropDir, skin.backdropFile);
  await add(1, 'Fullscreen', 'LogoFile', skin.backdropDir, skin.logoFile);
  const images = (skin.images || []).slice().sort((a, b) => a.slot - b.slot);
  for (const im of images) await add(1 + im.slot, `Image${im.slot}`, 'Filename', skin.skinDir, im.fileName);
  return lines;
}

// ---- the page's side: drop, chooser, the list of problems ---------------------------------

class SkinDrop {
  constructor(host) {
    this.host = host;
    this.custom = false;
    this.busy = false;

    this.input = element('input', '', { type: 'file', multiple: true, hidden: true });
    this.input.setAttribute('webkitdirectory', '');
    this.input.setAttribute('aria-hidden', 'true');
    this.input.addEventListener('change', () => {
      const files = [...this.input.files].map((file) => ({ path: file.webkitRelativePath || file.name, file }));
      this.input.value = '';
      if (files.length) this.load(Promise.resolve({ files, truncated: false }));
    });

    this.hint = element('div', 'zn-drop-hint', { hidden: true, text: 'Drop a skin folder (with its Config.ini) to play it' });

    this.panel = element('section', 'zn-skin-panel', { hidden: true });
    this.panel.setAttribute('aria-live', 'polite');
    this.head = element('div', 'zn-skin-panel-head');
    this.list = element('ul', 'zn-skin-problems');
    const buttons = element('div', 'zn-skin-panel-buttons');
    this.chooseButton = element('button', '', { type: 'button', text: 'Load a skin...' });
    this.chooseButton.addEventListener('click', () => this.choose());
    this.defaultButton = element('button', '', { type: 'button', text: 'Default skin' });
    this.defaultButton.addEventListener('click', () => this.useDefault());
    this.closeButton = element('button', '', { type: 'button', text: 'Close' });
    this.closeButton.addEventListener('click', () => this.hidePanel());
    buttons.append(this.chooseButton, this.defaultButton, this.closeButton);
    this.panel.append(this.head, this.list, buttons);
    this.panel.addEventListener('keydown', (e) => {
      if (e.key === 'Escape') {
        e.stopPropagation();
        this.hidePanel();
      }
    });
    this.panel.addEventListener('contextmenu', (e) => e.stopPropagation());

    // While a skin of the player's own plays and the list is closed: the way back.
    this.back = element('div', 'zn-skin-back', { hidden: true });
    const backButtons = element('div', 'zn-skin-panel-buttons');
    const backDefault = element('button', '', { type: 'button', text: 'Default skin' });
    backDefault.addEventListener('click', () => this.useDefault());
    const backList = element('button', '', { type: 'button', text: 'Problems...' });
    backList.addEventListener('click', () => this.showPanel());
    backButtons.append(backList, backDefault);
    this.back.append(backButtons);

    document.body.append(this.input, this.hint, this.panel, this.back);
    document.addEventListener(kChooseSkinEvent, () => this.choose());
    this.listenForDrops();
  }

  choose() {
    this.input.value = '';
    this.input.click();
  }

  listenForDrops() {
    const carriesFiles = (e) => e.dataTransfer && [...e.dataTransfer.types].includes('Files');
    // While a dialog has the page (the splash, the key settings) nothing is dropped; the
    // browser does not open the dropped files in the page's place either.
    const refused = (e) => {
      if (!document.body.classList.contains('zn-modal-open')) return false;
      e.preventDefault();
      e.dataTransfer.dropEffect = 'none';
      this.hint.hidden = true;
      return true;
    };
    let depth = 0;
    window.addEventListener('dragenter', (e) => {
      if (!carriesFiles(e) || refused(e)) return;
      e.preventDefault();
      depth += 1;
      this.hint.hidden = false;
    });
    window.addEventListener('dragover', (e) => {
      if (!carriesFiles(e) || refused(e)) return;
      e.preventDefault();
      e.dataTransfer.dropEffect = 'copy';
      this.hint.hidden = false;
    });
    window.addEventListener('dragleave', (e) => {
      if (!carriesFiles(e)) return;
      depth = Math.max(0, depth - 1);
      if (depth === 0 || e.relatedTarget === null) this.hint.hidden = true;
    });
    window.addEventListener('drop', (e) => {
      if (!carriesFiles(e)) return;
      depth = 0;
      if (refused(e)) return;
      e.preventDefault();
      this.hint.hidden = true;
      // The entries must be taken while the drop event lasts; their files are read after.
      const items = [...(e.dataTransfer.items || [])].filter((i) => i.kind === 'file');
      const entries = items.map((i) => (i.webkitGetAsEntry ? i.webkitGetAsEntry() : null)).filter(Boolean);
      if (entries.length) {
        this.load(walkEntries(entries));
      } else {
        const files = [...e.dataTransfer.files].map((file) => ({ path: file.name, file }));
        this.load(Promise.resolve({ files, truncated: false }));
      }
    });
  }

  // Reads, checks and plays the skin of a set of files; lists what is wrong with it.
  async load(collecting) {
    if (this.busy) return;
    this.busy = true;
    this.show('Reading the skin...', []);
    try {
      const { files, truncated } = await collecting;
      const skin = findSkin(files);
      if (!skin) {
        this.show('No skin loaded', ['The folder holds no Config.ini, so it is no skin.'], false);
        return;
      }
      const iniText = iniTextOf(new Uint8Array(await skin.iniFile.arrayBuffer()));
      const engine = this.host.engine;
      const desc = engine.readSkin(iniText, {
        fullscreen: Boolean(this.host.isFullscreen()),
        screenWidth: window.screen.width,
        screenHeight: window.screen.height,
      });
      if (desc.error) {
        this.show(`${skin.iniPath}: no skin loaded`, [`${skin.iniPath}: ${desc.error}`], false);
        return;
      }
      const problems = mergeProblems(desc.checkerProblems || [], await checkPictures(desc, skin.files));
      if (truncated) problems.push(`the folder holds more than ${kMaxFiles} files; the files after these were not read`);
      try {
        await this.host.loadSkin(skin.files, iniText);
      } catch (e) {
        this.restoreDefault();
        this.custom = false;
        this.show(`${skin.iniPath}: the skin cannot be shown`, [String((e && e.message) || e), ...problems], false);
        return;
      }
      this.custom = true;
      const count = problems.length;
      const summary =
        count === 0
          ? `${skin.iniPath}: no problems found`
          : `${skin.iniPath}: ${count} ${count === 1 ? 'problem' : 'problems'}`;
      this.show(summary, problems, true);
    } catch (e) {
      this.show('No skin loaded', [`The folder cannot be read: ${String((e && e.message) || e)}`], false);
    } finally {
      this.busy = false;
    }
  }

  show(headText, lines, playing = this.custom) {
    this.head.textContent = headText;
    this.list.replaceChildren(...lines.map((l) => element('li', '', { text: l })));
    this.defaultButton.hidden = !playing && !this.custom;
    this.showPanel();
  }

  showPanel() {
    this.back.hidden = true;
    this.panel.hidden = false;
    this.closeButton.focus({ preventScroll: true });
  }

  hidePanel() {
    this.panel.hidden = true;
    this.back.hidden = !this.custom;
  }

  // The page's own skin again; it cannot fail in a way the player could do anything about.
  restoreDefault() {
    try {
      Promise.resolve(this.host.defaultSkin()).catch(() => {});
    } catch {
      // the page stays with what it shows
    }
  }

  useDefault() {
    this.restoreDefault();
    this.custom = false;
    this.panel.hidden = true;
    this.back.hidden = true;
  }
}

let drop = null;

// Lets the player drop a skin folder on the page, or choose one ("Load a skin..."), and play it.
export function attachSkinDrop(host) {
  ensureUiStyles();
  if (!drop) drop = new SkinDrop(host);
  return drop;
}
