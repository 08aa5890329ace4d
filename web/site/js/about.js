// The about dialog, from zn.wasm's dialogData. Not modal; Escape, its close button or a link
// hides it.

import { DialogFrame, artSource, dialogData, label, link, picture } from './dialogs.js';

let about = null;

function aboutDialog(host) {
  const d = dialogData(host.engine);
  const a = d.about;
  const f = new DialogFrame(host.engine, { className: 'zn-about', caption: a.caption, width: a.width, height: a.height, modal: false, onClose: () => f.hide() });
  const portrait = picture(artSource(d, d.art.aboutPortrait), a.portrait);
  portrait.style.objectFit = 'fill';
  f.client.append(portrait);
  for (const row of a.rows) {
    f.client.append(label(row.caption, row.captionRect, 'zn-label zn-about-caption'));
    if (row.url) {
      // Links of the about dialog are for the pointer: no key opens a browser from here.
      const l = link(row.value, row.url, row.valueRect);
      l.tabIndex = -1;
      l.addEventListener('click', () => setTimeout(() => f.hide(), 0));
      f.client.append(l);
    } else {
      const v = label(row.value, row.valueRect, 'zn-label zn-about-value');
      if (row.italic) v.style.fontStyle = 'italic';
      f.client.append(v);
    }
  }
  return f;
}

export function showAbout(host) {
  if (!about) about = aboutDialog(host);
  about.show();
}
