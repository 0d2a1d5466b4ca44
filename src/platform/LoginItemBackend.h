// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Start-on-login as the platform provides it. Failures are thrown (FileError); nothing is
// rolled back.
class LoginItemBackend
{
public:
    virtual ~LoginItemBackend() = default;
    virtual void enable() = 0;
    virtual void disable() = 0;
    virtual bool isEnabled() const = 0;
};
