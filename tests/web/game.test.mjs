// A whole game on the page, ?seed=N&clock=manual, played with the page's own keys, against
// the script driver running the same script (game.script): the lit figures at every `show`
// (window.zn.engine.snapshot()) and every sound call the page makes (what its update hands to
// the sound player, with the virtual time), printed as the driver prints them, must be the
// driver's output line for line.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import test from 'node:test';
import { fileURLToPath } from 'node:url';

import {
  buildDir, defaultKeyCodes, kQuietSettings, launch, openGame, presetStorage, requireSite, serve,
} from './lib.mjs';

const chromium = await requireSite();
const here = path.dirname(fileURLToPath(import.meta.url));
const scriptText = fs.readFileSync(path.join(here, 'game.script'), 'utf8');
const driver = path.join(buildDir, 'zorpy-nibbo-script');

// The script's lines as steps: {op: 'seed'|'press'|'release'|'wait'|'show', arg}.
function parseScript(text) {
  const steps = [];
  for (const raw of text.split('\n')) {
    const line = raw.trim();
    if (!line || line.startsWith('#')) continue;
    const [op, arg] = line.split(/\s+/);
    if (!['seed', 'press', 'release', 'wait', 'show'].includes(op)) throw new Error(`game.script: no step '${line}'`);
    steps.push({ op, arg });
  }
  return steps;
}

test('a whole game on the page prints what the script driver prints', async (t) => {
  assert.ok(fs.existsSync(driver), `no script driver at ${driver}`);
  const expected = spawnSync(driver, { input: scriptText, encoding: 'utf8' });
  assert.equal(expected.status, 0, `the script driver refused game.script: ${expected.stderr}`);
  const steps = parseScript(scriptText);
  assert.equal(steps[0].op, 'seed', 'game.script starts with its seed');

  const server = await serve();
  const browser = await launch(chromium);
  t.after(async () => {
    await browser.close();
    await server.close();
  });
  // Sound on (Web Audio) without the start dialog, as the driver plays with sound on.
  const context = await browser.newContext();
  await presetStorage(context, { ...kQuietSettings, SoundMode: '0' });
  const { page, log } = await openGame(context, server.url, `seed=${steps[0].arg}&clock=manual&zoom=100`);
  const keys = await defaultKeyCodes(page);

  // Every sound call of the page, as the driver prints it, at the virtual time it is made.
  await page.evaluate(() => {
    const zn = window.zn;
    const names = ['Bonus', 'Energizer', 'Ghost', 'Miss', 'Pill', 'Pill_Alt', 'Stage', 'Start'];
    zn.testOut = [];
    const sounds = zn.host.sounds;
    const play = sounds.play.bind(sounds);
    sounds.play = (events) => {
      for (const e of events)
        zn.testOut.push(e === -1 ? `sound ${zn.engine.now()} silence` : `sound ${zn.engine.now()} play ${names[e]}`);
      return play(events);
    };
    // The clock moved one millisecond at a time, so each call carries the time it was made.
    zn.testWait = (ms) => {
      for (let i = 0; i < ms; ++i) zn.advance(1);
    };
  });

  for (const s of steps.slice(1)) {
    if (s.op === 'press') await page.keyboard.down(keys[s.arg]);
    else if (s.op === 'release') await page.keyboard.up(keys[s.arg]);
    else if (s.op === 'wait') await page.evaluate((ms) => window.zn.testWait(ms), Number(s.arg));
    else await page.evaluate(() => window.zn.testOut.push(...window.zn.engine.snapshot().trimEnd().split('\n')));
  }
  const got = await page.evaluate(() => window.zn.testOut);
  const want = expected.stdout.trimEnd().split('\n');
  assert.ok(want.filter((l) => l.startsWith('sound')).length > 50, 'the script makes many sounds');
  assert.deepEqual(got, want);
  assert.deepEqual(log.errors, []);
});
