// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/CancellationScope.h"
#include "viewmodels/ScopeGroup.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QQmlEngine>
#include <QUrl>

class APIClient;
class WallpaperEngine;

// Applies wallpapers for the whole application, so that an apply outlives the view that
// started it (a sheet closed, a card scrolled away, a tab changed). AppState owns the one
// application-wide applier; `busy` holds while any apply runs, overlapping ones included.
//
// A WallpaperApplier created from QML (a card, the hero) is a view's handle onto that one: it
// hands its applies over, shows `busy` for the ones it started, ignores a second press while
// one of them runs, and leaves them running when it is destroyed. Card and hero applies show no
// message (the engine posts its own notification on success).
class WallpaperApplier : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)

public:
    enum class Target { Desktop, LockScreen };
    Q_ENUM(Target)

    // A view's handle onto AppState's applier.
    explicit WallpaperApplier(QObject *parent = nullptr);
    // A handle onto `appWide`.
    explicit WallpaperApplier(WallpaperApplier &appWide, QObject *parent = nullptr);
    // An application-wide applier; applies by wallpaper id need `api`.
    explicit WallpaperApplier(WallpaperEngine &engine, QObject *parent = nullptr);
    WallpaperApplier(WallpaperEngine &engine, APIClient &api, QObject *parent = nullptr);
    ~WallpaperApplier() override;

    bool busy() const { return m_running > 0; }

    // An empty URL does nothing; so does a call on a handle while its own apply runs.
    Q_INVOKABLE void setDesktop(const QUrl &fullImageURL);
    QCoro::Task<void> setDesktopAsync(QUrl fullImageURL);

    // Application-wide operations; they throw the engine's or the service's error. An apply
    // runs to its end whatever happens to its caller; when `requester` is cancelled by then
    // (the view is gone) a failure is posted as a notification, since no alert can show it.
    QCoro::Task<void> apply(QUrl fullImageURL, Target target, CancellationToken requester = {});
    // Asks the service for the download address of wallpaper `id`, then applies it: on every
    // monitor, or on the one named `monitor` (the desktop picture only).
    QCoro::Task<void> applyWallpaper(QString id, Target target, CancellationToken requester = {}, QString monitor = {});

Q_SIGNALS:
    void busyChanged();
    // Every finished application-wide apply: `error` is empty on success.
    void finished(const QUrl &fullImageURL, WallpaperApplier::Target target, const QString &error);

private:
    QCoro::Task<void> run(std::optional<QString> id, QUrl url, Target target, CancellationToken requester,
                          QString monitor = {});
    void begin();
    void end();
    WallpaperApplier &appWide();

    WallpaperEngine *m_engine = nullptr;
    APIClient *m_api = nullptr;
    QPointer<WallpaperApplier> m_appWide; // set on handles only
    ScopeGroup m_scopes;
    int m_running = 0;
};
