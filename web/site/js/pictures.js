// Pictures from files' bytes, as the desktop's decoders give them.
//
// PNG pictures are decoded here rather than by the browser, so their pixels are the file's
// exactly (no colour management, no premultiplied round trip); other formats, and a PNG this
// decoder does not read, go through the browser's decoder.

import { Picture } from './render.js';

// 10 x 10: a one-pixel black ring around pure red.
export function placeholderPicture() {
  const px = new Uint32Array(100);
  for (let y = 0; y < 10; ++y)
    for (let x = 0; x < 10; ++x)
      px[y * 10 + x] = x === 0 || y === 0 || x === 9 || y === 9 ? 0xff000000 : 0xff0000ff;
  return new Picture(10, 10, px);
}

// The chunks are written straight into the stream: a Blob's stream would pass them through
// the browser's blob store first, which costs more than the inflating itself.
async function inflate(chunks) {
  const stream = new DecompressionStream('deflate');
  const writer = stream.writable.getWriter();
  const out = new Response(stream.readable).arrayBuffer();
  for (const c of chunks) writer.write(c).catch(() => {});
  writer.close().catch(() => {});
  return new Uint8Array(await out);
}

// The four bytes of a and b added each to each, modulo 256.
function addBytes(a, b) {
  return (((a & 0x7f7f7f7f) + (b & 0x7f7f7f7f)) ^ ((a ^ b) & 0x80808080)) >>> 0;
}

// Decodes a non-interlaced PNG of 8 bits per channel (grey, grey+alpha, RGB, RGBA, palette of 1
// to 8 bits) into straight RGBA bytes; null for anything else.
export async function decodePng(buffer) {
  const b = new Uint8Array(buffer);
  const sig = [137, 80, 78, 71, 13, 10, 26, 10];
  if (b.length < 8 || sig.some((v, i) => b[i] !== v)) return null;
  const dv = new DataView(buffer);
  let pos = 8;
  let width = 0, height = 0, depth = 0, type = 0, interlace = 0;
  let palette = null, trns = null;
  const idat = [];
  while (pos + 8 <= b.length) {
    const len = dv.getUint32(pos);
    const name = String.fromCharCode(b[pos + 4], b[pos + 5], b[pos + 6], b[pos + 7]);
    const data = b.subarray(pos + 8, pos + 8 + len);
    if (name === 'IHDR') {
      width = dv.getUint32(pos + 8);
      height = dv.getUint32(pos + 12);
      depth = b[pos + 16];
      type = b[pos + 17];
      interlace = b[pos + 20];
    } else if (name === 'PLTE') palette = data;
    else if (name === 'tRNS') trns = data;
    else if (name === 'IDAT') idat.push(data);
    else if (name === 'IEND') break;
    pos += 12 + len;
  }
  const channels = { 0: 1, 2: 3, 3: 1, 4: 2, 6: 4 }[type];
  if (!width || !height || interlace !== 0 || !channels) return null;
  if (type === 3 ? ![1, 2, 4, 8].includes(depth) : depth !== 8) return null;
  if (width * height > 1 << 25) return null;
  const raw = await inflate(idat);
  const bpp = Math.max(1, (channels * depth) >> 3);
  const stride = Math.ceil((width * channels * depth) / 8);
  if (raw.length < (stride + 1) * height) return null;
  const lines = new Uint8Array(stride * height);
  // Four bytes a pixel (RGBA): the Sub, Up and Average lines a pixel at a time, the four bytes
  // side by side in one 32-bit word (SIMD within a register), as they are read before the page's
  // code is optimised.
  const words = bpp === 4 ? new Uint32Array(lines.buffer, 0, (stride * height) >> 2) : null;
  const n4 = stride >> 2;
  for (let y = 0; y < height; ++y) {
    const f = raw[y * (stride + 1)];
    const s0 = y * (stride + 1) + 1;
    const o = y * stride;
    const u = o - stride; // the line above (none on the first line)
    if (words && f >= 1 && f <= 3) {
      lines.set(raw.subarray(s0, s0 + stride), o);
      const w = o >> 2, wu = u >> 2;
      if (f === 1) {
        for (let k = w + 1, e = w + n4; k < e; ++k) words[k] = addBytes(words[k], words[k - 1]);
      } else if (f === 2) {
        if (y > 0) for (let k = 0; k < n4; ++k) words[w + k] = addBytes(words[w + k], words[wu + k]);
      } else {
        let left = 0;
        for (let k = 0; k < n4; ++k) {
          const up = y > 0 ? words[wu + k] : 0;
          left = words[w + k] = addBytes(words[w + k], (left & up) + (((left ^ up) >>> 1) & 0x7f7f7f7f));
        }
      }
      continue;
    }
    if (f === 0 || (f === 2 && y === 0)) {
      lines.set(raw.subarray(s0, s0 + stride), o);
    } else if (f === 1) {
      for (let x = 0; x < stride; ++x) lines[o + x] = raw[s0 + x] + (x >= bpp ? lines[o + x - bpp] : 0);
    } else if (f === 2) {
      for (let x = 0; x < stride; ++x) lines[o + x] = raw[s0 + x] + lines[u + x];
    } else if (f === 3) {
      for (let x = 0; x < stride; ++x) {
        const a = x >= bpp ? lines[o + x - bpp] : 0;
        const up = y > 0 ? lines[u + x] : 0;
        lines[o + x] = raw[s0 + x] + ((a + up) >> 1);
      }
    } else if (f === 4 && y === 0) {
      // No line above: the predictor is the left neighbour.
      for (let x = 0; x < stride; ++x) lines[o + x] = raw[s0 + x] + (x >= bpp ? lines[o + x - bpp] : 0);
    } else if (f === 4) {
      for (let x = 0; x < bpp; ++x) lines[o + x] = raw[s0 + x] + lines[u + x];
      for (let x = bpp; x < stride; ++x) {
        const a = lines[o + x - bpp], up = lines[u + x], c = lines[u + x - bpp];
        const pa = up > c ? up - c : c - up; // |p - a| with p = a + up - c
        const pb = a > c ? a - c : c - a;
        const pc = a + up - c - c > 0 ? a + up - 2 * c : 2 * c - a - up;
        lines[o + x] = raw[s0 + x] + (pa <= pb && pa <= pc ? a : pb <= pc ? up : c);
      }
    } else {
      return null;
    }
  }
  if (type === 6) return { width, height, rgba: lines };
  const rgba = new Uint8Array(width * height * 4);
  for (let y = 0; y < height; ++y) {
    const line = lines.subarray(y * stride, (y + 1) * stride);
    for (let x = 0; x < width; ++x) {
      const o = (y * width + x) * 4;
      if (type === 2) {
        rgba[o] = line[x * 3];
        rgba[o + 1] = line[x * 3 + 1];
        rgba[o + 2] = line[x * 3 + 2];
        rgba[o + 3] =
          trns && trns.length >= 6 && trns[1] === rgba[o] && trns[3] === rgba[o + 1] && trns[5] === rgba[o + 2] ? 0 : 255;
      } else if (type === 0 || type === 4) {
        const g = line[x * channels];
        rgba[o] = rgba[o + 1] = rgba[o + 2] = g;
        rgba[o + 3] = type === 4 ? line[x * 2 + 1] : trns && trns.length >= 2 && trns[1] === g ? 0 : 255;
      } else {
        const bit = x * depth;
        const i = (line[bit >> 3] >> (8 - depth - (bit & 7))) & ((1 << depth) - 1);
        if (!palette || i * 3 + 2 >= palette.length) return null;
        rgba[o] = palette[i * 3];
        rgba[o + 1] = palette[i * 3 + 1];
        rgba[o + 2] = palette[i * 3 + 2];
        rgba[o + 3] = trns && i < trns.length ? trns[i] : 255;
      }
    }
  }
  return { width, height, rgba };
}

// A PNG of 8 bits per channel decoded by the browser (on its own threads, and at once rather
// than after the page's scripts have warmed up) as straight RGBA bytes; null without
// ImageDecoder. The pixels are the file's exactly when every pixel is fully opaque or fully
// transparent; the browser keeps its pixels premultiplied, so a partly transparent one may come
// back rounded. early: a promise of the same decoding done before ({width, height, rgba}, as
// index.html does them), or null.
async function decodeByBrowser(buffer, early = null) {
  const b = new Uint8Array(buffer);
  let decoder = null;
  let image = null;
  try {
    const done = await Promise.resolve(early).catch(() => null);
    // IHDR's bit depth, colour type and interlace method.
    if (b.length < 33 || b[24] !== 8 || b[28] !== 0 || typeof ImageDecoder !== 'function') return null;
    if (done) return done;
    decoder = new ImageDecoder({ data: b, type: 'image/png', premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
    ({ image } = await decoder.decode());
    const width = image.codedWidth, height = image.codedHeight;
    const rgba = new Uint8Array(width * height * 4);
    if (image.allocationSize({ format: 'RGBA' }) !== rgba.length) return null;
    await image.copyTo(rgba, { format: 'RGBA' });
    return { width, height, rgba };
  } catch {
    return null;
  } finally {
    if (image) image.close();
    if (decoder) decoder.close();
  }
}

// A picture from a file's bytes, chosen by the file name's extension as the desktop chooses its
// decoder; null when it cannot be decoded.
//
// quick: a partly transparent PNG is given the browser's pixels at once (its straight colours may
// be a level off where the browser rounded them through premultiplied values), with `exact()`,
// which decodes the file with decodePng and puts its pixels into the same picture; until then
// the picture's `approximate` is true. Without quick such a PNG is decoded exactly at once.
// early: the browser's decoding of the file, when one was started already (decodeByBrowser's).
export async function decodePicture(name, buffer, quick = false, early = null) {
  const ext = (name.match(/\.([^./\\]*)$/) || [, ''])[1].toLowerCase();
  const types = { png: 'image/png', jpg: 'image/jpeg', jpeg: 'image/jpeg', bmp: 'image/bmp', ico: 'image/x-icon' };
  if (!types[ext]) return null;
  try {
    if (ext === 'png') {
      const browser = await decodeByBrowser(buffer, early);
      if (browser) {
        const { width, height, rgba } = browser;
        const pic = Picture.fromStraightRGBA(width, height, rgba);
        if (!pic.blended) return pic;
        if (quick) {
          pic.approximate = true;
          pic.exact = async () => {
            pic.exact = null;
            const png = await decodePng(buffer).catch(() => null);
            if (png && png.width === width && png.height === height)
              pic.takePixels(Picture.fromStraightRGBA(width, height, png.rgba));
            pic.approximate = false;
          };
          return pic;
        }
      }
      const png = await decodePng(buffer);
      if (png) return Picture.fromStraightRGBA(png.width, png.height, png.rgba);
    }
    const bitmap = await createImageBitmap(new Blob([buffer], { type: types[ext] }), {
      premultiplyAlpha: 'none',
      colorSpaceConversion: 'none',
    });
    const c = new OffscreenCanvas(bitmap.width, bitmap.height);
    const ctx = c.getContext('2d', { willReadFrequently: true });
    ctx.drawImage(bitmap, 0, 0);
    const data = ctx.getImageData(0, 0, bitmap.width, bitmap.height).data;
    return Picture.fromStraightRGBA(bitmap.width, bitmap.height, data);
  } catch {
    return null;
  }
}
