// A small driver of Debian's Chromium over the devtools protocol, with Node's own modules only
// (nothing from npm, no downloaded browser), for the web edition's tests and benchmarks: a
// static server of a folder on a free port, and a browser whose contexts and pages offer the few
// calls of a browser automation library that those use.
//   ZN_WEB_DEADLINE_MS  how long a wait may last before it fails (60000 unless set)
import { spawn } from 'node:child_process';
import { EventEmitter } from 'node:events';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

import { keyEvent } from './keys.mjs';
import { Connection, kDeadlineMs, nextEvent } from './pipe.mjs';

export { serve } from './serve.mjs';
export { kDeadlineMs };


// --- the browser ---------------------------------------------------------------------------------
//
// A small driver of Debian's Chromium over the devtools protocol on a pipe (--remote-debugging-pipe:
// the browser reads NUL-terminated JSON messages on fd 3 and writes its own on fd 4), offering the
// tests the few calls of a browser automation library they use. Each page is a flat session
// (Target.attachToTarget with flatten) whose messages carry its sessionId.

// The switches of every run: no sandbox (root in CI), no GPU, nothing fetched behind the test's
// back; a user gesture needed before sound, as in a browser a person uses. Silent (the sound is
// checked inside the page), no scroll bars in the viewport, sRGB pictures, shared memory in /tmp
// (a container's /dev/shm is small), and no page throttled for being in the background.
export const kChromiumArgs = [
  '--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--no-first-run', '--disable-quic', '--autoplay-policy=document-user-activation-required',
  '--force-device-scale-factor=1', '--mute-audio', '--hide-scrollbars', '--force-color-profile=srgb',
  '--disable-dev-shm-usage', '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
  '--disable-backgrounding-occluded-windows',
];

// The expression that calls fn (a function or its source) with arg in the page.
const callOf = (fn, arg) =>
  typeof fn === 'function' ? `(${fn})(${arg === undefined ? '' : JSON.stringify(arg)})` : String(fn);

const textOf = (args) =>
  args.map((a) => (a.value !== undefined ? String(a.value) : a.description ?? a.unserializableValue ?? '')).join(' ');

class Page extends EventEmitter {
  constructor(session, targetId) {
    super();
    this.session = session;
    this.targetId = targetId;
    this.loaderId = null;
    const s = session;
    s.on('Runtime.consoleAPICalled', (p) => {
      const text = textOf(p.args);
      this.emit('console', { type: () => p.type, text: () => text });
    });
    s.on('Log.entryAdded', ({ entry: e }) => {
      if (e.source !== 'worker') this.emit('console', { type: () => e.level, text: () => e.text });
    });
    s.on('Runtime.exceptionThrown', ({ exceptionDetails: d }) => {
      const desc = d.exception?.description; // 'TypeError: ...\n    at ...' for an Error
      const message = desc ? desc.split('\n')[0].replace(/^\w*Error: /, '') : String(d.exception?.value ?? d.text);
      this.emit('pageerror', Object.assign(new Error(message), { details: d }));
    });
    const urls = new Map();
    s.on('Network.requestWillBeSent', (p) => urls.set(p.requestId, p.request.url));
    s.on('Network.loadingFailed', (p) => {
      this.emit('requestfailed', { url: () => urls.get(p.requestId), failure: () => ({ errorText: p.errorText }) });
    });
    s.on('Network.responseReceived', (p) => {
      this.emit('response', { url: () => p.response.url, status: () => p.response.status });
    });
    this.loads = new Set(); // the documents of the top frame that have fired their load
    s.on('Page.lifecycleEvent', (p) => {
      if (p.frameId !== targetId) return;
      if (p.name === 'init') this.loaderId = p.loaderId;
      if (p.name === 'load') this.loads.add(p.loaderId) && this.emit('load', p.loaderId);
    });
    this.keyboard = {
      down: (name) => s.send('Input.dispatchKeyEvent', keyEvent(name, true)),
      up: (name) => s.send('Input.dispatchKeyEvent', keyEvent(name, false)),
      press: async (name) => {
        await this.keyboard.down(name);
        await this.keyboard.up(name);
      },
    };
    this.mouse = {
      click: async (x, y, { button = 'left' } = {}) => {
        const buttons = button === 'right' ? 2 : 1;
        await s.send('Input.dispatchMouseEvent', { type: 'mouseMoved', x, y });
        for (const [type, held] of [['mousePressed', buttons], ['mouseReleased', 0]])
          await s.send('Input.dispatchMouseEvent', { type, x, y, button, buttons: held, clickCount: 1 });
      },
    };
  }

  async goto(url) {
    const r = await this.session.send('Page.navigate', { url });
    if (r.errorText) throw new Error(`${url}: ${r.errorText}`);
    if (!this.loads.has(r.loaderId)) await nextEvent(this, 'load', { predicate: (id) => id === r.loaderId });
  }

  // Resolves once a document other than the one shown now has loaded.
  async reload() {
    const old = this.loaderId;
    const load = nextEvent(this, 'load', { predicate: (id) => id !== old });
    await this.session.send('Page.reload', {});
    await load;
  }

  // Runs fn(arg) in the page, as a gesture of the user; resolves to its (awaited) value.
  async evaluate(fn, arg) {
    const r = await this.session.send('Runtime.evaluate', {
      expression: callOf(fn, arg), awaitPromise: true, returnByValue: true, userGesture: true,
    });
    if (r.exceptionDetails) {
      const d = r.exceptionDetails;
      throw new Error(`in the page: ${d.exception?.description ?? d.text}`);
    }
    return r.result.value;
  }

  // Polls fn(arg) in the page (an async fn is awaited, another's promise counts as a value)
  // until it is truthy: resolves to a handle of that value.
  async waitForFunction(fn, arg, { timeout = kDeadlineMs, polling = 50 } = {}) {
    const probe = `(async () => { const f = ${fn}; let v = f(${arg === undefined ? '' : JSON.stringify(arg)});
      if (f.constructor.name === 'AsyncFunction') v = await v;
      return v ? { value: v instanceof Promise ? null : v } : null; })()`;
    const end = Date.now() + timeout;
    let last = 'it never held';
    for (;;) {
      try {
        const r = await this.evaluate(probe);
        if (r) return { jsonValue: async () => r.value };
      } catch (e) {
        last = e.message; // a page between two documents
      }
      if (Date.now() > end) throw new Error(`waitForFunction timed out after ${timeout} ms: ${last}`);
      await new Promise((r) => setTimeout(r, polling));
    }
  }

  waitForEvent(name, options) {
    return nextEvent(this, name, options);
  }

  async screenshot({ path: file, clip } = {}) {
    const { data } = await this.session.send('Page.captureScreenshot', {
      format: 'png', ...(clip ? { clip: { ...clip, scale: 1 } } : {}),
    });
    const png = Buffer.from(data, 'base64');
    if (file) fs.writeFileSync(file, png);
    return png;
  }

  // The elements matching a CSS selector (those with hasText in their text, if given).
  locator(selector, { hasText } = {}) {
    const find = `[...document.querySelectorAll(${JSON.stringify(selector)})]
      .filter((e) => ${JSON.stringify(hasText ?? null)} === null || e.textContent.includes(${JSON.stringify(hasText ?? '')}))`;
    const one = async () => {
      const r = await this.session.send('Runtime.evaluate', { expression: `${find}[0] ?? null` });
      if (!r.result.objectId) throw new Error(`nothing in the page matches ${selector}`);
      return r.result.objectId;
    };
    return {
      locator: (inner) => this.locator(`${selector} ${inner}`),
      getByRole: (role, { name }) => this.locator(`${selector} ${role}`, { hasText: name }),
      allTextContents: () => this.evaluate(`${find}.map((e) => e.textContent)`),
      setInputFiles: async (files) =>
        this.session.send('DOM.setFileInputFiles', { objectId: await one(), files: [files].flat() }),
      click: async () => {
        const b = await this.evaluate(`(() => { const r = ${find}[0].getBoundingClientRect();
          return { x: r.left + r.width / 2, y: r.top + r.height / 2 }; })()`);
        await this.mouse.click(b.x, b.y);
      },
    };
  }
}

// A browser context: its own storage, service workers and init scripts.
class Context {
  constructor(conn, id, options) {
    this.conn = conn;
    this.id = id;
    this.options = options;
    this.scripts = [];
    this.pages = [];
  }

  async newPage() {
    const { targetId } = await this.conn.root.send('Target.createTarget', { url: 'about:blank', browserContextId: this.id });
    const s = await this.conn.attach(targetId);
    const page = new Page(s, targetId);
    const { viewport, deviceScaleFactor, hasTouch, offline } = this.options;
    await Promise.all([
      s.send('Page.enable'), s.send('Page.setLifecycleEventsEnabled', { enabled: true }), s.send('Runtime.enable'),
      s.send('Network.enable'), s.send('Log.enable'), s.send('Emulation.setFocusEmulationEnabled', { enabled: true }),
      s.send('Emulation.setDeviceMetricsOverride', {
        ...viewport, deviceScaleFactor, mobile: false, screenWidth: viewport.width, screenHeight: viewport.height,
      }),
      hasTouch && s.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 }),
      offline && this.offline(s, true),
      ...this.scripts.map((source) => s.send('Page.addScriptToEvaluateOnNewDocument', { source })),
    ]);
    this.pages.push(page);
    return page;
  }

  // Runs fn(arg) in every document of the context before the document's own scripts.
  async addInitScript(fn, arg) {
    const source = callOf(fn, arg);
    this.scripts.push(source);
    await Promise.all(this.pages.map((p) => p.session.send('Page.addScriptToEvaluateOnNewDocument', { source })));
  }

  offline(s, on) {
    return s.send('Network.emulateNetworkConditions', { offline: on, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
  }

  async setOffline(on) {
    this.options.offline = on;
    await Promise.all(this.pages.map((p) => this.offline(p.session, on)));
  }

  // The page's own session, for the protocol's commands the driver does not wrap.
  async newCDPSession(page) {
    return page.session;
  }

  async close() {
    await this.conn.root.send('Target.disposeBrowserContext', { browserContextId: this.id }).catch(() => {});
  }
}

// Starts Debian's Chromium, headless, with a new empty profile of its own. newContext() makes a
// fresh context; startTracing/stopTracing record a devtools trace of the whole browser.
export async function launch(chromium, extraArgs = []) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zn-chromium-'));
  const proc = spawn(chromium.executablePath, [
    '--headless', ...kChromiumArgs, ...extraArgs, '--remote-debugging-pipe', `--user-data-dir=${profile}`, 'about:blank',
  ], { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
  let said = ''; // the browser's complaints, kept for when it does not start
  proc.stderr.on('data', (d) => { said = (said + d).slice(-4000); });
  const exited = new Promise((r) => proc.on('exit', r));
  const cleanUp = () => fs.rmSync(profile, { recursive: true, force: true, maxRetries: 3 });
  process.on('exit', () => proc.kill('SIGKILL') && cleanUp()); // a test that ends without close()
  proc.stdio[3].on('error', () => {}); // a write after the browser went: its command rejects
  const conn = new Connection(proc);
  await Promise.race([
    conn.root.send('Browser.getVersion'),
    exited.then(() => Promise.reject(new Error(`${chromium.executablePath} exited at its start:\n${said}`))),
  ]);
  let trace = [];
  const browser = {
    newContext: async (options = {}) => {
      const { browserContextId } = await conn.root.send('Target.createBrowserContext', {});
      return new Context(conn, browserContextId, {
        viewport: { width: 1280, height: 1024 }, deviceScaleFactor: 1, hasTouch: true, ...options,
      });
    },
    startTracing: async (page, { categories }) => {
      trace = [];
      conn.root.on('Tracing.dataCollected', (p) => trace.push(...p.value));
      await conn.root.send('Tracing.start', { transferMode: 'ReportEvents', traceConfig: { includedCategories: categories } });
    },
    stopTracing: async () => {
      const done = nextEvent(conn.root, 'Tracing.tracingComplete', { timeout: 10 * kDeadlineMs });
      await conn.root.send('Tracing.end');
      await done;
      conn.root.removeAllListeners('Tracing.dataCollected');
      return Buffer.from(JSON.stringify({ traceEvents: trace }));
    },
    close: async () => {
      if (proc.exitCode === null && proc.signalCode === null) {
        conn.root.send('Browser.close').catch(() => {});
        const t = setTimeout(() => proc.kill('SIGKILL'), 10000);
        await exited;
        clearTimeout(t);
      }
      cleanUp();
    },
  };
  browser.browser = browser; // bench/web/measure.mjs traces through browser.browser
  return browser;
}

