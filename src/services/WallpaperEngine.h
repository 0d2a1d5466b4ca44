// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopBackend.h"
#include "platform/DesktopScreen.h"
#include "services/CancellationScope.h"
#include "services/WallpaperError.h"

#include <QCoroTask>
#include <QFuture>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariantMap>
#include <functional>
#include <optional>

class AccessibilityTrust;
class AppleScriptRunner;
class Notifier;
class QNetworkAccessManager;
class QSettings;
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
        AccessibilityTrust *trust = nullptr;      // not owned; none (Linux) counts as trusted
        UrlOpener *urlOpener = nullptr;           // not owned
        AppleScriptRunner *scriptRunner = nullptr; // not owned; macOS only
        std::function<QList<DesktopScreen>()> screens; // in the system's order
        LockScreenPath lockScreenPath = LockScreenPath::DesktopBackend;
        QString cachesRoot;                 // the folder that holds Lumivane/
        int downloadTimeoutMs = 60'000;     // a stalled download fails after this long
        int downloadDeadlineMs = 0;         // the whole download takes at most this long; 0: the default
        QSettings *settings = nullptr;      // not owned; where the pictures in use are recorded
    };

    explicit WallpaperEngine(Collaborators collaborators, QObject *parent = nullptr);

    static WallpaperEngine &shared();
    // What shared() is made of: this system's desktop, notifications, screens and folders.
    static Collaborators systemCollaborators();

    virtual QCoro::Task<void> setDesktopWallpaper(QUrl remoteUrl, CancellationToken cancel = {});
    // The same on one monitor only, named as the desktop names it ("HDMI-1"); the desktop must
    // keep a picture per monitor. Without a display (Qt's offscreen screen) the name is passed on
    // as it is, since only the desktop knows its monitors then. Where the desktop has one picture
    // for all monitors but can lay it across them (spanned), the picture last applied to each
    // monitor is remembered and one picture is composed from them all; that needs the monitors'
    // places, so it is refused without a display.
    virtual QCoro::Task<void> setDesktopWallpaperOn(QUrl remoteUrl, QString monitor, CancellationToken cancel = {});
    // The monitors as the system lists them now.
    virtual QList<DesktopScreen> screens() const;
    // What the desktop can show (everything when there is no desktop backend).
    virtual QCoro::Task<DesktopCapabilities> desktopCapabilities();
    // The same for a view to show, or nothing when the desktop cannot be asked: the view then
    // offers what it did, and the apply itself says what went wrong.
    QCoro::Task<std::optional<DesktopCapabilities>> capabilitiesToOffer();
    virtual QCoro::Task<void> setLockScreenWallpaper(QUrl remoteUrl, CancellationToken cancel = {});
    virtual void openAccessibilitySettings();
    // Whether setting the lock-screen picture is permitted without a prompt (always on Linux).
    virtual bool isAccessibilityTrusted() const;

    // Downloads into the wallpapers folder, or returns the file already there for this very URL.
    // A body that does not decode as a picture fails and leaves no file.
    QCoro::Task<QString> downloadWallpaper(QUrl remoteUrl, CancellationToken cancel = {});
    QString wallpapersDirectory() const;
    // Where the pictures composed to span all monitors are written.
    QString spannedDirectory() const;
    virtual void postNotification(const QString &title, const QString &body);
    // Before a short-lived process exits: lets posted notifications reach the server (bounded).
    void waitForNotifications(int timeoutMs);

    static const QUrl &accessibilitySettingsUrl();

    // The System Events script that sets every desktop's picture, with the path escaped as an
    // AppleScript string so no file name can end the string early.
    static QString lockScreenScript(const QString &path);
    // The local name of the picture at `url`: a hash of the whole URL, so that two pictures
    // never share a file (a catalogue may call every rendition "full.jpg"), plus the URL's
    // extension when it is a plain one ("jpg" otherwise). Never leaves its folder, never hidden.
    static QString localFileName(const QUrl &url);

    // Whether `bytes` decode as a picture within Qt's image allocation limit. Runs on a worker
    // thread: a large picture takes a while to decode.
    static QCoro::Task<bool> decodesAsImage(QByteArray bytes);

protected:
    // For test doubles that override every public operation.
    explicit WallpaperEngine(QObject *parent = nullptr);

private:
    // Remembers which files a desktop or the lock screen may show, so Clear Cache keeps them.
    void recordInUse(const QString &key, const QStringList &files);
    QStringList inUse(const QString &key) const;
    // The picture last applied to each monitor (and under "" to all of them).
    QVariantMap picturesByMonitor() const;
    void recordPicturesByMonitor(const QVariantMap &pictures);
    // `file` on `monitor`, composed with the other monitors' pictures into one spanning picture.
    QCoro::Task<void> setSpanned(QString file, QString monitor, QList<DesktopScreen> screens);

    Collaborators m;
    QFuture<void> m_spanning; // the composition running now, which the next one waits for
};
