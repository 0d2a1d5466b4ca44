#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks of what Lumivane installs and packages, against the tools distributions use.

Run as `packaging_checks.py <check>`; CTest passes LUMIVANE_SOURCE_DIR and LUMIVANE_BUILD_DIR.
A check whose tool is missing (and cannot be installed here) exits with 77, which CTest
reports as skipped, after printing why.
"""

import gzip
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SOURCE = Path(os.environ["LUMIVANE_SOURCE_DIR"])
BUILD = Path(os.environ["LUMIVANE_BUILD_DIR"])
VERSION = os.environ["LUMIVANE_PROJECT_VERSION"]
APP_ID = "app.lumivane.Lumivane"
ICON_SIZES = [16, 24, 32, 48, 64, 128, 256, 512]
SKIP = 77

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)
    return condition


def skip(reason):
    print("SKIPPED:", reason)
    sys.exit(SKIP)


def need(tool, package):
    if shutil.which(tool) is None:
        skip(f"{tool} is not installed (Debian package {package})")


def run(cmd, **kwargs):
    kwargs.setdefault("capture_output", True)
    kwargs.setdefault("text", True)
    kwargs.setdefault("timeout", 120)
    return subprocess.run([str(c) for c in cmd], **kwargs)


def quiet_env(home):
    env = dict(os.environ)
    for var in ("LD_LIBRARY_PATH", "QT_PLUGIN_PATH", "QML_IMPORT_PATH", "QML2_IMPORT_PATH"):
        env.pop(var, None)
    env.update(HOME=str(home), XDG_CONFIG_HOME=f"{home}/config", XDG_CACHE_HOME=f"{home}/cache",
               XDG_DATA_HOME=f"{home}/data", QT_QPA_PLATFORM="offscreen")
    return env


def env_without_display(home):
    env = quiet_env(Path(home))
    env.pop("DISPLAY", None)
    return env


def service_built():
    return (BUILD / "service" / "lumivane-service").exists()


def install_tree(dest):
    """Installs the whole build under /usr into dest and returns the installed files."""
    env = dict(os.environ, DESTDIR=str(dest))
    result = run(["cmake", "--install", BUILD, "--prefix", "/usr"], env=env)
    if result.returncode != 0:
        print(result.stdout, result.stderr)
        sys.exit("cmake --install failed")
    return sorted(str(p.relative_to(dest)) for p in dest.rglob("*") if p.is_file() or p.is_symlink())


def expected_files(with_service):
    files = [
        "usr/bin/lumivane",
        f"usr/share/applications/{APP_ID}.desktop",
        f"usr/share/metainfo/{APP_ID}.metainfo.xml",
        f"usr/share/icons/hicolor/scalable/apps/{APP_ID}.svg",
        "usr/share/man/man1/lumivane.1.gz",
        "usr/share/doc/lumivane/copyright",
        "usr/share/doc/lumivane/changelog.Debian.gz",
    ] + [f"usr/share/icons/hicolor/{s}x{s}/apps/{APP_ID}.png" for s in ICON_SIZES]
    if with_service:
        files += [
            "usr/bin/lumivane-service",
            "usr/share/man/man1/lumivane-service.1.gz",
            "usr/lib/systemd/user/lumivane-service.service",
            "usr/share/doc/lumivane-service/copyright",
            "usr/share/doc/lumivane-service/changelog.Debian.gz",
        ]
    return files


def png_size(path):
    data = Path(path).read_bytes()[:24]
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", data[16:24])


def desktop_entry(path):
    entry, section = {}, None
    for line in Path(path).read_text().splitlines():
        if line.startswith("["):
            section = line.strip("[]")
        elif "=" in line and section == "Desktop Entry":
            key, value = line.split("=", 1)
            entry[key.strip()] = value.strip()
    return entry


def help_options(binary, env, *args):
    result = run([binary, *args, "--help"], env=env, timeout=30)
    check(result.returncode == 0, f"{binary.name} {' '.join(args)} --help exits with {result.returncode}")
    text = result.stdout + result.stderr
    return text, set(re.findall(r"(?<![\w-])--([a-z][a-z0-9-]*)", text))


# --- checks ---------------------------------------------------------------------------------

def check_desktop_entry():
    """The desktop entry validates and matches the program it launches."""
    need("desktop-file-validate", "desktop-file-utils")
    path = SOURCE / "packaging" / f"{APP_ID}.desktop"
    result = run(["desktop-file-validate", path])
    check(result.returncode == 0 and not result.stdout.strip(),
          f"desktop-file-validate: {result.stdout}{result.stderr}")
    entry = desktop_entry(path)
    check(entry.get("Name") == "Lumivane", "Name is Lumivane")
    check(entry.get("Comment"), "has a Comment")
    check(entry.get("Categories") == "Graphics;Viewer;Qt;", f"Categories: {entry.get('Categories')}")
    check(entry.get("Keywords"), "has Keywords")
    check(entry.get("Icon") == APP_ID, "Icon is the app id, so the hicolor icons are found")
    check(not re.search(r"%[fFuUdDnNickvm]", entry.get("Exec", "")),
          f"Exec takes no field codes (the app opens no files or URLs): {entry.get('Exec')}")
    check(entry.get("Exec", "").split()[0] == "lumivane", "Exec runs lumivane from PATH")
    # The app tells Wayland compositors this file's name; it must be the installed one.
    main_cpp = (SOURCE / "src" / "app" / "main.cpp").read_text()
    check(f'setDesktopFileName(QStringLiteral("{APP_ID}"))' in main_cpp,
          "main.cpp sets the desktop file name to the installed entry's name")


def check_window_class():
    """StartupWMClass is the class X11 gives the real window, so docks group it with the entry."""
    need("Xvfb", "xvfb")
    need("xwininfo", "x11-utils")
    wanted = desktop_entry(SOURCE / "packaging" / f"{APP_ID}.desktop").get("StartupWMClass")
    with tempfile.TemporaryDirectory() as home:
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1600x1000x24",
                                 "-nolisten", "tcp"], pass_fds=[write_fd],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        app = None
        try:
            display = ":" + os.read(read_fd, 16).decode().strip()
            env = quiet_env(Path(home))
            env.update(DISPLAY=display, QT_QPA_PLATFORM="xcb")
            app_log = open(Path(home, "app.log"), "w+")
            app = subprocess.Popen([BUILD / "src" / "lumivane"], env=env,
                                   stdout=app_log, stderr=subprocess.STDOUT)
            classes = None
            deadline = time.monotonic() + 30
            while classes is None and time.monotonic() < deadline and app.poll() is None:
                time.sleep(0.3)
                tree = run(["xwininfo", "-root", "-tree"], env=env, timeout=10).stdout
                match = re.search(r'"Lumivane": \("([^"]*)" "([^"]*)"\)', tree)
                if match:
                    classes = match.groups()
            if not classes:
                app_log.seek(0)
                print(app_log.read())
            if check(classes is not None, "the app showed a window named Lumivane under Xvfb"):
                check(wanted == classes[1],
                      f"StartupWMClass={wanted} is the window's WM_CLASS class {classes}")
        finally:
            for proc in (app, xvfb):
                if proc is not None and proc.poll() is None:
                    proc.send_signal(signal.SIGTERM)
                    try:
                        proc.wait(timeout=10)
                    except subprocess.TimeoutExpired:
                        proc.kill()


def check_metainfo():
    """The AppStream metainfo validates cleanly and describes this build."""
    need("appstreamcli", "appstream")
    path = BUILD / "packaging" / f"{APP_ID}.metainfo.xml"
    result = run(["appstreamcli", "validate", "--no-net", "--no-color", path])
    output = result.stdout + result.stderr
    print(output)
    check(result.returncode == 0, "appstreamcli validate succeeds")
    check(not re.search(r"^[EW]: ", output, re.M), "no errors and no warnings")
    text = path.read_text()
    check(f'<release version="{VERSION}"' in text, f"the newest release is the project version {VERSION}")
    check(f'<launchable type="desktop-id">{APP_ID}.desktop</launchable>' in text,
          "launchable names the installed desktop entry")
    check("<binary>lumivane</binary>" in text, "provides the lumivane binary")
    check("<content_rating type=\"oars-1.1\"" in text, "has an OARS content rating")
    shots = re.findall(r"<image[^>]*>[^<]*/([^/<]+)</image>", text)
    check(shots, "lists screenshots")
    folder = SOURCE / "packaging" / "screenshots"
    if not folder.is_dir():
        print(f"NOTE: {folder} does not exist yet; expected there: {', '.join(shots)}")
        return
    for name in shots:
        size = png_size(folder / name) if (folder / name).exists() else None
        check(size is not None, f"packaging/screenshots/{name} exists and is a PNG")
        if size:
            check(size[0] >= 620 and size[1] >= 350, f"{name} is large enough for software centres: {size}")


def check_install_tree():
    """cmake --install puts every file where freedesktop and Debian look, and only under usr/."""
    with tempfile.TemporaryDirectory() as dest:
        files = install_tree(Path(dest))
        print("\n".join(files))
        if not service_built():
            print("NOTE: lumivane-service is not built in this tree; its files are not checked")
        for path in expected_files(service_built()):
            check(path in files, f"installs {path}")
        if shutil.which("appstreamcli"):
            # The metainfo, the desktop entry it launches and the icons, as software centres see them.
            tree = run(["appstreamcli", "validate-tree", "--no-net", "--no-color", dest])
            check(tree.returncode == 0 and not re.search(r"^[EW]: ", tree.stdout, re.M),
                  f"appstreamcli validate-tree: {tree.stdout}{tree.stderr}")
        outside = [f for f in files if not f.startswith("usr/")]
        check(not outside, f"nothing outside usr/: {outside}")
        for size in ICON_SIZES:
            png = Path(dest, f"usr/share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png")
            if png.exists():
                check(png_size(png) == (size, size), f"{png.name} in {size}x{size} is {png_size(png)}")
        for gz in Path(dest).rglob("*.gz"):
            raw = gz.read_bytes()
            # gzip -n: no embedded name or time stamp, so rebuilds are byte-identical.
            check(raw[3] & 0x08 == 0 and raw[4:8] == b"\0\0\0\0", f"{gz.name} is compressed with gzip -n")
        changelog = Path(dest, "usr/share/doc/lumivane/changelog.Debian.gz")
        if changelog.exists():
            first = gzip.decompress(changelog.read_bytes()).decode().splitlines()[0]
            check(first.startswith(f"lumivane ({VERSION}-"), f"the changelog's entry is {VERSION}: {first}")
        copyright_file = Path(dest, "usr/share/doc/lumivane/copyright")
        if copyright_file.exists():
            text = copyright_file.read_text()
            check(text.startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"),
                  "copyright is machine-readable")
            check("/usr/share/common-licenses/GPL-3" in text, "copyright points at the GPL-3 text")
        license_text = (SOURCE / "LICENSE").read_text()
        check("GNU GENERAL PUBLIC LICENSE" in license_text and "Version 3, 29 June 2007" in license_text,
              "LICENSE is the GPL version 3")


def check_man_pages():
    """Each man page documents every option the program's --help lists, and formats cleanly."""
    need("man", "man-db")
    with tempfile.TemporaryDirectory() as home:
        env = quiet_env(Path(home))
        programs = [("lumivane", BUILD / "src" / "lumivane", [()])]
        if service_built():
            programs.append(("lumivane-service", BUILD / "service" / "lumivane-service",
                             [(), ("serve",), ("seed",), ("moderate",)]))
        else:
            print("NOTE: lumivane-service is not built in this tree; its man page is checked for format only")
        for name in ("lumivane", "lumivane-service"):
            page = BUILD / "packaging" / f"{name}.1"
            lint = run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", page],
                       env=dict(env, LC_ALL="C.UTF-8", MANWIDTH="80"))
            check(lint.returncode == 0 and not lint.stderr.strip(), f"{name}.1 formats without warnings: {lint.stderr}")
        for name, binary, commands in programs:
            roff = (BUILD / "packaging" / f"{name}.1").read_text()
            documented = set(re.findall(r"\\-\\-([a-z][a-z0-9\\-]*)", roff))
            documented = {d.replace("\\-", "-") for d in documented}
            for command in commands:
                _, options = help_options(binary, env, *command)
                check(options, f"{name} {' '.join(command)} --help lists options")
                missing = sorted(options - documented)
                check(not missing, f"{name}.1 documents {' '.join(command) or 'the'} options {missing}")
                for sub in command:
                    check(re.search(rf"^\.(B|BI|TP)\b.*\b{sub}\b", roff, re.M), f"{name}.1 documents {sub}")


def check_systemd_unit():
    """The user unit passes systemd-analyze verify and runs the service as installed."""
    need("systemd-analyze", "systemd")
    with tempfile.TemporaryDirectory() as dest:
        if not service_built():
            skip("lumivane-service is not built in this tree, so its unit is not installed")
        install_tree(Path(dest))
        unit = Path(dest, "usr/lib/systemd/user/lumivane-service.service").read_text()
    check("%h/.local/share/lumivane-service" in unit, "keeps its data in ~/.local/share/lumivane-service")
    check(re.search(r"^ExecStartPre=/usr/bin/lumivane-service seed --data ", unit, re.M),
          "seeds before serving")
    check(re.search(r"^ExecStart=/usr/bin/lumivane-service serve .*--host 127\.0\.0\.1 --port 8787$", unit, re.M),
          "serves on loopback port 8787")
    check(re.search(r"^WantedBy=default\.target$", unit, re.M), "is enabled into the user's default target")
    binary = BUILD / "service" / "lumivane-service"
    with tempfile.TemporaryDirectory() as tmp:
        local = Path(tmp, "lumivane-service.service")
        local.write_text(unit.replace("/usr/bin/lumivane-service", str(binary)))
        runtime = Path(tmp, "runtime")
        runtime.mkdir(mode=0o700)
        result = run(["systemd-analyze", "--user", "verify", "--man=no", local],
                     env=dict(os.environ, XDG_RUNTIME_DIR=str(runtime), HOME=tmp))
        output = (result.stdout + result.stderr).strip()
        check(result.returncode == 0 and not output, f"systemd-analyze verify: {output}")
        # The unit's command lines use only options the service has.
        for command, used in (("seed", {"data"}), ("serve", {"data", "host", "port"})):
            _, options = help_options(binary, env_without_display(tmp), command)
            check(used <= options, f"lumivane-service {command} lacks {sorted(used - options)}")


def check_debs():
    """CPack's .deb files carry the computed Depends, pass lintian and run once extracted."""
    need("dpkg-deb", "dpkg")
    need("dpkg-shlibdeps", "dpkg-dev")
    need("lintian", "lintian")
    with tempfile.TemporaryDirectory() as tmp:
        out = Path(tmp, "out")
        started = time.monotonic()
        result = run(["cpack", "--config", BUILD / "CPackConfig.cmake", "-G", "DEB", "-B", out], timeout=600)
        print(result.stdout, result.stderr)
        print(f"cpack took {time.monotonic() - started:.1f} s")
        if not check(result.returncode == 0, "cpack builds the packages"):
            return
        debs = {p.name.split("_")[0]: p for p in out.glob("*.deb")}
        wanted = ["lumivane"] + (["lumivane-service"] if service_built() else [])
        check(sorted(debs) == sorted(wanted), f"packages {sorted(debs)}")

        def field(deb, name):
            return run(["dpkg-deb", "-f", deb, name]).stdout.strip()

        packaged = set()
        for name, deb in debs.items():
            info = run(["dpkg-deb", "--info", deb]).stdout
            print(info)
            check(field(deb, "Version") == f"{VERSION}-1", f"{name} version {field(deb, 'Version')}")
            depends = [d.strip().split(" ")[0] for d in field(deb, "Depends").split(",") if d.strip()]
            check("libc6" in depends and "libstdc++6" in depends, f"{name} Depends come from dpkg-shlibdeps: {depends}")
            contents = run(["dpkg-deb", "-c", deb]).stdout
            owners = {line.split()[1] for line in contents.splitlines()}
            check(owners == {"root/root"}, f"{name} files belong to root: {owners}")
            packaged |= {line.split()[-1][2:] for line in contents.splitlines() if not line.startswith("d")}
            if name == "lumivane":
                check("libqt6core6" in depends and "libqt6qml6" in depends, "the app depends on the Qt it links")
                for package in qml_packages_needed():
                    check(package in depends, f"the app depends on {package} for its QML imports")
                check("lumivane-service" in field(deb, "Recommends") + field(deb, "Depends"),
                      "the loopback build recommends lumivane-service")
        lint = run(["lintian", "--fail-on", "error", "--tag-display-limit", "0", *debs.values()], timeout=300)
        print(lint.stdout, lint.stderr)
        check(lint.returncode == 0 and not re.search(r"^E: ", lint.stdout, re.M), "lintian reports no errors")

        # Everything the install rules put in place must be in one of the packages.
        with tempfile.TemporaryDirectory() as dest:
            installed = set(install_tree(Path(dest)))
        check(not installed - packaged, f"installed but in no package: {sorted(installed - packaged)}")

        root = Path(tmp, "root")
        for deb in debs.values():
            run(["dpkg-deb", "-x", deb, root], check=True)
        env = quiet_env(Path(tmp))
        if not check((root / "usr/bin/lumivane").exists(), "the app package holds usr/bin/lumivane"):
            return
        version = run([root / "usr/bin/lumivane", "--version"], env=env, timeout=30)
        check(version.returncode == 0 and version.stdout.strip().endswith(os.environ["LUMIVANE_APP_VERSION"]),
              f"extracted lumivane --version: {version.returncode} {version.stdout!r} {version.stderr!r}")
        if "lumivane-service" in debs:
            helped = run([root / "usr/bin/lumivane-service", "--help"], env=env, timeout=30)
            check(helped.returncode == 0 and "serve" in helped.stdout,
                  f"extracted lumivane-service --help: {helped.returncode} {helped.stderr!r}")


def qml_packages_needed():
    """The Debian packages of every QML module the sources import, from packaging/qml-imports.txt."""
    table = {}
    for line in (SOURCE / "packaging" / "qml-imports.txt").read_text().splitlines():
        if line and line[0].isalpha():
            module, *packages = line.split()
            table[module] = packages
    needed = set()
    for path in list((SOURCE / "src").rglob("*.qml")) + list((SOURCE / "src").rglob("*.js")):
        for module in re.findall(r"^\s*\.?import\s+([A-Za-z_][\w.]*)", path.read_text(), re.M):
            if module == "Lumivane" or module.startswith("Lumivane."):
                continue
            parts = module.split(".")
            owner = next((".".join(parts[:n]) for n in range(len(parts), 0, -1) if ".".join(parts[:n]) in table), None)
            if check(owner, f"{path.name} imports {module}, which packaging/qml-imports.txt does not map"):
                needed.update(table[owner])
    return sorted(needed)


CHECKS = {
    "desktop-entry": check_desktop_entry,
    "window-class": check_window_class,
    "metainfo": check_metainfo,
    "install-tree": check_install_tree,
    "man-pages": check_man_pages,
    "systemd-unit": check_systemd_unit,
    "debs": check_debs,
}

if __name__ == "__main__":
    CHECKS[sys.argv[1]]()
    if failures:
        print(f"{len(failures)} failure(s)")
        sys.exit(1)
    print("ok")
