// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopScreen.h"

#include <QCoroTask>
#include <QString>

// Sets the desktop and lock-screen picture, scaled to fill the screen and cropped. A mechanism
// with one picture for all monitors applies it whichever screen is named. Every
// operation reads the value back after writing and throws DesktopError (or the system's own
// error) when the picture did not take.
class DesktopBackend
{
public:
    virtual ~DesktopBackend() = default;

    // Short human name ("GNOME", "KDE Plasma", …), used in messages.
    virtual QString name() const = 0;

    virtual QCoro::Task<void> setDesktopImage(QString filePath, DesktopScreen screen) = 0;
    virtual QCoro::Task<void> setLockScreenImage(QString filePath) = 0;
};
