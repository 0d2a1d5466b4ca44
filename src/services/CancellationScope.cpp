// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/CancellationScope.h"

#include <QNetworkReply>

void CancellationScope::cancel()
{
    if (m_cancelled)
        return;
    m_cancelled = true;
    const auto replies = std::exchange(m_replies, {});
    for (const QPointer<QNetworkReply> &reply : replies) {
        if (reply && reply->isRunning())
            reply->abort();
    }
}

void CancellationScope::track(QNetworkReply *reply)
{
    if (!reply)
        return;
    if (m_cancelled) {
        reply->abort();
        return;
    }
    // Drop finished replies so a long-lived scope does not grow without bound.
    m_replies.removeIf([](const QPointer<QNetworkReply> &r) { return !r || r->isFinished(); });
    m_replies.append(reply);
}
