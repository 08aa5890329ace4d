// Recorded games on the page. The game records from power-on in zn.wasm (replay::Session);
// here the recording is shared as a link (#replay=DATA: its text compressed by the browser's
// raw DEFLATE, in base64url, which zn.wasm writes and reads), saved as a file, opened from a
// file, a drop or a link, and marked while it plays. zn.wasm reads it and tells what is wrong.

import { DialogFrame, element, notice } from './dialogs.js';

const encoder = new TextEncoder();
const kLive = 0; // zn_replay_phase: 0 live, 1 a recording plays, 2 held at its end

let words = null; // zn_replay_page: the words, names and limits
let chooser = null;
let shareDialog = null;

async function deflate(text) {
  const stream = new Blob([text]).stream().pipeThrough(new CompressionStream('deflate-raw'));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

// The decompressed bytes, stopping one byte past the reader's limit (which it then refuses).
async function inflate(bytes) {
  const reader = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate-raw')).getReader();
  const parts = [];
  let size = 0;
  for (let r = await reader.read(); !r.done && size <= words.maxBytes; r = await reader.read()) {
    parts.push(r.value);
    size += r.value.length;
  }
  reader.cancel().catch(() => {});
  return new Uint8Array(await new Blob(parts).slice(0, words.maxBytes + 1).arrayBuffer());
}

// Plays a recording's bytes from a new game; a refusal is told in the page, the game going on.
function play(host, name, bytes) {
  const n = encoder.encode(name);
  const all = new Uint8Array(n.length + bytes.length);
  all.set(n);
  all.set(bytes, n.length);
  const problem = host.engine.askText('zn_replay_open', [n.length], all);
  if (problem) notice('zn-replay-problem', problem, 15);
  host.update();
}

async function openFile(host, file) {
  play(host, file.name, new Uint8Array(await file.slice(0, words.maxBytes + 1).arrayBuffer()));
}

async function openLink(host, hash) {
  const bytes = host.engine.askList('zn_replay_link_bytes', [], hash);
  let text = null;
  try {
    if (bytes.length) text = await inflate(Uint8Array.from(bytes));
  } catch {
    // not raw DEFLATE
  }
  if (text) play(host, '', text);
  else notice('zn-replay-problem', words.damaged, 15);
}

// The whole recording since power-on, downloaded as a file.
export function saveReplay(host) {
  const url = URL.createObjectURL(new Blob([host.engine.askText('zn_replay_text')], { type: 'text/plain' }));
  const a = element('a', '', { href: url, download: words.fileName, hidden: true });
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

export function chooseReplay() {
  chooser.value = '';
  chooser.click();
}

function makeShareDialog(host) {
  const f = new DialogFrame(host.engine, { className: 'zn-share', caption: words.shareCaption, width: words.shareWidth,
    height: words.shareHeight, modal: true, stills: host, onClose: () => f.hide() });
  const field = element('input', 'zn-share-link', { type: 'text', readOnly: true, 'aria-label': words.shareCaption });
  const copy = element('button', '', { type: 'button', text: words.copy });
  copy.onclick = () => { // selected too, for a page without the Clipboard API (no https)
    field.select();
    navigator.clipboard?.writeText(field.value).then(() => (copy.textContent = words.copied), () => {});
  };
  const send = element('button', '', { type: 'button', text: words.share, hidden: !navigator.share });
  send.onclick = () => navigator.share({ url: field.value }).catch(() => {});
  const buttons = element('div', 'zn-skin-panel-buttons');
  buttons.append(copy, send);
  f.client.append(element('p', 'zn-share-text', { text: words.shareText }), field, buttons);
  return { f, field, copy };
}

// The link to this page that plays the recording since power-on: the page's address without
// its options, and the fragment.
export async function shareGame(host) {
  const fragment = host.engine.askText('zn_replay_fragment', [], await deflate(host.engine.askText('zn_replay_text')));
  const page = new URL(location.href);
  page.search = '';
  page.hash = '';
  shareDialog ||= makeShareDialog(host);
  shareDialog.field.value = page.href + fragment;
  shareDialog.copy.textContent = words.copy;
  shareDialog.f.show(shareDialog.copy);
}

// Sets up the file chooser, the drop of a recording file (taken before the skin loader sees
// it) and the address's replay link; returns what the page runs after each update: the mark.
export function attachReplays(host) {
  words = host.engine.askJson('zn_replay_page');
  chooser = element('input', '', { type: 'file', id: 'zn-replay-file', accept: words.suffix, hidden: true });
  chooser.addEventListener('change', () => chooser.files[0] && openFile(host, chooser.files[0]));
  document.body.append(chooser);
  window.addEventListener('drop', (e) => {
    const files = e.dataTransfer ? [...e.dataTransfer.files] : [];
    if (document.body.classList.contains('zn-modal-open') || files.length !== 1 || !files[0].name.endsWith(words.suffix)) return;
    e.preventDefault(); // the skin loader leaves a drop so marked alone
    openFile(host, files[0]);
  }, true);
  const mark = element('div', 'zn-replay-mark', { text: words.mark, hidden: true, 'aria-hidden': 'true' });
  document.body.append(mark);
  const hash = location.hash;
  if (host.engine.ask('zn_replay_is_link', [], hash)) openLink(host, hash);
  return () => {
    mark.hidden = host.engine.ask('zn_replay_phase') === kLive;
  };
}
