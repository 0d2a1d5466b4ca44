// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PortalResponseWatcher.h"

void PortalResponseWatcher::onResponse(uint code, const QVariantMap &)
{
    if (m_code)
        return;
    m_code = code;
    Q_EMIT answered(code);
}
