// The device's eight sounds over Web Audio. The samples are decoded once, at load (an offline
// context needs no gesture), into buffers; each sound event of the engine starts its buffer on
// a voice of its own, over whatever else plays; a silence event (-1) stops every voice at once.
//
// A browser lets a page sound only after a gesture: the audio context is made (or resumed) by
// unlock(), which the splash's PLAY and the first key, click or tap call. Sounds asked for
// before that, while the context cannot play, are dropped, as a sound card that is not open
// would drop them.

export const kSilence = -1;

const Ctx = globalThis.AudioContext || globalThis.webkitAudioContext;
const OfflineCtx = globalThis.OfflineAudioContext || globalThis.webkitOfflineAudioContext;

export class Sounds {
  // files: the sample files in the engine's Sample order (zn.wasm's zn_sample_files).
  constructor(files) {
    this.files = files;
    this.buffers = new Array(files.length).fill(null);
    this.ctx = null;
    this.voices = new Set();
    this.loaded = null;
    this.played = []; // every event handed over, for tests: [sample or -1, ...]
  }

  // Fetches and decodes the samples; a missing or broken one stays silent.
  load(base = 'game/') {
    if (this.loaded) return this.loaded;
    const decoder = OfflineCtx ? new OfflineCtx(1, 1, 44100) : null;
    this.loaded = Promise.all(
      this.files.map(async (file, i) => {
        try {
          const r = await fetch(base + file);
          if (!r.ok || !decoder) return;
          this.buffers[i] = await decoder.decodeAudioData(await r.arrayBuffer());
        } catch {
          this.buffers[i] = null;
        }
      }),
    );
    return this.loaded;
  }

  // Called from a user gesture: makes the context able to play.
  unlock() {
    if (!Ctx) return;
    if (!this.ctx) {
      try {
        this.ctx = new Ctx();
      } catch {
        this.ctx = null;
        return;
      }
    }
    if (this.ctx.state === 'suspended') this.ctx.resume().catch(() => {});
  }

  // The engine's sound events, in order.
  play(events) {
    for (const e of events) {
      this.played.push(e);
      if (e === kSilence) this.silence();
      else this.start(e);
    }
  }

  start(sample) {
    const buffer = this.buffers[sample];
    if (!buffer || !this.ctx || this.ctx.state === 'closed') return;
    const voice = this.ctx.createBufferSource();
    voice.buffer = buffer;
    voice.connect(this.ctx.destination);
    voice.onended = () => this.voices.delete(voice);
    this.voices.add(voice);
    voice.start();
  }

  silence() {
    for (const v of this.voices) {
      try {
        v.stop();
      } catch {
        /* already stopped */
      }
    }
    this.voices.clear();
  }
}
