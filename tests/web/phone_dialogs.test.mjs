// The dialogs, the menu, the skin panel and the documents on a phone (390 x 844, touch, device
// pixel ratio 3): text of 16 CSS px and targets of 44 x 44 px at least, dialogs that scroll rather
// than shrink and close by touch, the greyed PLAY's hint, the menu's volume and vibration stored,
// every form field named. ZN_SHOTS_DIR, when set, gets a screenshot of each at 390 x 844 and
// 844 x 390.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import test, { after } from 'node:test';

import { kQuietSettings, launch, presetStorage, requireSite, serve, until, waitReady } from './lib.mjs';

const chromium = await requireSite();
const server = await serve();
const browser = await launch(chromium);
const empty = fs.mkdtempSync(path.join(os.tmpdir(), 'zn-no-skin-'));
fs.writeFileSync(path.join(empty, 'notes.txt'), 'no Config.ini here');
after(async () => {
  await browser.close();
  await server.close();
  fs.rmSync(empty, { recursive: true, force: true });
});

const kPortrait = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, hasTouch: true };
const kLandscape = { ...kPortrait, viewport: { width: 844, height: 390 } };
const shots = process.env.ZN_SHOTS_DIR;

async function visit(view, settings = null, url = server.url) {
  const context = await browser.newContext(view);
  if (settings) await presetStorage(context, settings);
  const page = await context.newPage();
  await page.goto(url);
  if (url === server.url) await waitReady(page);
  return { context, page };
}

// A finger's tap on the element, scrolled into view first as a finger would.
async function tap(page, selector) {
  const p = await page.evaluate((s) => {
    document.querySelector(s).scrollIntoView({ block: 'center' });
    const r = document.querySelector(s).getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  }, selector);
  await page.session.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [p] });
  await page.session.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
}

// What breaks the phone's rules inside the element of selector: text under 16 px, a control
// under 44 x 44 px (a check box's target is its label), the box wider or taller than the
// viewport or scaled, a form field without an id or a name.
const broken = (page, selector) =>
  page.evaluate((sel) => {
    const root = document.querySelector(sel);
    const out = [];
    const box = root.getBoundingClientRect();
    if (box.left < 0 || box.right > innerWidth || box.top < 0 || box.bottom > innerHeight) out.push(`${sel} outside the viewport`);
    if (getComputedStyle(root).transform !== 'none') out.push(`${sel} scaled`);
    for (const e of [root, ...root.querySelectorAll('*')]) {
      const r = e.getBoundingClientRect();
      const style = getComputedStyle(e);
      if (!r.width || !r.height || style.visibility === 'hidden' || e.tagName === 'OPTION') continue;
      const name = `${e.tagName} ${(e.textContent || e.getAttribute('aria-label') || '').trim().slice(0, 24)}`;
      if ([...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()) && parseFloat(style.fontSize) < 16)
        out.push(`${name}: text ${style.fontSize}`);
      const target = e.matches('a, button, select, input, label.zn-checkbox, .zn-splash-disabled, .zn-menu-item');
      if (target && !e.matches('.zn-checkbox input') && (r.width < 44 || r.height < 44))
        out.push(`${name}: ${r.width.toFixed(0)} x ${r.height.toFixed(0)}`);
    }
    for (const f of document.querySelectorAll('input, select, textarea')) if (!f.id && !f.name) out.push(`${f.outerHTML.slice(0, 60)} unnamed`);
    return out;
  }, selector);

const stored = (page, name) => page.evaluate((n) => localStorage.getItem(n), name);
const shown = (page, selector) => page.evaluate((s) => !!document.querySelector(s)?.getClientRects().length, selector);

async function shoot(page, name) {
  if (shots) await page.screenshot({ path: path.join(shots, `dialogs-${name}.png`) });
}

async function openMenuItem(page, caption) {
  const [width, height] = await page.evaluate(() => [innerWidth, innerHeight]);
  await page.mouse.click(width - 6, height / 2, { button: 'right' });
  await until(page, () => document.querySelector('.zn-menu-item'), undefined, 'the menu');
  if (caption) await tap(page, `.zn-menu-item[data-command="${caption}"]`);
}

for (const [orientation, view] of [['portrait', kPortrait], ['landscape', kLandscape]]) {
  test(`the start dialog on a phone, ${orientation}: finger-sized, no focus ring, PLAY's hint on a tap`, async () => {
    const { context, page } = await visit(view);
    await until(page, () => document.querySelector('.zn-splash:not([hidden])')?.style.visibility === '', null, 'the start dialog');
    assert.equal(await page.evaluate(() => matchMedia('(pointer: coarse)').matches), true);
    assert.deepEqual(await broken(page, '.zn-splash'), []);
    const ring = () => [...document.querySelectorAll(':focus-visible')].filter((e) => getComputedStyle(e).outlineStyle !== 'none').map((e) => `${e.tagName}.${e.className}`);
    assert.deepEqual(await page.evaluate(ring), []);
    assert.equal(await shown(page, '#zn-splash-play-hint'), false);
    await tap(page, '.zn-splash-disabled');
    assert.equal(await page.evaluate(() => document.querySelector('#zn-splash-play-hint:not([hidden])')?.textContent), 'please select sound driver first');
    await shoot(page, `start-${orientation}`);
    await until(page, () => document.querySelector('#zn-splash-play-hint').hidden, null, 'the hint to go by itself');
    // The close button does what Escape does: the dialog goes, nothing is stored.
    await tap(page, '.zn-splash .zn-titlebar-close');
    await until(page, () => document.querySelector('.zn-splash').hidden, null, 'the start dialog closed');
    assert.equal(await stored(page, 'SoundMode'), null);
    // Then, once: the hint on the long press.
    await until(page, () => document.querySelector('#zn-long-press-hint'), null, 'the long-press hint');
    assert.equal(await stored(page, 'LongPressHint'), '0');
    await context.close();
  });

  test(`the menu, key settings, about and the skin panel on a phone, ${orientation}`, async () => {
    const { context, page } = await visit(view, { ...kQuietSettings, FullscreenMode: '1' });
    await openMenuItem(page);
    assert.deepEqual(await broken(page, '.zn-menu'), []);
    await shoot(page, `menu-${orientation}`);
    // The volume slider and the vibration switch are stored.
    await page.evaluate(() => {
      const slider = document.querySelector('#zn-menu-volume');
      slider.value = '30';
      slider.dispatchEvent(new Event('input'));
    });
    assert.equal(await stored(page, 'Volume'), '30');
    assert.equal(await page.evaluate(() => document.querySelector('[data-command="vibrate"]').getAttribute('aria-checked')), 'true');
    await tap(page, '.zn-menu-item[data-command="vibrate"]');
    assert.equal(await stored(page, 'Vibrate'), '0');

    for (const [command, dialog] of [['keys', '.zn-keys'], ['about', '.zn-about']]) {
      await openMenuItem(page, command);
      await until(page, (s) => document.querySelector(`${s}:not([hidden])`)?.style.visibility === '', dialog, dialog);
      assert.deepEqual(await broken(page, dialog), [], dialog);
      await shoot(page, `${command}-${orientation}`);
      await tap(page, `${dialog} .zn-titlebar-close`);
      await until(page, (s) => document.querySelector(s).hidden && !document.body.classList.contains('zn-modal-open'), dialog, `${dialog} closed by touch`);
    }

    await page.locator('#zn-skin-folder').setInputFiles(empty);
    await until(page, () => document.querySelector('.zn-skin-panel:not([hidden])')?.textContent.includes('current skin stays'), null, 'the panel');
    assert.deepEqual(await broken(page, '.zn-skin-panel'), []);
    await shoot(page, `skin-panel-${orientation}`);
    await tap(page, '.zn-skin-panel button:last-child');
    assert.equal(await shown(page, '.zn-skin-back'), false); // the default skin plays: nothing to go back to
    await context.close();
  });

  test(`the documents read as pages on a phone, ${orientation}`, async () => {
    for (const doc of ['Readme', 'Whatsnew']) {
      const { context, page } = await visit(view, null, `${server.url}game/${doc}.html`);
      const look = await page.evaluate(() => ({
        font: parseFloat(getComputedStyle(document.querySelector('p')).fontSize),
        family: getComputedStyle(document.body).fontFamily,
        wide: document.documentElement.scrollWidth > innerWidth,
        first: document.querySelector('h2')?.textContent,
      }));
      assert.ok(look.font >= 16 && /Arial/.test(look.family) && !look.wide, JSON.stringify(look));
      if (doc === 'Readme') assert.equal(look.first, '11. The web edition');
      await shoot(page, `${doc.toLowerCase()}-${orientation}`);
      await context.close();
    }
  });
}

test('on a desktop the skin panel keeps clear of the device controls', async () => {
  const { context, page } = await visit({ viewport: { width: 1280, height: 800 }, deviceScaleFactor: 1, hasTouch: false }, { ...kQuietSettings, FullscreenMode: '1' });
  await page.locator('#zn-skin-folder').setInputFiles(empty);
  await until(page, () => document.querySelector('.zn-skin-panel:not([hidden])'), null, 'the panel');
  const covered = await page.evaluate(() => {
    const { engine, canvas } = window.zn.host;
    const box = canvas.getBoundingClientRect();
    const k = window.zn.host.clientScale();
    const p = document.querySelector('.zn-skin-panel').getBoundingClientRect();
    const out = [];
    for (let id = 0; id < engine.imageCount; ++id) {
      if (!engine.ask('zn_click_area_control', [id]) || !engine.ask('zn_scene_visible', [id])) continue;
      const [x, y, w, h] = engine.askList('zn_scene_rect', [id]).map((v) => v * k);
      const [l, t] = [box.left + x, box.top + y];
      if (l < p.right && p.left < l + w && t < p.bottom && p.top < t + h) out.push(engine.imageName(id));
    }
    return out;
  });
  assert.deepEqual(covered, []);
  await context.close();
});
