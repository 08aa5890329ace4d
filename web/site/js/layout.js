// The skin on the canvas: the engine reads Config.ini (engine.readSkin, the desktop's own
// reader) and this module gives every image its picture and rectangle as the desktop's skin
// set-up does: a picture file named but missing becomes the 10 x 10 placeholder, an image whose
// file name is empty or "nil" keeps the picture it had, the backdrop and the logo are set up in
// full screen only.

import { decodePicture, placeholderPicture } from './pictures.js';

// "Skin/body.png" -> "Skin/body@2x.png"; a name without an extension gets the suffix at the end.
export function hiResPartnerPath(path) {
  const slash = path.lastIndexOf('/');
  const dot = path.lastIndexOf('.');
  if (dot <= slash + 1) return path + '@2x';
  return path.slice(0, dot) + '@2x' + path.slice(dot);
}

// A folder name of Config.ini as a path inside the game folder: backslashes are separators, one
// is appended when missing.
export function folderPath(dir) {
  let d = String(dir || '').replace(/\\/g, '/');
  while (d.startsWith('./')) d = d.slice(2);
  if (d && !d.endsWith('/')) d += '/';
  return d;
}

function namesPicture(fileName) {
  return fileName !== '' && fileName !== 'nil';
}

// --- the skin set-up ------------------------------------------------------------------------

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
    this.pictures = files.pictures; // path -> Promise<Picture|null>, kept with the files
    this.partners = new Map(); // path of a picture -> its partner's path
    this.ids = new Map();
    for (let i = 0; i < engine.imageCount; ++i) this.ids.set(engine.imageName(i), i);
    this.skin = null;
    this.generation = 0;
  }

  id(name) {
    return this.ids.get(name);
  }

  // The decoded picture of a file: null when it cannot be decoded, undefined when there is no
  // such file. Each file is decoded once per source; quick as decodePicture's, for the first
  // request.
  picture(path, quick = false) {
    if (!this.pictures.has(path)) {
      const load = this.files.has(path)
        ? this.files.bytes(path).then((b) => decodePicture(path, b, quick, this.files.early(path)), () => null)
        : Promise.resolve(undefined);
      this.pictures.set(
        path,
        load.then((pic) => {
          this.files.decoded.set(path, pic);
          return pic;
        }),
      );
    }
    return this.pictures.get(path);
  }

  // Reads iniText for the display mode and the screen (CSS pixels) and applies it. Returns the
  // engine's skin description; on a fatal error (its `error`) nothing has been changed.
  //
  // The pictures of the images shown now (urgent(id) true), the backdrop and the logo are
  // waited for; the others are given to their images once they are all decoded, when late()
  // is called and the description's `rest` promise resolves, so the device is drawn before
  // every figure's picture is ready. A later apply supersedes the rest of an earlier one.
  //
  // quick: the waited-for pictures are decoded quickly (decodePicture), and the partly
  // transparent ones among them decoded exactly afterwards, one a task, each redrawn where it
  // shows; `rest` resolves once they are all exact and late() has been called.
  async apply(iniText, fullscreen, screenWidth, screenHeight, urgent = () => true, late = () => {}, quick = false) {
    const skin = this.engine.readSkin(iniText, { fullscreen, screenWidth, screenHeight });
    if (skin.error) return skin;
    const r = this.r;
    const skinDir = folderPath(skin.skinDir);
    const backdropDir = folderPath(skin.backdropDir);

    const generation = ++this.generation;
    const wanted = new Map();
    for (const im of skin.images) if (namesPicture(im.fileName)) wanted.set(im.id, skinDir + im.fileName);
    const backdropPath = fullscreen && namesPicture(skin.backdropFile) ? backdropDir + skin.backdropFile : null;
    const logoPath = fullscreen && namesPicture(skin.logoFile) ? backdropDir + skin.logoFile : null;
    const first = new Set([backdropPath, logoPath].filter(Boolean));
    for (const [id, path] of wanted) if (urgent(id)) first.add(path);
    const got = new Map();
    await Promise.all([...first].map(async (p) => got.set(p, await this.picture(p, quick))));
    const approximate = [...new Set(got.values())].filter((p) => p && p.approximate);
    for (const path of wanted.values())
      if (!got.has(path) && this.files.decoded.has(path)) got.set(path, this.files.decoded.get(path));

    const backdrop = this.id('im_backdrop'), logo = this.id('im_backdrop_logo');
    if (fullscreen) {
      const b = backdropPath && got.get(backdropPath);
      if (b) {
        r.setOwnPicture(backdrop, b);
        r.showPictureOf(backdrop, backdrop);
        r.setStretch(backdrop, !!skin.backdropStretch);
        r.setVisible(backdrop, true);
      }
      r.setBackground(skin.backgroundColor);
      r.setKeyColour(false, 0);
    } else {
      r.setBackground(skin.backgroundColor);
      r.setKeyColour(!!skin.keyTransparent, skin.keyColor);
      r.setVisible(backdrop, false);
      r.setVisible(logo, false);
    }
    r.setClientSize(skin.clientWidth, skin.clientHeight);
    if (fullscreen) {
      const l = logoPath && got.get(logoPath);
      if (l) {
        r.setOwnPicture(logo, l);
        r.showPictureOf(logo, logo);
        r.setVisible(logo, true);
        const right = skin.clientWidth - l.width, bottom = skin.clientHeight - l.height;
        const at = [[0, 0], [right, 0], [0, bottom], [right, bottom]][skin.logoPosition];
        const old = r.rect(logo);
        if (at) r.setRect(logo, at[0], at[1], l.width, l.height);
        else r.setRect(logo, old.x, old.y, l.width, l.height); // any other corner: where it was
      }
    }
    const give = (id, path) => {
      const pic = got.get(path);
      r.setOwnPicture(id, pic || placeholderPicture());
      if (pic) this.partners.set(pic, hiResPartnerPath(path));
    };
    const waiting = [];
    for (const im of skin.images) {
      const path = wanted.get(im.id);
      if (path !== undefined) {
        if (got.has(path)) give(im.id, path);
        else waiting.push([im.id, path]);
      }
      r.setRect(im.id, im.left, im.top, im.width, im.height);
    }
    // The rest is started once the caller has drawn what it was given (a task later), so their
    // decoding does not hold up that drawing.
    skin.rest = new Promise((resolve) => setTimeout(resolve, 0)).then(() => Promise.all(
      [...new Set(waiting.map(([, path]) => path))].map(async (path) => got.set(path, await this.picture(path))),
    )).then(async () => {
      const current = generation === this.generation;
      if (current) for (const [id, path] of waiting) give(id, path);
      // The pictures are shared with later lay-outs of the same files: each is made exact and
      // its rectangles marked for redrawing even when this lay-out is no longer the current one.
      for (const pic of approximate) {
        await nextIdle();
        if (pic.exact) await pic.exact();
        r.repaint(pic);
      }
      if (current && (waiting.length > 0 || approximate.length > 0)) late();
    });

    // The game menu (button and panel) is gamemenu.js's, drawn over the canvas in full screen;
    // its images stay empty here.
    for (const name of ['btn_game_menu_background', 'btn_game_menu_top']) {
      r.setRect(this.id(name), 0, 0, 36, 32);
      r.setVisible(this.id(name), false);
    }
    this.skin = skin;
    return skin;
  }

  // Loads the double-size partners of the pictures in use, for drawing above 100 %. Resolves
  // true when a partner was added.
  async loadPartners() {
    const jobs = [];
    for (const [pic, path] of this.partners) {
      if (pic.hiRes || pic.hiResTried) continue;
      pic.hiResTried = true;
      if (!this.files.has(path)) continue;
      jobs.push(
        this.picture(path).then((p) => {
          if (p && p.width === pic.width * 2 && p.height === pic.height * 2) {
            pic.hiRes = p;
            pic.scaled.clear();
            return true;
          }
          return false;
        }),
      );
    }
    return (await Promise.all(jobs)).some(Boolean);
  }
}
