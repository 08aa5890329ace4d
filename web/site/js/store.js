// The page's settings store: the desktop's stored values kept in localStorage under the same
// names and as the same texts, read through zn.wasm's rule (zn_stored_setting). Where a browser
// refuses storage, a value is kept for this visit and the page says once that it will not last.

import { dialogData, notice } from './dialogs.js';

// storage: the Storage to use, window.localStorage when not given (a test hands in another).
export function createStore(engine, storage = undefined) {
  const kept = new Map(); // name -> text of this visit that localStorage refused
  let failed = false;

  function localStore() {
    const s = storage !== undefined ? storage : window.localStorage;
    if (!s) throw new Error('no localStorage');
    return s;
  }

  function refuse() {
    if (failed) return;
    failed = true;
    tellOnce(dialogData(engine).page);
  }

  // The stored text of a name, or null when there is none (or it cannot be read).
  function storedText(name) {
    if (kept.has(name)) return kept.get(name);
    try {
      return localStore().getItem(name);
    } catch {
      refuse();
      return null;
    }
  }

  // The setting's value from its stored text (null: none); an unknown name is the page's mistake.
  function valueOf(name, text) {
    const [value] = engine.askList('zn_stored_setting', [], text == null ? name : `${name}=${text}`);
    if (value === undefined) throw new Error(`no stored setting is named '${name}'`);
    return value;
  }

  // A refusing browser is told at once rather than at the first choice.
  try {
    const probe = '__zn_probe__';
    localStore().setItem(probe, '1');
    localStore().removeItem(probe);
  } catch {
    refuse();
  }

  return {
    get(name) {
      return valueOf(name, storedText(name));
    },
    // Stores an integer (a boolean as 1 or 0) as its decimal text.
    set(name, value) {
      valueOf(name, null);
      const text = String(typeof value === 'boolean' ? Number(value) : Math.trunc(Number(value)));
      try {
        localStore().setItem(name, text);
        kept.delete(name);
      } catch {
        kept.set(name, text);
        refuse();
      }
    },
  };
}

// Says, once per page, that settings will not be kept.
let told = false;
function tellOnce({ storageNotice, storageNoticeSeconds }) {
  if (told || typeof document === 'undefined') return;
  told = true;
  const show = () => notice('zn-storage-notice', storageNotice, storageNoticeSeconds);
  if (document.body) show();
  else document.addEventListener('DOMContentLoaded', show, { once: true });
}
