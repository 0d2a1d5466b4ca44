#pragma once

#include "AccessibilityTrust.h"

// Linux asks no permission before a program changes the user's desktop settings.
class AlwaysTrusted : public AccessibilityTrust
{
public:
    bool isTrusted() const override { return true; }
    void prompt() override { }
};
