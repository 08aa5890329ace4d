// zn.wasm answers as the same C++ built natively: the skin read from each Config.ini in both
// display modes, the settings and the key table (webcore_dump prints the native answers); the
// WASI shim answers the module's imports.
//   node engine_tables_test.mjs ZN_WASM WEBCORE_DUMP CONFIG.INI...
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { loadEngine } from '../../../web/site/js/engine.js';
import { createWasi } from '../../../web/site/js/wasi.js';

const [wasmPath, dump, ...inis] = process.argv.slice(2);
if (!wasmPath || !dump || inis.length === 0) {
  console.error('usage: engine_tables_test.mjs ZN_WASM WEBCORE_DUMP CONFIG.INI...');
  process.exit(2);
}
const engine = await loadEngine(readFileSync(wasmPath));
const native = (...args) => JSON.parse(execFileSync(dump, args, { encoding: 'utf8', maxBuffer: 1 << 26 }));
let failed = 0;
function same(what, got, want) {
  const a = JSON.stringify(got);
  const b = JSON.stringify(want);
  if (a === b) {
    console.log(`${what}: equal (${b.length} characters)`);
    return;
  }
  let i = 0;
  while (a[i] === b[i]) i++;
  console.error(`${what}: differs at character ${i}:\n  wasm:   ${a.slice(i, i + 120)}\n  native: ${b.slice(i, i + 120)}`);
  failed++;
}

for (const ini of inis) {
  const text = readFileSync(ini, 'utf8');
  for (const [fullscreen, w, h] of [[false, 0, 0], [true, 1920, 1080], [true, 390, 844]]) {
    const got = engine.askJson('zn_read_skin', [fullscreen ? 1 : 0, w, h], text);
    if (got.error === '' && got.images.length !== 198) {
      console.error(`${ini}: ${got.images.length} images, not one per slot`);
      failed++;
    }
    same(`${ini} fullscreen=${fullscreen} ${w}x${h}`, got, native('skin', ini, fullscreen ? '1' : '0', String(w), String(h)));
  }
}
// The shim answers exactly what the module imports: nothing missing, nothing dead.
const imported = WebAssembly.Module.imports(new WebAssembly.Module(readFileSync(wasmPath)))
  .map((i) => `${i.module}.${i.name}`).sort();
const answered = Object.entries(createWasi().imports)
  .flatMap(([module, calls]) => Object.keys(calls).map((name) => `${module}.${name}`)).sort();
same('WASI imports', answered, imported);
same('settings', engine.askJson('zn_settings'), native('settings'));
same('key table', engine.askJson('zn_key_table'), native('keys'));
process.exit(failed ? 1 : 0);
