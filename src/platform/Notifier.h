// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Posts one user notification at once, with the default sound. The outcome is not observed.
class Notifier
{
public:
    virtual ~Notifier() = default;
    virtual void post(const QString &title, const QString &body) = 0;
};
