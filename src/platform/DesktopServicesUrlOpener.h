// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/UrlOpener.h"

class DesktopServicesUrlOpener : public UrlOpener
{
public:
    bool open(const QUrl &url) override;
};
