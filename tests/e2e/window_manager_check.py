#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The frameless window under a real window manager (openbox on Xvfb), driven by xdotool as a
# mouse would: dragging the right edge widens it, dragging the left edge far in stops at the
# minimum width, a double-click on the toolbar's empty part maximises it and another restores it.
# Usage: window_manager_check.py BUILD_DIR
import os, re, shutil, subprocess, sys, tempfile, time

from checkkit import fail, start, start_xvfb, stop_all, wait_for

for tool in ("openbox", "xdotool", "xprop", "Xvfb"):
    if not shutil.which(tool):
        print(f"SKIP: {tool} is not installed")
        sys.exit(77)

build = sys.argv[1]
def xdo(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True, text=True).stdout


def geometry(window):
    # The client area's position and size on the root window.
    out = subprocess.run(["xwininfo", "-id", window], check=True, capture_output=True, text=True).stdout
    value = lambda name: int(re.search(name + r":\s+(-?\d+)", out).group(1))
    return value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height")


def maximized(window):
    out = subprocess.run(["xprop", "-id", window, "_NET_WM_STATE"], capture_output=True, text=True).stdout
    return "_NET_WM_STATE_MAXIMIZED_HORZ" in out and "_NET_WM_STATE_MAXIMIZED_VERT" in out


def drag(x, y, dx, dy):
    xdo("mousemove", x, y)
    time.sleep(0.15)
    xdo("mousedown", 1)
    # The window hands the press to the window manager, which measures the drag from where the
    # pointer is when it takes over: moving before that is lost (seen under load).
    time.sleep(0.5)
    for step in range(1, 6):
        xdo("mousemove", x + dx * step // 5, y + dy * step // 5)
        time.sleep(0.05)
    time.sleep(0.3)  # a loaded window manager may not have taken the last motion yet
    xdo("mouseup", 1)


try:
    display = start_xvfb("1600x1000x24")
    env = dict(os.environ, DISPLAY=display)
    os.environ.update(env)
    start(["openbox", "--sm-disable"], env=env, stderr=subprocess.DEVNULL)
    if not wait_for(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout):
        fail("openbox did not start")

    # A closed port: the screens show their error panel, the window is all we look at.
    app_env = dict(env, QT_QPA_PLATFORM="xcb", XDG_CURRENT_DESKTOP="openbox",
                   LUMIVANE_API_BASE_URL="http://127.0.0.1:9/api", LUMIVANE_IMAGE_BASE_URL="http://127.0.0.1:9/images/")
    app_env.pop("QT_QUICK_BACKEND", None)
    start([os.path.join(build, "src", "lumivane")], env=app_env)

    def app_window():
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Lumivane$"],
                             capture_output=True, text=True).stdout.split()
        return out[0] if out else None

    window = wait_for(app_window, 20)
    if not window:
        fail("the window did not appear")
    time.sleep(1)  # the first frame and the window manager's placement
    x, y, w, h = geometry(window)
    print("placed at", (x, y, w, h))

    # Under load the window manager can take over after the pointer has moved on, and then
    # measures nothing: a broken edge fails every try, a slow machine not the second.
    for _ in range(3):
        drag(x + w - 2, y + h // 2, 120, 0)
        if wait_for(lambda: geometry(window)[2] >= w + 100, 3):
            break
    else:
        fail(f"dragging the right edge did not widen the window: {geometry(window)} from {(x, y, w, h)}")
    x, y, w, h = geometry(window)

    drag(x + 2, y + h // 2, w, 0)
    time.sleep(0.5)
    minimum = subprocess.run(["xprop", "-id", window, "WM_NORMAL_HINTS"], capture_output=True, text=True).stdout
    least = int(re.search(r"minimum size: (\d+) by", minimum).group(1))
    narrowed = geometry(window)[2]
    if not (least <= narrowed < w):
        fail(f"dragging the left edge in gave width {narrowed} (was {w}, minimum {least})")

    x, y, w, h = geometry(window)
    # The empty part of the toolbar: between the title and the tab pills.
    xdo("mousemove", x + w // 4, y + 26)
    time.sleep(0.2)
    xdo("click", "--repeat", 2, "--delay", 80, 1)
    if not wait_for(lambda: maximized(window)):
        fail("double-clicking the toolbar did not maximise the window")
    time.sleep(0.5)
    mx, my, mw, mh = geometry(window)
    xdo("mousemove", mx + mw // 4, my + 26)
    time.sleep(0.2)
    xdo("click", "--repeat", 2, "--delay", 80, 1)
    if not wait_for(lambda: not maximized(window)):
        fail("a second double-click did not restore the window")
    print("PASS")
finally:
    stop_all()
