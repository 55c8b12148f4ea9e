#!/usr/bin/env python3
"""The release used under Wine on Linux as its guide says: unpacked into a fresh folder,
run in a fresh Wine prefix made with LANG=ja_JP.UTF-8 and none of the test prefix's font
replacements. The strips, the tray menu and the messages must draw Japanese glyphs, not
empty boxes.

usage: japanese_locale.py RELEASE_ZIP HARIPON_REMOTE_EXE SHOTS_FOLDER
(Wine's environment set for a prefix of its own, which is made when it is missing; DISPLAY
set). Exits 0 when the glyphs are right.
"""

import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from journeys import STRIP, UP, JourneyFailed, User, expect, unpacked  # noqa: E402

MEMO = "日本語のメモ 表示テスト"


def glyphs(screen, left, top, right, bottom):
    """The shapes drawn in a row of text: runs of inked columns, each as a frozen set of
    its inked points relative to its first column."""
    counts = {}
    for y in range(top, bottom):
        for x in range(left, right):
            colour = screen.pixel(x, y)
            counts[colour] = counts.get(colour, 0) + 1
    paper = max(counts, key=counts.get)

    def inked(x, y):
        return sum(abs(a - b) for a, b in zip(screen.pixel(x, y), paper)) > 200

    shapes, run = [], []
    for x in range(left, right + 1):
        column = {y - top for y in range(top, bottom) if x < right and inked(x, y)}
        if column:
            run.append(column)
        elif run:
            shapes.append(frozenset((dx, y) for dx, ys in enumerate(run) for y in ys))
            run = []
    return shapes


def is_empty_box(shape):
    """An outline with nothing inside: what a font without the character draws."""
    xs = {x for x, _ in shape}
    ys = {y for _, y in shape}
    width, height = max(xs) - min(xs) + 1, max(ys) - min(ys) + 1
    if width < 4 or height < 6:
        return False
    outline = {(x, y) for x in range(min(xs), max(xs) + 1) for y in range(min(ys), max(ys) + 1)
               if x in (min(xs), max(xs)) or y in (min(ys), max(ys))}
    return shape == outline


def text_row(screen, box):
    """The first row of a message box's text, below its caption: a row with glyphs."""
    return next((y for y in range(box["top"] + 25, box["top"] + box["height"])
                 if len(glyphs(screen, box["left"] + 10, y, box["left"] + box["width"] - 10,
                               y + 1)) > 3), None)


def expect_japanese(screen, box, what):
    shapes = glyphs(screen, *box)
    boxes = sum(is_empty_box(shape) for shape in shapes)
    distinct = len(set(shapes))
    print("    %s: %d glyphs, %d different, %d empty boxes" % (what, len(shapes), distinct, boxes))
    expect(len(shapes) >= 5 and boxes == 0 and distinct >= 0.6 * len(shapes),
           "the %s shows Japanese glyphs" % what)


def main():
    package, remote, shots = sys.argv[1:4]
    os.environ.update({"LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8"})
    if not os.path.exists(os.path.join(os.environ["WINEPREFIX"], "system.reg")):
        quiet = {"stdin": subprocess.DEVNULL, "stdout": subprocess.DEVNULL,
                 "stderr": subprocess.DEVNULL}
        subprocess.run(["wine", "wineboot", "-i"], check=True, **quiet)
        # The X display here has no window manager: windows are placed by Wine itself, as
        # on a desktop whose manager leaves them alone. No font is replaced.
        subprocess.run(["wine", "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed",
                        "/d", "N", "/f"], check=True, **quiet)
        subprocess.run(["wineserver", "-w"], check=True)
    os.makedirs(shots, exist_ok=True)
    dist = unpacked(package)
    user = User(dist, remote, shots, "japanese")
    try:
        user.write("timpsd.ini", ("[POST]\r\nPOST1MEMO=%s\r\nPOST1YEAR=-1\r\nPOST1TOP=300\r\n"
                                  "POST1LEFT=300\r\nPOST2MEMO=%s\r\nPOST2YEAR=-1\r\n"
                                  "POST2TOP=340\r\nPOST2LEFT=300\r\n" % (MEMO, "i" * 60)
                                  ).encode("cp932"))
        user.start()
        strip = user.wait_shown(STRIP.format(1), UP)
        narrow = user.wait_shown(STRIP.format(2))
        label = (strip["left"] + 24, strip["top"] + 5, strip["left"] + 300, strip["top"] + 17)
        left, top = narrow["left"] + 24, narrow["top"] + 5
        screen = user.shot_when("strip", lambda screen: len(glyphs(screen, *label)) >= 5 and
                                glyphs(screen, left, top, left + 386, top + 12))
        expect_japanese(screen, label, "memo strip")
        # The label is fixed pitch here too: sixty narrow letters reach the strip's end.
        paper = screen.pixel(left + 385, top)
        inked = [x - left for x in range(left, left + 386) for y in range(top, top + 12)
                 if sum(abs(a - b) for a, b in zip(screen.pixel(x, y), paper)) > 200]
        print("    sixty narrow letters end at x = %d of 386" % max(inked, default=-1))
        expect(max(inked, default=-1) > 330, "sixty narrow letters reach the strip's end")

        user.open_tray_menu()
        menu = user.wait_shown("#32768")
        # Found where their captions are drawn: the menu is drawn before the screenshot.
        middles = {name: user.menu_item(name)[1]
                   for name in ("kOpenEditorCaption", "kVersionCaption")}
        screen = user.shot("menu")
        for name, middle in middles.items():
            expect_japanese(screen, (menu["left"] + 4, middle - 7, menu["left"] + menu["width"] - 4,
                                     middle + 8), "tray menu item " + name)
        user.choose_menu_item("kVersionCaption")
        box = user.wait_shown("#32770")
        screen = user.shot_when("message", lambda screen: text_row(screen, box))
        row = text_row(screen, box)
        expect(row, "the message shows a row of text")
        expect_japanese(screen, (box["left"] + 10, row - 2, box["left"] + box["width"] - 10,
                                 row + 14), "message")
        caption, text = user.read_box()
        expect(text == "『ハリポン Ver 1.01』", "the message reads 『ハリポン Ver 1.01』")
        user.tray_menu("kExitCaption")
        user.wait_for_end()
        print("Japanese text is drawn under ja_JP.UTF-8")
        return 0
    except (JourneyFailed, subprocess.SubprocessError) as failure:
        print("FAILED:", failure)
        user.shot("failed")
        return 1
    finally:
        user.close()
        shutil.rmtree(os.path.dirname(dist), ignore_errors=True)
        subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)


if __name__ == "__main__":
    sys.exit(main())
