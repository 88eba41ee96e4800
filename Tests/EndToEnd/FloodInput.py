#!/usr/bin/env python3
"""Moves the pointer back and forth between two neighbouring points of the screen, as fast as the
X server takes it: a flood of input for whatever window is under the pointer.
Usage: FloodInput.py <x> <y> <moves>"""
import ctypes
import sys

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
x, y, moves = (int(a) for a in sys.argv[1:4])
for i in range(moves):
    xtst.XTestFakeMotionEvent(display, -1, x + i % 2, y, 0)
x11.XSync(display, 0)
x11.XCloseDisplay(display)
