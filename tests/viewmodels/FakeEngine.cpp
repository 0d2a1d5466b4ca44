// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeEngine.h"

#include <QCoroTimer>
#include <chrono>

QCoro::Task<void> FakeEngine::setDesktopWallpaper(QUrl remoteUrl, CancellationToken cancel)
{
    desktopCalls.append(remoteUrl);
    return answer(std::move(cancel));
}

QCoro::Task<void> FakeEngine::setDesktopWallpaperOn(QUrl remoteUrl, QString monitor, CancellationToken cancel)
{
    monitorCalls.append({remoteUrl, monitor});
    return answer(std::move(cancel));
}

QCoro::Task<void> FakeEngine::setLockScreenWallpaper(QUrl remoteUrl, CancellationToken cancel)
{
    lockScreenCalls.append(remoteUrl);
    return answer(std::move(cancel));
}

QCoro::Task<void> FakeEngine::answer(CancellationToken cancel)
{
    const std::optional<WallpaperError> error = failure;
    co_await QCoro::sleepFor(std::chrono::milliseconds(delayMs));
    if (cancel && cancel->isCancelled())
        throw WallpaperError::downloadFailed();
    if (error)
        throw *error;
}
