#!/usr/bin/python3
"""Draws the bundled picture themes into data/DATA/<theme>/.

Every picture and the theme description face8.bmp (INI text in Shift-JIS) are made from
the tables and drawing code below; edit them here and run the script again:

    tools/make_themes.py            # needs Debian's python3-pil and fonts-ipafont-gothic

The windows' sizes and designed places are the program's own, read from its headers, so
that a theme is drawn for the windows the program makes. The results are committed, so that
building the program needs neither. Afterwards each theme, and data/ with the description
used while no theme is chosen, goes through haripon-theme-check: the program named by
$HARIPON_THEME_CHECK, else the native build's build/native/haripon-theme-check (skipped with
a note when it is not built). An error there fails the script.
"""
import os
import random
import re
import subprocess
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "data", "DATA")
FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"
SS = 4  # supersampling factor for smooth shapes
KEY = (255, 0, 255)  # transparent colour: always the bottom-left pixel of see-through pictures


class ProgramConstants(dict):
    """The integer constants and brace-initialised sizes and places of the program's headers
    (`inline constexpr T kName = 5;`, `inline constexpr T kName{a, b};`, where a field may
    name an earlier constant), by name."""

    def __init__(self, *headers):
        super().__init__()
        declaration = re.compile(r"inline constexpr [\w:]+ (k\w+)\s*(?:=\s*([^;{]+)|\{([^}]*)\});")
        for header in headers:
            with open(os.path.join(ROOT, "src", header), encoding="utf-8") as f:
                text = re.sub(r"//[^\n]*", "", f.read())
            for name, single, fields in declaration.findall(text):
                items = [item.strip() for item in (fields.split(",") if fields else [single])]
                if all(re.fullmatch(r"-?\d+|k\w+", item) for item in items):
                    numbers = [self[item] if item.startswith("k") else int(item) for item in items]
                    self[name] = numbers if fields else numbers[0]

    def __missing__(self, name):
        sys.exit(f"make_themes.py: the program's headers define no {name} it can read")


PROGRAM = ProgramConstants("model/slot_table.h", "theme/theme_keys.h", "reminder/reminder_layout.h")
SLOTS = PROGRAM["kSlotCount"]


def size(name):
    width, height = PROGRAM[name]
    return width, height


def around(name, left, top, right, bottom):
    """The box of a part of the reminder (kLineStrip ...) grown by the given margins."""
    x, y, w, h = PROGRAM[name]
    return x - left, y - top, x + w + right, y + h + bottom


def slot_button_left(n):
    return PROGRAM["kSlotButtonLeft"] + PROGRAM["kSlotButtonStep"] * n


def slot_picture_left(n):
    return PROGRAM["kSlotPictureLeft"] + PROGRAM["kSlotButtonStep"] * n


def font(size):
    return ImageFont.truetype(FONT, size * SS)


def rgb(hex_colour):
    return tuple(int(hex_colour[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def bgr_int(colour):
    r, g, b = colour
    return b << 16 | g << 8 | r


# --- the seven characters -------------------------------------------------------------

CHARACTERS = [
    # kind, name, fur, inner, memo colour, lines
    ("cat", "ミケ", "f2a65a", "fff1e0", "ffe2c4", [
        "にゃーん、時間だにゃ！",
        "このメモ、忘れてないかにゃ？",
        "お知らせに来たにゃ〜",
        "ちゃんと見てほしいにゃ",
    ]),
    ("dog", "ポチ", "c8905a", "fbe9d4", "f1dcc2", [
        "ワンッ！時間ですよ！",
        "ご主人、メモの時間だワン",
        "しっぽを振ってお知らせ！",
        "忘れ物はないかワン？",
    ]),
    ("rabbit", "ミミ", "f7f2f4", "f8c7d6", "fde0ea", [
        "ぴょん！お時間ですよ",
        "メモを持ってきました♪",
        "そろそろ時間ですよ〜",
        "どうぞ、お忘れなく！",
    ]),
    ("bear", "クマキチ", "9a6a45", "e8cfae", "ead8c0", [
        "ふあ〜、時間だよ〜",
        "のんびりお知らせだよ",
        "メモ、置いておくね〜",
        "ハチミツより大事だよ",
    ]),
    ("frog", "ケロスケ", "7cc85a", "e9f7cf", "d9f2c4", [
        "ケロッ！時間ケロ！",
        "メモを見るケロ〜",
        "雨でも晴れでもお知らせ",
        "ピョンと思い出すケロ",
    ]),
    ("chick", "ピヨ", "ffd93b", "fff3b0", "fff4bd", [
        "ピヨピヨ！時間だよ！",
        "おしらせピヨ〜",
        "がんばってピヨ！",
        "メモ、読んでピヨ",
    ]),
    ("panda", "ササ", "ffffff", "3a3a3a", "e6e6ea", [
        "もぐもぐ…あ、時間です",
        "ゆっくりお知らせします",
        "笹を食べる前にメモを",
        "のんびりいきましょう",
    ]),
]


def draw_head(d, kind, cx, cy, r, fur, inner, nightcap=None):
    """One character's head, centred at (cx, cy) with radius r, in supersampled pixels."""
    line = mix(fur, (40, 30, 30), 0.65) if kind != "panda" else (40, 40, 40)
    w = max(1, round(r / 9))

    def ellipse(box, fill, outline=line):
        d.ellipse(box, fill=fill, outline=outline, width=w)

    # Ears behind the head.
    if kind == "cat":
        for s in (-1, 1):
            d.polygon([(cx + s * r * 0.95, cy - r * 0.15), (cx + s * r * 0.75, cy - r * 1.15),
                       (cx + s * r * 0.2, cy - r * 0.75)], fill=fur, outline=line, width=w)
            d.polygon([(cx + s * r * 0.8, cy - r * 0.35), (cx + s * r * 0.7, cy - r * 0.9),
                       (cx + s * r * 0.38, cy - r * 0.68)], fill=inner)
    elif kind == "dog":
        for s in (-1, 1):
            ellipse((cx + s * r * 0.75 - r * 0.35, cy - r * 0.7, cx + s * r * 0.75 + r * 0.35,
                     cy + r * 0.35), mix(fur, (90, 50, 20), 0.35))
    elif kind == "rabbit":
        for s in (-1, 1):
            ellipse((cx + s * r * 0.42 - r * 0.24, cy - r * 1.75, cx + s * r * 0.42 + r * 0.24,
                     cy - r * 0.45), fur)
            d.ellipse((cx + s * r * 0.42 - r * 0.11, cy - r * 1.6, cx + s * r * 0.42 + r * 0.11,
                       cy - r * 0.6), fill=inner)
    elif kind in ("bear", "panda"):
        ear = (40, 40, 40) if kind == "panda" else fur
        for s in (-1, 1):
            ellipse((cx + s * r * 0.72 - r * 0.32, cy - r * 1.0, cx + s * r * 0.72 + r * 0.32,
                     cy - r * 0.36), ear)
            if kind == "bear":
                d.ellipse((cx + s * r * 0.72 - r * 0.16, cy - r * 0.84, cx + s * r * 0.72 + r * 0.16,
                           cy - r * 0.52), fill=inner)
    elif kind == "chick":
        d.polygon([(cx - r * 0.1, cy - r * 0.95), (cx, cy - r * 1.3), (cx + r * 0.12, cy - r * 0.95)],
                  fill=fur, outline=line, width=w)
    # Head.
    if kind == "frog":
        ellipse((cx - r * 1.05, cy - r * 0.75, cx + r * 1.05, cy + r * 0.9), fur)
        for s in (-1, 1):
            ellipse((cx + s * r * 0.5 - r * 0.36, cy - r * 1.05, cx + s * r * 0.5 + r * 0.36,
                     cy - r * 0.35), fur)
            d.ellipse((cx + s * r * 0.5 - r * 0.24, cy - r * 0.93, cx + s * r * 0.5 + r * 0.24,
                       cy - r * 0.47), fill=(255, 255, 255))
    else:
        ellipse((cx - r, cy - r * 0.9, cx + r, cy + r * 0.95), fur)
    # Face details.
    eye_y = cy - r * 0.05
    eye_dx = r * 0.42
    eye_r = r * 0.13
    if kind == "frog":
        eye_y, eye_dx, eye_r = cy - r * 0.7, r * 0.5, r * 0.12
    if kind == "panda":
        for s in (-1, 1):
            d.ellipse((cx + s * eye_dx - r * 0.24, eye_y - r * 0.2, cx + s * eye_dx + r * 0.2,
                       eye_y + r * 0.24), fill=(40, 40, 40))
    eye = (255, 255, 255) if kind == "panda" else (40, 30, 30)
    for s in (-1, 1):
        d.ellipse((cx + s * eye_dx - eye_r, eye_y - eye_r, cx + s * eye_dx + eye_r, eye_y + eye_r),
                  fill=eye)
        d.ellipse((cx + s * eye_dx - eye_r * 0.3, eye_y - eye_r * 0.75, cx + s * eye_dx + eye_r * 0.2,
                   eye_y - eye_r * 0.2), fill=(255, 255, 255) if kind != "panda" else (40, 40, 40))
    # Cheeks.
    blush = (255, 150, 160)
    for s in (-1, 1):
        d.ellipse((cx + s * r * 0.66 - r * 0.15, cy + r * 0.22 - r * 0.09, cx + s * r * 0.66 + r * 0.15,
                   cy + r * 0.22 + r * 0.09), fill=mix(fur, blush, 0.7))
    # Muzzle, nose, mouth.
    my = cy + r * 0.3
    if kind == "chick":
        d.polygon([(cx - r * 0.16, my - r * 0.1), (cx + r * 0.16, my - r * 0.1), (cx, my + r * 0.12)],
                  fill=(245, 140, 40))
    elif kind == "frog":
        d.arc((cx - r * 0.45, cy - r * 0.2, cx + r * 0.45, cy + r * 0.45), 20, 160, fill=line, width=w)
    else:
        if kind in ("dog", "bear"):
            d.ellipse((cx - r * 0.32, my - r * 0.22, cx + r * 0.32, my + r * 0.26), fill=inner)
        d.ellipse((cx - r * 0.1, my - r * 0.12, cx + r * 0.1, my + r * 0.02), fill=(60, 40, 40))
        d.arc((cx - r * 0.2, my - r * 0.1, cx, my + r * 0.14), 0, 180, fill=(60, 40, 40), width=w)
        d.arc((cx, my - r * 0.1, cx + r * 0.2, my + r * 0.14), 0, 180, fill=(60, 40, 40), width=w)
        if kind == "cat":
            for s in (-1, 1):
                for k in (-1, 1):
                    d.line((cx + s * r * 0.35, my + k * r * 0.06, cx + s * r * 0.95, my + k * r * 0.16),
                           fill=line, width=max(1, w // 2))
    if nightcap:
        cap, trim = nightcap
        top = cy - r * (1.25 if kind != "rabbit" else 1.0)
        d.polygon([(cx - r * 0.85, cy - r * 0.55), (cx + r * 0.7, cy - r * 0.65),
                   (cx + r * 1.2, top - r * 0.2)], fill=cap, outline=mix(cap, (0, 0, 0), 0.4), width=w)
        d.rounded_rectangle((cx - r * 0.95, cy - r * 0.72, cx + r * 0.8, cy - r * 0.5), r * 0.1, fill=trim)
        d.ellipse((cx + r * 1.2 - r * 0.17, top - r * 0.37, cx + r * 1.2 + r * 0.17, top - r * 0.03),
                  fill=trim)


def draw_body(d, kind, cx, top, r, fur, inner, nightcap=None):
    """A standing character: body below, head on top. `top` is where the head's centre is."""
    line = mix(fur, (40, 30, 30), 0.65) if kind != "panda" else (40, 40, 40)
    w = max(1, round(r / 9))
    body_top = top + r * 0.6
    body = fur
    d.rounded_rectangle((cx - r * 0.78, body_top, cx + r * 0.78, body_top + r * 1.55), r * 0.6,
                        fill=body, outline=line, width=w)
    d.ellipse((cx - r * 0.45, body_top + r * 0.35, cx + r * 0.45, body_top + r * 1.3),
              fill=inner if kind != "panda" else (255, 255, 255))
    limb = (40, 40, 40) if kind == "panda" else fur
    for s in (-1, 1):  # arms, one waving
        if s > 0:
            d.rounded_rectangle((cx + r * 0.55, body_top - r * 0.35, cx + r * 0.95, body_top + r * 0.5),
                                r * 0.2, fill=limb, outline=line, width=w)
        else:
            d.rounded_rectangle((cx - r * 1.0, body_top + r * 0.2, cx - r * 0.6, body_top + r * 0.95),
                                r * 0.2, fill=limb, outline=line, width=w)
        d.rounded_rectangle((cx + s * r * 0.42 - r * 0.26, body_top + r * 1.35, cx + s * r * 0.42 + r * 0.26,
                             body_top + r * 1.85), r * 0.2, fill=limb, outline=line, width=w)
    draw_head(d, kind, cx, top, r, fur, inner, nightcap)


# --- helpers for pictures -------------------------------------------------------------


def canvas(w, h, colour=(0, 0, 0, 0)):
    img = Image.new("RGBA", (w * SS, h * SS), colour)
    return img, ImageDraw.Draw(img)


def finish(img, w, h, background=None):
    """Downsamples; see-through pixels become KEY (or `background` blends for solid pictures)."""
    small = img.resize((w, h), Image.LANCZOS)
    if background is not None:
        base = Image.new("RGBA", (w, h), background + (255,))
        base.alpha_composite(small)
        return base.convert("RGB")
    out = Image.new("RGB", (w, h), KEY)
    px, src = out.load(), small.load()
    for y in range(h):
        for x in range(w):
            r, g, b, a = src[x, y]
            if a >= 110:
                # Edge pixels keep their colour at full strength: no pink fringe.
                px[x, y] = (min(255, r * 255 // max(a, 1)), min(255, g * 255 // max(a, 1)),
                            min(255, b * 255 // max(a, 1)))
    px[0, h - 1] = KEY
    return out


def text(d, xy, s, size, fill, anchor="la", stroke=0, stroke_fill=None):
    d.text((xy[0] * SS, xy[1] * SS), s, font=font(size), fill=fill, anchor=anchor,
           stroke_width=stroke * SS, stroke_fill=stroke_fill)


def box(v):
    return tuple(c * SS for c in v)


def glyph_strip(w, h, draw_face, key_corners=True):
    """Four images side by side: normal, disabled, pressed, held down."""
    strip = Image.new("RGB", (w * 4, h), KEY)
    for state in range(4):
        img, d = canvas(w, h)
        draw_face(d, state)
        strip.paste(finish(img, w, h), (w * state, 0))
    strip.putpixel((0, h - 1), KEY)
    return strip


# --- the two themes -------------------------------------------------------------------


class Theme:
    def __init__(self, folder, title, paper, panel, ink, accent, night):
        self.folder, self.title = folder, title
        self.paper, self.panel, self.ink, self.accent = map(rgb, (paper, panel, ink, accent))
        self.night = night

    def cap(self, n):
        if not self.night:
            return None
        caps = ["5b7fd6", "d65b8a", "8a6bd6", "4fb0a5", "e0a23b", "6b8ad6", "c25b5b"]
        return rgb(caps[n]), (255, 255, 255)

    def save(self, name, image):
        path = os.path.join(OUT, self.folder, name)
        image.convert("RGB").save(path, "BMP")
        return name


def decorate_background(t, d, w, h):
    if t.night:
        rnd = random.Random(w * 1000 + h)
        for _ in range(w * h // 900):
            x, y, s = rnd.randrange(w), rnd.randrange(h), rnd.choice((1, 1, 2))
            d.ellipse(box((x, y, x + s, y + s)), fill=(255, 250, 210, 200))
    else:
        for y in range(0, h, 8):
            d.line(box((0, y, w, y)), fill=mix(t.paper, t.accent, 0.08) + (255,), width=SS)


def make_title(t):
    w, h = size("kTitleSize")
    img, d = canvas(w, h, t.paper + (255,))
    decorate_background(t, d, w, h)
    d.rounded_rectangle(box((6, 6, w - 7, h - 7)), 14 * SS, outline=t.accent, width=3 * SS)
    text(d, (w / 2, 48), "ハリポン", 40, t.ink, anchor="mm", stroke=2, stroke_fill=t.paper)
    text(d, (w / 2, 82), t.title, 12, t.accent, anchor="mm")
    for i, (kind, _, fur, inner, _, _) in enumerate(CHARACTERS):
        cx = 30 + i * 40
        draw_body(d, kind, cx * SS, 128 * SS, 13 * SS, rgb(fur), rgb(inner), t.cap(i))
    text(d, (w - 18, h - 20), "Ver 1.01", 9, t.ink, anchor="rm")
    return t.save("title.bmp", finish(img, w, h, t.paper))


def make_main(t):
    w, h = size("kEditorSize")
    img, d = canvas(w, h, t.paper + (255,))
    decorate_background(t, d, w, h)
    d.rectangle(box((0, 0, w - 1, 37)), fill=t.accent)
    d.rounded_rectangle(box((8, 6, 190, 31)), 6 * SS, fill=t.panel)
    d.rounded_rectangle(box((4, 44, w - 5, 110)), 8 * SS, fill=mix(t.panel, t.accent, 0.12))
    d.rounded_rectangle(box((4, 113, w - 5, 162)), 8 * SS, fill=t.panel)
    d.rounded_rectangle(box((4, 165, w - 5, h - 5)), 8 * SS, fill=t.panel)
    d.rectangle(box((0, 0, w - 1, h - 1)), outline=mix(t.accent, (0, 0, 0), 0.3), width=2 * SS)
    return t.save("main.bmp", finish(img, w, h, t.paper))


def make_slot_button(t, n):
    kind, _, fur, inner, _, _ = CHARACTERS[n]
    w, h = size("kSlotButtonSize")

    def face(d, state):
        off = SS if state >= 2 else 0
        ring = {0: t.panel, 1: (255, 214, 64), 2: mix(t.panel, (0, 0, 0), 0.15),
                3: mix(t.panel, (0, 0, 0), 0.15)}[state]
        d.ellipse(box((1, 1, w - 2, h - 2)), fill=ring,
                  outline=mix(t.accent, (0, 0, 0), 0.2), width=2 * SS)
        if state == 1:
            d.ellipse(box((3, 3, w - 4, h - 4)), outline=(255, 160, 0), width=2 * SS)
        draw_head(d, kind, 16.5 * SS, 18.5 * SS + off, 9.5 * SS, rgb(fur), rgb(inner), t.cap(n))

    return t.save(f"chr{n + 1}.bmp", glyph_strip(w, h, face))


def make_small_face(t, n):
    kind, _, fur, inner, _, _ = CHARACTERS[n]
    w, h = size("kMemoFaceSize")
    img, d = canvas(w, h)
    draw_head(d, kind, 8 * SS, 9.3 * SS, 5.6 * SS, rgb(fur), rgb(inner))
    return t.save(f"face{n + 1}.bmp", finish(img, w, h))


def make_timer_character(t, n):
    kind, _, fur, inner, _, _ = CHARACTERS[n]
    w, h = PROGRAM["kCharacterDesign"][2:]
    img, d = canvas(w, h)
    draw_body(d, kind, 32 * SS, 52 * SS, 22 * SS, rgb(fur), rgb(inner), t.cap(n))
    return t.save(f"timer{n + 1}.bmp", finish(img, w, h))


def make_slot_backs(t, n):
    names = []
    for filled in (0, 1):
        w, h = size("kSlotPictureSize")
        img, d = canvas(w, h)
        base = mix(t.panel, t.accent, 0.25)
        d.rounded_rectangle(box((1, 1, w - 2, h - 2)), 8 * SS, fill=base)
        if filled:
            memo = rgb(CHARACTERS[n][4])
            d.polygon([(6 * SS, 36 * SS), (43 * SS, 34 * SS), (44 * SS, 54 * SS), (7 * SS, 55 * SS)],
                      fill=memo, outline=mix(memo, (0, 0, 0), 0.3))
            for y in (42, 48):
                d.line(box((11, y, 38, y - 1)), fill=mix(memo, (0, 0, 0), 0.35), width=SS)
            d.ellipse(box((21, 33, 27, 39)), fill=(220, 40, 50))
        else:
            d.rounded_rectangle(box((7, 37, 42, 53)), 4 * SS, outline=mix(base, (0, 0, 0), 0.3),
                                width=SS)
            text(d, (24.5, 45), str(n + 1), 10, mix(base, (0, 0, 0), 0.45), anchor="mm")
        # Black is this picture's see-through colour (the first slot's image uses black).
        out = finish(img, w, h)
        px = out.load()
        for y in range(h):
            for x in range(w):
                if px[x, y] == KEY:
                    px[x, y] = (0, 0, 0)
        names.append(t.save(f"bg{n + 1}_{filled}.bmp", out))
    return names


def make_memo_strip(t, n, width, name):
    memo = rgb(CHARACTERS[n][4])
    h = size("kLargeMemoSize")[1]
    img, d = canvas(width, h, memo + (255,))
    edge = mix(memo, (0, 0, 0), 0.35)
    d.rectangle(box((0, 0, width - 1, h - 1)), outline=edge, width=SS)
    d.rectangle(box((1, 1, 19, h - 2)), fill=mix(memo, t.accent, 0.35))
    d.polygon([(width * SS - 9 * SS, 0), (width * SS, 0), (width * SS, 9 * SS)],
              fill=mix(memo, (255, 255, 255), 0.6))
    return t.save(name, finish(img, width, h, memo))


def tool_button(t, w, h, label, size, name):
    def face(d, state):
        off = SS if state >= 2 else 0
        fill = {0: t.panel, 1: mix(t.panel, (128, 128, 128), 0.5), 2: mix(t.panel, t.accent, 0.35),
                3: mix(t.panel, t.accent, 0.35)}[state]
        d.rounded_rectangle(box((0, 0, w - 1, h - 1)), 4 * SS, fill=fill,
                            outline=mix(t.accent, (0, 0, 0), 0.25), width=SS)
        colour = (150, 150, 150) if state == 1 else mix(t.accent, (0, 0, 0), 0.6)
        d.text((w * SS / 2, h * SS / 2 + off), label, font=font(size), fill=colour, anchor="mm")

    return t.save(name, glyph_strip(w, h, face))


def make_reminder(t):
    w, h = size("kReminderSize")
    img, d = canvas(w, h, t.paper + (255,))
    decorate_background(t, d, w, h)
    d.rounded_rectangle(box((2, 2, w - 3, h - 3)), 10 * SS, outline=t.accent, width=3 * SS)
    # A speech bubble around the character's line, a card beneath the memo.
    d.rounded_rectangle(box(around("kLineStrip", 8, 10, 9, 9)), 10 * SS, fill=(255, 255, 255),
                        outline=mix(t.accent, (0, 0, 0), 0.2), width=SS)
    d.polygon([(97 * SS, 28 * SS), (80 * SS, 38 * SS), (97 * SS, 40 * SS)], fill=(255, 255, 255))
    d.rounded_rectangle(box(around("kMemoStrip", 8, 8, 9, 5)), 6 * SS, fill=t.panel,
                        outline=mix(t.accent, (0, 0, 0), 0.2), width=SS)
    d.ellipse(box((190, 52, 198, 60)), fill=(220, 40, 50))
    text(d, (104, 140), "メモの時間です", 10, t.ink)
    return t.save("msgwnd.bmp", finish(img, w, h, t.paper))


def make_chooser(t):
    w, h = size("kChooserSize")
    img, d = canvas(w, h, t.paper + (255,))
    decorate_background(t, d, w, h)
    d.rounded_rectangle(box((8, 8, w - 9, 36)), 8 * SS, fill=mix(t.accent, (0, 0, 0), 0.35))
    d.rounded_rectangle(box((40, 42, 202, 74)), 6 * SS, fill=t.panel)
    d.rectangle(box((0, 0, w - 1, h - 1)), outline=t.accent, width=2 * SS)
    return t.save("theme.bmp", finish(img, w, h, t.paper))


def face8(t, files, path, prefix=""):
    """The description file; `prefix` is put before every picture name."""
    lines = ["; " + t.title, "[CG]", f"TITLE={files['title']}", f"MAINFRM={files['main']}"]
    face_w, face_h = size("kSlotButtonSize")
    back_w, back_h = size("kSlotPictureSize")
    for n in range(SLOTS):
        m = n + 1
        fx, bx = slot_button_left(n), slot_picture_left(n)
        fy, by = PROGRAM["kSlotButtonTop"], PROGRAM["kSlotPictureTop"]
        lines += [f"CHR{m}FACE=chr{m}.bmp", f"CHR{m}FACE_XPOS={fx}", f"CHR{m}FACE_YPOS={fy}",
                  f"CHR{m}FACE_XSIZ={face_w}", f"CHR{m}FACE_YSIZ={face_h}",
                  f"CHR{m}FACE16=face{m}.bmp", f"TIMERCHR{m}=timer{m}.bmp",
                  f"BGCHR{m}_0=bg{m}_0.bmp", f"BGCHR{m}_1=bg{m}_1.bmp", f"BGCHR{m}_XPOS={bx}",
                  f"BGCHR{m}_YPOS={by}", f"BGCHR{m}_XSIZ={back_w}", f"BGCHR{m}_YSIZ={back_h}",
                  f"PSTBIGCG{m}=big{m}.bmp", f"PSTSMLCG{m}=sml{m}.bmp"]

    def button(key, name, x, y, w, h):
        return [f"{key}={name}", f"{key}_XPOS={x}", f"{key}_YPOS={y}", f"{key}_XSIZ={w}", f"{key}_YSIZ={h}"]

    panel = bgr_int(t.panel)
    mini_w, mini_h = size("kMemoFaceSize")
    timer_w, timer_h = PROGRAM["kCharacterDesign"][2:]
    lines += button("CLOSESBTN", "btn_close.bmp", 344, 10, 20, 20)
    lines += button("EXITBTN", "btn_exit.bmp", 376, 10, 20, 20)
    lines += button("POSTBTN", "btn_post.bmp", 288, 8, 23, 22)
    lines += ["RENEWBTN=btn_renew.bmp"]
    lines += button("DELBTN", "btn_del.bmp", 248, 8, 23, 22)
    lines += ["MINIFACE_XPOS=91", "MINIFACE_YPOS=11", f"MINIFACE_XSIZ={mini_w}",
              f"MINIFACE_YSIZ={mini_h}",
              "SELMEMO_XPOS=14", "SELMEMO_YPOS=13", f"SELMEMOCOLOR={panel}",
              "MEMOTIT_XPOS=22", "MEMOTIT_YPOS=118", f"MEMOTITCOLOR={panel}",
              "INPMEMOMEMO_XPOS=27", "INPMEMOMEMO_YPOS=136", "INPMEMOMEMOCOLOR=16777215",
              "INPMEMOCBOX_XPOS=10", "INPMEMOCBOX_YPOS=170", f"INPMEMOCBOXCOLOR={panel}",
              "INPMEMOSETTIM_XPOS=10", "INPMEMOSETTIM_YPOS=196", f"INPMEMOSETTIMCOLOR={panel}",
              "TIMCHR_XPOS=20", "TIMCHR_YPOS=20", f"TIMCHR_XSIZ={timer_w}",
              f"TIMCHR_YSIZ={timer_h}",
              "MSGWND=msgwnd.bmp", "MSGEXTBTN=btn_msgext.bmp", "MSGEXTBTN_XSIZ=21",
              "MSGEXTBTN_YSIZ=21", "MSGEXTBTN_XPOS=268", "MSGEXTBTN_YPOS=132",
              "THEME=theme.bmp"]
    lines += button("THEMECSLBTN", "btn_cancel.bmp", 88, 84, 73, 22)
    lines += button("THEMERETBTN", "btn_ok.bmp", 172, 84, 55, 22)
    lines += ["[COLOR]"] + [f"PSTCOL{n + 1}={bgr_int(rgb(c[4]))}" for n, c in enumerate(CHARACTERS)]
    lines += [f"MSGWNDCOL={bgr_int(t.panel)}", "[MSG]"]
    for n, c in enumerate(CHARACTERS):
        lines.append(f"CHRMSGCNT{n + 1}={len(c[5])}")
        lines += [f"CHRMSG{n + 1}-{m + 1}={s}" for m, s in enumerate(c[5])]
    if prefix:
        lines = [line.replace("=", "=" + prefix, 1) if line.split("=")[0].endswith(PICTURE_KEYS)
                 and "=" in line else line for line in lines]
    data = ("\r\n".join(lines) + "\r\n").encode("cp932")
    with open(path, "wb") as f:
        f.write(data)


# Keys whose values are picture names (all others are numbers or lines).
PICTURE_KEYS = ("TITLE", "MAINFRM", "FACE", "FACE16", "_0", "_1", "BTN", "MSGWND", "THEME") + tuple(
    f"{k}{n}" for k in ("TIMERCHR", "PSTBIGCG", "PSTSMLCG") for n in range(1, SLOTS + 1))


def make_theme(t):
    os.makedirs(os.path.join(OUT, t.folder), exist_ok=True)
    files = {"title": make_title(t), "main": make_main(t)}
    for n in range(SLOTS):
        make_slot_button(t, n)
        make_small_face(t, n)
        make_timer_character(t, n)
        make_slot_backs(t, n)
        make_memo_strip(t, n, size("kLargeMemoSize")[0], f"big{n + 1}.bmp")
        make_memo_strip(t, n, size("kSmallMemoSize")[0], f"sml{n + 1}.bmp")
    tool_button(t, 20, 20, "－", 12, "btn_close.bmp")
    tool_button(t, 20, 20, "×", 13, "btn_exit.bmp")
    tool_button(t, 23, 22, "貼", 13, "btn_post.bmp")
    tool_button(t, 23, 22, "書", 13, "btn_renew.bmp")
    tool_button(t, 23, 22, "剥", 13, "btn_del.bmp")
    tool_button(t, 21, 21, "×", 13, "btn_msgext.bmp")
    tool_button(t, 73, 22, "キャンセル", 11, "btn_cancel.bmp")
    tool_button(t, 55, 22, "決定", 11, "btn_ok.bmp")
    make_reminder(t)
    make_chooser(t)
    face8(t, files, os.path.join(OUT, t.folder, "face8.bmp"))


THEMES = [
    Theme("Standard", "ひだまりの仲間たち", paper="fff8e7", panel="fff1cf", ink="5a4632",
          accent="e8a04a", night=False),
    Theme("Yozora", "よぞらの仲間たち", paper="1f2a4d", panel="dfe6fb", ink="f4eecf",
          accent="6f86c9", night=True),
]


def check_themes():
    """Runs haripon-theme-check on every folder written; False when one of them has errors."""
    checker = os.environ.get("HARIPON_THEME_CHECK")
    if checker and not os.access(checker, os.X_OK):
        print(f"HARIPON_THEME_CHECK={checker}: no such program", file=sys.stderr)
        return False
    checker = checker or os.path.join(ROOT, "build", "native", "haripon-theme-check")
    if not os.access(checker, os.X_OK):
        print(f"note: {checker} is not built; the themes were not checked", file=sys.stderr)
        return True
    folders = [os.path.join(OUT, theme.folder) for theme in THEMES] + [os.path.join(ROOT, "data")]
    failed = [folder for folder in folders if subprocess.run([checker, folder]).returncode != 0]
    for folder in failed:
        print(f"{folder}: haripon-theme-check reports errors", file=sys.stderr)
    return not failed


if __name__ == "__main__":
    if len(CHARACTERS) != SLOTS:
        sys.exit(f"{len(CHARACTERS)} characters are drawn for {SLOTS} slots")
    for theme in THEMES:
        make_theme(theme)
    # Beside the program: the first theme, for a start without a chosen theme folder.
    first = THEMES[0]
    face8(first, {"title": "title.bmp", "main": "main.bmp"}, os.path.join(OUT, "..", "face8.bmp"),
          prefix="DATA\\" + first.folder + "\\")
    print("themes written to", OUT, file=sys.stderr)
    if not check_themes():
        sys.exit(1)
