// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LumivaneApp.h"
#include "app/NextWallpaperCommand.h"
#include "app/SetWallpaperCommand.h"
#include "app/Translations.h"
#include "config/BuildInfo.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QtPlugin>
#include <QtQml/qqmlextensionplugin.h>

#include <cstdio>

Q_IMPORT_QML_PLUGIN(LumivanePlugin)
// HEIC pictures decode through our own image plugin, linked in statically.
Q_IMPORT_PLUGIN(HeicImagePlugin)

namespace {

// The terminal uses (--help, --version, --set-wallpaper, --next-wallpaper) must work where there is no
// display (over ssh, in a service) and where the display cannot be opened: a Wayland session without
// Qt's Wayland plugin, or a stale DISPLAY. They need no window, so the offscreen platform is their
// last resort. Returns whether there is no display at all.
bool choosePlatformForOptions(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return false;
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    if (!wayland && !x11) { // the window then ends with a message instead of Qt's abort
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }
    bool option = false;
    for (int i = 1; i < argc && !option; ++i)
        option = argv[i][0] == '-';
    if (option && !(wayland && x11)) // with both, Qt's own choice, as for the window
        qputenv("QT_QPA_PLATFORM", wayland ? "wayland;xcb;offscreen" : "xcb;offscreen");
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool withoutDisplay = choosePlatformForOptions(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("Lumivane"));
    QGuiApplication::setApplicationName(QStringLiteral("Lumivane"));
    QGuiApplication::setApplicationVersion(QString::fromUtf8(BuildInfo::version));
    QGuiApplication::setDesktopFileName(QStringLiteral("app.lumivane.Lumivane"));
    QGuiApplication app(argc, argv);
    Translations::install(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("main", "Browse, apply and share desktop wallpapers."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption setWallpaper(QStringLiteral("set-wallpaper"),
                                    QCoreApplication::translate("main", "Download the image at <url> and make it the desktop picture of every screen, then exit."),
                                    QStringLiteral("url"));
    QCommandLineOption lockScreen(QStringLiteral("lock-screen"),
                                  QCoreApplication::translate("main", "With --set-wallpaper: set the lock-screen picture instead."));
    QCommandLineOption monitor(QStringLiteral("monitor"),
                               QCoreApplication::translate("main", "With --set-wallpaper: set the picture of the monitor <name> only (as xrandr names it), where the desktop keeps one per monitor."),
                               QStringLiteral("name"));
    QCommandLineOption nextWallpaper(QStringLiteral("next-wallpaper"),
                                     QCoreApplication::translate("main", "Change the desktop picture now to the next wallpaper of the automatic change "
                                                    "(the source chosen in Settings, none repeated until all were shown), then exit."));
    QCommandLineOption background(QStringLiteral("background"),
                                  QCoreApplication::translate("main", "Run without a window and change the wallpaper at the interval chosen in Settings "
                                                 "while automatic change is on."));
    parser.addOption(setWallpaper);
    parser.addOption(lockScreen);
    parser.addOption(monitor);
    parser.addOption(nextWallpaper);
    parser.addOption(background);
    parser.process(app); // unknown options end here with a message and exit status 1

    if (parser.isSet(setWallpaper))
        return runSetWallpaperCommand(parser.value(setWallpaper), parser.isSet(lockScreen), parser.value(monitor));
    if (parser.isSet(nextWallpaper))
        return runNextWallpaperCommand();
    if (parser.isSet(background))
        return runBackgroundMode();
    if (parser.isSet(lockScreen) || parser.isSet(monitor)) {
        std::fputs("lumivane: --lock-screen and --monitor need --set-wallpaper URL\n", stderr);
        return 2;
    }

    if (withoutDisplay) { // an invisible window would run for ever
        std::fputs("lumivane: there is no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset)\n", stderr);
        return 1;
    }

    LumivaneApp lumivane;
    if (!lumivane.start())
        return 1;
    return app.exec();
}
