#!/usr/bin/env python3
"""One folder shared by two PCs, as OneDrive or Dropbox share the Desktop: two copies of the
program, each in a Wine prefix of its own (each prefix its own wineserver, as each PC its own
Windows), run from the same folder on one display. Each posts a memo in a slot of its own;
both memos are shown by both, and after both end the file holds both. Then timpsd.ini is
replaced from outside, as a synchronising service brings another PC's file (a new file renamed
over the old): the running copy shows the new memo within a check and keeps it.

usage: shared_folder.py PROGRAM HARIPON_REMOTE_EXE SHOTS_FOLDER SECOND_PREFIX
(WINEPREFIX, WINEARCH and DISPLAY set for the first copy.) Exits 0 when it went as it should.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from journeys import (EDITOR, ROOT, SHOWS, STRIP, UP, Editor, JourneyFailed, User,  # noqa: E402
                      expect, theme_keys, within)


def post_and_hide(user, slot, text):
    editor = Editor(user, theme_keys(os.path.join(user.folder, "face8.bmp")))
    editor.slot(slot)
    editor.write_memo(text)
    editor.post()
    user.wait_shown(STRIP.format(slot))
    user.click(*editor.key_place("CLOSESBTN", 10, 10))
    user.wait_hidden(EDITOR)


def shows(user, slot):
    """The memo of that slot shows, at one of the checks that follow the file."""
    return within(SHOWS, lambda: (user.rect(STRIP.format(slot)) or {}).get("shown"), pause=0.5)


def main():
    program, remote, shots, second = sys.argv[1:5]
    quiet = {"stdin": subprocess.DEVNULL, "stdout": subprocess.DEVNULL,
             "stderr": subprocess.DEVNULL}
    subprocess.run([os.path.join(ROOT, "cmake", "wine-prefix.sh"), second], check=True, **quiet)
    os.makedirs(shots, exist_ok=True)
    first = User(program, remote, shots, "shared")
    other = User(program, remote, shots, "shared-other", beside=first, prefix=second)
    try:
        first.start()
        first.wait_shown(EDITOR, UP)
        other.start()
        other.wait_shown(EDITOR, UP)  # mapped on top of the first copy's
        post_and_hide(other, 2, "posted on the other PC")
        post_and_hide(first, 1, "posted on this PC")
        expect(shows(first, 2), "this PC shows the other PC's memo")
        expect(shows(other, 1), "the other PC shows this PC's memo")
        first.shot("both-memos")
        other.remote("close")
        other.wait_for_end()
        saved = first.file()
        expect(b"POST1MEMO=posted on this PC\r\n" in saved and
               b"POST2MEMO=posted on the other PC\r\n" in saved,
               "after the other PC ends the file holds both memos")

        # Another PC's file arrives: a new file renamed over the old one.
        arriving = saved.replace(b"POST3MEMO=\r\n", b"POST3MEMO=arrived from outside\r\n")
        first.write("timpsd.ini.arriving", arriving)
        os.replace(os.path.join(first.folder, "timpsd.ini.arriving"),
                   os.path.join(first.folder, "timpsd.ini"))
        started = time.time()
        expect(shows(first, 3), "the memo of a file replaced from outside shows (%.1f s)"
               % (time.time() - started))
        first.shot("arrived")
        first.remote("close")
        first.wait_for_end()
        saved = first.file()
        expect(all(memo in saved for memo in (b"POST1MEMO=posted on this PC\r\n",
                                              b"POST2MEMO=posted on the other PC\r\n",
                                              b"POST3MEMO=arrived from outside\r\n")),
               "after this PC ends the file holds all three memos")
        return 0
    except (JourneyFailed, subprocess.SubprocessError) as failure:
        print("FAILED:", failure)
        first.shot("failed")
        return 1
    finally:
        other.close()
        first.close()
        subprocess.run(["wineserver", "-k"], env=other.env, **quiet)  # the other PC's own


if __name__ == "__main__":
    sys.exit(main())
