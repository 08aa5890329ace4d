// A broken skin folder chosen with the page's folder input: its problems are listed in the page,
// the page goes on playing, and the default skin comes back with one click and looks as before.
// A Config.ini the reader refuses gives no skin at all and leaves the device as it was.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import test, { after } from 'node:test';

import {
  canvasPixels, defaultKeyCodes, kQuietSettings, launch, openGame, presetStorage, requireSite, serve, siteDir, until,
} from './lib.mjs';

const chromium = await requireSite();
const server = await serve();
const browser = await launch(chromium);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'zn-web-skins-'));
after(async () => {
  await browser.close();
  await server.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// A copy of the site's default skin folder, its Config.ini passed through edit().
function skinFolder(name, edit, pictures = () => {}) {
  const dir = path.join(work, name);
  fs.cpSync(path.join(siteDir, 'game', 'Graphics'), path.join(dir, 'Graphics'), { recursive: true });
  const ini = fs.readFileSync(path.join(siteDir, 'game', 'Config.ini'), 'latin1');
  fs.writeFileSync(path.join(dir, 'Config.ini'), edit(ini), 'latin1');
  pictures(dir);
  return dir;
}

// Sets KEY=VALUE in [SECTION] of an ini text.
function setValue(ini, section, key, value) {
  const re = new RegExp(`(\\[${section}\\][^\\[]*?^${key}=)[^\\r\\n]*`, 'mi');
  assert.match(ini, re, `[${section}] ${key} in Config.ini`);
  return ini.replace(re, `$1${value}`);
}

const samePixels = (a, b) => a.width === b.width && a.height === b.height && a.data.equals(b.data);

const broken = [
  {
    name: 'a missing picture, a broken picture and a bad number',
    folder: () =>
      skinFolder(
        'broken',
        (ini) => setValue(setValue(ini, 'Image1', 'Filename', 'nothing.png'), 'Image4', 'Left', 'twelve'),
        (dir) => {
          const skin = path.join(dir, 'Graphics', 'Skin');
          const power = fs.readdirSync(skin).find((f) => /power/i.test(f) && f.endsWith('.png'));
          fs.writeFileSync(path.join(skin, power), 'not a picture');
        },
      ),
    // the skin plays with its problems listed, each named
    problems: [/nothing\.png/, /twelve/, /power/i],
    plays: true,
  },
  {
    name: 'a Config.ini the reader refuses',
    folder: () => skinFolder('refused', (ini) => ini + `; ${'x'.repeat(5 << 20)}\n`),
    problems: [/too large/],
    plays: false,
  },
];

for (const b of broken) {
  test(`a skin with ${b.name}: listed, the page plays, the default skin comes back`, async () => {
    const dir = b.folder();
    const context = await browser.newContext();
    await presetStorage(context, kQuietSettings);
    const { page, log } = await openGame(context, server.url, 'zoom=100&clock=manual&seed=1');
    const keys = await defaultKeyCodes(page);
    await page.keyboard.press(keys.power);
    await page.evaluate(() => window.zn.advance(3000));
    await page.keyboard.press(keys.select);
    const chosen = await canvasPixels(page); // game 1 chosen, the default skin

    await page.locator('input[type=file][webkitdirectory]').setInputFiles(dir);
    const panel = page.locator('section.zn-skin-panel');
    await until(page, () => {
      const items = document.querySelectorAll('section.zn-skin-panel li');
      return items.length > 0 && ![...items].some((li) => li.textContent === 'Reading the skin...');
    }, null, 'the list of the skin\'s problems');
    const lines = await panel.locator('li').allTextContents();
    for (const re of b.problems) assert.ok(lines.some((l) => re.test(l)), `a problem matching ${re} in ${JSON.stringify(lines)}`);
    const shown = await canvasPixels(page);
    assert.equal(samePixels(shown, chosen), !b.plays, b.plays ? 'the new skin shows' : 'the device stays as it was');

    // the game goes on under either skin: select goes round the four games back to game 1
    for (const d of ['2', '3', '4', '1']) {
      await page.keyboard.press(keys.select);
      assert.ok((await page.evaluate(() => window.zn.engine.snapshot())).includes(`digits=${d.padEnd(5, '_')}`), `game ${d} chosen`);
    }

    if (b.plays) {
      await panel.getByRole('button', { name: 'Default skin' }).click();
      await until(page, () => document.querySelector('section.zn-skin-panel').hidden, null, 'the list to close');
      // the default skin's pictures are drawn once they are decoded
      await until(page, async (want) => {
        const c = window.zn.host.canvas;
        return c.width === want.w && c.height === want.h;
      }, { w: chosen.width, h: chosen.height }, 'the default skin\'s size');
      let back = null;
      for (let i = 0; i < 100 && !(back && samePixels(back, chosen)); ++i) {
        await page.evaluate(() => new Promise((r) => requestAnimationFrame(r)));
        back = await canvasPixels(page);
      }
      assert.ok(samePixels(back, chosen), 'the default skin looks as before');
    }
    assert.deepEqual(log.errors.filter((e) => !/nothing\.png/.test(e)), []);
    await context.close();
  });
}
