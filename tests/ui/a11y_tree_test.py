# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays the start of a game through the accessibility tree, as a screen
reader or a desktop test tool sees it, and checks what it hears: the five
cards after a deal, the message line after the draw, the two buttons of the
double-or-quit offer.

usage: a11y_tree_test.py GAME
  GAME is the game on a fixed clock (brisko_a11y_game). Run on an X display
  inside a D-Bus session (a11y_tree_run sets up both) with Debian's
  python3 and python3-pyatspi; the game's settings go to a new folder.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

# Midnight and seven seconds: the deal holds a joker and the held cards
# draw three of a kind, which pays 4 at a bet of 1.
CLOCK_MS = "7000"
CARDS_AFTER_DEAL = ["Nine of clubs, held", "Joker, held", "Five of clubs",
                    "Nine of hearts, held", "Ten of diamonds"]
MESSAGE_AFTER_DRAW = " Three of a Kind"
OFFER = ["Quits, Won : 4", "Double up to : 8"]


def nodes(root):
    """Every accessible below root, in the tree's order."""
    for child in root:
        if child is None:
            continue
        yield child
        yield from nodes(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def wait_for(what, find, seconds=30):
    """What find() returns once it returns something; fails after a while."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        # Events reach their listeners from the main loop.
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            found = find()
        except Exception:  # the tree changes while it is walked
            found = None
        if found:
            return found
        time.sleep(0.2)
    sys.exit("a11y_tree_test: no %s" % what)


def game_app():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "brisko99":
            return app
    return None


def named(app, name, role):
    for node in nodes(app):
        if node.name == name and node.getRole() == role and showing(node):
            return node
    return None


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            action.doAction(i)
            return
    sys.exit("a11y_tree_test: %s cannot be pressed" % node.name)


def line(node, depth=0):
    text = "%s%s %r" % ("  " * depth, node.getRoleName(), node.name)
    if node.description:
        text += " (%s)" % node.description
    return text


def main():
    game = sys.argv[1]
    config = tempfile.mkdtemp(prefix="brisko-a11y-")
    env = dict(os.environ, XDG_CONFIG_HOME=config, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_ACCESSIBILITY="1", QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([game, CLOCK_MS], env=env)
    try:
        app = wait_for("game on the accessibility bus", game_app)
        button = pyatspi.ROLE_PUSH_BUTTON
        english = wait_for("English button", lambda: named(app, "English version", button))
        print(line(english))
        press(english)

        name_field = wait_for("name field", lambda: named(app, "Your name:", pyatspi.ROLE_TEXT))
        name_field.queryEditableText().setTextContents("PAUL")
        press(wait_for("OK button", lambda: named(app, "OK", button)))

        press(wait_for("DEAL button", lambda: named(app, "DEAL", button)))

        def cards():
            found = [n for n in nodes(app) if n.getRole() == pyatspi.ROLE_IMAGE and showing(n)]
            return found if [c.name for c in found] == CARDS_AFTER_DEAL else None

        for card in wait_for("five cards named %s" % CARDS_AFTER_DEAL, cards):
            print(line(card))
        for holder in [n for n in nodes(app) if n.name.startswith("Hold or throw")][:2]:
            print(line(holder))

        # A screen reader hears the new message from its name-changed event.
        heard = []

        def listen(event):
            if event.source.description == "Game message":
                heard.append(event.source)

        pyatspi.Registry.registerEventListener(listen, "object:property-change:accessible-name")
        press(named(app, "DEAL", button))

        def message():
            return next((n for n in heard if n.name == MESSAGE_AFTER_DRAW), None)

        print(line(wait_for("announced message %r" % MESSAGE_AFTER_DRAW, message)))
        offer = wait_for("offer", lambda: named(app, "DOUBLE OR QUITS ???", pyatspi.ROLE_LABEL))
        print(line(offer))
        for name in OFFER:
            print(line(wait_for("offer button %r" % name, lambda: named(app, name, button)), 1))
        for row in [n for n in nodes(app) if n.name.startswith("Royal Flush")][:1]:
            print(line(row))
    finally:
        process.terminate()
        process.wait()
        shutil.rmtree(config, ignore_errors=True)
    print("a11y_tree_test: the tree reads as expected")


if __name__ == "__main__":
    main()
