# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What the Python window checks share: the processes they start (ended in reverse order, however
# the check ends), an X server, failing with a message, and polling.
import os, subprocess, sys, time

procs = []


def start(args, **kw):
    p = subprocess.Popen(args, **kw)
    procs.append(p)
    return p


def stop_all():
    for p in reversed(procs):
        p.terminate()
        try:
            p.wait(5)
        except subprocess.TimeoutExpired:
            p.kill()
    procs.clear()


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def wait_for(what, timeout=10.0, interval=0.1):
    """what()'s first true value within timeout seconds (an exception counts as not yet), else None."""
    deadline = time.time() + timeout
    while True:
        try:
            found = what()
        except Exception:
            found = None
        if found or time.time() >= deadline:
            return found or None
        time.sleep(interval)


def read_line(fd):
    """Everything up to the first newline or the end. Xvfb writes its display number and the
    newline in two writes and dies if the reader has hung up in between."""
    data = b""
    while not data.endswith(b"\n"):
        chunk = os.read(fd, 16)
        if not chunk:
            break
        data += chunk
    return data.decode().strip()


def start_xvfb(screen):
    """An Xvfb on a free display, named once it answers; one that does not answer is replaced.
    -noreset: the check's own xdpyinfo is the first client, and a reset when it leaves would race
    the clients that follow."""
    for _ in range(3):
        read, write = os.pipe()
        p = start(["Xvfb", "-displayfd", str(write), "-noreset", "-screen", "0", screen, "-nolisten", "tcp"],
                  pass_fds=[write])
        os.close(write)
        display = ":" + read_line(read)
        os.close(read)
        answers = lambda: subprocess.run(["xdpyinfo", "-display", display], capture_output=True).returncode == 0
        if display != ":" and wait_for(answers, timeout=5):
            time.sleep(0.5)  # and still there a moment later
            if answers():
                return display
        p.terminate()
        p.wait()
        procs.remove(p)
    fail("Xvfb did not start")
