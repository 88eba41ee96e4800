#!/usr/bin/env python3
"""Writes the pictures of the widget screen the tests run (widgets.xml names them).

Run from anywhere: python3 Tests/Data/Widgets/generate.py. The output is committed; the script is
kept so the files can be made again or changed. Other test data imports its painters.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def png(name, width, height, pixel, folder=HERE):
    """pixel(x, y) -> (r, g, b, a); the file is folder/name.png."""
    rows = b"".join(b"\0" + bytes(c for x in range(width) for c in pixel(x, y)) for y in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))
    with open(os.path.join(folder, name + ".png"), "wb") as f:
        f.write(data)


def cells(columns, rows, cell_width, cell_height, paint):
    """A strip of cells; paint(column, row, x, y) colours a pixel of one cell."""
    return (columns * cell_width, rows * cell_height,
            lambda x, y: paint(x // cell_width, y // cell_height, x % cell_width, y % cell_height))


def corner_cut(x, y, size, radius):
    """The pixel lies outside a rounded corner of a size x size cell (top-left corner at 0)."""
    dx, dy = radius - x - 0.5, radius - y - 0.5
    return x < radius and y < radius and dx * dx + dy * dy > radius * radius


# frame: a nine-brush of 8 x 8 pieces: rounded dark corners, lighter edges, a warm centre.
def frame(column, row, x, y):
    if column != 1 and row != 1:
        fx = x if column == 0 else 7 - x
        fy = y if row == 0 else 7 - y
        return (0, 0, 0, 0) if corner_cut(fx, fy, 8, 6) else (60, 40, 30, 255)
    if column == 1 and row == 1:
        return (235, 215, 170, 255) if (x + y) % 8 else (225, 200, 150, 255)
    return (120, 85, 55, 255) if (x + y) % 4 else (100, 70, 45, 255)


# button: three pieces (10 x 24) for each of five states: rounded caps, a striped middle.
STATES = [(70, 130, 200), (90, 170, 240), (40, 90, 150), (140, 140, 140), (230, 170, 40)]


def button(column, row, x, y):
    r, g, b = STATES[row]
    if column != 1:
        fx = x if column == 0 else 9 - x
        if corner_cut(fx, min(y, 23 - y), 10, 8):
            return (0, 0, 0, 0)
    shade = 20 if y < 4 else 0
    stripe = 15 if column == 1 and x % 5 == 0 else 0
    return (min(r + shade, 255), min(g + shade, 255), max(b - stripe, 0), 255)


# tile: one 40 x 24 image per state (normal, hot, pressed, disabled, focused), a transparent notch
# at the top-left corner.
def tile(column, row, x, y):
    if x + y < 6:
        return (0, 0, 0, 0)
    r, g, b = STATES[column]
    border = x in (0, 39) or y in (0, 23)
    return (r // 2, g // 2, b // 2, 255) if border else (r, g, b, 255)


# spinner: three 16 x 16 frames, a dot in another place on each.
def spinner(column, row, x, y):
    cx, cy = [(4, 8), (8, 4), (12, 8)][column]
    inside = (x - cx) ** 2 + (y - cy) ** 2 <= 9
    return (200, 40, 40, 255) if inside else (250, 250, 250, 96)


# bar: a three-brush of 6 x 10 pieces.
def bar(column, row, x, y):
    if column == 1:
        return (90, 160, 90, 255) if y % 3 else (60, 120, 60, 255)
    return (30, 80, 30, 255)


def logo(x, y):
    return (x * 8, 255 - y * 8, 128, 255 if (x - 16) ** 2 + (y - 16) ** 2 < 225 else 0)


# check: ten 16 x 16 boxes, five states unchecked then five checked (a tick drawn in).
def check(column, row, x, y):
    r, g, b = STATES[column % 5]
    if x in (0, 15) or y in (0, 15):
        return (r // 2, g // 2, b // 2, 255)
    ticked = column >= 5 and (y == 11 - abs(x - 6) or y == 12 - abs(x - 6)) and 3 <= x <= 12
    return (30, 30, 30, 255) if ticked else (245, 245, 235, 255)


# radio: five 16 x 16 discs, one per state, a dot in the pressed (checked) one.
def radio(column, row, x, y):
    d = (x - 7.5) ** 2 + (y - 7.5) ** 2
    if d > 56:
        return (0, 0, 0, 0)
    r, g, b = STATES[column]
    if d > 36:
        return (r // 2, g // 2, b // 2, 255)
    return (30, 30, 30, 255) if column == 2 and d < 10 else (245, 245, 235, 255)


# thumb: five 12 x 18 knobs, one per state.
def thumb(column, row, x, y):
    r, g, b = STATES[column]
    if (x in (0, 11) and y in (0, 17)):
        return (0, 0, 0, 0)
    return (r // 2, g // 2, b // 2, 255) if x in (0, 11) or y in (0, 17) else (r, g, b, 255)


# arrows: four 16 x 16 squares (normal, hot, pressed, disabled) with a triangle up or down.
def arrow(down):
    def paint(column, row, x, y):
        r, g, b = STATES[column]
        tip = 15 - y if down else y
        inside = 4 <= tip <= 11 and abs(x - 7.5) <= (tip - 3) * 0.6
        return (250, 250, 250, 255) if inside else (r, g, b, 255)
    return paint


def main():
    png("check", *cells(10, 1, 16, 16, check))
    png("radio", *cells(5, 1, 16, 16, radio))
    png("thumb", *cells(5, 1, 12, 18, thumb))
    png("up", *cells(4, 1, 16, 16, arrow(False)))
    png("down", *cells(4, 1, 16, 16, arrow(True)))
    png("caret", 2, 14, lambda x, y: (20, 20, 20, 255))
    png("frame", *cells(3, 3, 8, 8, frame))
    png("button", *cells(3, 5, 10, 24, button))
    png("tile", *cells(5, 1, 40, 24, tile))
    png("spinner", *cells(3, 1, 16, 16, spinner))
    png("bar", *cells(3, 1, 6, 10, bar))
    png("logo", 32, 32, logo)


if __name__ == "__main__":
    main()
