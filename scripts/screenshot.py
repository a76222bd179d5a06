"""Runs the game on the current X display, presses keys through XTEST and
saves the X server's frame buffer (Xvfb -fbdir, in XWD format) as PNG files.

usage: screenshot.py GAME FRAMEBUFFER NEW_GAME.png AFTER_DEAL.png
"""

import ctypes
import os
import struct
import subprocess
import sys
import time
import zlib


def xwd_to_png(xwd_path, png_path):
    data = open(xwd_path, "rb").read()
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    bits_per_pixel, bytes_per_line, ncolors = fields[11], fields[12], fields[19]
    byte_order = fields[7]  # 0: LSB first
    if bits_per_pixel != 32:
        sys.exit("screenshot: unexpected frame buffer depth %d" % bits_per_pixel)
    start = header_size + ncolors * 12
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * 4]
        if byte_order == 0:  # B G R X
            rgb = bytearray(width * 3)
            rgb[0::3] = line[2::4]
            rgb[1::3] = line[1::4]
            rgb[2::3] = line[0::4]
        else:  # X R G B
            rgb = bytearray(width * 3)
            rgb[0::3] = line[1::4]
            rgb[1::3] = line[2::4]
            rgb[2::3] = line[3::4]
        rows.append(b"\x00" + bytes(rgb))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
    png += chunk(b"IEND", b"")
    with open(png_path, "wb") as f:
        f.write(png)


def press(key_name):
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XStringToKeysym.restype = ctypes.c_ulong
    x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                       ctypes.c_ulong]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    code = x11.XKeysymToKeycode(display, x11.XStringToKeysym(key_name.encode()))
    xtst.XTestFakeKeyEvent(display, code, 1, 0)
    xtst.XTestFakeKeyEvent(display, code, 0, 0)
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def main():
    game, framebuffer, new_game_png, deal_png = sys.argv[1:5]
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    proc = subprocess.Popen([game], env=env)
    try:
        time.sleep(4)
        xwd_to_png(framebuffer, new_game_png)
        press("space")  # the deal button has the focus at a new game
        time.sleep(2)
        xwd_to_png(framebuffer, deal_png)
    finally:
        proc.terminate()
        proc.wait(timeout=10)


if __name__ == "__main__":
    main()
