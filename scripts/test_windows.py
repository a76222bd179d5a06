# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the Windows game under wine64 for scripts/test-windows, on the
virtual X server it was started in, with WINEPREFIX already made:
    python3 scripts/test_windows.py SETUP FRAMEBUFFER SCREENSHOT
"""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from screenshot import Display, read_xwd, xwd_to_png  # noqa: E402

WINE = "/usr/lib/wine/wine64"
GAME_KEY = r"HKEY_CURRENT_USER\Software\Caldimo\BRISKO 99"
UNINSTALL_KEY = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\BRISKO 99"
PREFIX = os.environ["WINEPREFIX"]
FOLDER = os.path.join(PREFIX, "drive_c", "Program Files", "BRISKO 99")
SHORTCUT = os.path.join(PREFIX, "drive_c", "ProgramData", "Microsoft", "Windows", "Start Menu",
                        "Programs", "BRISKO 99.lnk")


def fail(message):
    sys.exit("test-windows: " + message)


def say(message):
    print("test-windows: " + message, flush=True)


def wine(*args, **kwargs):
    return subprocess.run([WINE, *args], capture_output=True, text=True, errors="replace",
                          **kwargs)


def reg_query(key):
    """The lines of `reg query KEY`, or None when the key is not there."""
    run = wine("reg", "query", key)
    return run.stdout.replace("\r", "").splitlines() if run.returncode == 0 else None


def check_game_key(lines, when):
    """The 188 values the game keeps, each of its own type and size."""
    if lines is None:
        fail(f"no key {GAME_KEY} {when}")

    def count(pattern):
        return sum(1 for line in lines if re.match(pattern, line))
    values = count(r"^    [^ ].*  REG_")
    one_byte = count(r"^    (verif|optionDoublagePropose|optionSuggestionCartes|optionBarreInfo)"
                     r"    REG_BINARY    [0-9A-F]{2}$")
    four_bytes = count(r"^    (optionCouleurFondEcran|niveau|optionObjectifNbTirages|"
                       r"score[1-3][1-6][1-5])    REG_BINARY    [0-9A-F]{8}$")
    strings = count(r"^    (highScoreName[1-3][1-6][1-5]|optionYourName)    REG_SZ")
    say(f"reg query {when}: {values} values, {one_byte} of 1 byte, {four_bytes} of 4 bytes, "
        f"{strings} strings")
    if (values, one_byte, four_bytes, strings) != (188, 4, 93, 91):
        print("\n".join(lines[:20]), file=sys.stderr)
        fail(f"the game's key is not as the game leaves it ({when})")
    name = [line for line in lines if line.startswith("    optionYourName    REG_SZ")]
    if not name or not name[0].endswith("PAUL"):
        fail(f"the player's name is not kept: {name}")


def frame(framebuffer):
    return read_xwd(framebuffer)[2]


def main():
    setup, framebuffer, screenshot = sys.argv[1:4]

    # The installer, silent.
    started = time.monotonic()
    if wine(setup, "/S").returncode != 0:
        fail("the installer failed")
    game = os.path.join(FOLDER, "brisko99.exe")
    for path in (game, os.path.join(FOLDER, "Uninstall.exe"), SHORTCUT):
        if not os.path.isfile(path):
            fail(f"the installer left no {path}")
    if reg_query(UNINSTALL_KEY) is None:
        fail("no uninstall entry")
    say(f"installed in {time.monotonic() - started:.0f} s: "
        f"{sum(len(files) for _, _, files in os.walk(FOLDER))} files in C:\\Program Files\\BRISKO 99")

    # The game, started from where it was installed, away from its folder.
    proc = subprocess.Popen([WINE, r"C:\Program Files\BRISKO 99\brisko99.exe"], cwd="/",
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    x = Display()
    try:
        for _ in range(60):
            time.sleep(1)
            if proc.poll() is not None:
                fail(f"the game stopped at once (status {proc.returncode})")
            if x.find_window("BRISKO 99"):
                break
        else:
            fail("no window BRISKO 99 in a minute")
        time.sleep(3)
        # The splash: Tab moves the focus ring to the English button.
        x.key("Tab")
        x.key("Return")
        time.sleep(3)
        # The change-game dialog: without a name the letters go to its field.
        for letter in "paul":
            x.key(letter)
        x.key("Return")
        time.sleep(3)
        table = frame(framebuffer)
        x.key("space")  # the deal button has the focus at a new game
        time.sleep(3)
        dealt = frame(framebuffer)
        xwd_to_png(framebuffer, screenshot)
        say(f"screenshot {screenshot}")
        changed = sum(1 for a, b in zip(table, dealt) if a != b)
        if changed < 50:
            fail(f"the deal changed {changed} lines of the screen only")
        # Alt+F4 closes the game window, which ends the game.
        x.chord("Alt_L", "F4")
        try:
            proc.wait(timeout=20)
        except subprocess.TimeoutExpired:
            fail("the game did not close on Alt+F4")
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()
    check_game_key(reg_query(GAME_KEY), "after a game")

    # The uninstaller copies itself out of the folder and goes on from there.
    if wine(os.path.join(FOLDER, "Uninstall.exe"), "/S").returncode != 0:
        fail("the uninstaller failed")
    for _ in range(60):
        if not os.path.exists(FOLDER):
            break
        time.sleep(1)
    else:
        fail(f"the uninstaller left {os.listdir(FOLDER)}")
    if os.path.exists(SHORTCUT):
        fail("the uninstaller left the Start menu entry")
    if reg_query(UNINSTALL_KEY) is not None:
        fail("the uninstaller left its uninstall entry")
    check_game_key(reg_query(GAME_KEY), "after the uninstall")
    say("uninstalled; the player's settings and scores stay")


if __name__ == "__main__":
    main()
