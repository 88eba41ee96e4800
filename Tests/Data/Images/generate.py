#!/usr/bin/env python3
"""Writes the image fixtures of the decoder tests and the corpus of damaged files.

Run from anywhere: python3 Tests/Data/Images/generate.py. The output is committed; the script
is kept so the files can be made again or extended. JPEG files are written by stb_image_write
(Debian's libstb), the rest byte by byte here.
"""
import ctypes
import os
import random
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
DAMAGED = os.path.join(HERE, "damaged")


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# --- GIF ---------------------------------------------------------------------------------------

def lzw_uncompressed(indices, code_size):
    """LZW data that never grows its code width: a clear code before the table would widen it."""
    clear = 1 << code_size
    width = code_size + 1
    run = (1 << width) - clear - 2  # data codes per clear that keep the width
    codes = []
    for i, value in enumerate(indices):
        if i % run == 0:
            codes.append(clear)
        codes.append(value)
    codes.append(clear + 1)
    bits = 0
    count = 0
    out = bytearray()
    for code in codes:
        bits |= code << count
        count += width
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        out.append(bits & 0xFF)
    return bytes(out)


def sub_blocks(data):
    out = bytearray()
    for at in range(0, len(data), 255):
        chunk = data[at:at + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def gif(screen, frame, indices, palette=None, local=None, transparent=None, code_size=None, lzw=None,
        interlaced=False):
    sw, sh = screen
    left, top, w, h = frame
    out = bytearray(b"GIF89a")
    out += struct.pack("<HH", sw, sh)
    if palette:
        bits = max(1, (len(palette) - 1).bit_length())
        out += bytes([0x80 | (bits - 1), 0, 0])
        for c in palette:
            out += bytes([(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF])
    else:
        out += bytes([0, 0, 0])
    if transparent is not None:
        out += b"\x21\xF9\x04\x01\x0A\x00" + bytes([transparent]) + b"\x00"
    out += b"\x2C" + struct.pack("<HHHH", left, top, w, h)
    packed = 0x40 if interlaced else 0
    if local:
        bits = max(1, (len(local) - 1).bit_length())
        packed |= 0x80 | (bits - 1)
    out.append(packed)
    if local:
        for c in local:
            out += bytes([(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF])
    size = code_size if code_size is not None else 8
    out.append(size)
    out += sub_blocks(lzw if lzw is not None else lzw_uncompressed(indices, size))
    out += b"\x3B"
    return bytes(out)


GREYS = [i * 0x010101 for i in range(256)]


def checker(w, h):
    return [((x // 2) + (y // 2)) % 2 * 255 for y in range(h) for x in range(w)]


# --- PNG ---------------------------------------------------------------------------------------

def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(w, h, rgba, header_size=None):
    hw, hh = header_size or (w, h)
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        raw += bytes(rgba[y * w * 4:(y + 1) * w * 4])
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", hw, hh, 8, 6, 0, 0, 0)) +
            png_chunk(b"IDAT", zlib.compress(bytes(raw))) + png_chunk(b"IEND", b""))


# --- JPEG --------------------------------------------------------------------------------------

def jpeg(w, h, rgb):
    stb = ctypes.CDLL("libstb.so.0")
    path = os.path.join(HERE, ".tmp.jpg")
    buffer = (ctypes.c_ubyte * len(rgb))(*rgb)
    if not stb.stbi_write_jpg(path.encode(), w, h, 3, buffer, 95):
        raise RuntimeError("stbi_write_jpg failed")
    with open(path, "rb") as f:
        data = f.read()
    os.remove(path)
    return data


def solid_rgb(w, h, color):
    return [(color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF] * (w * h)


def flips(data, seed, count):
    rng = random.Random(seed)
    out = bytearray(data)
    for _ in range(count):
        at = rng.randrange(len(out))
        out[at] ^= 1 << rng.randrange(8)
    return bytes(out)


def main():
    os.makedirs(DAMAGED, exist_ok=True)

    # Fixtures: solid JPEG pictures and masks (solid blocks survive the lossy coding almost exactly).
    write(HERE, "solid-8x8.jpg", jpeg(8, 8, solid_rgb(8, 8, 0xC83214)))
    write(HERE, "grey-mask-8x8.jpg", jpeg(8, 8, solid_rgb(8, 8, 0x808080)))
    write(HERE, "grey-mask-16x8.jpg", jpeg(16, 8, solid_rgb(16, 8, 0x808080)))

    good_gif = gif((8, 8), (0, 0, 8, 8), checker(8, 8), palette=GREYS)
    good_png = png(4, 4, [0x10, 0x20, 0x30, 0x80] * 16)
    good_jpg = jpeg(16, 16, [(i * 7) & 0xFF for i in range(16 * 16 * 3)])
    write(DAMAGED, "valid.gif", good_gif)
    write(DAMAGED, "valid.png", good_png)
    write(DAMAGED, "valid.jpg", good_jpg)

    # GIF: sizes that lie, tables and codes that point nowhere, data that stops.
    write(DAMAGED, "gif-truncated-header.gif", good_gif[:9])
    write(DAMAGED, "gif-truncated-palette.gif", good_gif[:13 + 100])
    write(DAMAGED, "gif-truncated-lzw.gif", good_gif[:len(good_gif) - 40])
    write(DAMAGED, "gif-no-image.gif", good_gif[:13 + 768] + b"\x3B")
    write(DAMAGED, "gif-frame-larger-than-screen.gif",
          gif((4, 4), (0, 0, 8, 8), checker(8, 8), palette=GREYS))
    write(DAMAGED, "gif-frame-offset-off-screen.gif",
          gif((8, 8), (6, 6, 8, 8), checker(8, 8), palette=GREYS))
    write(DAMAGED, "gif-frame-smaller-than-screen.gif",
          gif((16, 16), (2, 3, 8, 8), checker(8, 8), palette=GREYS, transparent=0))
    write(DAMAGED, "gif-local-table.gif",
          gif((8, 8), (0, 0, 8, 8), [v & 1 for v in checker(8, 8)], palette=GREYS[:4],
              local=[0xFF0000, 0x0000FF], code_size=2))
    write(DAMAGED, "gif-code-above-next.gif",
          gif((8, 8), (0, 0, 8, 8), [], palette=GREYS[:4], code_size=2,
              lzw=bytes([0x0C, 0xFF, 0xFF, 0xFF])))
    write(DAMAGED, "gif-code-size-0.gif", gif((8, 8), (0, 0, 8, 8), [], palette=GREYS, code_size=0,
                                              lzw=b"\xFF" * 20))
    write(DAMAGED, "gif-code-size-12.gif", gif((8, 8), (0, 0, 8, 8), [], palette=GREYS, code_size=12,
                                               lzw=b"\xFF" * 20))
    write(DAMAGED, "gif-huge-screen.gif", gif((65535, 65535), (0, 0, 8, 8), checker(8, 8), palette=GREYS))
    write(DAMAGED, "gif-huge-frame.gif", gif((8, 8), (0, 0, 65535, 65535), checker(8, 8), palette=GREYS))
    write(DAMAGED, "gif-zero-size-frame.gif", gif((8, 8), (0, 0, 0, 0), [], palette=GREYS))
    write(DAMAGED, "gif-graphic-control-size-0.gif", good_gif[:13 + 768] + b"\x21\xF9\x00\x00" + good_gif[13 + 768:])
    write(DAMAGED, "gif-unterminated-extension.gif", good_gif[:13 + 768] + b"\x21\xFE\xFF" + b"x" * 40)
    write(DAMAGED, "gif-interlaced-short.gif",
          gif((8, 19), (0, 0, 8, 19), checker(8, 19), palette=GREYS, interlaced=True)[:-60])
    for seed in range(6):
        write(DAMAGED, "gif-flipped-%d.gif" % seed, flips(good_gif, seed, 4))

    # PNG
    write(DAMAGED, "png-truncated.png", good_png[:len(good_png) // 2])
    write(DAMAGED, "png-signature-only.png", good_png[:8])
    write(DAMAGED, "png-huge-header.png", png(4, 4, [0] * 64, header_size=(60000, 60000)))
    write(DAMAGED, "png-zero-size.png", png(4, 4, [0] * 64, header_size=(0, 4)))
    write(DAMAGED, "png-bad-zlib.png", good_png[:41] + b"\x00" * 8 + good_png[49:])
    for seed in range(4):
        write(DAMAGED, "png-flipped-%d.png" % seed, flips(good_png, seed, 3))

    # JPEG
    write(DAMAGED, "jpg-truncated.jpg", good_jpg[:len(good_jpg) // 2])
    write(DAMAGED, "jpg-signature-only.jpg", good_jpg[:3])
    sof = good_jpg.find(b"\xFF\xC0")
    huge = bytearray(good_jpg)
    huge[sof + 5:sof + 9] = struct.pack(">HH", 65000, 65000)
    write(DAMAGED, "jpg-huge-header.jpg", bytes(huge))
    for seed in range(4):
        write(DAMAGED, "jpg-flipped-%d.jpg" % seed, flips(good_jpg, seed, 3))


if __name__ == "__main__":
    main()
