#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The window as a screen reader sees it: the real app on Xvfb, its accessibility tree read over
# at-spi2-core's bus with pyatspi. Every node one can act on has a role and a name, and pressing
# "Explore" through the action interface brings up Explore's search field.
# Usage: atspi_check.py BUILD_DIR
import os, re, shutil, subprocess, sys, tempfile, time

from checkkit import fail, start, start_xvfb, stop_all, wait_for

try:
    import pyatspi
except ImportError:
    print("SKIP: python3-pyatspi is not installed")
    sys.exit(77)

build = sys.argv[1]
work = tempfile.mkdtemp()
def walk(node, depth=0):
    if node is None or depth > 60:
        return
    yield node
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from walk(child, depth + 1)


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


try:
    service_bin = os.path.join(build, "service", "lumivane-service")
    data = os.path.join(work, "catalogue")
    subprocess.run([service_bin, "seed", "--data", data, "--small"], check=True, stdout=subprocess.DEVNULL)
    service = start([service_bin, "serve", "--data", data, "--port", "0"], stdout=subprocess.PIPE, text=True)
    port = None
    for line in service.stdout:
        m = re.search(r"listening on [^:]+:(\d+)", line)
        if m:
            port = m.group(1)
            break
    if not port:
        fail("the service did not start")

    display = start_xvfb("1440x900x24")
    bus = start(["dbus-daemon", "--session", "--print-address=1", "--nofork"], stdout=subprocess.PIPE, text=True)
    env = dict(os.environ, DISPLAY=display, DBUS_SESSION_BUS_ADDRESS=bus.stdout.readline().strip())
    os.environ.update(env)
    start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env)
    time.sleep(1)

    app_env = dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   LUMIVANE_API_BASE_URL=f"http://127.0.0.1:{port}/api",
                   LUMIVANE_IMAGE_BASE_URL=f"http://127.0.0.1:{port}/images/")
    app_env.pop("QT_QUICK_BACKEND", None)
    start([os.path.join(build, "src", "lumivane")], env=app_env)

    def app():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            a = desktop.getChildAtIndex(i)
            if a is not None and a.name.lower() == "lumivane":
                return a
        return None

    root = wait_for(app, 30)
    if not root:
        fail("the app did not appear on the accessibility bus")

    def cards():
        return [n for n in walk(root) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and showing(n)
                and n.description == "Open wallpaper"]

    if not wait_for(lambda: len(cards()) >= 3, 30):
        fail("no wallpaper cards in the accessibility tree")

    unnamed = []
    actionable = 0
    for node in walk(root):
        if not showing(node):
            continue
        try:
            action = node.queryAction()
            if action.nActions == 0:
                continue
        except NotImplementedError:
            continue
        actionable += 1
        if not node.name.strip() or node.getRole() in (pyatspi.ROLE_UNKNOWN, pyatspi.ROLE_INVALID):
            unnamed.append(f"{node.getRoleName()} {node.name!r}")
    print(f"{actionable} actionable nodes")
    if unnamed:
        fail("actionable nodes without a name or role: " + ", ".join(unnamed))
    if actionable < 10:
        fail("too few actionable nodes: the tree is not the window's")

    explore = [n for n in walk(root) if n.name == "Explore" and n.getRole() == pyatspi.ROLE_PAGE_TAB]
    if not explore:
        fail("no Explore tab")
    action = explore[0].queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail("the Explore tab offers no Press action: " + ", ".join(names))
    action.doAction(names.index("Press"))

    def search_field():
        return [n for n in walk(root) if n.name == "Search wallpapers" and showing(n)]

    if not wait_for(search_field, 15):
        fail("activating Explore did not bring up the search field")
    if not wait_for(lambda: [n for n in walk(root) if n.name == "Explore" and n.getRole() == pyatspi.ROLE_PAGE_TAB
                             and n.getState().contains(pyatspi.STATE_CHECKED)], 5):
        fail("the Explore tab does not read as checked")
    print("PASS")
finally:
    stop_all()
    shutil.rmtree(work, ignore_errors=True)
