# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What the Python window checks share: the processes they start (ended in reverse order, however
# the check ends), failing with a message, and polling.
import subprocess, sys, time

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
