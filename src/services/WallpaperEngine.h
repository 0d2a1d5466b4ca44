// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopScreen.h"
#include "services/CancellationScope.h"
#include "services/WallpaperError.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>

class AccessibilityTrust;
class AppleScriptRunner;
class DesktopBackend;
class Notifier;
class QNetworkAccessManager;
class UrlOpener;

// Turns a remote image URL into a file under <caches>/Lumivane/Wallpapers and applies it to
// every screen or to the lock screen, then posts a notification. The public operations are
// virtual so that view-model tests can put a fake in its place.
class WallpaperEngine : public QObject
{
    Q_OBJECT

public:
    // How the lock-screen picture is set: macOS 14 and later set the main screen's desktop
    // picture, earlier macOS runs a System Events script (with accessibility trust), Linux asks
    // the desktop backend.
    enum class LockScreenPath { MainScreen, SystemEventsScript, DesktopBackend };
    static LockScreenPath lockScreenPathFor(const QString &productType, int majorVersion);

    struct Collaborators {
        QNetworkAccessManager *network = nullptr; // not owned
        DesktopBackend *desktop = nullptr;        // not owned
        Notifier *notifier = nullptr;             // not owned
        AccessibilityTrust *trust = nullptr;      // not owned
        UrlOpener *urlOpener = nullptr;           // not owned
        AppleScriptRunner *scriptRunner = nullptr; // not owned; macOS only
        std::function<QList<DesktopScreen>()> screens; // in the system's order
        LockScreenPath lockScreenPath = LockScreenPath::DesktopBackend;
        QString cachesRoot;                 // the folder that holds Lumivane/
        int downloadTimeoutMs = 60'000;     // a stalled download fails after this long
    };

    explicit WallpaperEngine(Collaborators collaborators, QObject *parent = nullptr);

    static WallpaperEngine &shared();

    virtual QCoro::Task<void> setDesktopWallpaper(QUrl remoteUrl, CancellationToken cancel = {});
    virtual QCoro::Task<void> setLockScreenWallpaper(QUrl remoteUrl, CancellationToken cancel = {});
    virtual void openAccessibilitySettings();
    // Whether setting the lock-screen picture is permitted without a prompt (always on Linux).
    virtual bool isAccessibilityTrusted() const;

    // Downloads into the wallpapers folder, or returns the file already there.
    QCoro::Task<QString> downloadWallpaper(QUrl remoteUrl, CancellationToken cancel = {});
    QString wallpapersDirectory() const;
    void postNotification(const QString &title, const QString &body);

    static const QUrl &accessibilitySettingsUrl();

    // The System Events script that sets every desktop's picture, with the path escaped as an
    // AppleScript string so no file name can end the string early.
    static QString lockScreenScript(const QString &path);
    // The last path component of a URL reduced to a name that cannot leave its folder: no
    // separators or control characters, not "." or ".."; empty when nothing usable is left.
    static QString safeFileName(const QUrl &url);

protected:
    // For test doubles that override every public operation.
    explicit WallpaperEngine(QObject *parent = nullptr);

private:
    Collaborators m;
};
