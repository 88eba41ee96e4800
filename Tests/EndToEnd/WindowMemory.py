#!/usr/bin/env python3
"""Writes what a program last drew into its window's memory as a picture: the shared memory that
SDL's window surface hands the X server (MIT-SHM), found as the program's segment of the window's
size. That is the frame the program last drew, scaled and with its bars, whatever the display
server shows. Usage: WindowMemory.py <program's pid> <width> <height> <out.ppm>"""
import ctypes
import sys

pid, width, height, out = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
size = width * height * 4

# Every segment: key shmid perms size cpid ...; the program's of the window's size, newest last.
segments = []
with open("/proc/sysvipc/shm") as table:
    next(table)
    for line in table:
        fields = line.split()
        if int(fields[3]) == size and int(fields[4]) == pid:
            segments.append(int(fields[1]))
if not segments:
    sys.exit(f"no window memory of {width}x{height} in process {pid}")

libc = ctypes.CDLL(None, use_errno=True)
libc.shmat.restype = ctypes.c_void_p
libc.shmat.argtypes = [ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
libc.shmdt.argtypes = [ctypes.c_void_p]
SHM_RDONLY = 0o10000
address = libc.shmat(segments[-1], None, SHM_RDONLY)
if address in (None, ctypes.c_void_p(-1).value):
    sys.exit(f"cannot read the window memory: errno {ctypes.get_errno()}")
pixels = ctypes.string_at(address, size)  # 0x00RRGGBB words, little-endian
libc.shmdt(ctypes.c_void_p(address))

rgb = bytearray(width * height * 3)
rgb[0::3] = pixels[2::4]
rgb[1::3] = pixels[1::4]
rgb[2::3] = pixels[0::4]
with open(out, "wb") as picture:
    picture.write(b"P6 %d %d 255\n" % (width, height))
    picture.write(rgb)
