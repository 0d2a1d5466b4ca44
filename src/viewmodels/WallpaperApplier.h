// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewmodels/ScopeGroup.h"

#include <QCoroTask>
#include <QObject>
#include <QQmlEngine>
#include <QUrl>

class WallpaperEngine;

// Applies a wallpaper from a card or the hero without any message: `busy` while it runs, the
// outcome dropped (the engine posts its own notification on success).
class WallpaperApplier : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)

public:
    explicit WallpaperApplier(QObject *parent = nullptr);
    explicit WallpaperApplier(WallpaperEngine &engine, QObject *parent = nullptr);
    ~WallpaperApplier() override;

    bool busy() const { return m_busy; }

    // An empty URL, or a call while busy, does nothing.
    Q_INVOKABLE void setDesktop(const QUrl &fullImageURL);
    QCoro::Task<void> setDesktopAsync(QUrl fullImageURL);

Q_SIGNALS:
    void busyChanged();

private:
    void setBusy(bool busy);

    WallpaperEngine &m_engine;
    ScopeGroup m_scopes;
    bool m_busy = false;
};
