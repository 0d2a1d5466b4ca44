// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SetWallpaperCommand.h"

#include "models/AppError.h"
#include "services/WallpaperEngine.h"

#include <QEventLoop>
#include <QUrl>
#include <cstdio>

namespace {
QCoro::Task<void> apply(const QUrl url, bool lockScreen, const QString monitor, QString &error, QEventLoop &loop)
{
    try {
        if (lockScreen)
            co_await WallpaperEngine::shared().setLockScreenWallpaper(url);
        else
            co_await WallpaperEngine::shared().setDesktopWallpaperOn(url, monitor);
    } catch (const AppError &e) {
        error = e.description();
    }
    loop.quit();
}
} // namespace

int runSetWallpaperCommand(const QString &url, bool lockScreen, const QString &monitor)
{
    if (lockScreen && !monitor.isEmpty()) {
        std::fputs("lumivane: --monitor chooses a desktop picture; the lock screen has one picture\n", stderr);
        return 2;
    }
    const QUrl remote = QUrl::fromUserInput(url);
    if (!remote.isValid() || remote.scheme().isEmpty()) {
        std::fprintf(stderr, "lumivane: not a URL: %s\n", qPrintable(url));
        return 2;
    }
    QEventLoop loop;
    QString error;
    auto task = apply(remote, lockScreen, monitor, error, loop);
    if (!task.isReady())
        loop.exec();
    // A notification daemon started on demand by the bus needs our message to still be deliverable.
    WallpaperEngine::shared().waitForNotifications(5000);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "lumivane: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
