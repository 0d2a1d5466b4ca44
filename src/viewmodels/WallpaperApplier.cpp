// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/WallpaperApplier.h"
#include "services/WallpaperEngine.h"

WallpaperApplier::WallpaperApplier(QObject *parent)
    : WallpaperApplier(WallpaperEngine::shared(), parent)
{
}

WallpaperApplier::WallpaperApplier(WallpaperEngine &engine, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
{
}

WallpaperApplier::~WallpaperApplier()
{
    m_scopes.cancel();
}

void WallpaperApplier::setDesktop(const QUrl &fullImageURL)
{
    setDesktopAsync(fullImageURL);
}

QCoro::Task<void> WallpaperApplier::setDesktopAsync(QUrl fullImageURL)
{
    if (m_busy || fullImageURL.isEmpty())
        co_return;
    const CancellationToken alive = m_scopes.root();
    setBusy(true);
    try {
        co_await m_engine.setDesktopWallpaper(fullImageURL, alive);
    } catch (const std::exception &) {
        // The card and the hero show no message for a failed apply.
    }
    if (alive->isCancelled())
        co_return;
    setBusy(false);
}

void WallpaperApplier::setBusy(bool busy)
{
    if (m_busy == busy)
        return;
    m_busy = busy;
    Q_EMIT busyChanged();
}
