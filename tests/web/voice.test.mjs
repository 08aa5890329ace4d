// The device told to a screen reader, as Chromium's accessibility tree shows it: the live
// regions after power on, game start, a catch and game over; F8's whole state in the canvas's
// name. And the full-screen game menu worked by keyboard alone.
import assert from 'node:assert/strict';
import test, { after } from 'node:test';

import { defaultKeyCodes, kQuietSettings, launch, openGame, presetStorage, requireSite, serve } from './lib.mjs';

const chromium = await requireSite();
const browser = await launch(chromium);
after(() => browser.close());

async function open(t, settings, query) {
  const server = await serve();
  const context = await browser.newContext();
  t.after(() => Promise.all([context.close(), server.close()]));
  await presetStorage(context, settings);
  return openGame(context, server.url, query);
}

// What the accessibility tree holds: the canvas's name and the live regions' texts.
async function heard(page) {
  const { nodes } = await page.session.send('Accessibility.getFullAXTree', {});
  const name = (n) => n.name?.value ?? '';
  const canvas = nodes.find((n) => n.role?.value === 'image' && name(n) !== '' && !n.ignored);
  const byId = new Map(nodes.map((n) => [n.nodeId, n]));
  const texts = (n) => (n.role?.value === 'StaticText' ? [name(n)] : (n.childIds ?? []).flatMap((c) => texts(byId.get(c))));
  const live = (kind) =>
    nodes.filter((n) => n.properties?.some((p) => p.name === 'live' && p.value.value === kind)).flatMap(texts);
  return { device: canvas ? name(canvas) : null, polite: live('polite'), assertive: live('assertive') };
}

test('power on, game start, a catch and game over are told; F8 says the whole state', async (t) => {
  const { page, log } = await open(t, { ...kQuietSettings, LongPressHint: '0' }, 'zoom=100&clock=manual&seed=0');
  const keys = await defaultKeyCodes(page);
  const tap = async (key, ms = 20) => {
    await page.keyboard.press(key);
    await page.evaluate((t) => window.zn.advance(t), ms);
  };
  await tap(keys.power, 3000);
  assert.ok((await heard(page)).polite.includes('Power on.'));
  await tap(keys.select);
  await tap(keys.start);
  let now = await heard(page);
  assert.deepEqual(now.polite.slice(-2), ['Game 1 chosen.', 'Game 1 started. 2 lives left.']);
  // Nobody at the joystick: the ghosts catch Nibbo, three times.
  for (let s = 0; s < 300 && !(await heard(page)).assertive.length; s++) await page.evaluate(() => window.zn.advance(1000));
  now = await heard(page);
  assert.ok(now.polite.includes('Caught! No lives left.'), now.polite.join(' | '));
  assert.deepEqual(now.assertive, ['Game over. Score 0.']);
  await page.evaluate(() => window.zn.advance(3000));
  await page.keyboard.press('F8');
  now = await heard(page);
  assert.equal(now.device, 'Game 1 over. Score 0.');
  assert.equal(now.polite.at(-1), 'Game 1 over. Score 0.');
  assert.deepEqual(log.errors, []);
});

test('the full-screen game menu by keyboard: Enter opens, Tab reaches the rows, Enter chooses, Escape closes', async (t) => {
  const { page, log } = await open(t, { ...kQuietSettings, FullscreenMode: '1' }, 'clock=manual');
  const state = () =>
    page.evaluate(() => ({
      open: document.querySelector('.zn-game-menu-button').getAttribute('aria-expanded'),
      focus: document.activeElement.dataset.command || document.activeElement.className,
    }));
  await page.evaluate(() => document.querySelector('.zn-game-menu-button').focus());
  await page.keyboard.press('Enter');
  assert.equal((await state()).open, 'true');
  const rows = await page.evaluate(() =>
    [...document.querySelectorAll('.zn-game-menu-row')].map((r) => ({ id: r.dataset.command, tab: r.tabIndex })),
  );
  const reachable = rows.filter((r) => r.tab === 0).map((r) => r.id);
  assert.ok(reachable.length >= 3 && reachable.length < rows.length, 'separators and disabled rows are skipped');
  const visited = [];
  for (const _ of reachable) {
    await page.keyboard.press('Tab');
    visited.push((await state()).focus);
  }
  assert.deepEqual(visited, reachable);
  const overlaysBefore = await page.evaluate(() => window.zn.host.overlaysShown());
  const overlayRow = reachable.findIndex((id) => /overlay/i.test(id));
  assert.ok(overlayRow >= 0, `an overlay row among ${reachable}`);
  await page.evaluate((i) => document.querySelectorAll('.zn-game-menu-row[tabindex="0"]')[i].focus(), overlayRow);
  await page.keyboard.press('Enter');
  assert.equal(await page.evaluate(() => window.zn.host.overlaysShown()), !overlaysBefore);
  assert.equal((await state()).open, 'false');
  await page.keyboard.press('Enter'); // the focus went back to the button
  assert.equal((await state()).open, 'true');
  await page.keyboard.press('Escape');
  assert.equal((await state()).open, 'false');
  assert.deepEqual(log.errors, []);
});

test('the speed from the menu: stored, said, and the game clock at half the real time', async (t) => {
  const { page, log } = await open(t, { ...kQuietSettings, LongPressHint: '0' }, 'clock=manual');
  const at = await page.evaluate(() => {
    const r = document.getElementById('device').getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  });
  await page.mouse.click(at.x, at.y, { button: 'right' });
  const slider = await page.evaluate(() => {
    const it = [...document.querySelectorAll('input[type=range]')].find((r) => r.name === 'speed');
    return it && { min: it.min, max: it.max, step: it.step, value: it.value };
  });
  assert.deepEqual(slider, { min: '50', max: '100', step: '25', value: '100' });
  const after = await page.evaluate(() => {
    const it = [...document.querySelectorAll('input[type=range]')].find((r) => r.name === 'speed');
    it.value = '50';
    it.dispatchEvent(new Event('input'));
    const e = window.zn.engine;
    e.ask('zn_clock_frame', [1000, 1]);
    const moved = e.ask('zn_clock_frame', [1200, 1]);
    return { stored: localStorage.getItem('Speed'), moved };
  });
  assert.deepEqual(after, { stored: '50', moved: 100 });
  assert.equal((await heard(page)).polite.at(-1), 'Speed 50 percent.');
  assert.deepEqual(log.errors, []);
});
