// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Plasma backend on a private session bus: a PlasmaShell stand-in runs each desktop script
// in a JavaScript engine, so the test sees what the script does to every desktop, not just its
// text. The lock screen's kscreenlockerrc is read back with KDE's own kreadconfig5.
#include "DbusTestBus.h"
#include "PlasmaShellStandIn.h"
#include "platform/PlasmaDesktopBackend.h"
#include "platform/QProcessRunner.h"
#include "PlatformTestKit.h"
#include "TestSupport.h"

#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

using PlatformTestKit::failureOf;

QString imageOf(const StandInDesktop *d)
{
    return d->value(QStringLiteral("Wallpaper/org.kde.image/General/Image")).toString();
}

bool showsOurImage(const StandInDesktop *d, const QString &url)
{
    return d->wallpaperPlugin == QLatin1String("org.kde.image") && imageOf(d) == url
        && d->value(QStringLiteral("Wallpaper/org.kde.image/General/FillMode")).toInt() == 2;
}

// kreadconfig5's answer for one key of `file`, or a marker when the tool failed.
QString kread(const QString &file, const QStringList &groups, const QString &key)
{
    QStringList arguments{QStringLiteral("--file"), file};
    for (const QString &group : groups)
        arguments << QStringLiteral("--group") << group;
    arguments << QStringLiteral("--key") << key;
    QProcess tool;
    tool.start(QStringLiteral("kreadconfig5"), arguments);
    if (!tool.waitForFinished(10000) || tool.exitCode() != 0)
        return QStringLiteral("<kreadconfig5 failed>");
    QString out = QString::fromUtf8(tool.readAllStandardOutput());
    if (out.endsWith(u'\n'))
        out.chop(1);
    return out;
}

const QStringList lockGroups{QStringLiteral("Greeter"), QStringLiteral("Wallpaper"), QStringLiteral("org.kde.image"),
                             QStringLiteral("General")};

class FailingTool
{
public:
    explicit FailingTool(const QString &folder)
        : path(folder + QStringLiteral("/kwriteconfig-fails"))
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write("#!/bin/sh\nexit 3\n");
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString path;
};

} // namespace

class TestPlasmaBackend : public QObject
{
    Q_OBJECT

public:
    explicit TestPlasmaBackend(DbusTestBus &bus)
        : m_bus(bus)
    {
    }

private Q_SLOTS:
    void init();

    void eachScreenGetsItsOwnScriptInOrder();
    void awkwardPathsReachTheScriptIntact();
    void warningsBeforeTheResultAreTolerated();
    void failuresAreReportedWithTheScreen();
    void missingPlasmaShellFails();

    void lockScreenEditKeepsTheRestOfTheFile();
    void lockScreenValueEscapesAsKConfigReadsThem();
    void lockScreenThroughKWriteConfig();

private:
    QString picture(const QString &name) { return PlatformTestKit::writeFile(m_dir.path(), name); }
    QString url(const QString &path) const { return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded); }

    DbusTestBus &m_bus;
    QTemporaryDir m_dir;
    QProcessRunner m_runner;
};

void TestPlasmaBackend::init()
{
    QVERIFY(m_bus.isRunning());
    QVERIFY(m_dir.isValid());
}

void TestPlasmaBackend::eachScreenGetsItsOwnScriptInOrder()
{
    // Screen 1 holds two desktops (two activities); screen 2 is not touched at all.
    PlasmaShellStandIn shell({0, 1, 1, 2});
    QVERIFY(shell.registerOnBus());
    PlasmaDesktopBackend plasma(QDBusConnection::sessionBus(), m_dir.path(), m_runner);
    const QString path = picture(QStringLiteral("aurora.jpg"));
    const auto desks = shell.desktops();

    QCOMPARE(failureOf(plasma.setDesktopImage(path, DesktopScreen{0, QStringLiteral("DP-1"), true})), QString());
    QVERIFY(showsOurImage(desks[0], url(path)));
    QCOMPARE(desks[0]->currentConfigGroup,
             QStringList({QStringLiteral("Wallpaper"), QStringLiteral("org.kde.image"), QStringLiteral("General")}));
    QCOMPARE(desks[1]->wallpaperPlugin, QStringLiteral("org.kde.color"));
    QVERIFY(imageOf(desks[1]).isEmpty());

    QCOMPARE(failureOf(plasma.setDesktopImage(path, DesktopScreen{1, QStringLiteral("DP-2"), false})), QString());
    QVERIFY(showsOurImage(desks[1], url(path)));
    QVERIFY(showsOurImage(desks[2], url(path)));
    QCOMPARE(desks[3]->wallpaperPlugin, QStringLiteral("org.kde.color"));

    QCOMPARE(shell.calls.size(), 2);
    for (const PlasmaShellStandIn::Call &call : shell.calls) {
        QCOMPARE(call.path, QStringLiteral("/PlasmaShell"));
        QCOMPARE(call.interface, QStringLiteral("org.kde.PlasmaShell"));
        QCOMPARE(call.member, QStringLiteral("evaluateScript"));
        QCOMPARE(call.arguments.size(), 1);
        QCOMPARE(call.arguments[0].metaType(), QMetaType::fromType<QString>());
        // The picture goes in as a JSON string literal.
        QVERIFY(call.arguments[0].toString().contains(u'"' + url(path) + u'"'));
    }
    QCOMPARE(shell.calls[0].arguments[0].toString(), PlasmaDesktopBackend::desktopScript(url(path), 0));
    QCOMPARE(shell.calls[1].arguments[0].toString(), PlasmaDesktopBackend::desktopScript(url(path), 1));

    // Without a display (Qt's offscreen screen, no name) every screen's desktops get it at once.
    const QString other = picture(QStringLiteral("offscreen.jpg"));
    QCOMPARE(failureOf(plasma.setDesktopImage(other, DesktopScreen{})), QString());
    for (StandInDesktop *desk : desks)
        QVERIFY(showsOurImage(desk, url(other)));
    QCOMPARE(shell.calls.size(), 3);
}

void TestPlasmaBackend::awkwardPathsReachTheScriptIntact()
{
    PlasmaShellStandIn shell({0});
    QVERIFY(shell.registerOnBus());
    PlasmaDesktopBackend plasma(QDBusConnection::sessionBus(), m_dir.path(), m_runner);
    const QString path = picture(QStringLiteral("it's \"x\" \\ \"; shell.scriptPrint('owned'); \" é.jpg"));

    QCOMPARE(failureOf(plasma.setDesktopImage(path, DesktopScreen{})), QString());
    const QString stored = imageOf(shell.desktops()[0]);
    QCOMPARE(QUrl(stored).toLocalFile(), path);

    // A script-level string literal, even with no percent-encoding, cannot be ended early.
    const QString script = PlasmaDesktopBackend::desktopScript(QStringLiteral("a\"b\\c\n'); print('owned"), 0);
    QVERIFY(!shell.evaluateScript(script).split(u'\n').contains(QStringLiteral("owned")));
    QCOMPARE(imageOf(shell.desktops()[0]), QStringLiteral("a\"b\\c\n'); print('owned"));
}

void TestPlasmaBackend::warningsBeforeTheResultAreTolerated()
{
    PlasmaShellStandIn shell({0});
    shell.warnings = {QStringLiteral("kf.plasma.quick: Applet preload policy set to 1"),
                      QStringLiteral("[\"not ours\"]")};
    QVERIFY(shell.registerOnBus());
    PlasmaDesktopBackend plasma(QDBusConnection::sessionBus(), m_dir.path(), m_runner);
    const QString path = picture(QStringLiteral("warned.jpg"));
    QCOMPARE(failureOf(plasma.setDesktopImage(path, DesktopScreen{})), QString());
    QVERIFY(showsOurImage(shell.desktops()[0], url(path)));
}

void TestPlasmaBackend::failuresAreReportedWithTheScreen()
{
    const QString path = picture(QStringLiteral("refused.jpg"));
    {
        PlasmaShellStandIn shell({0});
        shell.refuseWith = QStringLiteral("Widgets are locked");
        QVERIFY(shell.registerOnBus());
        PlasmaDesktopBackend plasma(QDBusConnection::sessionBus(), m_dir.path(), m_runner);
        const QString message = failureOf(plasma.setDesktopImage(path, DesktopScreen{}));
        QVERIFY2(message.startsWith(QLatin1String("Failed to set wallpaper: KDE Plasma did not run")), qPrintable(message));
        QVERIFY2(message.endsWith(QLatin1String("Widgets are locked")), qPrintable(message));
    }
    {
        PlasmaShellStandIn shell({0, 1});
        QVERIFY(shell.registerOnBus());
        PlasmaDesktopBackend plasma(QDBusConnection::sessionBus(), m_dir.path(), m_runner);
        const QString message = failureOf(plasma.setDesktopImage(path, DesktopScreen{2, QStringLiteral("HDMI-3"), false}));
        QVERIFY2(message.contains(QLatin1String("no desktop on screen 3")), qPrintable(message));
        // A monitor named without a display has no number: guessing one would change another screen.
        const int calls = int(shell.calls.size());
        QVERIFY(!failureOf(plasma.setDesktopImage(path, DesktopScreen{-1, QStringLiteral("HDMI-2"), true})).isEmpty());
        QCOMPARE(int(shell.calls.size()), calls);
    }
    {
        // A desktop that drops the write (a locked containment) must not pass for success.
        PlasmaShellStandIn shell({0}, /*keepsWrites=*/false);
        QVERIFY(shell.registerOnBus());
        PlasmaDesktopBackend plasma(QDBusConnection::sessionBus(), m_dir.path(), m_runner);
        const QString message = failureOf(plasma.setDesktopImage(path, DesktopScreen{}));
        QVERIFY2(message.contains(QLatin1String("did not keep the new picture on screen 1")), qPrintable(message));
    }
}

void TestPlasmaBackend::missingPlasmaShellFails()
{
    PlasmaDesktopBackend plasma(QDBusConnection::sessionBus(), m_dir.path(), m_runner);
    const QString message = failureOf(plasma.setDesktopImage(picture(QStringLiteral("alone.jpg")), DesktopScreen{}));
    QVERIFY2(message.contains(QLatin1String("KDE Plasma did not run the desktop script")), qPrintable(message));
}

void TestPlasmaBackend::lockScreenEditKeepsTheRestOfTheFile()
{
    if (QStandardPaths::findExecutable(QStringLiteral("kreadconfig5")).isEmpty())
        QSKIP("kreadconfig5 is not installed (Debian package libkf5config-bin)");
    QTemporaryDir config;
    const QString file = config.path() + QStringLiteral("/kscreenlockerrc");
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Daemon]\nAutolock=false\nTimeout=7\n\n"
                "[Greeter]\nTheme=org.kde.breeze.desktop\n\n"
                "[Greeter][Wallpaper][org.kde.image][General]\nImage=file:///old.png\nPreviewImage=file:///old-small.png\n\n"
                "[Greeter][LnF]\nshowMediaControls=false\n");
    }
    PlasmaDesktopBackend plasma(QDBusConnection::sessionBus(), config.path(), m_runner);
    const QString path = picture(QStringLiteral("lock screen é.jpg"));
    QCOMPARE(failureOf(plasma.setLockScreenImage(path)), QString());

    QCOMPARE(kread(file, lockGroups, QStringLiteral("Image")), url(path));
    QCOMPARE(kread(file, lockGroups, QStringLiteral("PreviewImage")), QStringLiteral("file:///old-small.png"));
    QCOMPARE(kread(file, {QStringLiteral("Daemon")}, QStringLiteral("Autolock")), QStringLiteral("false"));
    QCOMPARE(kread(file, {QStringLiteral("Daemon")}, QStringLiteral("Timeout")), QStringLiteral("7"));
    QCOMPARE(kread(file, {QStringLiteral("Greeter")}, QStringLiteral("Theme")), QStringLiteral("org.kde.breeze.desktop"));
    QCOMPARE(kread(file, {QStringLiteral("Greeter"), QStringLiteral("LnF")}, QStringLiteral("showMediaControls")),
             QStringLiteral("false"));

    // No file yet: it is created with the one group.
    QTemporaryDir fresh;
    PlasmaDesktopBackend first(QDBusConnection::sessionBus(), fresh.path() + QStringLiteral("/sub"), m_runner);
    QCOMPARE(failureOf(first.setLockScreenImage(path)), QString());
    QCOMPARE(kread(fresh.path() + QStringLiteral("/sub/kscreenlockerrc"), lockGroups, QStringLiteral("Image")), url(path));
}

void TestPlasmaBackend::lockScreenValueEscapesAsKConfigReadsThem()
{
    if (QStandardPaths::findExecutable(QStringLiteral("kreadconfig5")).isEmpty())
        QSKIP("kreadconfig5 is not installed (Debian package libkf5config-bin)");
    QTemporaryDir config;
    const QString file = config.path() + QStringLiteral("/kscreenlockerrc");
    const QString group = PlasmaDesktopBackend::lockScreenGroup();
    for (const QString &value : {QStringLiteral(" leading and trailing "), QStringLiteral("back\\slash\\n"),
                                 QStringLiteral("tab\tand\nnewline"), QStringLiteral("=equals="),
                                 QStringLiteral("Été [x] ; #hash \u00e9")}) {
        PlasmaDesktopBackend::writeConfigValue(file, group, QStringLiteral("Image"), value);
        QCOMPARE(kread(file, lockGroups, QStringLiteral("Image")), value);
        QCOMPARE(PlasmaDesktopBackend::readConfigValue(file, group, QStringLiteral("Image")), value);
    }
}

void TestPlasmaBackend::lockScreenThroughKWriteConfig()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("kwriteconfig5"));
    if (tool.isEmpty())
        QSKIP("kwriteconfig5 is not installed (Debian package libkf5config-bin)");
    QTemporaryDir config;
    const QString path = picture(QStringLiteral("via tool.jpg"));
    PlasmaDesktopBackend plasma(QDBusConnection::sessionBus(), config.path(), m_runner, tool);
    QCOMPARE(failureOf(plasma.setLockScreenImage(path)), QString());
    QCOMPARE(kread(config.path() + QStringLiteral("/kscreenlockerrc"), lockGroups, QStringLiteral("Image")), url(path));

    FailingTool failing(config.path());
    PlasmaDesktopBackend broken(QDBusConnection::sessionBus(), config.path(), m_runner, failing.path);
    const QString message = failureOf(broken.setLockScreenImage(picture(QStringLiteral("other.jpg"))));
    QVERIFY2(message.contains(QLatin1String("kwriteconfig-fails failed with status 3")), qPrintable(message));
}

LUMIVANE_DBUS_TEST_MAIN(TestPlasmaBackend)
#include "tst_platform_plasma.moc"
