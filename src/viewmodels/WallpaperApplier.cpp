// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/WallpaperApplier.h"
#include "services/APIClient.h"
#include "services/WallpaperEngine.h"
#include "services/WallpaperError.h"
#include "viewmodels/AppState.h"
#include "viewmodels/ErrorText.h"

#include <QCoreApplication>

WallpaperApplier::WallpaperApplier(QObject *parent)
    : WallpaperApplier(AppState::shared().applier(), parent)
{
}

WallpaperApplier::WallpaperApplier(WallpaperApplier &appWide, QObject *parent)
    : QObject(parent)
    , m_appWide(&appWide)
{
}

WallpaperApplier::WallpaperApplier(WallpaperEngine &engine, QObject *parent)
    : QObject(parent)
    , m_engine(&engine)
{
}

WallpaperApplier::WallpaperApplier(WallpaperEngine &engine, APIClient &api, QObject *parent)
    : QObject(parent)
    , m_engine(&engine)
    , m_api(&api)
{
}

WallpaperApplier::~WallpaperApplier()
{
    // A handle's applies belong to the application-wide applier and go on; the latter's own
    // end only with it (at exit).
    m_scopes.cancel();
}

WallpaperApplier &WallpaperApplier::appWide()
{
    return m_appWide ? *m_appWide : *this;
}

void WallpaperApplier::setDesktop(const QUrl &fullImageURL)
{
    setDesktopAsync(fullImageURL);
}

QCoro::Task<void> WallpaperApplier::setDesktopAsync(QUrl fullImageURL)
{
    if (fullImageURL.isEmpty() || (m_appWide && busy()))
        co_return;
    if (!m_appWide && !m_engine)
        co_return; // a handle whose application-wide applier is gone
    QPointer<WallpaperApplier> self(this);
    begin();
    try {
        co_await appWide().apply(fullImageURL, Target::Desktop);
    } catch (const std::exception &) {
        // The card and the hero show no message for a failed apply.
    }
    if (self)
        self->end();
}

QCoro::Task<void> WallpaperApplier::apply(QUrl fullImageURL, Target target, CancellationToken requester)
{
    return appWide().run(std::nullopt, std::move(fullImageURL), target, std::move(requester));
}

QCoro::Task<void> WallpaperApplier::applyWallpaper(QString id, Target target, CancellationToken requester, QString monitor)
{
    return appWide().run(std::move(id), QUrl(), target, std::move(requester), std::move(monitor));
}

QCoro::Task<void> WallpaperApplier::run(std::optional<QString> id, QUrl url, Target target, CancellationToken requester,
                                        QString monitor)
{
    // Only the application-wide applier's own end cancels an apply, never its requester's.
    const CancellationToken alive = m_scopes.root();
    begin();
    std::exception_ptr error;
    QString message;
    try {
        if (!m_engine || (id && !m_api))
            throw WallpaperError::setFailed(QStringLiteral("no wallpaper engine"));
        if (id) {
            const WallpaperDownload download = co_await m_api->fetchDownloadInfo(*id, alive);
            const auto parsed = download.absoluteUrl();
            if (!parsed)
                throw WallpaperError::downloadFailed();
            url = *parsed;
        }
        if (!alive->isCancelled()) {
            if (target == Target::Desktop && !monitor.isEmpty())
                co_await m_engine->setDesktopWallpaperOn(url, monitor, alive);
            else if (target == Target::Desktop)
                co_await m_engine->setDesktopWallpaper(url, alive);
            else
                co_await m_engine->setLockScreenWallpaper(url, alive);
        }
    } catch (const std::exception &e) {
        error = std::current_exception();
        message = errorText(e);
    }
    if (alive->isCancelled()) {
        if (!error)
            error = std::make_exception_ptr(WallpaperError::setFailed(QStringLiteral("the application is closing")));
        std::rethrow_exception(error);
    }
    if (error && requester && requester->isCancelled())
        m_engine->postNotification(target == Target::Desktop ? QCoreApplication::translate("WallpaperApplier", "Wallpaper Not Set")
                                                             : QCoreApplication::translate("WallpaperApplier", "Lock Screen Not Set"),
                                   message);
    end();
    Q_EMIT finished(url, target, message);
    if (error)
        std::rethrow_exception(error);
}

void WallpaperApplier::begin()
{
    if (++m_running == 1)
        Q_EMIT busyChanged();
}

void WallpaperApplier::end()
{
    if (m_running > 0 && --m_running == 0)
        Q_EMIT busyChanged();
}
