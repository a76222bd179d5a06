# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs the game on the current X display, clicks and types through XTEST,
and saves the X server's frame buffer (Xvfb -fbdir, in XWD format) as PNG
files: the splash, the change-game dialog, the table at a new game and after
a deal, the double-or-quit offer and the pick of a card, both with the
keyboard's focus marked, and the statistics window after a few more draws.

usage: [SCREENSHOT_WM=openbox] screenshot.py GAME FRAMEBUFFER WIDTH HEIGHT LANGUAGE OUT_PREFIX [trainer]
  LANGUAGE is fr or en; the pictures are OUT_PREFIX-splash.png,
  OUT_PREFIX-dialog.png, OUT_PREFIX-table.png, OUT_PREFIX-deal.png,
  OUT_PREFIX-offer.png, OUT_PREFIX-pick.png and OUT_PREFIX-stats.png (the
  statistics window after some more draws); in English also
  OUT_PREFIX-splash-focus.png (the focus on the English button, which the
  Return key then presses) and OUT_PREFIX-resized.png (the game in a window
  of 700 x 500).
  With trainer, the trainer is switched on (F10) at the new game instead:
  OUT_PREFIX-trainer.png after a deal with the fifth card alone held, and
  OUT_PREFIX-trainer-verdict.png after its draw.
"""

import ctypes
import os
import struct
import subprocess
import sys
import time
import zlib


def read_xwd(xwd_path):
    """Width, height and rows of (r, g, b) bytes of an XWD frame buffer."""
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
        rgb = bytearray(width * 3)
        if byte_order == 0:  # B G R X
            rgb[0::3] = line[2::4]
            rgb[1::3] = line[1::4]
            rgb[2::3] = line[0::4]
        else:  # X R G B
            rgb[0::3] = line[1::4]
            rgb[1::3] = line[2::4]
            rgb[2::3] = line[3::4]
        rows.append(bytes(rgb))
    return width, height, rows


def count_colour(xwd_path, rgb):
    """How many pixels of the frame buffer have the colour rgb (r, g, b)."""
    _, _, rows = read_xwd(xwd_path)
    return sum(1 for row in rows for pixel in zip(row[0::3], row[1::3], row[2::3])
               if pixel == rgb)


def xwd_to_png(xwd_path, png_path, area=None):
    """The frame buffer as a PNG file; area (x, y, width, height) crops it."""
    width, height, rows = read_xwd(xwd_path)
    if area:
        x, y, width, height = area
        rows = [row[3 * x:3 * (x + width)] for row in rows[y:y + height]]
    rows = [b"\x00" + row for row in rows]

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
    png += chunk(b"IEND", b"")
    with open(png_path, "wb") as f:
        f.write(png)


class Display:
    def __init__(self):
        self.x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        self.xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(None)

    def key(self, name):
        code = self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(name.encode()))
        self.xtst.XTestFakeKeyEvent(self.display, code, 1, 0)
        self.xtst.XTestFakeKeyEvent(self.display, code, 0, 0)
        self.x11.XFlush(self.display)
        time.sleep(0.2)

    def chord(self, modifier, name):
        codes = [self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(k.encode()))
                 for k in (modifier, name)]
        for code in codes:
            self.xtst.XTestFakeKeyEvent(self.display, code, 1, 0)
        for code in reversed(codes):
            self.xtst.XTestFakeKeyEvent(self.display, code, 0, 0)
        self.x11.XFlush(self.display)
        time.sleep(0.2)

    def find_window(self, title):
        """The shown top-level window whose name is title, or None."""
        x11 = self.x11
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                   ctypes.POINTER(ctypes.c_ulong),
                                   ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                   ctypes.POINTER(ctypes.c_uint)]
        x11.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                   ctypes.POINTER(ctypes.c_char_p)]
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        x11.XQueryTree(self.display, x11.XDefaultRootWindow(self.display), ctypes.byref(root),
                       ctypes.byref(parent), ctypes.byref(children), ctypes.byref(count))
        # XWindowAttributes, of which only map_state (at byte 92) is read.
        attributes = ctypes.create_string_buffer(256)
        x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_char_p]
        for i in range(count.value):
            name = ctypes.c_char_p()
            if not (x11.XFetchName(self.display, children[i], ctypes.byref(name)) and name.value):
                continue
            x11.XGetWindowAttributes(self.display, children[i], attributes)
            viewable = struct.unpack_from("i", attributes.raw, 92)[0] == 2
            if viewable and name.value.decode("utf-8", "replace") == title:
                return children[i]
        return None

    def move_resize(self, window, x, y, width, height):
        self.x11.XMoveResizeWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                               ctypes.c_int, ctypes.c_uint, ctypes.c_uint]
        self.x11.XMoveResizeWindow(self.display, window, x, y, width, height)
        self.x11.XFlush(self.display)
        time.sleep(2)

    def click(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.display, -1, int(x), int(y), 0)
        self.x11.XFlush(self.display)
        time.sleep(0.3)
        self.xtst.XTestFakeButtonEvent(self.display, 1, 1, 0)
        self.xtst.XTestFakeButtonEvent(self.display, 1, 0, 0)
        self.x11.XFlush(self.display)
        time.sleep(0.3)


def centred(width, height, design_w, design_h, m, x, y):
    """Screen point of the design point (x, y) in a window of design size
    design_w x design_h centred on the screen, at reference width m."""
    w, h = round(design_w * m / 800), round(design_h * m / 800)
    left, top = width // 2 - (w - 1) // 2, height // 2 - (h - 1) // 2
    return left + x * m / 800, top + y * m / 800


def play_then_open_statistics(x, framebuffer, out):
    """Picks a card, plays on for a chart worth seeing, opens the statistics
    window (F11) once its exact frequencies are known, then closes it (Escape)."""
    def quit_offer():
        if count_colour(framebuffer, (0x80, 0x80, 0xFF)) > 1000:
            x.chord("Alt_L", "q")
            time.sleep(0.6)
    x.key("2")  # the second card of the pick
    time.sleep(1.5)
    for _ in range(16):
        quit_offer()
        x.key("space")  # deal
        time.sleep(0.5)
        x.key("space")  # draw
        time.sleep(0.8)
    quit_offer()
    x.key("F11")
    time.sleep(8)
    xwd_to_png(framebuffer, out + "-stats.png")
    x.key("Escape")
    time.sleep(0.5)


def shoot_trainer(x, framebuffer, out):
    """The trainer on, a deal with a hold of the fifth card alone, its draw,
    then the statistics window beside them."""
    x.key("F5")  # no suggested holds: the deal comes with none held
    x.key("F10")
    time.sleep(2)
    x.key("space")
    time.sleep(2)
    x.key("5")
    time.sleep(1.5)
    xwd_to_png(framebuffer, out + "-trainer.png")
    x.key("space")
    time.sleep(2)
    xwd_to_png(framebuffer, out + "-trainer-verdict.png")
    x.key("F11")  # the statistics, placed clear of the cards
    time.sleep(6)
    xwd_to_png(framebuffer, out + "-trainer-stats.png")


def shoot_teaching(x, framebuffer, out, practise):
    """The trainer on, a costly hold drawn; the strategy chart (Options >
    Strategy, its file kept in the cache folder beforehand), the review of
    the mistake, and the mistake dealt again to practise."""
    x.key("F5")
    x.key("F10")
    time.sleep(2)
    x.key("space")
    time.sleep(2)
    x.key("5")
    x.key("space")
    time.sleep(2)
    if count_colour(framebuffer, (0x80, 0x80, 0xFF)) > 1000:
        x.chord("Alt_L", "q")
        time.sleep(1)
    options = (84, 8)  # the Options menu's title in the menu bar
    x.click(*options)
    x.key("g")  # Straté&gie, Strate&gy
    time.sleep(3)
    xwd_to_png(framebuffer, out + "-strategy.png")
    x.key("Escape")
    time.sleep(0.5)
    x.click(*options)
    x.key("r")  # &Revue des erreurs, &Review of mistakes: the newest chosen
    time.sleep(2)
    xwd_to_png(framebuffer, out + "-review.png")
    x.click(*practise)  # Rejouer, Practise
    time.sleep(2)
    xwd_to_png(framebuffer, out + "-practice.png")


def main():
    game, framebuffer, width, height, language, out = sys.argv[1:7]
    trainer = sys.argv[7:8] == ["trainer"]
    teaching = sys.argv[7:8] == ["teaching"]
    width, height = int(width), int(height)
    m = min(width, height * 4 // 3)  # as the game scales for 96 dpi
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    manager = os.environ.get("SCREENSHOT_WM")  # e.g. openbox, to try the game under one
    if manager:
        manager = subprocess.Popen([manager], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        time.sleep(1.5)
    frozen = os.environ.get("SCREENSHOT_FROZEN_CLOCK")  # e.g. "2026-12-08 12:00:00"
    if frozen:
        # The same deals on every run: the wall clock stopped (libfaketime,
        # package faketime), the timers running on the monotonic clock.
        env["LD_PRELOAD"] = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
        env["FAKETIME"] = frozen
        env["FAKETIME_DONT_FAKE_MONOTONIC"] = "1"
    proc = subprocess.Popen([game], env=env)
    x = Display()
    try:
        time.sleep(4)
        xwd_to_png(framebuffer, out + "-splash.png")
        if language == "fr":
            # The language buttons sit in the splash's frame at 12, 8.
            x.click(*centred(width, height, 421, 307, m, 12 + 19 + 88, 8 + 206 + 15))
        else:
            # By keyboard: Tab moves the focus ring to the English button.
            x.key("Tab")
            time.sleep(0.5)
            xwd_to_png(framebuffer, out + "-splash-focus.png")
            x.key("Return")
        time.sleep(3)
        xwd_to_png(framebuffer, out + "-dialog.png")
        # Without a name the letters go straight into the name field.
        for letter in "paul":
            x.key(letter)
        x.key("Return")
        time.sleep(3)
        xwd_to_png(framebuffer, out + "-table.png")
        if trainer:
            shoot_trainer(x, framebuffer, out)
            return
        if teaching:
            # The review's Rejouer / Practise button, where the window opens.
            shoot_teaching(x, framebuffer, out, (40, 342))
            return
        x.key("space")  # the deal button has the focus at a new game
        time.sleep(3)
        xwd_to_png(framebuffer, out + "-deal.png")
        # Draw and deal until a draw pays: the offer bar (#8080FF) shows.
        for _ in range(60):
            x.key("space")
            time.sleep(0.6)
            if count_colour(framebuffer, (0x80, 0x80, 0xFF)) > 1000:
                break
            x.key("space")
            time.sleep(0.6)
        else:
            sys.exit("screenshot: no paying draw in 60")
        time.sleep(0.3)
        xwd_to_png(framebuffer, out + "-offer.png")
        x.chord("Alt_L", "d")  # double: the four cards to pick from
        time.sleep(0.8)  # the focus is on the first of them after 500 ms
        xwd_to_png(framebuffer, out + "-pick.png")
        play_then_open_statistics(x, framebuffer, out)
        # A window of 700 x 500 holds the whole table, smaller.
        window = x.find_window("BRISKO 99")
        if window:
            x.move_resize(window, 0, 0, 700, 500)
            xwd_to_png(framebuffer, out + "-resized.png", (0, 0, 700, 500))
    finally:
        proc.terminate()
        proc.wait(timeout=10)
        if manager:
            manager.terminate()
            manager.wait(timeout=10)


if __name__ == "__main__":
    main()
