// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <memory>

class QNetworkReply;

// Owned (through a shared_ptr) by whoever starts requests that must stop when it goes away,
// typically a view model. cancel() first raises the flag, then aborts every reply still in
// flight, so a coroutine resumed by the abort can test isCancelled() before touching its owner.
// Coroutines keep their own copy of the shared_ptr, so the flag outlives the owner.
class CancellationScope
{
public:
    static std::shared_ptr<CancellationScope> create() { return std::make_shared<CancellationScope>(); }

    bool isCancelled() const { return m_cancelled; }
    void cancel();

    // Aborts `reply` on cancel(); a reply registered after cancel() is aborted at once.
    void track(QNetworkReply *reply);

private:
    bool m_cancelled = false;
    QList<QPointer<QNetworkReply>> m_replies;
};

using CancellationToken = std::shared_ptr<CancellationScope>;
