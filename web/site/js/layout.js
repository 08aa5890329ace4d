// The skin on the canvas. zn.wasm's skin set-up names the files to look at and, from what was
// found there (files.js), gives every image its picture and rectangle, the backdrop, the logo
// and the problems; this applies that to the renderer.

import { factLine, filePicture, iniAndFacts } from './files.js';
import { Picture } from './picture.js';

// A moment when the page has nothing else to do (or a task later, at the latest after 50 ms).
function nextIdle() {
  return new Promise((resolve) =>
    typeof requestIdleCallback === 'function' ? requestIdleCallback(() => resolve(), { timeout: 50 }) : setTimeout(resolve, 0),
  );
}

export class SkinLayout {
  // files: serverFiles() or blobFiles(); the decoded pictures are kept for this source.
  constructor(engine, renderer, files) {
    this.engine = engine;
    this.r = renderer;
    this.files = files;
    this.partners = new Map(); // a picture in use -> the path of its double-size partner
    this.ids = new Map();
    for (let i = 0; i < engine.imageCount; ++i) this.ids.set(engine.imageName(i), i);
    this.skin = null;
    this.generation = 0;
  }

  id(name) {
    return this.ids.get(name);
  }

  // zn.wasm's set-up for what was found so far at the files it named (the others: not yet).
  plan(iniText, fullscreen, screenWidth, screenHeight, files, found) {
    const [length, text] = iniAndFacts(iniText, files.map((f) => found.get(f.path) || 'pending'));
    return this.engine.askJson('zn_skin_plan', [length, fullscreen ? 1 : 0, screenWidth, screenHeight], text);
  }

  // Reads iniText for the display mode and the screen (CSS pixels) and applies it; returns the
  // set-up's result, and on its fatal `error` changes nothing. The pictures of the images shown
  // now (urgent(id)) are waited for; the others are given once all are decoded, when late() is
  // called and the result's `rest` resolves. A later apply supersedes the rest of an earlier one.
  // quick: the waited-for pictures are decoded quickly, and the partly transparent ones exactly
  // afterwards, one a task, each redrawn where it shows.
  async apply(iniText, fullscreen, screenWidth, screenHeight, urgent = () => true, late = () => {}, quick = false) {
    const list = this.engine.askJson('zn_skin_files', [fullscreen ? 1 : 0, 0], iniText);
    if (list.error) return list;
    const generation = ++this.generation;
    const found = new Map();
    const look = (f, q) => factLine(this.files, f, q).then((line) => found.set(f.path, line));
    // What is shown now and what was decoded already; a quick first frame comes without the
    // backdrop, which fills the screen.
    const backdrop = this.id('im_backdrop');
    const now = (i) => urgent(i) && !(quick && i === backdrop);
    await Promise.all(
      list.files
        .filter((f) => !f.decode || f.images.some(now) || this.files.decoded.has(f.path))
        .map((f) => look(f, quick && !this.files.decoded.has(f.path))),
    );
    const skin = this.plan(iniText, fullscreen, screenWidth, screenHeight, list.files, found);
    const approximate = [...new Set([...found.keys()].map((p) => this.files.decoded.get(p)))].filter(
      (p) => p && p.approximate,
    );
    const r = this.r;
    this.setUpOwn('im_backdrop', skin.backdrop, (id) => r.setStretch(id, skin.backdrop.stretch));
    r.setBackground(skin.backgroundColor);
    r.setKeyColour(skin.keyTransparent, skin.keyColor);
    r.setClientSize(skin.clientWidth, skin.clientHeight);
    const l = skin.logo;
    this.setUpOwn('im_backdrop_logo', l, (id) => {
      const at = l.placed ? { x: l.left, y: l.top } : r.rect(id);
      r.setRect(id, at.x, at.y, l.width, l.height);
    });
    const waiting = new Set();
    for (const im of skin.images) {
      if (im.picture === 'pending') waiting.add(im.id);
      else this.give(im);
      r.setRect(im.id, im.left, im.top, im.width, im.height);
    }
    // The rest starts a task later, once the caller has drawn what it was given.
    skin.rest = new Promise((resolve) => setTimeout(resolve, 0))
      .then(() => Promise.all(list.files.filter((f) => !found.has(f.path)).map((f) => look(f, false))))
      .then(async () => {
        const current = generation === this.generation;
        const backdropLate = current && quick && skin.backdrop.shown === 'unchanged';
        if (current && (waiting.size > 0 || backdropLate)) {
          const whole = this.plan(iniText, fullscreen, screenWidth, screenHeight, list.files, found);
          for (const im of whole.images) if (waiting.has(im.id)) this.give(im);
          if (backdropLate) this.setUpOwn('im_backdrop', whole.backdrop, (id) => r.setStretch(id, whole.backdrop.stretch));
          this.skin = Object.assign(whole, { rest: skin.rest });
        }
        // Shared with later lay-outs of the same files: made exact even when this one is old.
        for (const pic of approximate) {
          await nextIdle();
          if (pic.exact) await pic.exact();
          r.repaint(pic);
        }
        if (current && (waiting.size > 0 || approximate.length > 0 || backdropLate)) late();
      });

    // The game menu is gamemenu.js's, over the canvas: its images stay empty and hidden.
    for (const name of ['btn_game_menu_background', 'btn_game_menu_top']) {
      r.setRect(this.id(name), 0, 0, skin.menuButton.width, skin.menuButton.height);
      r.setVisible(this.id(name), false);
    }
    this.skin = skin;
    return skin;
  }

  // An image's picture as the set-up chose it: the file's, the placeholder, or the one it had.
  give(im) {
    const pic = im.picture === 'file' ? this.files.decoded.get(im.path) : null;
    if (pic) {
      this.r.setOwnPicture(im.id, pic);
      if (im.partner) this.partners.set(pic, im.partner);
    } else if (im.picture !== 'keep') {
      this.r.setOwnPicture(im.id, this.placeholder());
    }
  }

  // The picture zn.wasm gives a named picture that is missing or cannot be decoded.
  placeholder() {
    const [id, width, height] = this.engine.askList('zn_placeholder_picture');
    return new Picture(width, height, id);
  }

  // The backdrop or the logo: its own picture, placed by place(id), when the set-up shows it.
  setUpOwn(name, part, place) {
    const id = this.id(name);
    if (part.shown === 'shown') {
      this.r.setOwnPicture(id, this.files.decoded.get(part.path));
      this.r.showPictureOf(id, id);
      place(id);
    }
    if (part.shown !== 'unchanged') this.r.setVisible(id, part.shown === 'shown');
  }

  // Loads the double-size partners of the pictures in use, for drawing above 100 %; true when
  // one was added (ui/picturescaling uses one only when it is exactly twice the size).
  async loadPartners() {
    const jobs = [];
    for (const [pic, path] of this.partners) {
      if (pic.hiRes || pic.hiResTried) continue;
      pic.hiResTried = true;
      jobs.push(
        filePicture(this.files, path).then((p) => {
          if (!p) return false;
          pic.hiRes = p;
          pic.scaled.clear();
          return true;
        }),
      );
    }
    return (await Promise.all(jobs)).some(Boolean);
  }
}
