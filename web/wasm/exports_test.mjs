// Every function the exports files of web/core/ declare (ZN_EXPORT(name)) is an export of
// zn.wasm: an exports file left out of zn_wasm's sources (web/CMakeLists.txt) fails here.
//   node exports_test.mjs ZN_WASM WEB_CORE_DIR
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';

const [wasmPath, coreDir] = process.argv.slice(2);
if (!wasmPath || !coreDir) {
  console.error('usage: exports_test.mjs ZN_WASM WEB_CORE_DIR');
  process.exit(2);
}
const module = new WebAssembly.Module(readFileSync(wasmPath));
const exported = new Set(WebAssembly.Module.exports(module).map((e) => e.name));
const files = readdirSync(coreDir).filter((f) => f.endsWith('exports.cpp')).sort();
let declared = 0;
let missing = 0;
for (const file of files) {
  for (const [, name] of readFileSync(join(coreDir, file), 'utf8').matchAll(/^\s*ZN_EXPORT\((\w+)\)/gm)) {
    declared++;
    if (!exported.has(name)) {
      console.log(`${file}: ${name} is not exported by ${wasmPath}`);
      missing++;
    }
  }
}
if (declared === 0) {
  console.log(`no ZN_EXPORT(...) in ${coreDir}/*exports.cpp`);
  process.exit(1);
}
console.log(`${declared} exports declared in ${files.join(', ')}; ${missing} missing from zn.wasm`);
process.exit(missing ? 1 : 0);
