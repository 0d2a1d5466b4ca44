// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/CancellationScope.h"

#include <QList>
#include <memory>

// The cancellation tokens of one view model. root() ends only with the owner; child() tokens
// can also be cancelled on their own (a superseded search, an abandoned sibling request).
// cancel() raises the root flag before aborting anything, so a coroutine resumed by an abort
// sees isCancelled() and leaves its owner alone.
class ScopeGroup
{
public:
    ScopeGroup() = default;
    ScopeGroup(const ScopeGroup &) = delete;
    ScopeGroup &operator=(const ScopeGroup &) = delete;
    ~ScopeGroup() { cancel(); }

    const CancellationToken &root() const { return m_root; }

    CancellationToken child()
    {
        auto token = CancellationScope::create();
        if (m_root->isCancelled())
            token->cancel();
        m_children.removeIf([](const std::weak_ptr<CancellationScope> &c) { return c.expired(); });
        m_children.append(token);
        return token;
    }

    void cancel()
    {
        m_root->cancel();
        const auto children = std::exchange(m_children, {});
        for (const auto &weak : children) {
            if (auto token = weak.lock())
                token->cancel();
        }
    }

private:
    CancellationToken m_root = CancellationScope::create();
    QList<std::weak_ptr<CancellationScope>> m_children;
};
