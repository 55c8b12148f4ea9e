#!/usr/bin/env python3
"""Starts a program and times, from the X server's side, how long it takes until its first
window is mapped, and optionally until its memo strips (windows 22 pixels high) are mapped.

usage: x_start.py [--strips N | --windows N] [--timeout S] [--leave] -- COMMAND [ARG...]

The X server tells of every top-level window mapped (MapNotify on the root window, with
SubstructureNotifyMask selected before the program starts), so the times are those of the
map requests themselves, without polling. A window whose _NET_WM_PID names another process
is not counted. Prints one line:
    pid=P mapped_ms=T [strip_ms=T strips_ms=T]
strip_ms is the first strip, strips_ms the N-th; with --windows N, windows of any size are
counted instead of strips. Without --leave the program is killed
(SIGKILL, its whole process group) once timed; with --leave it keeps running, in a session
of its own, and the caller ends it. Exits 1 when a milestone did not come within the timeout
(30 s), 2 on a usage error.
"""

import ctypes
import ctypes.util
import os
import select
import signal
import subprocess
import sys
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
STRIP_HEIGHT = 22


class XMapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("override_redirect", ctypes.c_int)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xmap", XMapEvent), ("pad", ctypes.c_long * 24)]


def load_xlib():
    name = ctypes.util.find_library("X11") or "libX11.so.6"
    x = ctypes.CDLL(name)
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XPending.argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
    x.XConnectionNumber.argtypes = [ctypes.c_void_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7
    x.XGetWindowProperty.argtypes = [
        ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
        ctypes.c_int, ctypes.c_ulong, ctypes.c_void_p, ctypes.c_void_p, ctypes.c_void_p,
        ctypes.c_void_p, ctypes.c_void_p]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XSetErrorHandler.restype = ctypes.c_void_p
    return x


# A window can be gone by the time it is looked at; Xlib's default handler would end us.
ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(
    lambda display, event: 0)


def window_height(x, display, window):
    root = ctypes.c_ulong()
    px, py = ctypes.c_int(), ctypes.c_int()
    width, height, border, depth = (ctypes.c_uint() for _ in range(4))
    if not x.XGetGeometry(display, window, ctypes.byref(root), ctypes.byref(px),
                          ctypes.byref(py), ctypes.byref(width), ctypes.byref(height),
                          ctypes.byref(border), ctypes.byref(depth)):
        return None
    return height.value


def window_pid(x, display, window, pid_atom):
    """The window's _NET_WM_PID, None when it has none."""
    actual_type, actual_format = ctypes.c_ulong(), ctypes.c_int()
    items, after = ctypes.c_ulong(), ctypes.c_ulong()
    data = ctypes.c_void_p()
    any_property_type = 0
    status = x.XGetWindowProperty(display, window, pid_atom, 0, 1, 0, any_property_type,
                                  ctypes.byref(actual_type), ctypes.byref(actual_format),
                                  ctypes.byref(items), ctypes.byref(after), ctypes.byref(data))
    if status != 0 or not data.value:
        return None
    try:
        if items.value < 1 or actual_format.value != 32:
            return None
        return ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[0]
    finally:
        x.XFree(data)


def main(argv):
    strips, any_size, timeout, leave = 0, False, 30.0, False
    args = argv[1:]
    while args and args[0] != "--":
        option = args.pop(0)
        if option in ("--strips", "--windows") and args:
            strips = int(args.pop(0))
            any_size = option == "--windows"
        elif option == "--timeout" and args:
            timeout = float(args.pop(0))
        elif option == "--leave":
            leave = True
        else:
            print(__doc__, file=sys.stderr)
            return 2
    if len(args) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    command = args[1:]

    x = load_xlib()
    display = x.XOpenDisplay(None)
    if not display:
        print("x_start: cannot open the X display", file=sys.stderr)
        return 2
    x.XSetErrorHandler(ERROR_HANDLER)
    root = x.XDefaultRootWindow(display)
    pid_atom = x.XInternAtom(display, b"_NET_WM_PID", 0)
    x.XSelectInput(display, root, SUBSTRUCTURE_NOTIFY_MASK)
    x.XSync(display, 0)
    connection = x.XConnectionNumber(display)

    started = time.monotonic()
    child = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, start_new_session=True)
    deadline = started + timeout
    mapped = strip = last_strip = None
    strip_windows = set()
    event = XEvent()
    while True:
        while x.XPending(display):
            x.XNextEvent(display, ctypes.byref(event))
            if event.type != MAP_NOTIFY:
                continue
            now = time.monotonic()
            window = event.xmap.window
            owner = window_pid(x, display, window, pid_atom)
            if owner is not None and owner != child.pid:
                continue
            if mapped is None:
                mapped = now
            if strips and (any_size or window_height(x, display, window) == STRIP_HEIGHT):
                strip_windows.add(window)
                if strip is None:
                    strip = now
                if len(strip_windows) == strips and last_strip is None:
                    last_strip = now
        done = mapped is not None and (not strips or last_strip is not None)
        if done or time.monotonic() > deadline or child.poll() is not None:
            break
        select.select([connection], [], [], max(0.0, deadline - time.monotonic()))

    def ms(moment):
        return "-" if moment is None else "%.1f" % ((moment - started) * 1000.0)

    line = "pid=%d mapped_ms=%s" % (child.pid, ms(mapped))
    if strips:
        line += " strip_ms=%s strips_ms=%s" % (ms(strip), ms(last_strip))
    print(line, flush=True)
    if not leave:
        try:
            os.killpg(child.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        child.wait()
    return 0 if done else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
