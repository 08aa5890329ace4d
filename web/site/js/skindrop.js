// Your own skin: a folder holding a Config.ini and its pictures, dropped on the page or chosen
// with "Load a skin...", plays for this visit. Its problems are listed as the skin checker
// lists them (zn.wasm's lines); a Config.ini that gives no skin is not applied, and the default
// skin is always one click away.

import { dialogData, element, ensureUiStyles, isTouchScreen } from './dialogs.js';
import { blobFiles, factLine, iniAndFacts, normalPath } from './files.js';
import { kChooseSkinEvent } from './menu.js';

// Every file under the dropped entries as {path, file}; stops at maxFiles.
async function walkEntries(entries, maxFiles) {
  const out = [];
  let truncated = false;
  const walk = async (entry, prefix) => {
    if (out.length >= maxFiles) {
      truncated = true;
      return;
    }
    if (entry.isFile) {
      try {
        out.push({ path: prefix + entry.name, file: await new Promise((resolve, reject) => entry.file(resolve, reject)) });
      } catch {
        // as good as missing
      }
    } else if (entry.isDirectory) {
      const reader = entry.createReader();
      for (;;) {
        let batch;
        try {
          batch = await new Promise((resolve, reject) => reader.readEntries(resolve, reject));
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

// The skin in a set of files: the Config.ini zn.wasm picks, and every file below its folder by
// its path relative to that folder.
function findSkin(engine, files) {
  const paths = files.map((f) => normalPath(f.path));
  const at = engine.ask('zn_skin_ini_of', [], paths.join('\0'));
  if (at < 0) return null;
  const base = paths[at].slice(0, paths[at].lastIndexOf('/') + 1);
  const map = new Map();
  for (const [i, path] of paths.entries()) if (path.startsWith(base)) map.set(path.slice(base.length), files[i].file);
  return { iniPath: paths[at], iniFile: files[at].file, files: map };
}

// Config.ini's text: UTF-8 when it is valid UTF-8, else the Windows code page.
function iniTextOf(bytes) {
  try {
    return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  } catch {
    return new TextDecoder('windows-1252').decode(bytes);
  }
}

// The skin checker's lines for Config.ini's text and the files of source: {error, lines}.
async function checkSkin(engine, iniText, source) {
  const list = engine.askJson('zn_skin_files', [0, 1], iniText);
  if (list.error) return list;
  const [length, text] = iniAndFacts(iniText, await Promise.all(list.files.map((f) => factLine(source, f))));
  return engine.askJson('zn_skin_check', [length], text);
}

const button = (text, onclick) => element('button', '', { type: 'button', text, onclick });

class SkinDrop {
  constructor(host) {
    this.host = host;
    const w = dialogData(host.engine).page;
    this.words = w;
    this.custom = false;
    this.busy = false;

    this.input = element('input', '', { type: 'file', multiple: true, hidden: true, 'aria-hidden': 'true', id: 'zn-skin-folder' });
    this.input.setAttribute('webkitdirectory', '');
    this.input.addEventListener('change', () => {
      const files = [...this.input.files].map((file) => ({ path: file.webkitRelativePath || file.name, file }));
      this.input.value = '';
      if (files.length) this.load({ files, truncated: false });
    });

    this.hint = element('div', 'zn-drop-hint', { hidden: true, text: w.skinDropHint });

    this.panel = element('section', 'zn-skin-panel', { hidden: true, 'aria-live': 'polite' });
    this.head = element('div', 'zn-skin-panel-head');
    this.list = element('ul', 'zn-skin-problems');
    const buttons = element('div', 'zn-skin-panel-buttons');
    const chooseButton = button(w.skinChoose, () => this.choose());
    this.defaultButton = button(w.skinDefault, () => this.useDefault());
    this.closeButton = button(w.skinClose, () => this.hidePanel());
    buttons.append(chooseButton, this.defaultButton, this.closeButton);
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
    this.problemsButton = button(w.skinProblems, () => this.showPanel());
    backButtons.append(this.problemsButton, button(w.skinDefault, () => this.useDefault()));
    this.back.append(backButtons);

    document.body.append(this.input, this.hint, this.panel, this.back);
    document.addEventListener(kChooseSkinEvent, () => this.choose());
    window.addEventListener('resize', () => this.place());
    this.listenForDrops();
  }

  choose() {
    this.input.value = '';
    this.input.click();
  }

  listenForDrops() {
    const carriesFiles = (e) => e.dataTransfer && [...e.dataTransfer.types].includes('Files');
    // While a dialog has the page nothing is dropped (nor opened by the browser instead).
    const refused = (e) => {
      if (!document.body.classList.contains('zn-modal-open')) return false;
      e.preventDefault();
      e.dataTransfer.dropEffect = 'none';
      this.hint.hidden = true;
      return true;
    };
    let depth = 0;
    for (const type of ['dragenter', 'dragover'])
      window.addEventListener(type, (e) => {
        if (!carriesFiles(e) || refused(e)) return;
        e.preventDefault();
        if (type === 'dragenter') depth += 1;
        else e.dataTransfer.dropEffect = 'copy';
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
      if (e.defaultPrevented) return void (this.hint.hidden = true); // a recording, replay.js's
      if (refused(e)) return;
      e.preventDefault();
      this.hint.hidden = true;
      // The entries must be taken while the drop event lasts; their files are read after.
      const items = [...(e.dataTransfer.items || [])].filter((i) => i.kind === 'file');
      const entries = items.map((i) => (i.webkitGetAsEntry ? i.webkitGetAsEntry() : null)).filter(Boolean);
      if (entries.length) {
        this.load(walkEntries(entries, this.words.skinMaxFiles));
      } else {
        const files = [...e.dataTransfer.files].map((file) => ({ path: file.name, file }));
        this.load({ files, truncated: false });
      }
    });
  }

  // Reads, checks and plays the skin of collecting ({files, truncated} or its promise).
  async load(collecting) {
    if (this.busy) return;
    this.busy = true;
    const w = this.words;
    this.show(w.skinReading, []);
    try {
      const { files, truncated } = await collecting;
      const skin = findSkin(this.host.engine, files);
      if (!skin) {
        this.show(w.noSkinHead, [w.noSkinLine]);
        return;
      }
      const iniText = iniTextOf(new Uint8Array(await skin.iniFile.arrayBuffer()));
      const source = blobFiles(skin.files);
      const check = await checkSkin(this.host.engine, iniText, source);
      if (check.error) {
        this.show(skin.iniPath + w.skinNotLoaded, [`${skin.iniPath}: ${check.error}`]);
        return;
      }
      const problems = check.lines;
      if (truncated) problems.push(w.skinTooManyFiles);
      try {
        await this.host.loadSkin(source, iniText);
      } catch (e) {
        this.restoreDefault();
        this.show(skin.iniPath + w.skinNotShown, [String((e && e.message) || e), ...problems]);
        return;
      }
      this.custom = true;
      this.show(this.host.engine.askText('zn_skin_check_summary', [problems.length], skin.iniPath), problems);
    } catch (e) {
      this.show(w.skinUnreadableHead, [w.skinUnreadableLine + String((e && e.message) || e)]);
    } finally {
      this.busy = false;
    }
  }

  show(headText, lines) {
    this.head.textContent = headText;
    this.list.replaceChildren(...lines.map((l) => element('li', '', { text: l })));
    this.problemsButton.hidden = lines.length === 0;
    this.defaultButton.hidden = !this.custom;
    this.showPanel();
  }

  showPanel() {
    this.back.hidden = true;
    this.panel.hidden = false;
    this.place();
    if (!isTouchScreen()) this.closeButton.focus({ preventScroll: true });
  }

  // Clear of the device's controls shown now (zn.wasm's rule).
  place() {
    if (this.panel.hidden) return;
    const box = this.host.canvas.getBoundingClientRect();
    const args = [innerWidth, innerHeight, 560, innerHeight * 0.6, box.left, box.top, this.host.clientScale() * 1000];
    const [left, top, width, height] = this.host.engine.askList('zn_panel_place', args.map(Math.round));
    // No room anywhere (a tiny window): where ui.css puts it.
    const px = (v) => (width && height ? `${v}px` : '');
    Object.assign(this.panel.style, { left: px(left), top: px(top), width: px(width), maxHeight: px(height), right: px(0) && 'auto', bottom: px(0) && 'auto' });
  }

  hidePanel() {
    this.panel.hidden = true;
    this.back.hidden = !this.custom;
  }

  // The page's own skin again; a failure leaves the page with what it shows.
  restoreDefault() {
    this.custom = false;
    try {
      Promise.resolve(this.host.defaultSkin()).catch(() => {});
    } catch {}
  }

  useDefault() {
    this.restoreDefault();
    this.hidePanel();
  }
}

let drop = null;

// Lets the player drop a skin folder on the page, or choose one ("Load a skin..."), and play it.
export function attachSkinDrop(host) {
  ensureUiStyles();
  if (!drop) drop = new SkinDrop(host);
  return drop;
}
