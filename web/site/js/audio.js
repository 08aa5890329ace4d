// The device's eight sounds over Web Audio. The samples are decoded once, after the first
// frame (an offline context needs no gesture), into buffers; each sound event of the engine
// starts its buffer on a voice of its own, over whatever else plays; a silence event (-1) stops
// every voice at once. Every voice goes through one gain, the page's volume.
//
// A browser lets a page sound only after a gesture: the audio context is made (or resumed) by
// unlock(), which the splash's PLAY and the first key, click or tap call. Sounds asked for
// before that, while the context cannot play, are dropped, as a sound card that is not open
// would drop them. A phone suspends the context when the player switches to another app: it
// is resumed when the page shows again, and a sound asked for while it is suspended is dropped
// rather than played late.

export const kSilence = -1;

const Ctx = globalThis.AudioContext || globalThis.webkitAudioContext;
const OfflineCtx = globalThis.OfflineAudioContext || globalThis.webkitOfflineAudioContext;

const playing = new Set(); // the Sounds whose gain setVolume sets

// The page's volume, 0..100 percent of the samples' own level (the stored Volume).
export function setVolume(percent) {
  for (const s of playing) s.setVolume(percent);
}

export class Sounds {
  // files: the sample files in the engine's Sample order (zn.wasm's zn_sample_files);
  // volume: percent, 0..100.
  constructor(files, volume = 100) {
    this.files = files;
    this.buffers = new Array(files.length).fill(null);
    this.ctx = null;
    this.gain = null;
    this.volume = volume;
    this.starting = false; // a gesture's resume is under way: sounds wait for it, not dropped
    this.voices = new Set();
    this.loaded = null;
    this.played = []; // every event handed over, for tests: [sample or -1, ...]
    playing.add(this);
    const wake = () => document.visibilityState !== 'hidden' && this.resume(false);
    if (typeof document !== 'undefined') document.addEventListener('visibilitychange', wake);
    if (typeof window !== 'undefined') window.addEventListener('pageshow', wake);
  }

  // Fetches and decodes the samples; a missing or broken one stays silent.
  load(base = 'game/') {
    if (this.loaded) return this.loaded;
    const decoder = OfflineCtx ? new OfflineCtx(1, 1, 44100) : null;
    this.loaded = Promise.all(
      this.files.map(async (file, i) => {
        try {
          // The site has each sample as MP3 (assemble.sh encodes the game's WAVs), a fifth of the bytes.
          const r = await fetch(base + file.replace(/\.wav$/i, '.mp3'));
          if (!r.ok || !decoder) return;
          this.buffers[i] = await decoder.decodeAudioData(await r.arrayBuffer());
        } catch {
          this.buffers[i] = null;
        }
      }),
    );
    return this.loaded;
  }

  setVolume(percent) {
    this.volume = Math.min(100, Math.max(0, Number(percent) || 0));
    if (this.gain) this.gain.gain.value = this.volume / 100;
  }

  // Called from a user gesture: makes the context able to play.
  unlock() {
    if (!Ctx) return;
    if (!this.ctx) {
      try {
        this.ctx = new Ctx();
        this.gain = this.ctx.createGain();
        this.gain.connect(this.ctx.destination);
        this.setVolume(this.volume);
      } catch {
        this.ctx = null;
        return;
      }
    }
    this.resume(true);
  }

  // Resumes a suspended (or a phone's "interrupted") context; after a gesture, the sounds asked
  // for meanwhile start with it.
  resume(gesture) {
    const ctx = this.ctx;
    if (!ctx || ctx.state === 'running' || ctx.state === 'closed') return;
    if (gesture) this.starting = true;
    ctx.resume().catch(() => {}).finally(() => { if (gesture) this.starting = false; });
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
    const ctx = this.ctx;
    if (!buffer || !ctx || (ctx.state !== 'running' && !this.starting)) return;
    const voice = ctx.createBufferSource();
    voice.buffer = buffer;
    voice.connect(this.gain);
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
