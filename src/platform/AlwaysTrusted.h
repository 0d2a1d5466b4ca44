// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AccessibilityTrust.h"

// Linux asks no permission before a program changes the user's desktop settings.
class AlwaysTrusted : public AccessibilityTrust
{
public:
    bool isTrusted() const override { return true; }
    void prompt() override { }
};
