// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the program leaves on the machine: the login item (an XDG autostart entry read back with
// GLib's own desktop-entry parser; the launch agent with a stand-in launchctl and Python's plist
// parser) and the cache folder.
#include "FakeDesktop.h"
#include "models/AppError.h"
#include "platform/macos/LaunchAgentBackend.h"
#include "platform/QProcessRunner.h"
#include "platform/XdgAutostartBackend.h"
#include "PlatformTestKit.h"
#include "ScriptedHttpServer.h"
#include "services/CacheManager.h"
#include "services/LoginItem.h"
#include "services/WallpaperEngine.h"
#include "TestSupport.h"

#include <gio/gdesktopappinfo.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using PlatformTestKit::failureOf;

void writeFile(const QString &path, qint64 size)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray(size, 'c'));
}

// A desktop entry as a session manager reads it: GKeyFile for the keys, and the program the
// launcher would start (%% expanded to %, then split by shell quoting rules, as GLib does).
struct ParsedEntry {
    bool loaded = false;
    QString type, name;
    QStringList argv;
    bool autostartEnabled = false;
    bool acceptedByGio = false; // GDesktopAppInfo loads it (it checks that the program exists)
};

ParsedEntry parseEntry(const QString &path)
{
    ParsedEntry entry;
    GKeyFile *file = g_key_file_new();
    if (!g_key_file_load_from_file(file, QFile::encodeName(path).constData(), G_KEY_FILE_NONE, nullptr)) {
        g_key_file_free(file);
        return entry;
    }
    const auto text = [&](const char *key) {
        gchar *value = g_key_file_get_string(file, "Desktop Entry", key, nullptr);
        const QString result = QString::fromUtf8(value);
        g_free(value);
        return result;
    };
    entry.loaded = true;
    entry.type = text("Type");
    entry.name = text("Name");
    entry.autostartEnabled = g_key_file_get_boolean(file, "Desktop Entry", "X-GNOME-Autostart-enabled", nullptr);
    const QString exec = text("Exec").replace(QLatin1String("%%"), QLatin1String("%"));
    gchar **argv = nullptr;
    if (g_shell_parse_argv(exec.toUtf8().constData(), nullptr, &argv, nullptr)) {
        for (gchar **a = argv; *a; ++a)
            entry.argv << QString::fromUtf8(*a);
        g_strfreev(argv);
    }
    g_key_file_free(file);

    GDesktopAppInfo *info = g_desktop_app_info_new_from_filename(QFile::encodeName(path).constData());
    entry.acceptedByGio = info != nullptr;
    if (info)
        g_object_unref(info);
    return entry;
}

// A launchctl that logs each call's arguments, one per line, and exits with a failure status
// (which must not matter).
class LaunchctlStandIn
{
public:
    explicit LaunchctlStandIn(const QString &folder)
        : path(folder + QStringLiteral("/launchctl"))
        , log(folder + QStringLiteral("/launchctl.log"))
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s|' \"$a\" >> '%1'; done\n"
                                      "echo >> '%1'\nexit 5\n")
                           .arg(log)
                           .toUtf8());
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QStringList calls() const
    {
        QFile file(log);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    QString path;
    QString log;
};

// The property list as Python's plistlib reads it, as JSON; empty when it does not parse.
QJsonObject parsePlist(const QString &path)
{
    const QString python = qEnvironmentVariable("LUMIVANE_TEST_PYTHON3", QStringLiteral("/usr/bin/python3"));
    QProcess parser;
    parser.start(python, {QStringLiteral("-c"),
                          QStringLiteral("import json, plistlib, sys\n"
                                         "print(json.dumps(plistlib.load(open(sys.argv[1], 'rb'), fmt=plistlib.FMT_XML)))"),
                          path});
    if (!parser.waitForFinished(10000) || parser.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(parser.readAllStandardOutput()).object();
}

} // namespace

class TestFootprint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void autostartEntryForTheRunningProgram();
    void autostartEntryLaunchesAwkwardPaths_data();
    void autostartEntryLaunchesAwkwardPaths();
    void autostartRefusesAnUnknownProgramAndRemovesDanglingLinks();

    void launchAgentWritesLoadsUnloadsAndRemoves();
    void launchAgentEscapesThePathAndFailsWithoutLaunchctl();

    void cacheSizeSkipsHiddenAndCountsNested();
    void clearingEmptiesEverythingAndRecreates();
    void downloadedWallpapersCountAndClear();
};

void TestFootprint::autostartEntryForTheRunningProgram()
{
    const QString entryPath = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/autostart/app.lumivane.desktop");
    QVERIFY(!qEnvironmentVariable("XDG_CONFIG_HOME").isEmpty());
    LoginItem &item = LoginItem::shared();
    QVERIFY(!item.isEnabled());

    item.setLaunchAtLogin(true);
    QVERIFY(item.isEnabled());
    const ParsedEntry entry = parseEntry(entryPath);
    QVERIFY(entry.loaded);
    QCOMPARE(entry.type, QStringLiteral("Application"));
    QCOMPARE(entry.name, QStringLiteral("Lumivane"));
    QCOMPARE(entry.argv, QStringList{QCoreApplication::applicationFilePath()});
    QVERIFY(entry.autostartEnabled);
    QVERIFY(entry.acceptedByGio);

    item.setLaunchAtLogin(true); // rewriting is harmless
    QVERIFY(parseEntry(entryPath).loaded);

    item.setLaunchAtLogin(false);
    QVERIFY(!QFileInfo::exists(entryPath));
    QVERIFY(!item.isEnabled());
    item.setLaunchAtLogin(false); // nothing to remove: no error
}

void TestFootprint::autostartEntryLaunchesAwkwardPaths_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("spaces") << QStringLiteral("My Apps/Lumivane 2");
    QTest::newRow("percent") << QStringLiteral("100% free");
    QTest::newRow("quotes and shell characters") << QStringLiteral("it's \"here\" $HOME `x` (1) & more; ok");
    QTest::newRow("backslash") << QStringLiteral("back\\slash");
    QTest::newRow("non-ASCII") << QStringLiteral("Bilder/Überall");
}

void TestFootprint::autostartEntryLaunchesAwkwardPaths()
{
    QFETCH(QString, folder);
    QTemporaryDir root;
    // GLib only accepts an entry whose program exists.
    const QString program = root.path() + u'/' + folder + QStringLiteral("/lumivane");
    QVERIFY(QDir().mkpath(QFileInfo(program).absolutePath()));
    QFile file(program);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    XdgAutostartBackend backend(root.path() + QStringLiteral("/config"), program);
    backend.enable();
    const ParsedEntry entry = parseEntry(backend.entryPath());
    QVERIFY(entry.loaded);
    QCOMPARE(entry.argv, QStringList{program});
    // GIO checks the program's existence before expanding %%, so it refuses such an entry; the
    // format itself leaves no other way to write a '%'.
    if (!program.contains(u'%'))
        QVERIFY(entry.acceptedByGio);
}

void TestFootprint::autostartRefusesAnUnknownProgramAndRemovesDanglingLinks()
{
    QTemporaryDir config;
    XdgAutostartBackend unknown(config.path(), QString());
    QVERIFY_THROWS_EXCEPTION(FileError, unknown.enable());
    QVERIFY(!QFileInfo::exists(unknown.entryPath()));

    // A link left pointing nowhere (say, to an uninstalled package's entry) still means "on" to
    // nobody, but switching off must clear it.
    XdgAutostartBackend backend(config.path(), QStringLiteral("/usr/bin/lumivane"));
    QVERIFY(QDir().mkpath(config.path() + QStringLiteral("/autostart")));
    QVERIFY(QFile::link(config.path() + QStringLiteral("/gone.desktop"), backend.entryPath()));
    QVERIFY(!backend.isEnabled());
    backend.disable();
    QVERIFY(!QFileInfo(backend.entryPath()).isSymLink());
}

void TestFootprint::launchAgentWritesLoadsUnloadsAndRemoves()
{
    QTemporaryDir home;
    LaunchctlStandIn launchctl(home.path());
    QProcessRunner runner;
    const QString program = QStringLiteral("/Applications/Lumivane.app/Contents/MacOS/Lumivane");
    LaunchAgentBackend agent(home.path(), program, runner, launchctl.path);
    const QString plist = home.path() + QStringLiteral("/Library/LaunchAgents/app.lumivane.plist");
    QCOMPARE(agent.agentPath(), plist);

    agent.disable(); // no agent: no launchctl call
    QVERIFY(launchctl.calls().isEmpty());

    agent.enable();
    QVERIFY(agent.isEnabled());
    const QJsonObject parsed = parsePlist(plist);
    QCOMPARE(parsed.keys(), QStringList({QStringLiteral("KeepAlive"), QStringLiteral("Label"),
                                         QStringLiteral("ProgramArguments"), QStringLiteral("RunAtLoad")}));
    QCOMPARE(parsed.value(QStringLiteral("Label")).toString(), QStringLiteral("app.lumivane"));
    QCOMPARE(parsed.value(QStringLiteral("ProgramArguments")).toVariant().toStringList(), QStringList{program});
    QCOMPARE(parsed.value(QStringLiteral("RunAtLoad")).type(), QJsonValue::Bool);
    QCOMPARE(parsed.value(QStringLiteral("RunAtLoad")).toBool(), true);
    QCOMPARE(parsed.value(QStringLiteral("KeepAlive")).type(), QJsonValue::Bool);
    QCOMPARE(parsed.value(QStringLiteral("KeepAlive")).toBool(), false);

    QFile file(plist);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray xml = file.readAll();
    QVERIFY(xml.startsWith("<?xml version=\"1.0\""));
    QVERIFY(xml.contains("<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\""));
    QVERIFY(xml.contains("<plist version=\"1.0\">"));

    agent.enable(); // a second load, whose (failing) status is ignored too
    QCOMPARE(launchctl.calls(), QStringList({QStringLiteral("load|") + plist + u'|', QStringLiteral("load|") + plist + u'|'}));

    agent.disable();
    QVERIFY(!QFileInfo::exists(plist));
    QVERIFY(!agent.isEnabled());
    QCOMPARE(launchctl.calls().size(), 3);
    QCOMPARE(launchctl.calls().last(), QStringLiteral("unload|") + plist + u'|');
}

void TestFootprint::launchAgentEscapesThePathAndFailsWithoutLaunchctl()
{
    QTemporaryDir home;
    LaunchctlStandIn launchctl(home.path());
    QProcessRunner runner;
    const QString program = QStringLiteral("/Users/sam/A & B <test> \"x\" 'y'/Lumivane.app/Contents/MacOS/Lumivane");
    LaunchAgentBackend agent(home.path(), program, runner, launchctl.path);
    agent.enable();
    QCOMPARE(parsePlist(agent.agentPath()).value(QStringLiteral("ProgramArguments")).toVariant().toStringList(),
             QStringList{program});

    // The bundle may report no executable: the empty string is written, as it is.
    LaunchAgentBackend noPath(home.path(), QString(), runner, launchctl.path);
    noPath.enable();
    QCOMPARE(parsePlist(agent.agentPath()).value(QStringLiteral("ProgramArguments")).toVariant().toStringList(),
             QStringList{QString()});

    // launchctl cannot be started: the error reaches the caller, the written file stays.
    QTemporaryDir other;
    LaunchAgentBackend broken(other.path(), program, runner, other.path() + QStringLiteral("/no-launchctl"));
    QVERIFY_THROWS_EXCEPTION(FileError, broken.enable());
    QVERIFY(broken.isEnabled());
    QVERIFY_THROWS_EXCEPTION(FileError, broken.disable());
    QVERIFY(broken.isEnabled());
}

void TestFootprint::cacheSizeSkipsHiddenAndCountsNested()
{
    QTemporaryDir caches;
    const QString root = caches.path() + QStringLiteral("/Lumivane");
    CacheManager cache(root);
    QCOMPARE(cache.cacheSize(), 0);
    cache.clearCache();
    QVERIFY(!QFileInfo::exists(root)); // clearing a missing cache creates nothing

    writeFile(root + QStringLiteral("/top.jpg"), 1000);
    writeFile(root + QStringLiteral("/Wallpapers/nested.jpg"), 2048);
    writeFile(root + QStringLiteral("/a/b/c/deep.png"), 3000);
    QVERIFY(QDir().mkpath(root + QStringLiteral("/empty/folder")));
    writeFile(root + QStringLiteral("/.hidden"), 500);
    writeFile(root + QStringLiteral("/Wallpapers/.partial.jpg"), 700);
    writeFile(root + QStringLiteral("/.git/objects/pack.bin"), 900);
    QCOMPARE(cache.cacheSize(), 1000 + 2048 + 3000);
}

void TestFootprint::clearingEmptiesEverythingAndRecreates()
{
    QTemporaryDir caches;
    const QString root = caches.path() + QStringLiteral("/Lumivane");
    CacheManager cache(root);
    writeFile(root + QStringLiteral("/Wallpapers/one.jpg"), 10);
    writeFile(root + QStringLiteral("/.hidden/kept.bin"), 10);
    writeFile(root + QStringLiteral("/.dotfile"), 10);
    writeFile(caches.path() + QStringLiteral("/Other/untouched.bin"), 10);

    cache.clearCache();
    QVERIFY(QFileInfo(root).isDir());
    QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(cache.cacheSize(), 0);
    QVERIFY(QFileInfo::exists(caches.path() + QStringLiteral("/Other/untouched.bin")));
}

void TestFootprint::downloadedWallpapersCountAndClear()
{
    QTemporaryDir caches;
    ScriptedHttpServer server;
    ScriptedHttpServer::Response image;
    image.body = TestSupport::pngBytes(1024, 512);
    server.on("GET", QStringLiteral("/images/big.jpg"), image);
    QNetworkAccessManager network;
    FakeDesktop desk(1);
    WallpaperEngine engine(PlatformTestKit::engineParts(desk, network, desk, caches.path()));
    CacheManager cache(caches.path() + QStringLiteral("/Lumivane"));

    QCOMPARE(failureOf(engine.setDesktopWallpaper(QUrl(server.url().toString() + QStringLiteral("/images/big.jpg")))), QString());
    QCOMPARE(cache.cacheSize(), image.body.size());
    cache.clearCache();
    QCOMPARE(cache.cacheSize(), 0);
    QVERIFY(!QFileInfo::exists(engine.wallpapersDirectory()));
    // The next apply downloads again into a recreated folder.
    QCOMPARE(failureOf(engine.setDesktopWallpaper(QUrl(server.url().toString() + QStringLiteral("/images/big.jpg")))), QString());
    QCOMPARE(server.requestCount(), 2);
    QCOMPARE(cache.cacheSize(), image.body.size());
}

QTEST_GUILESS_MAIN(TestFootprint)
#include "tst_platform_footprint.moc"
