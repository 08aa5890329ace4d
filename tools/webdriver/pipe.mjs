// The devtools protocol on Chromium's pipe (--remote-debugging-pipe: NUL-terminated JSON on fds
// 3 and 4): commands and their answers, each session's events.
import { EventEmitter } from 'node:events';

// A deadline only bounds how long a failing wait takes; a loaded machine is slower, not red.
export const kDeadlineMs = Number(process.env.ZN_WEB_DEADLINE_MS || 60000);

// The next event name of emitter for which predicate holds.
export function nextEvent(emitter, name, { predicate = () => true, timeout = kDeadlineMs } = {}) {
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => {
      emitter.off(name, hear);
      reject(new Error(`no ${name} event within ${timeout} ms`));
    }, timeout);
    const hear = (e) => {
      if (!predicate(e)) return;
      clearTimeout(timer);
      emitter.off(name, hear);
      resolve(e);
    };
    emitter.on(name, hear);
  });
}

// One devtools session (the browser's own when id is undefined): send() resolves to the command's
// result or rejects with its error; on(method, fn) hears the session's events.
const session = (conn, id) =>
  Object.assign(new EventEmitter(), { id, send: (method, params = {}) => conn.send(method, params, id) });

export class Connection {
  constructor(proc) {
    this.proc = proc;
    this.lastId = 0;
    this.pending = new Map();
    this.sessions = new Map();
    this.root = session(this, undefined);
    let buffered = '';
    proc.stdio[4].setEncoding('utf8'); // a character split between two reads stays whole
    proc.stdio[4].on('data', (chunk) => {
      const parts = (buffered + chunk).split('\0');
      buffered = parts.pop();
      for (const p of parts) this.dispatch(JSON.parse(p));
    });
    proc.on('exit', () => {
      for (const { reject, method } of this.pending.values()) reject(new Error(`${method}: the browser has gone`));
      this.pending.clear();
    });
  }

  // A command the browser never answers fails after five deadlines (a slow one, such as a long
  // evaluation, is still given its time).
  send(method, params, sessionId) {
    const id = ++this.lastId;
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => {
        this.pending.delete(id);
        reject(new Error(`${method}: no answer from the browser in ${5 * kDeadlineMs} ms`));
      }, 5 * kDeadlineMs);
      const done = (f) => (v) => {
        clearTimeout(timer);
        f(v);
      };
      this.pending.set(id, { resolve: done(resolve), reject: done(reject), method });
      this.proc.stdio[3].write(`${JSON.stringify({ id, method, params, sessionId })}\0`);
    });
  }

  dispatch(m) {
    if (m.id !== undefined) {
      const p = this.pending.get(m.id);
      this.pending.delete(m.id);
      if (!p) return;
      if (m.error) p.reject(new Error(`${p.method}: ${m.error.message}${m.error.data ? ` (${m.error.data})` : ''}`));
      else p.resolve(m.result);
      return;
    }
    (m.sessionId ? this.sessions.get(m.sessionId) : this.root)?.emit(m.method, m.params);
  }

  async attach(targetId) {
    const { sessionId } = await this.root.send('Target.attachToTarget', { targetId, flatten: true });
    const s = session(this, sessionId);
    this.sessions.set(sessionId, s);
    return s;
  }
}

