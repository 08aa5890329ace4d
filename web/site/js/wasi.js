// The WASI calls zn.wasm imports, and only those (tests/web/core/engine_tables_test.mjs holds
// the two lists together), answered for a page: text written to standard output or error goes
// to the console, line by line; there are no files to seek or close.
const ERRNO_SUCCESS = 0;
const ERRNO_BADF = 8;
const ERRNO_SPIPE = 70;

export function createWasi() {
  let memory = null;
  const pending = { 1: '', 2: '' };
  const decoder = new TextDecoder();

  function flushLines(fd) {
    const lines = pending[fd].split('\n');
    pending[fd] = lines.pop();
    for (const line of lines) (fd === 2 ? console.error : console.log)(line);
  }

  const imports = {
    fd_write(fd, iovs, iovsLength, writtenPtr) {
      if (fd !== 1 && fd !== 2) return ERRNO_BADF;
      const view = new DataView(memory.buffer);
      let written = 0;
      for (let i = 0; i < iovsLength; i++) {
        const ptr = view.getUint32(iovs + i * 8, true);
        const len = view.getUint32(iovs + i * 8 + 4, true);
        pending[fd] += decoder.decode(new Uint8Array(memory.buffer, ptr, len));
        written += len;
      }
      view.setUint32(writtenPtr, written, true);
      flushLines(fd);
      return ERRNO_SUCCESS;
    },
    fd_seek() { return ERRNO_SPIPE; },
    fd_close() { return ERRNO_SUCCESS; },
  };

  return {
    imports: { wasi_snapshot_preview1: imports },
    // The instance's memory, once it exists; then the reactor's constructors run.
    start(instance) {
      memory = instance.exports.memory;
      if (instance.exports._initialize) instance.exports._initialize();
    },
  };
}
