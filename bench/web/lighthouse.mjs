// node bench/web/lighthouse.mjs SITE_DIR [--rows]
//
// The page as outside auditors measure it, on a first visit (empty storage, no service worker,
// the start dialog showing): Lighthouse 12 in Debian's Chromium (headless=new, no sandbox),
// mobile (its default) and desktop presets, categories accessibility, best practices, SEO and
// performance, with the layout shift (CLS); and axe-core (its default rules and the target
// size that Lighthouse also checks) injected into the page at 390 × 844 (touch, density 3) and
// 1280 × 800, through the web tests' devtools driver, where the bytes fetched before the
// first drawn device are counted too. The site is served by web/serve.sh (nginx), as
// ./build.sh web serves it.
// Prints a Markdown table (--rows: its rows only, for bench/run.sh -w) and, below it, each
// audit that did not pass. Both auditors come from npm into a cache folder outside the
// repository (ZN_BENCH_CACHE, else ~/.cache/zn-bench), installed there on first use: they are
// bench tools only, never part of the page or of its tests.
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const args = process.argv.slice(2);
const rowsOnly = args.includes('--rows');
const site = path.resolve(args.find((a) => !a.startsWith('--')) || path.join(here, '../../build/web'));
const chromiumPath = process.env.ZN_CHROMIUM || '/usr/bin/chromium';
const cache = process.env.ZN_BENCH_CACHE || path.join(os.homedir(), '.cache', 'zn-bench');
const npmDir = path.join(cache, 'npm');
const note = (s) => process.stderr.write(`[lighthouse] ${s}\n`);

process.env.ZN_WEB_SITE = site;
const { launch } = await import(path.join(here, '../../tools/webdriver/chromium.mjs'));
if (!fs.existsSync(path.join(site, 'index.html'))) throw new Error(`no built site in ${site}`);

// --- the auditors, from npm into the cache ------------------------------------------------------
const lighthouseBin = path.join(npmDir, 'node_modules/.bin/lighthouse');
const axeSource = path.join(npmDir, 'node_modules/axe-core/axe.min.js');
if (!fs.existsSync(lighthouseBin) || !fs.existsSync(axeSource)) {
  note(`installing lighthouse@12 and axe-core@4 into ${npmDir}`);
  fs.mkdirSync(npmDir, { recursive: true });
  execFileSync('npm', ['install', '--prefix', npmDir, '--no-audit', '--no-fund', 'lighthouse@12', 'axe-core@4'],
    { stdio: ['ignore', process.stderr, process.stderr] });
}
const version = (pkg) => JSON.parse(fs.readFileSync(path.join(npmDir, 'node_modules', pkg, 'package.json'))).version;

// --- Lighthouse ---------------------------------------------------------------------------------
const categories = ['performance', 'accessibility', 'best-practices', 'seo'];

// One preset's report: {scores: {category: 0..100}, cls, failing: ['audit id (score)', ...]}.
// Run beside this process's server, so never synchronously.
async function lighthouse(url, preset) {
  const out = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'zn-lh-')), 'report.json');
  const child = spawn(lighthouseBin, [
    url, '--quiet', '--output=json', `--output-path=${out}`, `--only-categories=${categories.join(',')}`,
    '--chrome-flags=--headless=new --no-sandbox --disable-gpu --disable-dev-shm-usage',
    ...(preset === 'desktop' ? ['--preset=desktop'] : []),
  ], { env: { ...process.env, CHROME_PATH: chromiumPath }, stdio: ['ignore', 'ignore', 'pipe'], timeout: 300000 });
  let said = '';
  child.stderr.on('data', (d) => { said = (said + d).slice(-4000); });
  await new Promise((r) => child.on('exit', r));
  if (!fs.existsSync(out)) throw new Error(`lighthouse (${preset}) wrote no report: ${said}`);
  const report = JSON.parse(fs.readFileSync(out));
  fs.rmSync(path.dirname(out), { recursive: true, force: true });
  const scores = Object.fromEntries(categories.map((c) => [c, Math.round(report.categories[c].score * 100)]));
  const failing = [];
  for (const c of categories.slice(1)) {
    for (const ref of report.categories[c].auditRefs) {
      const a = report.audits[ref.id];
      if (ref.weight > 0 && a.score !== null && a.score < 1) failing.push(`${c}: ${a.id} (${a.score})`);
    }
  }
  const cls = report.audits['cumulative-layout-shift'].numericValue;
  const lcp = report.audits['largest-contentful-paint'].numericValue;
  const tbt = report.audits['total-blocking-time'].numericValue;
  const bytes = report.audits['total-byte-weight'].numericValue;
  return { scores, cls, lcp, tbt, bytes, failing, warnings: report.runWarnings || [] };
}

// --- axe-core -----------------------------------------------------------------------------------
const kViews = {
  'phone 390 × 844': { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, hasTouch: true },
  'desktop 1280 × 800': { viewport: { width: 1280, height: 800 }, deviceScaleFactor: 1, hasTouch: false },
};

// The violations of axe's rules on a first visit: [{view, id, nodes}]; and, in before, the bytes
// each view fetched over the wire (the response headers too) before the device was first drawn.
async function axe(browser, url, before) {
  const source = fs.readFileSync(axeSource, 'utf8');
  const found = [];
  for (const [view, options] of Object.entries(kViews)) {
    const context = await browser.newContext(options);
    const page = await context.newPage();
    await page.goto(url);
    await page.waitForFunction(() => window.zn && window.zn.ready && document.body.classList.contains('zn-ready'));
    before[view] = await page.evaluate(() => {
      const drawn = performance.getEntriesByName('zn-first-draw')[0].startTime;
      const all = [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')];
      const fetched = all.filter((r) => r.startTime < drawn);
      return { bytes: fetched.reduce((n, r) => n + r.transferSize, 0), requests: fetched.length };
    });
    await page.evaluate(source);
    const v = await page.evaluate(async () => {
      const r = await window.axe.run(document, { rules: { 'target-size': { enabled: true } } });
      return r.violations.map((x) => ({ id: x.id, nodes: x.nodes.length }));
    });
    for (const x of v) found.push({ view, ...x });
    await context.close();
  }
  return found;
}

// --- the run -------------------------------------------------------------------------------------
// The site as ./build.sh web serves it: nginx with the compressed copies and cache lifetimes.
async function serve(dir) {
  const port = await new Promise((resolve) => {
    const probe = net.createServer().listen(0, '127.0.0.1', () => {
      const { port: p } = probe.address();
      probe.close(() => resolve(p));
    });
  });
  const child = spawn(path.join(here, '../../web/serve.sh'), [dir, String(port)], { stdio: ['ignore', 'ignore', 'inherit'] });
  const url = `http://127.0.0.1:${port}/`;
  for (let i = 0; ; ++i) {
    if (await fetch(url).then((r) => r.ok, () => false)) break;
    if (i === 100 || child.exitCode !== null) throw new Error(`web/serve.sh did not serve ${dir}`);
    await new Promise((r) => setTimeout(r, 100));
  }
  return { url, close: () => new Promise((r) => { child.on('exit', r); child.kill('SIGTERM'); }) };
}

const server = await serve(site);
let results;
let violations;
const before = {};
try {
  results = {};
  for (const preset of ['mobile', 'desktop']) {
    note(`${preset}: ${server.url}`);
    results[preset] = await lighthouse(server.url, preset);
  }
  const browser = await launch({ executablePath: chromiumPath });
  try {
    violations = await axe(browser, server.url, before);
  } finally {
    await browser.close();
  }
} finally {
  await server.close();
}

const ok = (v) => (v ? 'yes' : '**no**');
const rows = [];
for (const [preset, r] of Object.entries(results)) {
  const s = r.scores;
  rows.push(`| Lighthouse ${version('lighthouse')}, ${preset}, first visit: accessibility / best practices / SEO ` +
    `(performance) | ${s.accessibility} / ${s['best-practices']} / ${s.seo} (${s.performance}) | 100 / 100 / 100 | ` +
    `${ok(s.accessibility === 100 && s['best-practices'] === 100 && s.seo === 100)} |`);
  rows.push(`| Lighthouse ${preset}: cumulative layout shift | ${r.cls.toFixed(3)} | ≤ 0.02 | ${ok(r.cls <= 0.02)} |`);
  rows.push(`| Lighthouse ${preset}: largest contentful paint / total blocking time / bytes until settled | ` +
    `${(r.lcp / 1000).toFixed(1)} s / ${r.tbt.toFixed(0)} ms / ${(r.bytes / 1024).toFixed(0)} KiB | ≤ 2.5 s / ≤ 200 ms | ` +
    `${ok(r.lcp <= 2500 && r.tbt <= 200)} |`);
}
for (const [view, b] of Object.entries(before)) {
  rows.push(`| Bytes over the wire before the first drawn device, ${view} | ${(b.bytes / 1024).toFixed(0)} KiB ` +
    `in ${b.requests} requests | ≤ 400 KB | ${ok(b.bytes <= 400000)} |`);
}
for (const view of Object.keys(kViews)) {
  const v = violations.filter((x) => x.view === view);
  rows.push(`| axe-core ${version('axe-core')} violations, ${view}, first visit | ${v.length}` +
    `${v.length ? ` (${v.map((x) => `${x.id}: ${x.nodes}`).join(', ')})` : ''} | 0 | ${ok(v.length === 0)} |`);
}

if (!rowsOnly) {
  console.log(`### The page audited: ${new Date().toISOString().slice(0, 16).replace('T', ' ')} UTC\n`);
  console.log(`${execFileSync(chromiumPath, ['--version'], { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] }).trim()}` +
    `, headless; the site served from ${site}.\n`);
  console.log('| Measure | Result | Target | Met |\n|---|---|---|---|');
}
console.log(rows.join('\n'));
if (!rowsOnly) {
  for (const [preset, r] of Object.entries(results)) {
    const all = [...r.failing, ...r.warnings.map((w) => `warning: ${w}`)];
    if (all.length) console.log(`\n${preset}, not passed:\n${all.map((f) => `- ${f}`).join('\n')}`);
  }
}
