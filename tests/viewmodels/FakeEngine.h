// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/WallpaperEngine.h"

#include <QList>
#include <QPair>
#include <QUrl>
#include <optional>

// Stands in for the wallpaper engine: records what it was asked, answers after a short delay
// (never synchronously), and fails with the configured error when one is set.
class FakeEngine : public WallpaperEngine
{
public:
    explicit FakeEngine(QObject *parent = nullptr)
        : WallpaperEngine(parent)
    {
    }

    QCoro::Task<void> setDesktopWallpaper(QUrl remoteUrl, CancellationToken cancel = {}) override;
    QCoro::Task<void> setDesktopWallpaperOn(QUrl remoteUrl, QString monitor, CancellationToken cancel = {}) override;
    QCoro::Task<void> setLockScreenWallpaper(QUrl remoteUrl, CancellationToken cancel = {}) override;
    QList<DesktopScreen> screens() const override { return monitors; }
    QCoro::Task<DesktopCapabilities> desktopCapabilities() override { co_return capabilities; }
    void openAccessibilitySettings() override { ++accessibilityOpened; }
    bool isAccessibilityTrusted() const override { return trusted; }
    void postNotification(const QString &title, const QString &body) override { notifications.append({title, body}); }

    QList<QUrl> desktopCalls;
    QList<QUrl> lockScreenCalls;
    QList<QPair<QUrl, QString>> monitorCalls; // (picture, monitor)
    QList<DesktopScreen> monitors;
    DesktopCapabilities capabilities;
    QList<QPair<QString, QString>> notifications; // (title, body) posted by an applier
    std::optional<WallpaperError> failure;
    int delayMs = 5;
    int accessibilityOpened = 0;
    bool trusted = true;

private:
    QCoro::Task<void> answer(CancellationToken cancel);
};
