#!/usr/bin/env python3
"""Writes the pictures of the scene-graph control screen the tests run (controls.xml names them):
one file per picture, NAME_0, NAME_1, ..., for image lists read by pattern. The widget screen's
painters draw them (Tests/Data/Widgets/generate.py), cut into one cell per file.

Run from anywhere: python3 Tests/Data/SceneGraph/generate.py. The output is committed.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "Widgets"))
import generate as art  # noqa: E402

OUT = os.path.join(HERE, "Controls")


def pieces(name, columns, rows, width, height, paint):
    """Cell (column, row) of the painter becomes NAME_(row * columns + column)."""
    for row in range(rows):
        for column in range(columns):
            art.png("%s_%d" % (name, row * columns + column), width, height,
                    lambda x, y, c=column, r=row: paint(c, r, x, y), OUT)


# vbar: a vertical three-brush of 16 x 8 pieces, caps dark, the middle ridged.
def vbar(column, row, x, y):
    if row == 1 and 3 <= x <= 12:
        return (150, 190, 150, 255) if y % 4 else (110, 150, 110, 255)
    return (30, 80, 30, 255) if row != 1 else (90, 160, 90, 255)


def main():
    os.makedirs(OUT, exist_ok=True)
    pieces("check", 10, 1, 16, 16, art.check)
    pieces("radio", 5, 1, 16, 16, art.radio)
    pieces("thumb", 5, 1, 12, 18, art.thumb)
    pieces("up", 4, 1, 16, 16, art.arrow(False))
    pieces("down", 4, 1, 16, 16, art.arrow(True))
    pieces("frame", 3, 3, 8, 8, art.frame)
    pieces("bar", 3, 1, 6, 10, art.bar)
    pieces("vbar", 1, 3, 16, 8, vbar)


if __name__ == "__main__":
    main()
