// The dialogs, the menu, the skin panel and the documents on a touch phone: 16 px text, 44 x 44 px
// targets, scrolling not shrinking, closed by touch; ZN_SHOTS_DIR gets a screenshot of each.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import test, { after } from 'node:test';

import { kQuietSettings, launch, presetStorage, requireSite, serve, until, waitReady } from './lib.mjs';

const chromium = await requireSite();
const [server, browser, empty] = [await serve(), await launch(chromium), fs.mkdtempSync(path.join(os.tmpdir(), 'zn-no-skin-'))];
fs.writeFileSync(path.join(empty, 'notes.txt'), 'no Config.ini here');
after(() => Promise.all([browser.close(), server.close(), fs.promises.rm(empty, { recursive: true, force: true })]));

const kPortrait = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, hasTouch: true };
const kLandscape = { ...kPortrait, viewport: { width: 844, height: 390 } };
const kDesktop = { viewport: { width: 1280, height: 800 }, deviceScaleFactor: 1, hasTouch: false };
const kPlaying = { ...kQuietSettings, FullscreenMode: '1' };

async function visit(view, settings = null, url = server.url) {
  const context = await browser.newContext(view);
  if (settings) await presetStorage(context, settings);
  const page = await context.newPage();
  await page.goto(url);
  return { context, page: url === server.url ? (await waitReady(page), page) : page };
}

// A finger's tap on the element, scrolled into view first as a finger would.
async function tap(page, selector) {
  const p = await page.evaluate((s) => {
    const r = (document.querySelector(s).scrollIntoView({ block: 'center' }), document.querySelector(s).getBoundingClientRect());
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  }, selector);
  for (const [type, touchPoints] of [['touchStart', [p]], ['touchEnd', []]]) await page.session.send('Input.dispatchTouchEvent', { type, touchPoints });
}

// What breaks the phone's rules in the element: text under 16 px, a control under 44 x 44 px
// (a check box's target is its label), a box outside the viewport or scaled, a form field of
// the page without an id or a name.
const broken = (page, selector) =>
  page.evaluate((sel) => {
    const root = document.querySelector(sel);
    const box = root.getBoundingClientRect();
    const out = [box.left < 0 || box.right > innerWidth || box.top < 0 || box.bottom > innerHeight, getComputedStyle(root).transform !== 'none'].flatMap((bad, i) => (bad ? [['outside', 'scaled'][i]] : []));
    for (const e of [root, ...root.querySelectorAll('*')]) {
      const [r, style] = [e.getBoundingClientRect(), getComputedStyle(e)];
      if (!r.width || !r.height || style.visibility === 'hidden' || e.tagName === 'OPTION') continue;
      const name = `${e.tagName} ${(e.textContent || e.getAttribute('aria-label') || '').trim().slice(0, 24)}`;
      if ([...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()) && parseFloat(style.fontSize) < 16)
        out.push(`${name}: text ${style.fontSize}`);
      const target = e.matches('a, button, select, input, label.zn-checkbox, .zn-splash-disabled, .zn-menu-item');
      if (target && !e.matches('.zn-checkbox input') && (r.width < 44 || r.height < 44)) out.push(`${name}: ${r.width} x ${r.height}`);
    }
    for (const f of document.querySelectorAll('input, select, textarea')) if (!f.id && !f.name) out.push(`${f.outerHTML} unnamed`);
    return out;
  }, selector);

const stored = (page, name) => page.evaluate((n) => localStorage.getItem(n), name);
const shoot = (page, name) => process.env.ZN_SHOTS_DIR && page.screenshot({ path: path.join(process.env.ZN_SHOTS_DIR, `dialogs-${name}.png`) });
const opened = (page, s) => until(page, (d) => document.querySelector(`${d}:not([hidden])`)?.style.visibility === '', s, s);

async function openMenuItem(page, command) {
  const [x, y] = await page.evaluate(() => [innerWidth - 6, innerHeight / 2]);
  await page.mouse.click(x, y, { button: 'right' });
  await until(page, () => document.querySelector('.zn-menu-item'), undefined, 'the menu');
  if (command) await tap(page, `.zn-menu-item[data-command="${command}"]`);
}

for (const [orientation, view] of [['portrait', kPortrait], ['landscape', kLandscape]]) {
  test(`the start dialog on a phone, ${orientation}: finger-sized, no focus ring, PLAY's hint on a tap`, async () => {
    const { context, page } = await visit(view);
    await opened(page, '.zn-splash');
    assert.deepEqual(await broken(page, '.zn-splash'), []);
    assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll(':focus-visible')].filter((e) => getComputedStyle(e).outlineStyle !== 'none').map((e) => e.tagName)), []);
    await tap(page, '.zn-splash-disabled');
    assert.equal(await page.evaluate(() => document.querySelector('#zn-splash-play-hint:not([hidden])')?.textContent), 'please select sound driver first');
    await shoot(page, `start-${orientation}`);
    await until(page, () => document.querySelector('#zn-splash-play-hint').hidden, null, 'the hint to go by itself');
    // The close button does what Escape does (nothing is stored); then, once, the long-press hint.
    await tap(page, '.zn-splash .zn-titlebar-close');
    await until(page, () => document.querySelector('.zn-splash').hidden, null, 'the start dialog closed');
    assert.equal(await stored(page, 'SoundMode'), null);
    await until(page, () => document.querySelector('#zn-long-press-hint'), null, 'the long-press hint');
    assert.equal(await stored(page, 'LongPressHint'), '0');
    await context.close();
  });

  test(`the menu, key settings and about on a phone, ${orientation}`, async () => {
    const { context, page } = await visit(view, kPlaying);
    await openMenuItem(page);
    assert.deepEqual(await broken(page, '.zn-menu'), []);
    await shoot(page, `menu-${orientation}`);
    await page.evaluate(() => Object.assign(document.querySelector('#zn-menu-volume'), { value: '30' }).dispatchEvent(new Event('input')));
    assert.equal(await stored(page, 'Volume'), '30');
    await tap(page, '.zn-menu-item[data-command="vibrate"]'); // on by default: off now
    assert.equal(await stored(page, 'Vibrate'), '0');
    for (const [command, dialog] of [['keys', '.zn-keys'], ['about', '.zn-about']]) {
      await openMenuItem(page, command);
      await opened(page, dialog);
      assert.deepEqual(await broken(page, dialog), [], dialog);
      await shoot(page, `${command}-${orientation}`);
      await tap(page, `${dialog} .zn-titlebar-close`);
      await until(page, (s) => document.querySelector(s).hidden && !document.body.classList.contains('zn-modal-open'), dialog, `${dialog} closed by touch`);
    }
    await context.close();
  });

  test(`the documents read as pages on a phone, ${orientation}`, async () => {
    for (const doc of ['Readme', 'Whatsnew']) {
      const { context, page } = await visit(view, null, `${server.url}game/${doc}.html`);
      const [font, family, wide] = await page.evaluate(() => [getComputedStyle(document.querySelector('p'))].map((c) => [parseFloat(c.fontSize), c.fontFamily, document.documentElement.scrollWidth > innerWidth])[0]);
      assert.ok(font >= 16 && /Arial/.test(family) && !wide, `${font} px ${family}, wider than the screen: ${wide}`);
      if (doc === 'Readme') assert.equal(await page.evaluate(() => document.querySelector('h2').textContent), '11. The web edition');
      await shoot(page, `${doc.toLowerCase()}-${orientation}`);
      await context.close();
    }
  });
}

for (const [name, view] of [['portrait', kPortrait], ['landscape', kLandscape], ['desktop', kDesktop]]) {
  test(`the skin panel says a folder holds no skin, and keeps clear of the controls: ${name}`, async () => {
    const { context, page } = await visit(view, kPlaying);
    await page.locator('#zn-skin-folder').setInputFiles(empty);
    await until(page, () => document.querySelector('.zn-skin-panel:not([hidden])')?.textContent.includes('current skin stays'), null, 'the panel');
    if (view.hasTouch) assert.deepEqual(await broken(page, '.zn-skin-panel'), []);
    const covered = await page.evaluate(() => {
      const { engine, canvas } = window.zn.host;
      const [box, k] = [canvas.getBoundingClientRect(), window.zn.host.clientScale()];
      const p = document.querySelector('.zn-skin-panel').getBoundingClientRect();
      return [...Array(engine.imageCount).keys()].filter((id) => {
        if (!engine.ask('zn_click_area_control', [id]) || !engine.ask('zn_scene_visible', [id])) return false;
        const [x, y, w, h] = engine.askList('zn_scene_rect', [id]).map((v) => v * k);
        return box.left + x < p.right && p.left < box.left + x + w && box.top + y < p.bottom && p.top < box.top + y + h;
      }).map((id) => engine.imageName(id));
    });
    assert.deepEqual(covered, []);
    await shoot(page, `skin-panel-${name}`);
    await page.locator('.zn-skin-panel button:last-child').click();
    assert.equal(await page.evaluate(() => document.querySelector('.zn-skin-back').hidden), true); // no skin of one's own
    await context.close();
  });
}
