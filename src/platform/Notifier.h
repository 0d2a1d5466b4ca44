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
    // Waits, at most `timeoutMs`, until what was posted has reached the notification server: a
    // process about to exit calls it, or a server started on demand never sees the message.
    virtual void waitForDelivery(int timeoutMs) { Q_UNUSED(timeoutMs); }
};
