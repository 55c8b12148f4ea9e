#!/usr/bin/env python3
"""Journeys through haripon.exe as a person makes them: the real program under Wine on an
X display, driven only from outside with the pointer and the keyboard (xdotool), its
windows found by their class names and its message boxes read and answered through
haripon_remote.exe, timpsd.ini and screenshots examined.

usage: journeys.py PROGRAM HARIPON_REMOTE_EXE SHOTS_FOLDER JOURNEY
PROGRAM is the folder the program runs from, or the release's zip, unpacked first.
(WINEPREFIX, WINEARCH and DISPLAY set). Exits 0 when the journey went as it should.
"""

import datetime
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TITLE, EDITOR, REMINDER, CHOOSER = "TPTitleForm", "TTPostForm", "TMsgForm", "TChgCgFrm"
STRIP = "TPostForm{}"  # slot number 1..7
WM_LBUTTONDBLCLK, WM_RBUTTONDOWN = 515, 516
# Bounds of the waits, made for a busy two-core machine: they cost nothing when things go right.
UP = 60  # the program comes up, or ends
SHOWS = 30  # a window shows or goes, a message box comes, a click or a key takes effect


class JourneyFailed(Exception):
    pass


def program_texts():
    """The program's fixed texts by name (kExitCaption ...), from their readable source."""
    texts = {}
    with open(os.path.join(ROOT, "src", "model", "texts.txt"), encoding="utf-8") as f:
        for line in f:
            name, equals, text = line.rstrip("\n").partition(" = ")
            if equals and re.fullmatch(r"k\w+", name):
                texts[name] = text
    return texts


TEXTS = program_texts()


def expect(condition, what):
    if not condition:
        raise JourneyFailed(what)
    print("  ok:", what)


def within(seconds, probe, failure=None, pause=0.1):
    """probe()'s first true answer, asked again until `seconds` have passed; else its last
    answer, or the journey fails with `failure` when one is given."""
    end = time.time() + seconds
    answer = probe()
    while not answer and time.time() < end:
        time.sleep(pause)
        answer = probe()
    if not answer and failure:
        raise JourneyFailed("%s within %d s" % (failure, seconds))
    return answer


# ----------------------------------------------------------------------------- pictures

class Picture:
    """Pixels of a screenshot (binary PPM) or of a Windows bitmap file, as (r, g, b)."""

    def __init__(self, width, height, pixel_at):
        self.width, self.height, self._pixel_at = width, height, pixel_at

    def pixel(self, x, y):
        return self._pixel_at(x, y)

    @staticmethod
    def from_ppm(path):
        data = open(path, "rb").read()
        fields, at = [], 0
        while len(fields) < 4:  # magic, width, height, maximum
            while data[at:at + 1].isspace():
                at += 1
            end = at
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[at:end])
            at = end
        at += 1
        width, height = int(fields[1]), int(fields[2])
        if int(fields[3]) != 255:
            raise JourneyFailed("%s: not 8 bits a colour" % path)
        pixels = data[at:]
        return Picture(width, height,
                       lambda x, y: tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3]))

    @staticmethod
    def from_bmp(path):
        data = open(path, "rb").read()
        offset = struct.unpack_from("<I", data, 10)[0]
        width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
        if bits != 24:
            raise JourneyFailed("%s: only 24-bit pictures are compared" % path)
        stride = (width * 3 + 3) & ~3

        def pixel_at(x, y):
            row = height - 1 - y if height > 0 else y
            b, g, r = data[offset + row * stride + x * 3:offset + row * stride + x * 3 + 3]
            return (r, g, b)
        return Picture(width, abs(height), pixel_at)


def drawn_at(screen, picture, left, top):
    """How much of a picture drawn transparently (its bottom-left colour left out) the screen
    shows at (left, top): the share of its other pixels found there."""
    key = picture.pixel(0, picture.height - 1)
    points = [(x, y) for y in range(0, picture.height, 2) for x in range(0, picture.width, 2)
              if picture.pixel(x, y) != key]
    found = sum(screen.pixel(left + x, top + y) == picture.pixel(x, y) for x, y in points)
    print("    (%d of %d pixels at %d, %d)" % (found, len(points), left, top))
    return found / max(len(points), 1)


def colour(value):
    """A theme colour (0x00BBGGRR, decimal or $hex) as (r, g, b)."""
    number = int(value[1:], 16) if value.startswith("$") else int(value, 0)
    return (number & 0xFF, number >> 8 & 0xFF, number >> 16 & 0xFF)


def theme_keys(path):
    """Keys of a theme description (Shift-JIS INI text): the first of each name wins."""
    return theme_keys_of(open(path, "rb").read())


def theme_keys_of(data):
    """Keys of Shift-JIS INI text by (SECTION, NAME): the first of each name wins."""
    keys, section = {}, None
    for line in data.decode("cp932").splitlines():
        line = line.strip()
        if line.startswith("[") and "]" in line:
            section = line[1:line.index("]")].strip().upper()
        elif "=" in line and section:
            name, value = line.split("=", 1)
            keys.setdefault((section, name.strip().upper()), value.strip())
    return keys


# ------------------------------------------------------------------------------ the user

class Remote:
    """haripon_remote running beside the journey. Its output goes to a file, not a pipe:
    Wine's helper processes would hold a pipe open."""

    def __init__(self, user, args):
        self.out = tempfile.TemporaryFile()
        self.process = subprocess.Popen(["wine", user.remote_exe] + [str(a) for a in args],
                                        env=user.env, stdin=subprocess.DEVNULL, stdout=self.out,
                                        stderr=subprocess.DEVNULL)

    def printed(self):
        self.out.seek(0)
        return self.out.read().decode("utf-8", "replace")

    def result(self):
        """(status, output) once it ends; each of its own waits has a bound."""
        with self.out:
            try:
                status = self.process.wait(timeout=2 * UP)
            except subprocess.TimeoutExpired:
                self.process.kill()
                raise
            return status, self.printed()


class User:
    """The program in a folder of its own, and a person at the screen."""

    def __init__(self, dist, remote, shots, journey, beside=None, prefix=None):
        """`beside`: another user whose folder this one shares, from the Wine prefix `prefix`
        (another PC on the same synchronised folder)."""
        self.dist, self.remote_exe, self.shots, self.journey = dist, remote, shots, journey
        self.env = dict(os.environ, WINEPREFIX=prefix) if prefix else None
        self.owns_folder = beside is None
        self.folder = beside.folder if beside else tempfile.mkdtemp(prefix="haripon-journey-")
        if self.owns_folder:
            shutil.copytree(dist, self.folder, dirs_exist_ok=True)
        self.process = None
        self.shot_count = 0

    def close(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if self.owns_folder:
            shutil.rmtree(self.folder, ignore_errors=True)

    # The program.
    def start(self, folder=None):
        process = subprocess.Popen(["wine", "haripon.exe"], cwd=folder or self.folder, env=self.env,
                                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        if folder is None:
            self.process = process
        return process

    def wait_for_end(self, timeout=UP):
        self.process.wait(timeout=timeout)

    def file(self, name="timpsd.ini"):
        path = os.path.join(self.folder, name)
        return open(path, "rb").read() if os.path.exists(path) else None

    def write(self, name, data):
        open(os.path.join(self.folder, name), "wb").write(data)

    def remote(self, *args):
        return Remote(self, args).result()

    def timer(self, start, end):
        """Times beside the program, from now on, how long after one window shows or goes
        (+CLASS, -CLASS) another does; gives a function returning the seconds."""
        watch = Remote(self, ("time", start, end))
        within(SHOWS, lambda: "watching" in watch.printed(), "haripon_remote watching")

        def seconds():
            status, out = watch.result()
            if status != 0:
                raise JourneyFailed("%s and then %s did not come" % (start, end))
            return int(out.split()[-1]) / 1000
        return seconds

    # Windows by class.
    def rect(self, cls):
        status, out = self.remote("rect", cls)
        if status != 0:
            return None
        left, top, width, height, shown, x = (int(v) for v in out.split())
        return {"left": left, "top": top, "width": width, "height": height, "shown": shown == 1,
                "x": x}

    def text(self, cls):
        """The window text of the program's window of that class, as a screen reader reads it."""
        status, out = self.remote("text", cls)
        return out.rstrip("\r\n") if status == 0 else None

    def shown_place(self, cls):
        """The place of the window of that class once it shows and the X server has mapped it
        (Wine maps it a moment later, and a click sent before that is lost); else None."""
        place = self.rect(cls)
        mapped = place and place["x"] and "IsViewable" in subprocess.run(
            ["xwininfo", "-id", str(place["x"])], capture_output=True, text=True).stdout
        return place if mapped and place["shown"] else None

    def wait_shown(self, cls, timeout=SHOWS):
        return within(timeout, lambda: self.shown_place(cls), "%s shown" % cls)

    def wait_hidden(self, cls, timeout=SHOWS):
        within(timeout, lambda: not (self.rect(cls) or {}).get("shown"), "%s gone" % cls)

    def wait_keyboard(self, place):
        """Until the window at that place has the keyboard: Wine gives its X window the input
        focus as it takes a click, and keys sent before that go elsewhere. A window Wine holds
        active already is given none: with no window manager, the X focus then stays with a
        window of another process that has closed meanwhile (a second copy's box), and is
        handed over here, as a window manager would."""
        def focused():
            return subprocess.run(["xdotool", "getwindowfocus"], capture_output=True,
                                  text=True).stdout.strip() == str(place["x"])
        if not within(2, focused):
            self.xdotool("windowfocus", place["x"])
        within(SHOWS, focused, "the keyboard with the window clicked into")

    def box(self):
        """The message box shown (caption, text), answered with OK; None when none shows."""
        status, out = self.remote("box")
        if status != 0:
            return None
        lines = out.splitlines()
        return lines[0], " ".join(lines[1:])

    def read_box(self, timeout=SHOWS):
        return within(timeout, self.box, "a message box")

    def no_box(self):
        return self.box() is None

    # The pointer and the keyboard.
    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], check=True)

    def click(self, x, y, button=1):
        self.xdotool("mousemove", x, y, "click", button)

    def drag(self, cls, x, y, to_x, to_y, lands):
        """Drags the window of that class, taken at (x, y), to (to_x, to_y); returns its place
        once it lands at `lands` (left, top) and stays there, or when the time is up."""
        start = self.rect(cls)
        self.xdotool("mousemove", x, y, "mousedown", 1)
        for step in range(1, 11):
            self.xdotool("mousemove", x + (to_x - x) * step // 10, y + (to_y - y) * step // 10)
            if step == 1:  # the press is taken once the window follows the pointer
                within(SHOWS, lambda: self.rect(cls) != start, "%s following the pointer" % cls)
            time.sleep(0.05)
        self.xdotool("mouseup", 1)

        def landed():
            return all((place["left"], place["top"]) == lands
                       for place in (self.rect(cls), self.rect(cls)))
        within(SHOWS, landed)
        return self.rect(cls)

    def type(self, text):
        self.xdotool("type", "--delay", 30, text)

    def key(self, *keys):
        self.xdotool("key", "--delay", 60, *keys)

    def replace_text(self, window, x, y, text):
        """Replaces the text of the box at (x, y) in the window at place `window`."""
        self.click(x, y)
        self.wait_keyboard(window)
        self.key("Home", "shift+End", "BackSpace")
        self.type(text)

    def shot_when(self, what, ready):
        """A screenshot, taken again under the same name until ready(screen) holds (Wine
        draws a window a moment after it shows) or the time is up; returns the last."""
        end = time.time() + SHOWS
        screen = self.shot(what)
        while not ready(screen) and time.time() < end:
            self.shot_count -= 1
            screen = self.shot(what)
        return screen

    def shot(self, what):
        """A screenshot kept in the build tree; returns its pixels."""
        self.shot_count += 1
        stem = os.path.join(self.shots, "journey%s-%02d-%s" % (self.journey, self.shot_count, what))
        subprocess.run(["import", "-window", "root", "-depth", "8", stem + ".ppm"], check=True)
        subprocess.run(["/usr/bin/convert", stem + ".ppm", stem + ".png"], check=True)
        picture = Picture.from_ppm(stem + ".ppm")
        os.remove(stem + ".ppm")
        return picture

    # Popup menus: an item found where the menu draws its caption, chosen with the pointer.
    def menu_item(self, name):
        """The screen point in the middle of a shown menu's item whose caption is the
        program's text `name` (kExitCaption ...), or that text itself."""
        caption = TEXTS.get(name, name)
        self.wait_shown("#32768")

        def item():
            status, out = self.remote("item", caption.encode("utf-8").hex())
            return tuple(int(v) for v in out.split()) if status == 0 else None
        return within(SHOWS, item, "the menu's item %s" % caption, pause=0.2)

    def choose_menu_item(self, name):
        self.click(*self.menu_item(name))

    # The tray icon: its callback reaches the title window with the pointer where it is.
    def open_tray_menu(self):
        self.xdotool("mousemove", 40, 40)
        self.remote("tray", WM_RBUTTONDOWN)

    def tray_menu(self, name):
        """Chooses the tray menu's item whose caption is the program's text `name`."""
        self.open_tray_menu()
        self.choose_menu_item(name)


# ------------------------------------------------------------------------------ journeys

class Editor:
    """Places on the memo editor, from the theme the program shows."""

    def __init__(self, user, theme):
        self.user, self.theme = user, theme
        self.place = user.wait_shown(EDITOR)

    def at(self, x, y):
        return self.place["left"] + x, self.place["top"] + y

    def key_place(self, name, dx=0, dy=0):
        return self.at(int(self.theme[("CG", name + "_XPOS")]) + dx,
                       int(self.theme[("CG", name + "_YPOS")]) + dy)

    def write_memo(self, text):
        self.user.replace_text(self.place, *self.key_place("INPMEMOMEMO", 80, 8), text)

    def tick(self):
        self.user.click(*self.key_place("INPMEMOCBOX", 6, 8))

    def set_time(self, year, month, day, hour, minute):
        offsets = (0, 80, 152, 224, 296)
        for offset, value in zip(offsets, (year, month, day, hour, minute)):
            self.user.replace_text(self.place, *self.key_place("INPMEMOSETTIM", offset + 12, 10),
                                   str(value))

    def post(self):
        self.user.click(*self.key_place("POSTBTN", 11, 11))

    def slot(self, number):
        self.user.click(*self.key_place("CHR%dFACE" % number, 16, 16))


def start_to_editor(user):
    user.start()
    user.wait_shown(TITLE, UP)
    return Editor(user, theme_keys(os.path.join(user.folder, "face8.bmp")))


def journey_1(user):
    """First start: the title, the editor on slot 1, a memo for now, its reminder."""
    title_time = user.timer("+" + TITLE, "+" + EDITOR)
    user.start()
    title = user.wait_shown(TITLE, UP)
    expect((title["width"], title["height"]) == (300, 200), "the title window is 300 x 200")
    user.shot("title")
    user.wait_shown(EDITOR)
    waited = title_time()
    expect(2.0 <= waited <= 6.5, "the editor comes after the title (%.2f s)" % waited)
    expect(not user.rect(TITLE)["shown"], "the title is gone")
    editor = Editor(user, theme_keys(os.path.join(user.folder, "face8.bmp")))
    expect((editor.place["width"], editor.place["height"]) == (408, 227), "the editor is 408 x 227")

    editor.write_memo("Journey one: call the dentist")
    editor.tick()
    now = datetime.datetime.now()
    editor.set_time(now.year, now.month, now.day, now.hour, now.minute)
    user.shot("editor-ready")
    editor.post()
    strip = user.wait_shown(STRIP.format(1))
    expect((strip["width"], strip["height"]) == (413, 22), "the strip of slot 1 is shown")
    expect(user.text(STRIP.format(1)) == "Journey one: call the dentist",
           "the strip's text, read from outside, is its memo")
    # The strip shows first, then the file is written.
    expect(within(SHOWS, lambda: b"POST1MEMO=Journey one: call the dentist\r\n" in user.file()),
           "the memo is in timpsd.ini")

    reminder = user.wait_shown(REMINDER)
    expect((reminder["width"], reminder["height"]) == (300, 160), "the reminder window shows")
    expect(user.text(REMINDER).endswith("Journey one: call the dentist"),
           "the reminder's text ends with its memo")
    theme = theme_keys(os.path.join(user.folder, "face8.bmp"))
    character = Picture.from_bmp(os.path.join(user.folder, theme[("CG", "TIMERCHR1")].replace("\\", "/")))
    left = reminder["left"] + int(theme[("CG", "TIMCHR_XPOS")])
    top = reminder["top"] + int(theme[("CG", "TIMCHR_YPOS")])

    def character_drawn(screen):
        return drawn_at(screen, character, left, top) > 0.95
    screen = user.shot_when("reminder", character_drawn)
    expect(character_drawn(screen), "character 1 is in the reminder window")
    expect(screen.pixel(reminder["left"] + 104 + 170, reminder["top"] + 24 + 8) == (255, 255, 255),
           "the line strip is there")
    paper = colour(theme[("COLOR", "MSGWNDCOL")])
    ink = sum(screen.pixel(reminder["left"] + 104 + x, reminder["top"] + 64 + y) != paper
              for x in range(0, 160) for y in range(0, 16))
    expect(ink > 20, "the memo is written in the reminder window")

    button = (int(theme[("CG", "MSGEXTBTN_XPOS")]) + 10, int(theme[("CG", "MSGEXTBTN_YPOS")]) + 10)
    user.click(reminder["left"] + button[0], reminder["top"] + button[1])
    user.wait_hidden(REMINDER)
    user.wait_hidden(STRIP.format(1))
    emptied = (b"POST1MEMO=\r\n", b"POST1YEAR=-1\r\n", b"POST1TIMEFLAG=0\r\n")
    expect(within(SHOWS, lambda: all(key in user.file() for key in emptied)),  # written after
           "timpsd.ini holds the emptied slot")
    user.shot("delivered")
    user.tray_menu("kExitCaption")
    user.wait_for_end()


def strip_menu(user, slot, name):
    """Chooses the item of a strip's menu whose caption is the program's text `name`."""
    strip = user.rect(STRIP.format(slot))
    user.click(strip["left"] + 200, strip["top"] + 11, button=3)
    user.choose_menu_item(name)


def journey_2(user):
    """Three memos, one dragged past the right edge, one made small; a restart shows them."""
    editor = start_to_editor(user)
    # Where the pointer leaves each strip, taken 200 pixels from its left, and where the strip
    # lands: the first and the second flush with the screen's edges they were dragged past.
    places = {1: (120, 300, (0, 289)), 2: (1270, 560, (867, 549)), 3: (260, 700, (60, 689))}
    for slot, text in ((1, "first memo"), (2, "second memo"), (3, "third memo")):
        editor.slot(slot)
        editor.write_memo(text)
        editor.post()
        strip = user.wait_shown(STRIP.format(slot))
        user.drag(STRIP.format(slot), strip["left"] + 200, strip["top"] + 11, *places[slot])
    second = user.rect(STRIP.format(2))
    expect(second["left"] == 1280 - 413, "the strip dragged past the right edge ends flush")
    strip_menu(user, 3, "kSmallerCaption")
    expect(within(SHOWS, lambda: user.rect(STRIP.format(3))["width"] == 213),
           "the third strip is small")
    user.shot("three-strips")
    left = {slot: (user.rect(STRIP.format(slot))["left"], user.rect(STRIP.format(slot))["top"])
            for slot in (1, 2, 3)}
    user.tray_menu("kExitCaption")
    user.wait_for_end()
    settings = user.file()
    for slot, (x, y) in left.items():
        expect(b"POST%dLEFT=%d\r\n" % (slot, x) in settings and
               b"POST%dTOP=%d\r\n" % (slot, y) in settings,
               "strip %d's place is in timpsd.ini" % slot)

    user.start()
    for slot, (x, y) in left.items():
        strip = user.wait_shown(STRIP.format(slot), UP)
        expect((strip["left"], strip["top"], strip["width"]) == (x, y, 413),
               "after the restart strip %d is where it was, large" % slot)
    expect(not user.rect(EDITOR)["shown"], "the editor stays in the tray")
    user.shot("restarted")
    user.tray_menu("kExitCaption")
    user.wait_for_end()


def journey_3(user):
    """Refused input: a year of 1999, 31 April, an empty memo."""
    user.write("timpsd.ini", b"[FOLDER]\r\nDATFOLDER=DATA\\Standard\\\r\n")
    before = user.file()
    editor = start_to_editor(user)
    editor.write_memo("refused")
    editor.tick()
    cases = (("1999", "4", "10", "西暦のデータが不正です"),
             ("2030", "4", "31", "日のデータが不正です"),
             (None, None, None, "メモに何も書き込まれていません"))
    for year, month, day, message in cases:
        if year:
            editor.set_time(year, month, day, 9, 5)
        else:
            editor.write_memo("")
        editor.post()
        user.wait_shown("#32770")
        user.shot("refused")
        caption, text = user.read_box()
        expect(caption == "『ハリポン Ver 1.01』" and text == message, "the message reads " + message)
        expect(not user.rect(STRIP.format(1))["shown"], "nothing is posted")
        expect(user.file() == before, "timpsd.ini is unchanged")
    user.tray_menu("kExitCaption")
    user.wait_for_end()


def journey_4(user):
    """The theme changed from the tray: a wrong name refused, the other theme taken."""
    editor = start_to_editor(user)
    user.click(*editor.key_place("CLOSESBTN", 10, 10))
    user.wait_hidden(EDITOR)
    user.tray_menu("kChangeThemeCaption")
    chooser = user.wait_shown(CHOOSER)
    user.wait_keyboard(chooser)  # the name can be typed at once
    user.key("ctrl+a")
    user.type("yozora")
    user.key("Return")
    caption, text = user.read_box()
    expect(text == "選択したＣＧテーマが不正です", "a name in other letters is refused")
    expect(b"DATFOLDER" not in (user.file() or b""), "nothing is written")
    expect(user.rect(CHOOSER)["shown"], "the chooser stays")
    theme = theme_keys(os.path.join(user.folder, "face8.bmp"))
    user.replace_text(chooser, chooser["left"] + 80, chooser["top"] + 58, "Yozora")
    user.shot("chooser")
    user.click(chooser["left"] + int(theme[("CG", "THEMERETBTN_XPOS")]) + 10,
               chooser["top"] + int(theme[("CG", "THEMERETBTN_YPOS")]) + 10)
    caption, text = user.read_box()
    expect(text == "選択したＣＧテーマは次回起動時から有効になります", "the choice is taken")
    user.wait_hidden(CHOOSER)
    expect(b"DATFOLDER=DATA\\Yozora\\\r\n" in user.file(), "timpsd.ini names the theme")
    user.tray_menu("kExitCaption")
    user.wait_for_end()

    user.start()
    yozora = os.path.join(user.folder, "DATA", "Yozora")
    title = user.wait_shown(TITLE, UP)
    picture = Picture.from_bmp(os.path.join(yozora, "title.bmp"))

    def title_drawn(screen):
        return drawn_at(screen, picture, title["left"], title["top"]) > 0.95
    expect(title_drawn(user.shot_when("yozora-title", title_drawn)), "the title is the new theme's")
    editor = user.wait_shown(EDITOR)
    picture = Picture.from_bmp(os.path.join(yozora, "main.bmp"))

    def editor_drawn(screen):
        return drawn_at(screen, picture, editor["left"], editor["top"]) > 0.5
    expect(editor_drawn(user.shot_when("yozora-editor", editor_drawn)),
           "the editor is the new theme's")
    user.tray_menu("kExitCaption")
    user.wait_for_end()


def journey_5(user):
    """A second copy; close requests refused; a strip's menu to rewrite and peel off."""
    editor = start_to_editor(user)
    other = tempfile.mkdtemp(prefix="haripon-second-")
    try:
        shutil.copytree(user.dist, other, dirs_exist_ok=True)
        second = user.start(other)
        caption, text = user.read_box()
        expect(text == "アプリケーションは既に実行されています！", "the second copy says so")
        expect(second.wait(timeout=UP) == 0, "the second copy ends")
        expect(not os.path.exists(os.path.join(other, "timpsd.ini")), "it writes nothing")
    finally:
        shutil.rmtree(other, ignore_errors=True)

    user.click(*editor.at(400, 120))
    user.wait_keyboard(editor.place)
    user.key("alt+F4")
    expect(user.rect(EDITOR)["shown"], "Alt+F4 leaves the editor open")
    editor.write_memo("fifth memo")
    editor.post()
    strip = user.wait_shown(STRIP.format(1))
    user.click(strip["left"] + 200, strip["top"] + 11)
    user.key("alt+F4")
    expect(user.rect(STRIP.format(1))["shown"], "Alt+F4 leaves the strip on the desktop")

    strip_menu(user, 1, "kRewriteCaption")
    editor.write_memo("fifth memo, rewritten")
    editor.post()  # the rewrite button stands where the post button did
    expect(within(SHOWS, lambda: b"POST1MEMO=fifth memo, rewritten\r\n" in user.file() and
                  user.text(STRIP.format(1)) == "fifth memo, rewritten"),
           "the rewrite is saved and read")
    user.shot("rewritten")
    saved = user.file()
    expect(user.file("timpsd.ini.1") is not None, "the day's first save over a file keeps a copy")
    place = user.rect(STRIP.format(1))
    strip_menu(user, 1, "kPeelOffCaption")
    user.wait_hidden(STRIP.format(1))
    expect(user.file() == saved and user.text(STRIP.format(1)) == "",
           "peeling off writes nothing until the end and leaves the strip no text")

    # Peeled off by a slip: brought back from the tray menu, at its place.
    removed = theme_keys_of(user.file("removed-memos.ini"))
    left = "  (%02d/%02d %02d:%02d)" % tuple(int(removed[("MEMO1", "LEFT" + k)])
                                           for k in ("MONTH", "DAY", "HOUR", "MINUTE"))
    user.tray_menu("kRestoreMemoCaption")
    user.choose_menu_item("fifth memo, rewritten" + left)
    back = user.wait_shown(STRIP.format(1))
    expect((back["left"], back["top"]) == (place["left"], place["top"]),
           "the memo brought back is at its place")
    user.click(*editor.key_place("EXITBTN", 10, 10))
    user.wait_for_end()
    expect(b"POST1MEMO=fifth memo, rewritten\r\n" in user.file(), "the memo brought back is kept")


def journey_6(user):
    """A folder that refuses writes: said once at start, memos shown, the exit not held up."""
    # A memo without a time: a reminder would stop the end on a busy machine, where the
    # journey outlasts the first check.
    before = b"[POST]\r\nPOST1MEMO=kept\r\nPOST1YEAR=-1\r\nPOST1LEFT=100\r\nPOST1TOP=300\r\n"
    user.write("timpsd.ini", before)
    # As Controlled Folder Access or a read-only share refuses it; as root, file modes would not.
    paths = [user.folder, os.path.join(user.folder, "timpsd.ini")]
    if subprocess.run(["chattr", "+i"] + paths, stderr=subprocess.DEVNULL).returncode != 0:
        print("journey 6 skipped: chattr +i is refused here")
        sys.exit(77)
    try:
        user.start()
        caption, text = user.read_box()
        expect(text.startswith(TEXTS["kFolderRefusesWrites"]) and
               os.path.basename(user.folder) in text and
               text.endswith(TEXTS["kFolderRefusesWritesAdvice"]),
               "the start says once, in Japanese, which folder refuses writes")
        user.wait_shown(STRIP.format(1))
        user.shot("refusing-folder")
        expect(user.no_box(), "nothing more is said")
        user.open_tray_menu()
        exit_item = user.menu_item("kExitCaption")
        saving = user.timer("-#32768", "+#32770")  # from the menu's going to the box
        user.click(*exit_item)
        waited = saving()
        caption, text = user.read_box()
        # A save waited on would take about two seconds before it gave up.
        expect(text == TEXTS["kIniWriteFailed"] and waited < 1.0,
               "the exit says the save failed without waiting (%.2f s)" % waited)
        user.wait_for_end()
        expect(user.file() == before, "timpsd.ini is as it was")
    finally:
        subprocess.run(["chattr", "-i"] + paths)


JOURNEYS = {"1": journey_1, "2": journey_2, "3": journey_3, "4": journey_4, "5": journey_5,
            "6": journey_6}


def unpacked(package):
    """The release unpacked into a fresh folder, as a user would: the folder it holds."""
    folder = tempfile.mkdtemp(prefix="haripon-unpacked-")
    with zipfile.ZipFile(package) as archive:
        archive.extractall(folder)
    (top,) = os.listdir(folder)
    return os.path.join(folder, top)


def main():
    program, remote, shots, journey = sys.argv[1:5]
    dist = unpacked(program) if program.endswith(".zip") else program
    os.makedirs(shots, exist_ok=True)
    user = User(dist, remote, shots, journey + ("-package" if dist != program else ""))
    try:
        print("journey %s from %s: %s" % (journey, dist, JOURNEYS[journey].__doc__))
        JOURNEYS[journey](user)
        print("journey %s went as it should" % journey)
        return 0
    except (JourneyFailed, subprocess.SubprocessError) as failure:
        print("journey %s FAILED: %s" % (journey, failure))
        user.shot("failed")
        return 1
    finally:
        user.close()
        if dist != program:
            shutil.rmtree(os.path.dirname(dist), ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
