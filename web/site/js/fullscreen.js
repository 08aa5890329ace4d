// The display mode: full screen, the skin's full-screen layout over the whole page; windowed,
// the device alone. A switch to full screen asks the browser for the screen (where it cannot,
// the layout fills the page); leaving the browser's full screen by its own means (Escape, a
// swipe) switches the display back to windowed.

function element() {
  return document.fullscreenElement || document.webkitFullscreenElement || null;
}

export class DisplayMode {
  // onChange(on): lays the device out for the mode (and stores nothing: the caller does).
  constructor(onChange) {
    this.on = false;
    this.onChange = onChange;
    const changed = () => {
      if (!element() && this.on && this.requested) {
        this.requested = false;
        this.onChange(false, true);
      }
    };
    document.addEventListener('fullscreenchange', changed);
    document.addEventListener('webkitfullscreenchange', changed);
    this.requested = false;
  }

  request() {
    const root = document.documentElement;
    const request = root.requestFullscreen || root.webkitRequestFullscreen;
    if (!request || document.fullscreenEnabled === false) return;
    try {
      const p = request.call(root, { navigationUI: 'hide' });
      this.requested = true;
      if (p && p.catch) p.catch(() => (this.requested = false));
    } catch {
      this.requested = false;
    }
  }

  set(on) {
    this.on = !!on;
    if (this.on && !element()) {
      this.request();
    } else if (!this.on && element()) {
      this.requested = false;
      const exit = document.exitFullscreen || document.webkitExitFullscreen;
      // Leaving needs no gesture: a task later, a refusal (not in full screen after all) unheard.
      Promise.resolve().then(() => exit && exit.call(document)).catch(() => {});
    }
    this.onChange(this.on, false);
  }
}
