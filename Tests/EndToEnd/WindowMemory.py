#!/usr/bin/env python3
"""Writes the frame a program last drew into its window (SDL's window surface, memory it shares
with the X server: the program's segment of the window's size) as a picture, whatever the screen
shows. Usage: WindowMemory.py <pid> <width> <height> <out.ppm>"""
import ctypes
import sys

pid, width, height, out = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
size = width * height * 4
with open("/proc/sysvipc/shm") as table:  # key shmid perms size cpid ...
    rows = [line.split() for line in list(table)[1:]]
segments = [int(row[1]) for row in rows if int(row[3]) == size and int(row[4]) == pid]
if not segments:
    sys.exit(f"no window memory of {width}x{height} in process {pid}")
libc = ctypes.CDLL(None, use_errno=True)
libc.shmat.restype = ctypes.c_void_p
libc.shmat.argtypes = [ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
address = libc.shmat(segments[-1], None, 0o10000)  # read only
if address in (None, ctypes.c_void_p(-1).value):
    sys.exit(f"cannot read the window memory: errno {ctypes.get_errno()}")
pixels = ctypes.string_at(address, size)  # 0x00RRGGBB words, little-endian
rgb = bytearray(width * height * 3)
rgb[0::3], rgb[1::3], rgb[2::3] = pixels[2::4], pixels[1::4], pixels[0::4]
with open(out, "wb") as picture:
    picture.write(b"P6 %d %d 255\n" % (width, height) + rgb)
