// engine.js over zn.wasm plays a script as zorpy-nibbo-script does: the same sounds at the same
// virtual times and the same `show` pictures, line for line.
//   node engine_script_test.mjs ZN_WASM SCRIPT_DRIVER SCRIPT...
// `state` lines are left out on both sides (the page has no use for them); a script may seed the
// ghosts in its first command only and may not force draws.
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { loadEngine } from '../../../web/site/js/engine.js';

const [wasmPath, driver, ...scripts] = process.argv.slice(2);
if (!wasmPath || !driver || scripts.length === 0) {
  console.error('usage: engine_script_test.mjs ZN_WASM SCRIPT_DRIVER SCRIPT...');
  process.exit(2);
}
const engine = await loadEngine(readFileSync(wasmPath));
const controls = { power: 1, select: 2, start: 3, up: 4, left: 5, right: 6, down: 7 };
const sampleNames = ['Bonus', 'Energizer', 'Ghost', 'Miss', 'Pill', 'Pill_Alt', 'Stage', 'Start'];

function play(lines) {
  let out = '';
  const sounds = () => {
    for (const s of engine.takeSounds()) out += `sound ${engine.now()} ${s < 0 ? 'silence' : 'play ' + sampleNames[s]}\n`;
  };
  engine.reset(0);
  engine.setSoundEnabled(true);
  let commands = 0;
  for (const line of lines) {
    const t = line.trim().split(/\s+/);
    if (t[0] === '' || t[0].startsWith('#')) continue;
    commands++;
    if (t[0] === 'seed') {
      if (commands !== 1) throw new Error('seed: only as the first command');
      engine.reset(Number(t[1]));
    } else if (t[0] === 'press') {
      engine.press(controls[t[1]]);
    } else if (t[0] === 'release') {
      engine.release(controls[t[1]]);
    } else if (t[0] === 'wait') {
      // One millisecond at a time, so each sound is stamped with the time it was made.
      for (let i = Number(t[1]); i > 0; i--) {
        engine.advance(1);
        sounds();
      }
    } else if (t[0] === 'show') {
      out += engine.snapshot();
    } else {
      throw new Error(`unsupported command '${t[0]}'`);
    }
    sounds();
  }
  return out;
}

let failed = 0;
for (const script of scripts) {
  const lines = readFileSync(script, 'utf8').split('\n').filter((l) => l.trim().split(/\s+/)[0] !== 'state');
  const expected = spawnSync(driver, [], { input: lines.join('\n'), encoding: 'utf8' });
  if (expected.status !== 0) {
    console.error(`${script}: the script driver failed: ${expected.stderr}`);
    failed++;
    continue;
  }
  const got = play(lines);
  if (!expected.stdout.includes('row 1') || !expected.stdout.includes('sound ')) {
    console.error(`${script}: the driver's output shows no figures or no sound; nothing to compare`);
    failed++;
  } else if (got !== expected.stdout) {
    const a = expected.stdout.split('\n');
    const b = got.split('\n');
    const i = a.findIndex((l, k) => l !== b[k]);
    console.error(`${script}: differs at output line ${i + 1}:\n  driver: ${a[i]}\n  engine: ${b[i]}`);
    failed++;
  } else {
    console.log(`${script}: ${got.split("\n").length - 1} lines equal`);
  }
}
process.exit(failed ? 1 : 0);
