// A table of skins through both front ends. Each skin is the built game folder with its pictures
// moved or removed and its Config.ini rewritten; the desktop's answers (Gfx_Init on the
// in-memory window, zn_skin_desktop, and zorpy-nibbo-skin-check) are compared with the page's,
// the skin loaded through the page's own folder chooser: every slot's picture, path and
// double-size partner, every rectangle, the backdrop and the logo, the error box's lines and
// the checker's lines. The skin whose pictures lie in sub-folders is also drawn on the canvas
// and compared with the desktop window photographed in Xvfb (desktop_shots.sh).
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

// Moves every file of a folder of the game into a sub-folder of it.
function moveInto(dir, folder, sub) {
  const from = path.join(dir, folder);
  fs.mkdirSync(path.join(from, sub));
  for (const f of fs.readdirSync(from)) if (f !== sub) fs.renameSync(path.join(from, f), path.join(from, sub, f));
}

// The pictures in sub-folders, named with backslashes and slashes in turn, the folders too.
function subFolders(ini, dir) {
  moveInto(dir, 'Graphics/Skin', 'case');
  moveInto(dir, 'Graphics/Backdrop', 'deep');
  let n = 0;
  ini = ini.replace(/^(Filename=)(?!nil\s*$)(\S.*)$/gim, (_, key, name) => `${key}case${++n % 2 ? '\\' : '/'}${name}`);
  ini = setValue(ini, 'Common', 'SkinDir', 'Graphics\\Skin');
  return setValue(ini, 'Fullscreen', 'BackdropDir', 'Graphics/Backdrop\\deep\\');
}

const skinDirOf = (dir) => path.join(dir, 'Graphics', 'Skin');
const partnersOf = (dir) => fs.readdirSync(skinDirOf(dir)).filter((f) => f.endsWith('@2x.png')).sort();

const kSkins = [
  { name: 'subfolders', edit: subFolders, modes: [false, true], pixels: true },
  {
    name: 'missing',
    edit: (ini) => setValue(setValue(ini, 'Image1', 'Filename', 'nothing.png'), 'Image3', 'Filename', 'gone\\x.png'),
    modes: [false],
  },
  {
    name: 'partners',
    edit: (ini, dir) => {
      const [wrong, ...gone] = partnersOf(dir).slice(0, 4);
      fs.copyFileSync(path.join(skinDirOf(dir), wrong.replace('@2x', '')), path.join(skinDirOf(dir), wrong));
      for (const f of gone) fs.rmSync(path.join(skinDirOf(dir), f));
      return ini;
    },
    modes: [false],
  },
  {
    name: 'absurd',
    edit: (ini) => {
      for (const [s, k, v] of [['Common', 'GameHeight', '0'], ['VideoMode', 'TranspColor', 'purple'],
        ['Image5', 'Width', '99999'], ['Image6', 'Left', '2147483647'], ['Image7', 'Top', '-70000'],
        ['Fullscreen', 'BgColor', '$zz'], ['Fullscreen', 'GameOffsetX', '70000']])
        ini = setValue(ini, s, k, v);
      return ini;
    },
    modes: [false, true],
  },
  ...['0', '1', '2', '3', '7'].map((corner) => ({
    name: `logo${corner}`,
    edit: (ini) => setValue(setValue(ini, 'Fullscreen', 'LogoPosition', corner), 'Fullscreen', 'GameOffsetY', '40'),
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

function run(program, args) {
  const r = spawnSync(program, args, { encoding: 'utf8', maxBuffer: 1 << 26 });
  assert.ok(r.status === 0 || r.status === 1, `${program} ${args.join(' ')}: ${r.stderr}`);
  return r.stdout;
}

// The desktop's set-up, and the checker's lines with the paths taken from the skin's folder.
function desktop(dir, fullscreen, width, height) {
  const setup = JSON.parse(run(path.join(buildDir, 'tests', 'web', 'zn_skin_desktop'), [dir, fullscreen ? '1' : '0', width, height]));
  const lines = run(path.join(buildDir, 'zorpy-nibbo-skin-check'), [path.join(dir, 'Config.ini')]).trimEnd().split('\n');
  return { setup, checker: lines.slice(0, -1).map((l) => l.split(`${dir}/`).join('')) };
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
  for (const d of desk.setup.images) {
    const w = images.get(d.id);
    const name = `${what}: ${names[d.id]}`;
    assert.deepEqual([w.picture, w.path, w.partner], [d.picture, d.path, d.partner], `${name}: picture`);
    if (names[d.id].startsWith('btn_game_menu')) continue; // the page draws its own menu button
    const r = web.rects[d.id], dr = desk.setup.window.images[d.id];
    assert.deepEqual([r.x, r.y, r.w, r.h], [dr.left, dr.top, dr.width, dr.height], `${name}: rectangle`);
  }
  for (const part of ['backdrop', 'logo']) {
    assert.deepEqual([web.plan[part].shown, web.plan[part].path], [desk.setup[part].shown, desk.setup[part].path], `${what}: ${part}`);
    const id = names.indexOf(part === 'logo' ? 'im_backdrop_logo' : 'im_backdrop');
    const dr = desk.setup.window.images[id], r = web.rects[id];
    if (web.plan[part].shown !== 'unchanged') assert.equal(r.visible, dr.visible, `${what}: ${part} shown`);
    // A logo in no corner stays where the one before it was, which differs between the two.
    const at = part === 'logo' && web.plan.logo.placed ? [r.x, r.y] : [];
    const dat = at.length ? [dr.left, dr.top] : [];
    if (part === 'logo' && dr.visible) assert.deepEqual([...at, r.w, r.h], [...dat, dr.width, dr.height], `${what}: logo`);
  }
  assert.deepEqual([web.plan.clientWidth, web.plan.clientHeight], [desk.setup.window.clientWidth, desk.setup.window.clientHeight]);
  assert.deepEqual(web.plan.problems, desk.setup.problems, `${what}: the error box`);
  assert.deepEqual(web.lines, desk.checker, `${what}: the checker's lines`);
}

// Where the canvas differs from the desktop window: a see-through pixel must be see-through, an
// opaque one opaque and within 2 levels (the blending's rounding).
function differences(desk, canvas) {
  if (desk.width !== canvas.width || desk.height !== canvas.height) return `size ${canvas.width}x${canvas.height}`;
  let n = 0;
  for (let i = 0; i < desk.data.length; i += 4) {
    const see = desk.data[i + 3] === 0;
    const a = canvas.data[i + 3];
    if (see ? a !== 0 : a !== 255) ++n;
    else if (!see && [0, 1, 2].some((c) => Math.abs(desk.data[i + c] - canvas.data[i + c]) > 2)) ++n;
  }
  return n;
}

function desktopWindow(dir) {
  const shots = path.join(work, `${path.basename(dir)}-shots`);
  const take = spawnSync('bash', [path.join(here, 'desktop_shots.sh'), dir, shots], { encoding: 'utf8' });
  assert.equal(take.status, 0, `the desktop window: ${take.stdout}${take.stderr}`);
  const file = path.join(shots, 'off.png');
  const [width, height] = spawnSync('identify', ['-format', '%w %h', file], { encoding: 'utf8' }).stdout.split(' ').map(Number);
  return { width, height, data: spawnSync('convert', [file, '-depth', '8', 'rgba:-'], { maxBuffer: 1 << 28 }).stdout };
}

for (const fullscreen of [false, true]) {
  test(`each skin of the table, ${fullscreen ? 'full screen' : 'windowed'}: the page answers as the desktop`, async () => {
    const context = await browser.newContext();
    await presetStorage(context, { ...kQuietSettings, FullscreenMode: fullscreen ? '1' : '0' });
    const { page, log } = await openGame(context, server.url, 'zoom=100&clock=manual&seed=1');
    const names = await page.evaluate(() => Array.from({ length: window.zn.engine.imageCount }, (_, i) => window.zn.engine.imageName(i)));
    let checked = 0;
    for (const skin of kSkins.filter((s) => s.modes.includes(fullscreen))) {
      const dir = skinFolder({ ...skin, name: `${skin.name}-${fullscreen ? 'full' : 'win'}` });
      const web = await pageAnswers(page, dir);
      compareAnswers(path.basename(dir), desktop(dir, fullscreen, web.plan.clientWidth, web.plan.clientHeight), web, names);
      if (skin.pixels && !fullscreen) assert.equal(differences(desktopWindow(dir), await canvasPixels(page)), 0, 'pixels differ');
      ++checked;
    }
    assert.ok(checked >= 4, 'the table ran');
    assert.deepEqual(log.errors.filter((e) => !/nothing\.png|x\.png/.test(e)), []);
    await context.close();
  });
}
