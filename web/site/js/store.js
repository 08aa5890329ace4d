// The page's settings store: the desktop's stored values (FullscreenMode, SoundMode, Key1..Key7,
// ...) kept in localStorage under the same names and as the same texts ("1"/"0", "-7"). Every
// read goes through zn.wasm's own rule (zn_stored_setting): a missing value or one that is no
// decimal integer takes its default, exactly as on the desktop.
//
// A browser may refuse storage (private mode, a full quota, storage blocked for the site, a
// localStorage that throws on access). The game then goes on: a value that could not be stored
// is kept for this visit and read back, and the page says once that settings will not be kept.

import { notice } from './dialogs.js';

const kNoticeText =
  'This browser does not let the page store its settings. The game goes on with the choices ' +
  'you make, but they will not be kept after this visit.';
const kNoticeSeconds = 12;

// The store of the page. engine: the Engine of engine.js. storage: the Storage to use,
// window.localStorage when not given (a test hands in a refusing one).
export function createStore(engine, storage = undefined) {
  const kept = new Map(); // name -> text of this visit that localStorage refused
  let failed = false;

  // The Storage; throws where storage is blocked or missing.
  function localStore() {
    const s = storage !== undefined ? storage : window.localStorage;
    if (!s) throw new Error('no localStorage');
    return s;
  }

  function refuse() {
    if (failed) return;
    failed = true;
    tellOnce();
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

  // The value of the setting called name by the desktop's rules, from its stored text (null:
  // none); a name that is no setting's is the page's mistake.
  function valueOf(name, text) {
    const [value] = engine.askList('zn_stored_setting', [], text == null ? name : `${name}=${text}`);
    if (value === undefined) throw new Error(`no stored setting is named '${name}'`);
    return value;
  }

  // A probe at creation, so a refusing browser is told at once rather than at the first choice.
  try {
    const probe = '__zn_probe__';
    localStore().setItem(probe, '1');
    localStore().removeItem(probe);
  } catch {
    refuse();
  }

  return {
    // The setting's value by the desktop's rules (default when missing or malformed).
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

// Says, once per page, that settings will not be kept: a notice at the top of the page that the
// player can close, and that leaves by itself after a while. It never covers the game for long
// and never scrolls the page.
let told = false;
function tellOnce() {
  if (told || typeof document === 'undefined') return;
  told = true;
  const show = () => notice('zn-storage-notice', kNoticeText, kNoticeSeconds);
  if (document.body) show();
  else document.addEventListener('DOMContentLoaded', show, { once: true });
}
