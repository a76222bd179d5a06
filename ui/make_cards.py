#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Cuts the game's 65 card images out of two aisleriot card themes.

Each theme is one gzip-compressed SVG holding a grid of 13 columns (ace, 2..10,
jack, queen, king) by 5 rows (clubs, diamonds, hearts, spades, then jokers and
the back). A card is its own group plus whatever it refers to by id; it keeps
the theme's coordinates and gets the cell's rectangle as its viewBox, so each
output file is small and renders at any size.

usage: make_cards.py FRENCH.svgz ENGLISH.svgz OUTDIR
Writes OUTDIR/<NAME>.svg for every card and OUTDIR/cards.qrc listing them.
"""

import copy
import gzip
import os
import re
import sys
import xml.etree.ElementTree as ET

SVG = "http://www.w3.org/2000/svg"
XLINK = "http://www.w3.org/1999/xlink"
ET.register_namespace("", SVG)
ET.register_namespace("xlink", XLINK)

ROWS = {"club": 0, "diamond": 1, "heart": 2, "spade": 3}
VALUES = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "jack", "queen", "king"]
# The game's suits 1..4 and the names of their images.
SUITS = [("spade", "PIQUE", "USPI"), ("heart", "COEUR", "USCO"),
         ("club", "TREFLE", "USTR"), ("diamond", "CARREAU", "USCA")]

REF = re.compile(r"url\(\s*#([^)\s]+)\s*\)")
HREFS = ("href", "{%s}href" % XLINK)


def load(path):
    with gzip.open(path, "rb") as f:
        return ET.fromstring(f.read())


def grid(root):
    box = root.get("viewBox")
    if box:
        x, y, w, h = (float(v) for v in box.replace(",", " ").split())
    else:
        x, y = 0.0, 0.0
        w = float(re.sub(r"[a-z]+$", "", root.get("width")))
        h = float(re.sub(r"[a-z]+$", "", root.get("height")))
    return x, y, w / 13.0, h / 5.0


def references(element):
    found = set()
    for node in element.iter():
        for key in HREFS:
            value = node.get(key)
            if value and value.startswith("#"):
                found.add(value[1:])
        for value in node.attrib.values():
            found.update(REF.findall(value))
        if node.text and node.tag == "{%s}style" % SVG:
            found.update(REF.findall(node.text))
    return found


def cut(root, ids, element_id, column, row):
    x0, y0, cw, ch = grid(root)
    card = ids[element_id]
    # Everything the card refers to, transitively, goes into its defs.
    wanted, queue = [], list(references(card))
    seen = set(queue)
    while queue:
        ref = queue.pop()
        target = ids.get(ref)
        if target is None or target is card:
            continue
        wanted.append(target)
        for more in references(target) - seen:
            seen.add(more)
            queue.append(more)
    out = ET.Element("{%s}svg" % SVG)
    out.set("version", "1.1")
    out.set("width", "%.3f" % cw)
    out.set("height", "%.3f" % ch)
    out.set("viewBox", "%.4f %.4f %.4f %.4f" % (x0 + column * cw, y0 + row * ch, cw, ch))
    out.set("preserveAspectRatio", "none")
    defs = ET.SubElement(out, "{%s}defs" % SVG)
    inside_card = {id(n) for n in card.iter()}
    for target in wanted:
        if id(target) not in inside_card:
            defs.append(copy.deepcopy(target))
    out.append(copy.deepcopy(card))
    return ET.tostring(out, encoding="unicode")


def main():
    french_path, english_path, outdir = sys.argv[1:4]
    os.makedirs(outdir, exist_ok=True)
    themes = {}
    for key, path in (("fr", french_path), ("us", english_path)):
        root = load(path)
        ids = {n.get("id"): n for n in root.iter() if n.get("id")}
        themes[key] = (root, ids)

    cards = []
    for theme_suit, french, english in SUITS:
        for v, word in enumerate(VALUES, start=1):
            element = "%s_%s" % (theme_suit, word)
            cards.append(("%s%d" % (french, v), "fr", element, v - 1, ROWS[theme_suit]))
            # English courts, and English aces: indexed A, not 1.
            if v > 10 or v == 1:
                cards.append(("%s%d" % (english, v), "us", element, v - 1, ROWS[theme_suit]))
    cards.append(("JOKER", "fr", "joker_red", 1, 4))

    names = []
    for name, theme, element, column, row in cards:
        root, ids = themes[theme]
        if element not in ids:
            sys.exit("make_cards: %s has no element %s" % (theme, element))
        text = cut(root, ids, element, column, row)
        with open(os.path.join(outdir, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(text)
        names.append(name)

    qrc = ['<RCC>', '  <qresource prefix="/cards">']
    qrc += ['    <file>%s.svg</file>' % n for n in names]
    qrc += ['  </qresource>', '</RCC>', '']
    with open(os.path.join(outdir, "cards.qrc"), "w", encoding="utf-8") as f:
        f.write("\n".join(qrc))


if __name__ == "__main__":
    main()
