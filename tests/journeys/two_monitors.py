#!/usr/bin/env python3
"""The program on a desktop of two monitors side by side (Xephyr with two heads inside a
private Xvfb): a strip dragged onto the second monitor stays there, and strips stored where
no monitor is (after one was unplugged) come onto the nearest one, while the next save
keeps their own places for when the monitor is back.

usage: two_monitors.py PROGRAM_FOLDER HARIPON_REMOTE_EXE SHOTS_FOLDER
(Wine's environment set for a prefix of its own, made when it is missing). Exits 0 when the
strips went where they should, 77 when no Xephyr can be started.
"""

import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from journeys import ROOT, STRIP, UP, JourneyFailed, User, expect, within  # noqa: E402

PRIMARY, SECOND = (0, 0, 1280, 1024), (1280, 0, 2304, 768)


def free_display(first):
    number = first
    while os.path.exists("/tmp/.X%d-lock" % number):
        number += 1
    return number


def start_displays():
    """Xvfb holding Xephyr with two heads; returns the processes and Xephyr's display."""
    quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}

    def up(number):
        return subprocess.run(["xdpyinfo", "-display", ":%d" % number], **quiet).returncode == 0
    outer = free_display(70)
    xvfb = subprocess.Popen(["Xvfb", ":%d" % outer, "-screen", "0", "2400x1100x24",
                             "-nolisten", "tcp"], **quiet)
    processes, inner = [xvfb], free_display(outer + 1)
    if within(UP, lambda: up(outer)):
        processes.insert(0, subprocess.Popen(
            ["Xephyr", ":%d" % inner, "+xinerama", "-extension", "RANDR", "-screen", "1280x1024",
             "-screen", "1024x768"], env=dict(os.environ, DISPLAY=":%d" % outer), **quiet))
        if within(UP, lambda: up(inner)):
            return processes, ":%d" % inner
    for process in processes:
        process.kill()
    return None, None


def on(monitor, strip):
    left, top, right, bottom = monitor
    return (left <= strip["left"] and strip["left"] + strip["width"] <= right and
            top <= strip["top"] and strip["top"] + strip["height"] <= bottom)


def main():
    program, remote, shots = sys.argv[1:4]
    if not shutil.which("Xephyr"):
        return 77
    displays, display = start_displays()
    if not displays:
        return 77
    os.environ["DISPLAY"] = display
    quiet = {"stdin": subprocess.DEVNULL, "stdout": subprocess.DEVNULL,
             "stderr": subprocess.DEVNULL}
    subprocess.run(["wineserver", "-k"], **quiet)  # a Wine session on this display only
    # Made as the tests' own prefix is, Japanese fonts included, so that menus can be read.
    subprocess.run([os.path.join(ROOT, "cmake", "wine-prefix.sh"), os.environ["WINEPREFIX"]],
                   check=True, **quiet)
    os.makedirs(shots, exist_ok=True)
    user = User(program, remote, shots, "monitors")
    try:
        user.write("timpsd.ini", b"[POST]\r\nPOST1MEMO=drag me\r\nPOST1YEAR=-1\r\nPOST1TOP=100\r\n"
                   b"POST1LEFT=100\r\nPOST2MEMO=far away\r\nPOST2YEAR=-1\r\nPOST2TOP=3000\r\n"
                   b"POST2LEFT=5000\r\nPOST3MEMO=left of all\r\nPOST3YEAR=-1\r\nPOST3TOP=100\r\n"
                   b"POST3LEFT=-2000\r\n")
        user.start()
        far, left = user.wait_shown(STRIP.format(2), UP), user.wait_shown(STRIP.format(3))
        expect(on(SECOND, far), "the strip stored at 5000, 3000 is on the nearest monitor (%d, %d)"
               % (far["left"], far["top"]))
        expect(on(PRIMARY, left), "the strip stored at -2000, 100 is on the screen (%d, %d)"
               % (left["left"], left["top"]))

        strip = user.wait_shown(STRIP.format(1))
        moved = user.drag(STRIP.format(1), strip["left"] + 200, strip["top"] + 11, 1700, 300,
                          (1500, 289))
        user.shot("dragged")
        expect(on(SECOND, moved), "the strip dragged onto the second monitor stays there (%d, %d)"
               % (moved["left"], moved["top"]))

        user.tray_menu("kExitCaption")
        user.wait_for_end()
        saved = user.file().decode("cp932")
        places = {int(n): (int(l), int(t)) for n, t, l in
                  re.findall(r"POST(\d)TOP=(-?\d+)\r\nPOST\1LEFT=(-?\d+)", saved)}
        expect(places[2] == (5000, 3000) and places[3] == (-2000, 100),
               "their own places are saved, not the ones they were brought to")
        expect(places[1] == (moved["left"], moved["top"]), "the dragged place is saved")
        return 0
    except (JourneyFailed, subprocess.SubprocessError) as failure:
        print("FAILED:", failure)
        user.shot("failed")
        return 1
    finally:
        user.close()
        subprocess.run(["wineserver", "-k"], **quiet)
        for process in displays:
            process.kill()


if __name__ == "__main__":
    sys.exit(main())
