// Pictures from files' bytes, as the desktop's decoders give them.
//
// PNG pictures are read by zn.wasm rather than by the browser, so their pixels are the file's
// exactly (no colour management, no premultiplied round trip); the browser inflates their
// data. Other formats, and a PNG that reader does not read, go through the browser's decoder.

import { offThread, Picture, pixelKernel } from './picture.js';

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

// A PNG file read into a picture by zn.wasm (web/core/pngdecode.h) around the browser's
// inflating; null for a file it does not read or a broken one.
async function decodePng(buffer) {
  const file = new Uint8Array(buffer);
  // The width, the height, then the offset and length of each compressed part; none when the
  // reader does not read the file.
  const [width, height, ...parts] = pixelKernel().askList('zn_png_chunks', [], file);
  if (width === undefined) return null;
  const chunks = [];
  for (let i = 0; i + 1 < parts.length; i += 2) chunks.push(file.subarray(parts[i], parts[i] + parts[i + 1]));
  const lines = await inflate(chunks);
  const both = new Uint8Array(file.length + lines.length);
  both.set(file);
  both.set(lines, file.length);
  const [id, blended] = pixelKernel().askList('zn_png_picture', [file.length], both);
  if (!id) return null;
  const pic = new Picture(width, height, id);
  pic.blended = blended === 1;
  return pic;
}

// A PNG of 8 bits per channel decoded by the browser (on its own threads, and at once rather
// than after the page's scripts have warmed up; while the page loads, in its worker) as
// straight RGBA bytes; null without ImageDecoder. The pixels are the file's exactly when every pixel is fully opaque or fully
// transparent; the browser keeps its pixels premultiplied, so a partly transparent one may come
// back rounded. early: a promise of the same decoding done before ({width, height, rgba}, as
// index.html does them), or null.
async function decodeByBrowser(buffer, early = null) {
  const b = new Uint8Array(buffer);
  const done = await Promise.resolve(early).catch(() => null);
  // IHDR's bit depth, colour type and interlace method.
  if (b.length < 33 || b[24] !== 8 || b[28] !== 0 || typeof ImageDecoder !== 'function') return null;
  return done || offThread(decodeRGBA, [b]);
}

// The PNG file's bytes as {width, height, rgba} by ImageDecoder, or null. On its own, as the
// worker runs it too.
async function decodeRGBA(b) {
  let decoder = null;
  let image = null;
  try {
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
            if (png && png.width === width && png.height === height) pic.takePixels(png);
            pic.approximate = false;
          };
          return pic;
        }
      }
      const png = await decodePng(buffer);
      if (png) return png;
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
