#!/usr/bin/env python3
"""Turns the figures scripts/bench collected into its table, prints it and writes it, dated,
with the machine, into docs/performance.md between the lines <!-- bench:begin --> and
<!-- bench:end --> (the rest of the file is left as it is).

usage: bench_table.py RESULTS [DOC]

RESULTS holds one "name=value" line per figure; a name that comes more than once (a start
made five times) stands for the median of its values. Exits 1 when a figure the table needs
is missing.
"""

import os
import re
import statistics
import sys

MB = 1024 * 1024


class Figures:
    def __init__(self, path):
        self.values = {}
        for line in open(path, encoding="utf-8"):
            line = line.strip()
            if "=" not in line:
                continue
            name, value = line.split("=", 1)
            self.values.setdefault(name, []).append(value)
        self.missing = []

    def text(self, name, default="-"):
        values = self.values.get(name)
        return values[-1] if values else default

    def number(self, name):
        """The median of the figure's values; None (and noted as missing) when it has none."""
        numbers = []
        for value in self.values.get(name, []):
            try:
                numbers.append(float(value))
            except ValueError:
                pass
        if not numbers:
            self.missing.append(name)
            return None
        return statistics.median(numbers)

    def count(self, name):
        return len(self.values.get(name, []))


def check_seconds():
    """The reminder check's period, as the program has it (src/model/periods.h)."""
    periods = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "model",
                           "periods.h")
    return int(re.search(r"kCheckMilliseconds = (\d+);", open(periods).read()).group(1)) / 1000


def release_size_bound_kb():
    """The size haripon.exe is held to, as the release check holds it."""
    check = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools",
                         "check_release.sh")
    return int(re.search(r"^bound_kb=(\d+)", open(check).read(), re.M).group(1))


def fmt(value, digits=1):
    if value is None:
        return "n/a"
    return f"{value:,.{digits}f}"


def ratio(a, b):
    if a is None or b is None or b == 0:
        return "-"
    return f"{a / b:.2f}"


def minus(a, b):
    return None if a is None or b is None else a - b


def paired(f, name, reference, offset=0.0):
    """The median of name less reference (and offset), value by value: the starts are made
    in rounds, one of each program, so that a slow spell of the machine falls on both alike.
    Missing when the two do not pair."""
    values, references = (f.values.get(n, []) for n in (name, reference))
    try:
        if values and len(values) == len(references):
            return statistics.median(float(a) - float(b) - offset
                                     for a, b in zip(values, references))
    except ValueError:
        pass
    f.missing.append(f"{name} paired with {reference}")
    return None


def verdict(ok):
    if ok is None:
        return "-"
    return "yes" if ok else "**no**"


def build(f):
    """The main table's rows and the detail tables, as lists of cells."""
    rows = []

    def row(figure, unit, h, fl, xp, own=None, target="", ok=None, digits=1):
        rows.append([figure, unit, fmt(h, digits),
                     fmt(fl, digits) if fl is not None else "-",
                     fmt(xp, digits) if xp is not None else "-",
                     fmt(own, digits) if own is not None else "-",
                     ratio(h, fl) if fl is not None else "-",
                     ratio(h, xp) if xp is not None else "-", target, verdict(ok)])

    title = 3000.0
    h_map, f_map, x_map = (f.number(n) for n in
                           ("haripon_mapped_ms", "floor_mapped_ms", "xpad_mapped_ms"))
    h_strip = minus(f.number("haripon_strip_ms"), title)
    h_strips = minus(f.number("haripon_strips_ms"), title)
    x_all = f.number("xpad_strips_ms")
    own_map = paired(f, "haripon_mapped_ms", "floor_mapped_ms")
    own_strip = paired(f, "haripon_strip_ms", "floor_mapped_ms", title)
    row("start: process start to the first window mapped", "ms", h_map, f_map, x_map, own_map,
        "own share <= 10", None if own_map is None else own_map <= 10)
    row("start: to the first memo strip shown, less the 3 s title", "ms", h_strip, None, x_map,
        own_strip, "own share <= 50", None if own_strip is None else own_strip <= 50)
    row("start: to all seven memos shown (less the title)", "ms", h_strips, None, x_all,
        minus(h_strips, f_map))

    h_priv, f_priv = f.number("haripon_private_bytes"), f.number("floor_private_bytes")
    x_priv = f.number("xpad_rss_anon_kb")
    own_priv = minus(h_priv, f_priv)
    row("memory: private bytes (xpad: anonymous resident)", "MB", scale(h_priv, MB),
        scale(f_priv, MB), scale(x_priv, 1024), scale(own_priv, MB), "own share <= 1.5",
        None if own_priv is None else own_priv <= 1.5 * MB, digits=2)
    row("memory: peak working set (xpad: VmHWM)", "MB",
        scale(f.number("haripon_peak_working_set"), MB),
        scale(f.number("floor_peak_working_set"), MB), scale(f.number("xpad_vmhwm_kb"), 1024),
        scale(minus(f.number("haripon_peak_working_set"), f.number("floor_peak_working_set")),
              MB), digits=2)
    row("memory: resident (VmRSS)", "MB", scale(f.number("haripon_vmrss_kb"), 1024),
        scale(f.number("floor_vmrss_kb"), 1024), scale(f.number("xpad_vmrss_kb"), 1024),
        scale(minus(f.number("haripon_vmrss_kb"), f.number("floor_vmrss_kb")), 1024), digits=2)
    gdi, f_gdi = f.number("program_gdi_objects"), f.number("floor_gdi_objects")
    user, f_user = f.number("program_user_objects"), f.number("floor_user_objects")
    row("objects: GDI, seven memos shown (in-process)", "", gdi, f_gdi, None, minus(gdi, f_gdi),
        digits=0)
    row("objects: USER, seven memos shown (in-process)", "", user, f_user, None,
        minus(user, f_user), digits=0)

    seconds = f.number("idle_seconds") or 60
    h_cpu, f_cpu, x_cpu = (f.number(n) for n in
                           ("haripon_idle_cpu_ms", "floor_idle_cpu_ms", "xpad_idle_cpu_ms"))
    per_minute = 60.0 / seconds
    h_cpu, f_cpu, x_cpu = (scale(v, 1 / per_minute) for v in (h_cpu, f_cpu, x_cpu))
    row("idle: CPU of the process per minute, seven armed memos", "ms", h_cpu, f_cpu, x_cpu,
        minus(h_cpu, f_cpu), "< 10", None if h_cpu is None else h_cpu < 10, digits=2)
    h_ws = scale(f.number("haripon_wineserver_cpu_ms"), 1 / per_minute)
    f_ws = scale(f.number("floor_wineserver_cpu_ms"), 1 / per_minute)
    row("idle: CPU of wineserver per minute (serves the whole prefix)", "ms", h_ws, f_ws, None,
        minus(h_ws, f_ws), digits=1)
    timers = f.number("idle_timer_messages")
    messages = f.number("idle_messages")
    sources = f.text("idle_timer_sources")
    check_only = None
    if timers is not None and messages is not None:
        allowed = seconds / check_seconds()
        check_only = (timers <= allowed + 1 and messages == timers and
                      sources.split("x")[0] in ("TTPostForm#1", "none") and "," not in sources)
    row("idle: timer messages per minute (in-process)", "", scale(timers, 1 / per_minute),
        None, None, None, "<= %d, the %g s check only" % (60 / check_seconds(), check_seconds()),
        check_only, digits=0)
    row("idle: messages of any kind per minute (in-process)", "",
        scale(messages, 1 / per_minute), None, None, digits=0)
    row("idle: voluntary context switches per minute (Linux)", "",
        scale(f.number("haripon_idle_switches"), 1 / per_minute),
        scale(f.number("floor_idle_switches"), 1 / per_minute),
        scale(f.number("xpad_idle_switches"), 1 / per_minute), digits=0)

    for name, label in (("response_post_to_strip", "response: post to strip drawn"),
                        ("response_drag_step", "response: one step of a strip drag"),
                        ("response_check_to_reminder", "response: check to reminder drawn")):
        median = f.number(name + "_median_ms")
        row(label + " (median)", "ms", median, None, None, None, "< 16",
            None if median is None else median < 16, digits=2)
    # The program's own share of a response: less what Wine spends showing a bare window of
    # the same size (and, for the post, one flushed save), measured in the same run.
    post, save = f.number("response_post_to_strip_median_ms"), f.number("save_settings_median_ms")
    own_post = minus(minus(post, f.number("wine_show_strip_median_ms")), save)
    row("response: post, less a bare window shown and a save", "ms", post, None, None, own_post,
        "own share <= 3", None if own_post is None else own_post <= 3, digits=2)
    reminder = f.number("response_check_to_reminder_median_ms")
    own_reminder = minus(reminder, f.number("wine_show_reminder_median_ms"))
    row("response: reminder, less a bare window shown", "ms", reminder, None, None, own_reminder,
        "own share <= 3", None if own_reminder is None else own_reminder <= 3, digits=2)
    windows = f.number("paint_windows")
    screen = f.number("paint_screen_calls")
    blits = f.number("paint_full_blits_from_memory")
    final = f.number("paint_final_pictures")
    watched = f.number("paint_functions_watched")
    flicker_free = None
    if None not in (windows, screen, blits, final, watched):
        flicker_free = watched > 0 and windows > 0 and screen == windows == blits == final
    row("painting: drawing calls on the screen per repaint", "", scale(screen, windows), None,
        None, None, "1 BitBlt of the whole window", flicker_free, digits=2)

    row("reminder check: due decision, native (-O2)", "ns", f.number("due_check_ns"), None,
        None, digits=1)
    row(f"reminder check: due decision, {f.text('windows_arch')} under Wine", "ns", f.number("win_due_check_ns"),
        None, None, digits=1)
    row("reminder check: whole timer handler, nothing due", "ms",
        f.number("check_nothing_due_median_ms"), None, None, digits=3)
    row("reminder check: its look at the settings file, unchanged", "ms",
        f.number("check_file_unchanged_median_ms"), None, None, digits=3)

    bound = release_size_bound_kb()
    h_size, f_size, x_size = (f.number(n) for n in
                              ("haripon_exe_bytes", "floor_exe_bytes", "xpad_exe_bytes"))
    row("size: haripon.exe as shipped (floor: stripped; xpad: its binary)", "KB",
        scale(h_size, 1024), scale(f_size, 1024), scale(x_size, 1024),
        scale(minus(h_size, f_size), 1024), "<= %d" % bound,
        None if h_size is None else h_size <= bound * 1024, digits=0)

    phases = [[name.replace("phase_", "").replace("_ms", "").replace("_", " "),
               fmt(f.number(name), 1),
               fmt(scale(f.number(name.replace("_ms", "_private_bytes")), 1024), 0)]
              for name in ("phase_title_create_ms", "phase_editor_create_ms",
                           "phase_memo_windows_create_ms", "phase_reminder_create_ms",
                           "phase_chooser_create_ms", "phase_title_show_and_paint_ms",
                           "phase_first_display_ms")]
    phases.insert(0, ["process creation to main", fmt(f.number("phase_process_to_main_ms")),
                      fmt(scale(f.number("phase_private_bytes_at_main"), 1024), 0) +
                      " (at main)"])
    phases.append(["the eleven windows created and the title shown",
                   fmt(f.number("phase_to_title_ms")), ""])

    parts = []
    for prefix in ("post_part_", "reminder_part_"):
        for name in sorted(f.values):
            if name.startswith(prefix) and name.endswith("_median_ms"):
                label = name[:-len("_median_ms")].replace("_part_", ": ").replace("_", " ")
                parts.append([label, fmt(f.number(name), 2),
                              fmt(f.number(name.replace("_median_ms", "_max_ms")), 2)])
    for name, label in (("response_post_to_strip", "post, whole"),
                        ("response_drag_step", "drag step, whole"),
                        ("response_check_to_reminder", "check to reminder, whole"),
                        ("save_settings", "save of the settings file"),
                        ("wine_show_strip", "a bare window of a strip's size shown and painted"),
                        ("wine_show_reminder", "a bare window of the reminder's size shown")):
        parts.append([label, fmt(f.number(name + "_median_ms"), 2),
                      fmt(f.number(name + "_max_ms"), 2)])
    return rows, phases, parts


def scale(value, divisor):
    return None if value is None or divisor in (None, 0) else value / divisor


def source_changes(f):
    changed = f.text("source_changed_files", "0")
    return "" if changed == "0" else f" with {changed} files under src/ changed and not committed"


def table(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    lines += ["| " + " | ".join(cells) + " |" for cells in rows]
    return "\n".join(lines)


def report(f):
    rows, phases, parts = build(f)
    met = sum(1 for r in rows if r[-1] == "yes")
    judged = sum(1 for r in rows if r[-1] != "-")
    starts = f.count("haripon_mapped_ms")
    out = [
        f"Run of {f.text('date')} on {f.text('machine_cpu')}, {f.text('machine_cores')} cores, "
        f"{f.text('machine_ram')} RAM; Linux {f.text('machine_kernel')}, Debian "
        f"{f.text('machine_debian')}, {f.text('machine_wine')} ({f.text('windows_arch')} "
        f"programs in a {f.text('wine_arch')} prefix), xpad {f.text('xpad_version')}; "
        f"Xvfb 1280x1024x24, no window manager; load average at the start "
        f"{f.text('machine_load')}. Source: commit {f.text('source_commit')}"
        f"{source_changes(f)}.",
        "",
        f"Starts: median of {starts} each; responses: median of "
        f"{fmt(f.number('response_post_to_strip_repeats'), 0)} each; idle: "
        f"{fmt(f.number('idle_seconds'), 0)} s, figures per minute. \"own share\" is haripon "
        "less the floor (for the strips: less the floor's first window). MB and KB are "
        "1,048,576 and 1,024 bytes. A start's own share is the "
        "median of haripon's starts less the floor's, round by round (the two take turns at "
        "coming first); a response's, the response's median less the medians of a bare window "
        "(and of a save) timed in the same rounds, each right after the response.",
        "",
        table(["figure", "unit", "haripon", "floor", "xpad", "own share", "x floor", "x xpad",
               "target", "met?"], rows),
        "",
        f"Targets met: {met} of {judged}.",
        "",
        f"Bitmaps the process holds with seven memos shown (in-process): "
        f"{fmt(f.number('program_bitmaps'), 0)}, "
        f"{fmt(scale(f.number('program_bitmap_bytes'), 1024), 0)} KB of pixels; the largest "
        f"(width x height x bits): {f.text('program_largest_bitmaps').replace(',', ', ')}. "
        f"The floor's process: {fmt(f.number('floor_bitmaps'), 0)}, "
        f"{fmt(scale(f.number('floor_bitmap_bytes'), 1024), 0)} KB.",
        "",
        "What each step of the start costs (in the bench's own process, the windows created "
        "one at a time in their fixed order, then the title shown and, after it, the first "
        "display; median of " + str(f.count("phase_to_title_ms")) + " runs):",
        "",
        table(["step", "ms", "private KB added"], phases),
        "",
        "The parts of the responses (in-process, median and slowest):",
        "",
        table(["part", "median ms", "max ms"], parts),
    ]
    return "\n".join(out)


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 2
    figures = Figures(argv[1])
    text = report(figures)
    print(text)
    if figures.missing:
        print("bench: missing figures: " + ", ".join(sorted(set(figures.missing))),
              file=sys.stderr)
    if len(argv) == 3:
        begin, end = "<!-- bench:begin -->", "<!-- bench:end -->"
        try:
            doc = open(argv[2], encoding="utf-8").read()
        except FileNotFoundError:
            doc = "# Performance\n\n" + begin + "\n" + end + "\n"
        if begin not in doc or end not in doc:
            doc = doc.rstrip("\n") + "\n\n" + begin + "\n" + end + "\n"
        head, rest = doc.split(begin, 1)
        _, tail = rest.split(end, 1)
        with open(argv[2], "w", encoding="utf-8") as out:
            out.write(head + begin + "\n" + text + "\n" + end + tail)
    return 1 if figures.missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
