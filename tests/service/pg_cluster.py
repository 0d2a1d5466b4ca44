#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A private PostgreSQL cluster in a temporary folder, for the service's tests.

`pg_cluster.py COMMAND...` starts one, runs COMMAND with LUMIVANE_TEST_POSTGRES (the socket folder
and port) and LUMIVANE_SERVICE_DATABASE (the URL of a fresh database) in its environment, and
stops it. Exits 77 (skipped) when the PostgreSQL binaries are not installed. PostgreSQL refuses to
run as root, so as root the cluster is run by the `postgres` user the package creates.
"""
import glob, os, shutil, socket, subprocess, sys, tempfile

SKIPPED = 77


def binaries():
    found = sorted(glob.glob("/usr/lib/postgresql/*/bin/pg_ctl"))
    return os.path.dirname(found[-1]) if found else None


def _as_owner(command):
    return ["runuser", "-u", "postgres", "--", *command] if os.geteuid() == 0 else command


class Cluster:
    def __init__(self):
        self.bin = binaries()
        self.tmp = tempfile.mkdtemp(prefix="lumivane-pg-")
        os.chmod(self.tmp, 0o755)
        self.data = os.path.join(self.tmp, "cluster")
        self.socket = os.path.join(self.tmp, "socket")
        for folder in (self.data, self.socket):
            os.mkdir(folder, 0o700)
            if os.geteuid() == 0:
                shutil.chown(folder, "postgres", "postgres")
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            self.port = s.getsockname()[1]
        self.databases = 0

    def start(self):
        run = lambda *c: subprocess.run(_as_owner([os.path.join(self.bin, c[0]), *c[1:]]), check=True,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
        run("initdb", "-D", self.data, "-U", "postgres", "--auth=trust", "-E", "UTF8", "--locale=C.UTF-8")
        # Only the socket, in the temporary folder; durability is not what these tests measure.
        options = (f"-k {self.socket} -p {self.port} -c listen_addresses='' -c fsync=off "
                   "-c synchronous_commit=off -c full_page_writes=off -c max_connections=200")
        run("pg_ctl", "-D", self.data, "-l", os.path.join(self.socket, "log"), "-o", options, "-w", "start")
        return self

    def stop(self):
        subprocess.run(_as_owner([os.path.join(self.bin, "pg_ctl"), "-D", self.data, "-m", "immediate", "stop"]),
                       stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
        shutil.rmtree(self.tmp, ignore_errors=True)

    @property
    def address(self):
        return f"{self.socket}:{self.port}"


def url(address, name):
    folder, port = address.rsplit(":", 1)
    return f"postgresql:///{name}?host={folder}&port={port}&user=postgres"


def psql(address, name, sql):
    """Runs SQL in database `name`; its rows, one tuple of texts each."""
    folder, port = address.rsplit(":", 1)
    out = subprocess.run([os.path.join(binaries(), "psql"), "-X", "-q", "-At", "-F", "\t", "-h", folder, "-p", port,
                          "-U", "postgres", "-d", name, "-v", "ON_ERROR_STOP=1", "-c", sql],
                         check=True, capture_output=True, text=True).stdout
    return [tuple(line.split("\t")) for line in out.splitlines()]


def create_database(address, name):
    psql(address, "postgres", f'CREATE DATABASE "{name}"')
    return url(address, name)


if __name__ == "__main__":
    if not binaries():
        print("skipped: no PostgreSQL binaries under /usr/lib/postgresql/*/bin (Debian's postgresql package)")
        sys.exit(SKIPPED)
    cluster = Cluster().start()
    try:
        env = dict(os.environ, LUMIVANE_TEST_POSTGRES=cluster.address,
                   LUMIVANE_SERVICE_DATABASE=create_database(cluster.address, "catalogue"))
        sys.exit(subprocess.run(sys.argv[1:], env=env).returncode)
    finally:
        cluster.stop()
