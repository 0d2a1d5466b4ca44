// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopServicesUrlOpener.h"

#include <QDesktopServices>

bool DesktopServicesUrlOpener::open(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}
