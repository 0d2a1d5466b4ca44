// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/AppError.h"

#include <QString>
#include <exception>

// The text a screen shows for a caught error: our errors' description, else the library's own.
inline QString errorText(const std::exception &error)
{
    if (const auto *appError = dynamic_cast<const AppError *>(&error))
        return appError->description();
    return QString::fromUtf8(error.what());
}
