// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopBackend.h"

// No supported desktop was found: every operation fails and names the desktops we support.
class UnavailableDesktopBackend : public DesktopBackend
{
public:
    QString name() const override { return QStringLiteral("none"); }
    QCoro::Task<DesktopCapabilities> capabilities() override;
    QCoro::Task<void> setDesktopImage(QString filePath, DesktopScreen screen) override;
    QCoro::Task<void> setLockScreenImage(QString filePath) override;

    static QString reason();
};
