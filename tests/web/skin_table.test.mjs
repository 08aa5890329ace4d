// A table of skins through both front ends. Each skin is the built game folder with its pictures
// moved or removed and its Config.ini rewritten; the desktop's answers (Gfx_Init on the
// in-memory window, zn_skin_desktop, and zorpy-nibbo-skin-check) are compared with the page's,
// the skin loaded through the page's own folder chooser: every slot's picture, path and
// double-size partner, every rectangle, the backdrop and the logo, the error box's lines and
// the checker's lines. The skin whose pictures lie in sub-folders is also drawn on the canvas
// and compared with the desktop window photographed in Xvfb (desktop_shots.sh), and so is the one
// whose missing pictures give the placeholder.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import test, { after } from 'node:test';
import { fileURLToPath } from 'node:url';

import { buildDir, canvasPixels, kQuietSettings, launch, openGame, presetStorage, requireSite, serve, until } from './lib.mjs';

const chromium = await requireSite();
const here = path.dirname(fileURLToPath(import.meta.url));
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'zn-skin-table-'));
const server = await serve();
const browser = await launch(chromium);
// desktop_shots.sh finds the skin checker beside the game folder it is given.
fs.symlinkSync(path.join(buildDir, 'zorpy-nibbo-skin-check'), path.join(work, 'zorpy-nibbo-skin-check'));
after(async () => {
  await browser.close();
  await server.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// Sets KEY=VALUE in [SECTION] of an ini text, adding the key where it is missing.
function setValue(ini, section, key, value) {
  const re = new RegExp(`(\\[${section}\\][^\\[]*?^${key}=)[^\\r\\n]*`, 'mi');
  if (re.test(ini)) return ini.replace(re, `$1${value}`);
  return ini.replace(new RegExp(`^\\[${section}\\]\\r?\\n`, 'mi'), (h) => `${h}${key}=${value}\r\n`);
}

// Config.ini's values set, [section, key, value] each.
const values = (list) => (ini) => list.reduce((text, [s, k, v]) => setValue(text, s, k, v), ini);

// The pictures in sub-folders, named with backslashes and slashes in turn, the folders too.
function subFolders(ini, dir) {
  for (const [folder, sub] of [['Graphics/Skin', 'case'], ['Graphics/Backdrop', 'deep']]) {
    const from = path.join(dir, folder);
    fs.mkdirSync(path.join(from, sub));
    for (const f of fs.readdirSync(from)) if (f !== sub) fs.renameSync(path.join(from, f), path.join(from, sub, f));
  }
  let n = 0;
  ini = ini.replace(/^(Filename=)(?!nil\s*$)(\S.*)$/gim, (_, key, name) => `${key}case${++n % 2 ? '\\' : '/'}${name}`);
  return values([['Common', 'SkinDir', 'Graphics\\Skin'], ['Fullscreen', 'BackdropDir', 'Graphics/Backdrop\\deep\\']])(ini);
}

// Four double-size partners: the first as large as its picture, the other three gone.
function partners(ini, dir) {
  const skin = path.join(dir, 'Graphics', 'Skin');
  const [wrong, ...gone] = fs.readdirSync(skin).filter((f) => f.endsWith('@2x.png')).sort().slice(0, 4);
  fs.copyFileSync(path.join(skin, wrong.replace('@2x', '')), path.join(skin, wrong));
  for (const f of gone) fs.rmSync(path.join(skin, f));
  return ini;
}

const kSkins = [
  { name: 'subfolders', edit: subFolders, modes: [false, true], pixels: true },
  {
    name: 'missing',
    edit: values([['Image4', 'Filename', 'nothing.png'], ['Image3', 'Filename', 'gone\\x.png']]),
    modes: [false],
    pixels: true,
  },
  { name: 'partners', edit: partners, modes: [false] },
  {
    name: 'absurd',
    edit: values([['Common', 'GameHeight', '0'], ['VideoMode', 'TranspColor', 'purple'], ['Image5', 'Width', '99999'],
      ['Image6', 'Left', '2147483647'], ['Image7', 'Top', '-70000'], ['Fullscreen', 'BgColor', '$zz'],
      ['Fullscreen', 'GameOffsetX', '70000']]),
    modes: [false, true],
  },
  ...['0', '1', '2', '3', '7'].map((corner) => ({
    name: `logo${corner}`,
    edit: values([['Fullscreen', 'LogoPosition', corner], ['Fullscreen', 'GameOffsetY', '40']]),
    modes: [true],
  })),
];

function skinFolder(skin) {
  const dir = path.join(work, skin.name);
  fs.cpSync(path.join(buildDir, 'game'), dir, { recursive: true });
  const ini = path.join(dir, 'Config.ini');
  fs.writeFileSync(ini, skin.edit(fs.readFileSync(ini, 'latin1'), dir), 'latin1');
  return dir;
}

// The desktop's set-up, and the checker's lines with the paths taken from the skin's folder.
function desktop(dir, fullscreen, width, height) {
  const run = (program, ...args) => spawnSync(path.join(buildDir, ...program), args, { encoding: 'utf8' }).stdout;
  const setup = JSON.parse(run(['tests', 'web', 'zn_skin_desktop'], dir, fullscreen ? '1' : '0', width, height));
  const lines = run(['zorpy-nibbo-skin-check'], path.join(dir, 'Config.ini')).trimEnd().split('\n').slice(0, -1);
  return { setup, checker: lines.map((l) => l.split(`${dir}/`).join('')) };
}

// The skin chosen in the page, once all its pictures are in: the set-up's result, every image's
// rectangle on the canvas and the checker's lines the page lists.
async function pageAnswers(page, dir) {
  await page.locator('input[type=file][webkitdirectory]').setInputFiles(dir);
  await until(page, (name) => {
    const head = document.querySelector('section.zn-skin-panel .zn-skin-panel-head');
    return head && head.textContent.startsWith(`${name}/Config.ini: `);
  }, path.basename(dir), `the problems of ${path.basename(dir)}`);
  return page.evaluate(async () => {
    const { host, engine } = window.zn;
    await host.skinPlan().rest;
    await new Promise((r) => requestAnimationFrame(r));
    const rects = Array.from({ length: engine.imageCount }, (_, i) => ({ ...host.renderer.rect(i), visible: host.renderer.visible(i) }));
    const lines = [...document.querySelectorAll('section.zn-skin-panel li')].map((li) => li.textContent);
    return { plan: host.skinPlan(), rects, lines };
  });
}

function compareAnswers(what, desk, web, names) {
  const images = new Map(web.plan.images.map((im) => [im.id, im]));
  const rect = (id, placed = true) => {
    const r = web.rects[id], d = desk.setup.window.images[id];
    return [placed ? [r.x, r.y, r.w, r.h] : [r.w, r.h], placed ? [d.left, d.top, d.width, d.height] : [d.width, d.height]];
  };
  for (const d of desk.setup.images) {
    const w = images.get(d.id);
    assert.deepEqual([w.picture, w.path, w.partner], [d.picture, d.path, d.partner], `${what}: ${names[d.id]}`);
    // (the page draws its own game-menu button)
    if (!names[d.id].startsWith('btn_game_menu')) assert.deepEqual(...rect(d.id), `${what}: ${names[d.id]}'s rectangle`);
  }
  for (const [part, name] of [['backdrop', 'im_backdrop'], ['logo', 'im_backdrop_logo']]) {
    const w = web.plan[part], d = desk.setup[part], id = names.indexOf(name);
    const shown = [web.rects[id].visible, desk.setup.window.images[id].visible];
    assert.deepEqual([w.shown, w.path], [d.shown, d.path], `${what}: ${part}`);
    if (w.shown !== 'unchanged') assert.equal(...shown, `${what}: ${part} shown`);
    // A logo in no corner stays where the one before it was, which differs between the two.
    if (part === 'logo' && shown[1]) assert.deepEqual(...rect(id, w.placed), `${what}: the logo's rectangle`);
  }
  assert.deepEqual([web.plan.clientWidth, web.plan.clientHeight], [desk.setup.window.clientWidth, desk.setup.window.clientHeight]);
  assert.deepEqual(web.plan.problems, desk.setup.problems, `${what}: the error box`);
  assert.deepEqual(web.lines, desk.checker, `${what}: the checker's lines`);
}

// The pixels where the canvas differs from the desktop window (desktop_shots.sh, as started): a
// see-through pixel must be see-through, an opaque one opaque and within 2 levels (the blending).
function differences(dir, canvas) {
  const shots = path.join(work, `${path.basename(dir)}-shots`);
  const take = spawnSync('bash', [path.join(here, 'desktop_shots.sh'), dir, shots], { encoding: 'utf8' });
  assert.equal(take.status, 0, `the desktop window: ${take.stdout}${take.stderr}`);
  const desk = spawnSync('convert', [path.join(shots, 'off.png'), '-depth', '8', 'rgba:-'], { maxBuffer: 1 << 28 }).stdout;
  assert.equal(desk.length, canvas.data.length, 'the canvas has the window\'s size');
  let n = 0;
  for (let i = 0; i < desk.length; i += 4) {
    const see = desk[i + 3] === 0;
    if (see ? canvas.data[i + 3] !== 0 : canvas.data[i + 3] !== 255) ++n;
    else if (!see && [0, 1, 2].some((c) => Math.abs(desk[i + c] - canvas.data[i + c]) > 2)) ++n;
  }
  return n;
}

for (const fullscreen of [false, true]) {
  test(`each skin of the table, ${fullscreen ? 'full screen' : 'windowed'}: the page answers as the desktop`, async () => {
    const context = await browser.newContext();
    await presetStorage(context, { ...kQuietSettings, FullscreenMode: fullscreen ? '1' : '0' });
    const { page, log } = await openGame(context, server.url, 'zoom=100&clock=manual&seed=1');
    const names = await page.evaluate(() => Array.from({ length: window.zn.engine.imageCount }, (_, i) => window.zn.engine.imageName(i)));
    for (const skin of kSkins.filter((s) => s.modes.includes(fullscreen))) {
      const dir = skinFolder({ ...skin, name: `${skin.name}-${fullscreen ? 'full' : 'win'}` });
      const web = await pageAnswers(page, dir);
      compareAnswers(path.basename(dir), desktop(dir, fullscreen, web.plan.clientWidth, web.plan.clientHeight), web, names);
      if (skin.pixels && !fullscreen) assert.equal(differences(dir, await canvasPixels(page)), 0, 'pixels differ');
    }
    assert.deepEqual(log.errors.filter((e) => !/nothing\.png|x\.png/.test(e)), []);
    await context.close();
  });
}
