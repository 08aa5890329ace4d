// The start (splash) dialog, from zn.wasm's dialogData; the page keeps what only it decides:
// what Escape does where a page cannot end the program.

import { DialogFrame, artSource, captionIfMissing, dialogData, element, label, link, openAddress, picture, pictureButton } from './dialogs.js';

let splash = null;

class SplashDialog {
  constructor(host) {
    this.host = host;
    this.played = false;
    this.resolve = null;
    const d = dialogData(host.engine);
    const s = d.splash;
    const art = (pic) => artSource(d, pic);
    const f = new DialogFrame(host.engine, { className: 'zn-splash', caption: s.caption, width: s.width, height: s.height, modal: true, stills: host,
      onClose: () => this.closeWithoutChoosing(), onEnter: () => this.play(), enterCodes: ['Digit1'] });
    this.frame = f;
    const c = f.client;
    // The background's bands beneath it, in case the picture is missing.
    c.append(element('div', 'zn-splash-band-top'), element('div', 'zn-splash-band-bottom'));
    c.append(picture(art(d.art.splashBackground), s.background, 'zn-picture zn-splash-background'));
    c.append(picture(art(d.art.splashBox), s.boxPicture, 'zn-picture zn-picture-centred zn-splash-box'));
    const title = label(d.title, s.title, 'zn-label zn-center zn-bold zn-splash-title');
    const version = label(d.version, s.version, 'zn-label zn-center zn-bold zn-splash-version');
    title.style.color = version.style.color = '#fff';
    c.append(title, version, label(d.author.releaseLine, s.releaseLine, 'zn-label zn-center zn-splash-release'));
    c.append(label(s.websiteCaption, s.websiteLabel, 'zn-label zn-splash-website'), label(s.emailCaption, s.emailLabel, 'zn-label zn-splash-email'));
    this.website = link(d.author.websiteText, d.author.websiteUrl, s.website);
    this.email = link(d.author.email, d.author.mailtoUrl, s.email);
    // The label shares the list's text line.
    const [x, y, w] = s.soundLabel;
    const soundLabel = element('div', 'zn-label', { text: s.soundCaption, rect: [x, y, w, s.soundList[3]], id: 'zn-splash-sound-label' });
    soundLabel.style.lineHeight = `${s.soundList[3]}px`;
    c.append(soundLabel);

    this.soundList = element('select', 'zn-select', { rect: s.soundList, id: 'zn-splash-sound', 'aria-labelledby': soundLabel.id, onchange: () => this.soundChosen() });
    this.outputs = d.page.soundOutputs;
    for (const o of this.outputs) this.soundList.append(element('option', '', { text: o.caption }));

    this.playButton = pictureButton(art(d.art.splashPlay), s.playCaption, s.play, () => this.play());
    this.playGreyed = element('div', 'zn-splash-disabled', { rect: s.play, hidden: true, title: s.playDisabledHint });
    const greyed = picture(art(d.art.splashPlayDisabled), [0, 0, s.play[2], s.play[3]]);
    greyed.alt = s.playCaption;
    captionIfMissing(greyed, this.playGreyed, s.playCaption);
    this.playGreyed.append(greyed);
    // What the mouse's tooltip says, told to a finger for a few seconds.
    this.playHint = element('div', 'zn-splash-hint', { role: 'status', hidden: true, text: s.playDisabledHint, id: 'zn-splash-play-hint' });
    this.playGreyed.addEventListener('pointerup', (e) => {
      if (e.pointerType === 'mouse') return;
      this.playHint.hidden = false;
      clearTimeout(this.hintTimer);
      this.hintTimer = setTimeout(() => (this.playHint.hidden = true), d.page.hintSeconds * 1000);
    });
    this.donateButton = pictureButton(art(d.art.splashDonate), s.donateCaption, s.donate, () => openAddress(d.author.donateUrl));

    const box = element('label', 'zn-checkbox', { rect: s.checkBox });
    this.showAgain = element('input', '', { type: 'checkbox', checked: true, id: 'zn-splash-show-again' });
    box.append(this.showAgain, document.createTextNode(s.checkBoxCaption));

    // Tab order: the list and the check box, then the buttons and the links.
    c.append(this.soundList, box, this.playButton, this.playGreyed, this.donateButton, this.playHint, this.website, this.email);
  }

  // Reads the stored choices: true when the play action ran by itself (an output is stored
  // and the dialog is not to be seen again).
  readStoredChoices() {
    const store = this.host.settings;
    const mode = store.get('SoundMode');
    this.soundList.selectedIndex = this.outputs.findIndex((o) => o.soundMode === mode);
    this.showAgain.checked = store.get('SplashScreen') !== 0;
    this.soundChosen();
    if (this.soundList.selectedIndex >= 0 && !this.showAgain.checked) {
      this.play();
      return true;
    }
    return false;
  }

  soundChosen() {
    const chosen = this.soundList.selectedIndex >= 0;
    this.playButton.hidden = !chosen;
    this.playButton.disabled = !chosen;
    this.playGreyed.hidden = chosen;
  }

  // Starts the chosen sound output (this gesture lets the page's audio start) and stores the
  // choices; the device stays switched off.
  play() {
    const position = this.soundList.selectedIndex;
    if (this.played || position < 0) return;
    this.played = true;
    const store = this.host.settings;
    this.host.setSoundOutput(position);
    store.set('SoundMode', this.outputs[position].soundMode);
    store.set('SplashScreen', this.showAgain.checked ? 1 : 0);
    this.finish();
  }

  // Escape, where the desktop ends the program: closes storing nothing, with Web Audio.
  closeWithoutChoosing() {
    if (this.played) return;
    this.played = true;
    this.host.setSoundOutput(0);
    this.finish();
  }

  finish() {
    this.frame.hide();
    this.resolve();
  }
}

// The splash dialog, at most once per visit. Resolves when the play action has run (or
// Escape closed it).
export function showSplash(host) {
  if (splash) return splash.promise;
  splash = new SplashDialog(host);
  splash.promise = new Promise((resolve) => {
    splash.resolve = resolve;
  });
  if (!splash.readStoredChoices()) {
    splash.frame.show(splash.soundList);
  }
  return splash.promise;
}
