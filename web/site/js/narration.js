// The figures told to a screen reader: what changed (zn_narrate) into a polite live region, a
// game over into an assertive one; the canvas's name holds the whole state (zn_describe, F8).

const hidden = 'position:absolute;width:1px;height:1px;overflow:hidden;clip-path:inset(50%);white-space:nowrap';

export class Narration {
  constructor(engine, canvas) {
    this.engine = engine;
    this.canvas = canvas;
    const region = (live) => {
      const r = Object.assign(document.createElement('div'), { className: `zn-said-${live}` });
      r.setAttribute('aria-live', live);
      r.style.cssText = hidden;
      document.body.append(r);
      return r;
    };
    this.polite = region('polite');
    this.urgent = region('assertive');
    canvas.setAttribute('role', 'img');
    this.label();
    window.addEventListener('keydown', (e) => {
      if (e.code !== 'F8' || e.repeat) return;
      e.preventDefault();
      this.say(this.label(), this.polite);
    });
  }

  // The game's speed, as it changes.
  saySpeed(percent) {
    this.say(this.engine.askText('zn_speed_words', [percent]), this.polite);
  }

  update() {
    const said = this.engine.askText('zn_narrate');
    if (!said) return;
    for (const u of JSON.parse(said)) this.say(u.text, u.urgent ? this.urgent : this.polite);
    this.label();
  }

  // A region's new text is read out; the same words again are read again.
  say(text, region) {
    if (region.lastChild && region.lastChild.textContent === text) region.replaceChildren();
    region.append(Object.assign(document.createElement('p'), { textContent: text }));
    while (region.childNodes.length > 3) region.firstChild.remove();
  }

  label() {
    const words = this.engine.askText('zn_describe');
    this.canvas.setAttribute('aria-label', words);
    return words;
  }
}
