#pragma once

#include "CancellationScope.h"
#include "WallpaperError.h"

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QUrl>

// Turns a remote image URL into a file under <caches>/Lumivane/Wallpapers and applies it to
// every screen or to the lock screen, then posts a notification. The public operations are
// virtual so that view-model tests can put a fake in its place.
class WallpaperEngine : public QObject
{
    Q_OBJECT

public:
    static WallpaperEngine &shared();

    virtual QCoro::Task<void> setDesktopWallpaper(QUrl remoteURL, CancellationToken cancel = {});
    virtual QCoro::Task<void> setLockScreenWallpaper(QUrl remoteURL, CancellationToken cancel = {});
    virtual void openAccessibilitySettings();
    // Whether setting the lock-screen picture is permitted without a prompt (always on Linux).
    virtual bool isAccessibilityTrusted() const;

protected:
    // For test doubles that override every public operation.
    explicit WallpaperEngine(QObject *parent = nullptr);
};
