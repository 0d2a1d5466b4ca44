// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether the process may script other applications (macOS accessibility permission).
class AccessibilityTrust
{
public:
    virtual ~AccessibilityTrust() = default;
    virtual bool isTrusted() const = 0;
    // Shows the system's permission prompt.
    virtual void prompt() = 0;
};
