// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/AppError.h"

#include <QCoreApplication>

// A desktop backend could not apply a picture. The text reads like the engine's own
// "Failed to set wallpaper: …" so the user sees the same message whichever layer failed.
class DesktopError : public AppError
{
public:
    explicit DesktopError(const QString &reason)
        : AppError(QCoreApplication::translate("DesktopError", "Failed to set wallpaper: ") + reason)
        , m_reason(reason)
    {
    }
    QString reason() const { return m_reason; }

private:
    QString m_reason;
};
