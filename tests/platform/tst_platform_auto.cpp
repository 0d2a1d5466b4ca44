// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which backend the automatic choice picks, from XDG_CURRENT_DESKTOP and the names really present
// on a private session bus, and that it then forwards to it.
#include "DbusTestBus.h"
#include "PlasmaShellStandIn.h"
#include "PortalStandIn.h"
#include "platform/AutoDesktopBackend.h"
#include "platform/GSettingsDesktopBackend.h"
#include "platform/QProcessRunner.h"
#include "PlatformTestKit.h"
#include "TestSupport.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <optional>

namespace {

using PlatformTestKit::failureOf;

const QString namesConnection = QStringLiteral("names-stand-in");

// Owns bus names for the length of one test row, without serving anything under them.
class BusNames
{
public:
    explicit BusNames(const QStringList &names)
        : m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, namesConnection))
        , m_names(names)
    {
        for (const QString &name : names)
            ok = m_connection.registerService(name) && ok;
    }
    ~BusNames()
    {
        for (const QString &name : m_names)
            m_connection.unregisterService(name);
        QDBusConnection::disconnectFromBus(namesConnection);
    }
    bool ok = true;

private:
    QDBusConnection m_connection;
    QStringList m_names;
};

// Resolves the choice by asking for a picture; the outcome of that call does not matter here.
QString chosenName(AutoDesktopBackend &backend, const QString &picture)
{
    failureOf(backend.setDesktopImage(picture, DesktopScreen{}), 10000);
    return backend.chosen() ? backend.chosen()->name() : QStringLiteral("<nothing chosen>");
}

// A session with no environment and no programs, so the machine's own never decide a row.
AutoDesktopBackend::Session bareSession(const QStringList &programs = {}, const QStringList &variables = {})
{
    AutoDesktopBackend::Session session;
    session.environment = QProcessEnvironment();
    for (const QString &variable : variables)
        session.environment.insert(variable, QStringLiteral("1"));
    session.findProgram = [programs](const QString &program) {
        return programs.contains(program) ? QStringLiteral("/bin/true") : QString();
    };
    return session;
}

} // namespace

class TestAutoDesktop : public QObject
{
    Q_OBJECT

public:
    explicit TestAutoDesktop(DbusTestBus &bus)
        : m_bus(bus)
    {
    }

private Q_SLOTS:
    void initTestCase();

    void choosesByDesktopAndBus_data();
    void choosesByDesktopAndBus();
    void runningServicesAndSessionPrograms_data();
    void runningServicesAndSessionPrograms();
    void forwardsToTheChosenBackend();
    void nothingSupportedNamesTheSupportedDesktops();

private:
    QString picture() { return PlatformTestKit::writeFile(m_dir.path(), QStringLiteral("picture.jpg")); }

    DbusTestBus &m_bus;
    QTemporaryDir m_dir;
    QProcessRunner m_runner;
};

void TestAutoDesktop::initTestCase()
{
    QVERIFY(m_bus.isRunning());
    QVERIFY(m_dir.isValid());
}

void TestAutoDesktop::choosesByDesktopAndBus_data()
{
    const QString plasma = QStringLiteral("org.kde.plasmashell");
    const QString xfconf = QStringLiteral("org.xfce.Xfconf");
    const QString portalName = QStringLiteral("org.freedesktop.portal.Desktop");
    QTest::addColumn<QString>("currentDesktop");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("wallpaperPortal"); // a portal that offers the Wallpaper interface
    QTest::addColumn<QString>("schema");       // needed for the row to mean anything
    QTest::addColumn<QString>("expected");

    const QString none = QStringLiteral("none");
    const QString portal = QStringLiteral("desktop portal");
    QTest::newRow("Plasma") << QStringLiteral("KDE") << QStringList{plasma} << true << QString() << QStringLiteral("KDE Plasma");
    QTest::newRow("Plasma's interface name is not its bus name")
        << QStringLiteral("KDE") << QStringList{QStringLiteral("org.kde.PlasmaShell")} << false << QString() << none;
    QTest::newRow("Plasma not running: portal") << QStringLiteral("KDE") << QStringList{} << true << QString() << portal;
    QTest::newRow("GNOME") << QStringLiteral("GNOME") << QStringList{} << true
                           << QStringLiteral("org.gnome.desktop.background") << QStringLiteral("GNOME");
    QTest::newRow("Ubuntu's GNOME, lower case") << QStringLiteral("ubuntu:gnome") << QStringList{} << false
                                                << QStringLiteral("org.gnome.desktop.background") << QStringLiteral("GNOME");
    QTest::newRow("Budgie lists GNOME too") << QStringLiteral("Budgie:GNOME") << QStringList{} << false
                                            << QStringLiteral("org.gnome.desktop.background") << QStringLiteral("Budgie");
    QTest::newRow("Unity") << QStringLiteral("Unity") << QStringList{} << false << QStringLiteral("org.gnome.desktop.background")
                           << QStringLiteral("Unity");
    QTest::newRow("Pantheon") << QStringLiteral("Pantheon") << QStringList{} << false
                              << QStringLiteral("org.gnome.desktop.background") << QStringLiteral("Pantheon");
    QTest::newRow("Cinnamon") << QStringLiteral("X-Cinnamon") << QStringList{} << false
                              << QStringLiteral("org.cinnamon.desktop.background") << QStringLiteral("Cinnamon");
    QTest::newRow("MATE") << QStringLiteral("MATE") << QStringList{} << false << QStringLiteral("org.mate.background")
                          << QStringLiteral("MATE");
    QTest::newRow("Xfce") << QStringLiteral("XFCE") << QStringList{xfconf} << true << QString() << QStringLiteral("Xfce");
    QTest::newRow("sway with a portal") << QStringLiteral("sway") << QStringList{} << true << QString() << portal;
    // xdg-desktop-portal with only its gtk backend (or on wlroots) has no Wallpaper interface.
    QTest::newRow("sway, portal without a wallpaper backend") << QStringLiteral("sway") << QStringList{portalName} << false
                                                              << QString() << none;
    QTest::newRow("sway alone") << QStringLiteral("sway") << QStringList{} << false << QString() << none;
    QTest::newRow("nothing set") << QString() << QStringList{} << false << QString() << none;
    QTest::newRow("Plasma's name elsewhere does not make it Plasma")
        << QStringLiteral("GNOME") << QStringList{plasma} << false << QStringLiteral("org.gnome.desktop.background")
        << QStringLiteral("GNOME");
}

void TestAutoDesktop::choosesByDesktopAndBus()
{
    QFETCH(QString, currentDesktop);
    QFETCH(QStringList, names);
    QFETCH(bool, wallpaperPortal);
    QFETCH(QString, schema);
    QFETCH(QString, expected);
    if (!schema.isEmpty() && !GSettingsDesktopBackend::schemaInstalled(schema))
        QSKIP(qPrintable(QStringLiteral("the schema %1 is not installed").arg(schema)));

    BusNames present(names);
    QVERIFY(present.ok);
    std::optional<PortalStandIn> portal;
    if (wallpaperPortal) {
        portal.emplace();
        QVERIFY(portal->registerOnBus());
    }
    AutoDesktopBackend backend(QDBusConnection::sessionBus(), currentDesktop, m_dir.path(), m_runner, bareSession());
    QCOMPARE(backend.name(), QStringLiteral("automatic"));
    QCOMPARE(chosenName(backend, picture()), expected);
    QCOMPARE(backend.name(), expected);
}

void TestAutoDesktop::runningServicesAndSessionPrograms_data()
{
    QTest::addColumn<QString>("currentDesktop");
    QTest::addColumn<QStringList>("running");
    QTest::addColumn<bool>("wallpaperPortal");
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QString>("expected");
    const QStringList none;
    // Unset or unknown, with Xfce's settings service running: Xfce, not the portal's dialog
    // that may never come.
    QTest::newRow("nothing set, xfconfd running, a portal too")
        << QString() << QStringList{QStringLiteral("org.xfce.Xfconf")} << true << none << none << QStringLiteral("Xfce");
    QTest::newRow("unknown desktop, plasmashell running")
        << QStringLiteral("Lumina") << QStringList{QStringLiteral("org.kde.plasmashell")} << true << none << none
        << QStringLiteral("KDE Plasma");
    QTest::newRow("sway with swaymsg, before the portal")
        << QStringLiteral("sway") << none << true << QStringList{QStringLiteral("swaymsg")} << none << QStringLiteral("sway");
    QTest::newRow("sway's socket without a desktop name")
        << QString() << none << false << QStringList{QStringLiteral("swaymsg")} << QStringList{QStringLiteral("SWAYSOCK")}
        << QStringLiteral("sway");
    QTest::newRow("Hyprland with hyprpaper")
        << QStringLiteral("Hyprland") << none << false << QStringList{QStringLiteral("hyprctl"), QStringLiteral("hyprpaper")}
        << none << QStringLiteral("Hyprland (hyprpaper)");
    QTest::newRow("Hyprland without hyprpaper, swww") << QStringLiteral("Hyprland") << none << false
                                                       << QStringList{QStringLiteral("hyprctl"), QStringLiteral("swww")}
                                                       << QStringList{QStringLiteral("WAYLAND_DISPLAY")} << QStringLiteral("swww");
    QTest::newRow("X11 window manager, feh") << QStringLiteral("i3") << none << false
                                             << QStringList{QStringLiteral("feh"), QStringLiteral("xwallpaper")}
                                             << QStringList{QStringLiteral("DISPLAY")} << QStringLiteral("feh");
    QTest::newRow("X11 window manager, xwallpaper") << QStringLiteral("i3") << none << false
                                                    << QStringList{QStringLiteral("xwallpaper")}
                                                    << QStringList{QStringLiteral("DISPLAY")} << QStringLiteral("xwallpaper");
    QTest::newRow("feh is no use on Wayland") << QStringLiteral("river") << none << false << QStringList{QStringLiteral("feh")}
                                              << QStringList{QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY")}
                                              << QStringLiteral("none");
}

void TestAutoDesktop::runningServicesAndSessionPrograms()
{
    QFETCH(QString, currentDesktop);
    QFETCH(QStringList, running);
    QFETCH(bool, wallpaperPortal);
    QFETCH(QStringList, programs);
    QFETCH(QStringList, variables);
    QFETCH(QString, expected);
    BusNames present(running);
    QVERIFY(present.ok);
    std::optional<PortalStandIn> portal;
    if (wallpaperPortal) {
        portal.emplace();
        QVERIFY(portal->registerOnBus());
    }
    AutoDesktopBackend backend(QDBusConnection::sessionBus(), currentDesktop, m_dir.path(), m_runner,
                               bareSession(programs, variables));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(chosenName(backend, picture()), expected);
    QVERIFY(clock.elapsed() < 8000);
}

void TestAutoDesktop::forwardsToTheChosenBackend()
{
    PlasmaShellStandIn shell({0, 1});
    QVERIFY(shell.registerOnBus());
    AutoDesktopBackend backend(QDBusConnection::sessionBus(), QStringLiteral("KDE"), m_dir.path(), m_runner);
    const QString path = picture();
    QCOMPARE(failureOf(backend.setDesktopImage(path, DesktopScreen{1, QStringLiteral("DP-2"), false})), QString());
    QCOMPARE(shell.calls.size(), 1);
    const QString url = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    QCOMPARE(shell.desktops()[1]->value(QStringLiteral("Wallpaper/org.kde.image/General/Image")).toString(), url);
    QVERIFY(shell.desktops()[0]->value(QStringLiteral("Wallpaper/org.kde.image/General/Image")).isNull());

    // The lock screen goes to the same backend: Plasma's screen locker config in our config home.
    QCOMPARE(failureOf(backend.setLockScreenImage(path)), QString());
    QVERIFY(QFile(m_dir.path() + QStringLiteral("/kscreenlockerrc")).size() > 0);
    QCOMPARE(shell.calls.size(), 1);
}

void TestAutoDesktop::nothingSupportedNamesTheSupportedDesktops()
{
    AutoDesktopBackend backend(QDBusConnection::sessionBus(), QStringLiteral("Hyprland"), m_dir.path(), m_runner, bareSession());
    for (int lockScreen = 0; lockScreen < 2; ++lockScreen) {
        const QString message = lockScreen ? failureOf(backend.setLockScreenImage(picture()))
                                           : failureOf(backend.setDesktopImage(picture(), DesktopScreen{}));
        QVERIFY2(message.startsWith(QLatin1String("Failed to set wallpaper: no supported desktop")), qPrintable(message));
        for (const char *desktop : {"GNOME", "Cinnamon", "MATE", "KDE Plasma", "Xfce", "sway", "feh", "portal"})
            QVERIFY2(message.contains(QLatin1String(desktop)), desktop);
    }
}

LUMIVANE_DBUS_TEST_MAIN(TestAutoDesktop)
#include "tst_platform_auto.moc"
