// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewmodels/ScopeGroup.h"

#include <functional>
#include <utility>

// One logical request of a view model ("page", "my uploads"). Starting a request aborts the one
// it replaces, so only the newest answer can land; busy() follows the current request alone and
// is never left raised by an answer that was superseded or failed.
//
//     auto ticket = m_slot.start();
//     const auto answer = co_await fetch(ticket.token());
//     if (!ticket.isCurrent())
//         co_return; // superseded, aborted or the owner is gone: touch nothing
//
// The ticket ends the request when it goes out of scope (answer, failure or early return).
class RequestSlot
{
public:
    class Ticket
    {
    public:
        Ticket(Ticket &&other) noexcept
            : m_slot(std::exchange(other.m_slot, nullptr))
            , m_token(std::move(other.m_token))
        {
        }
        Ticket(const Ticket &) = delete;
        Ticket &operator=(const Ticket &) = delete;
        Ticket &operator=(Ticket &&) = delete;
        ~Ticket()
        {
            // A cancelled token means the slot moved on or is gone; only the current one ends it.
            if (m_slot && m_token && !m_token->isCancelled())
                m_slot->finish(m_token.get());
        }

        const CancellationToken &token() const { return m_token; }
        bool isCurrent() const { return m_token && !m_token->isCancelled(); }

    private:
        friend class RequestSlot;
        Ticket(RequestSlot *slot, CancellationToken token)
            : m_slot(slot)
            , m_token(std::move(token))
        {
        }
        RequestSlot *m_slot;
        CancellationToken m_token;
    };

    // `busyChanged` runs whenever busy() changes (not while the slot is destroyed).
    explicit RequestSlot(ScopeGroup &scopes, std::function<void()> busyChanged = {})
        : m_scopes(scopes)
        , m_busyChanged(std::move(busyChanged))
    {
    }
    RequestSlot(const RequestSlot &) = delete;
    RequestSlot &operator=(const RequestSlot &) = delete;
    ~RequestSlot()
    {
        if (m_current)
            m_current->cancel();
    }

    bool busy() const { return m_current != nullptr; }

    Ticket start()
    {
        const bool wasBusy = busy();
        if (m_current)
            std::exchange(m_current, nullptr)->cancel();
        m_current = m_scopes.child();
        if (!wasBusy)
            notify();
        return Ticket(this, m_current);
    }

    // Aborts the current request, if any; its answer never lands.
    void abort()
    {
        if (!m_current)
            return;
        std::exchange(m_current, nullptr)->cancel();
        notify();
    }

private:
    void finish(const CancellationScope *scope)
    {
        if (m_current.get() != scope)
            return;
        m_current.reset();
        notify();
    }
    void notify()
    {
        if (m_busyChanged)
            m_busyChanged();
    }

    ScopeGroup &m_scopes;
    std::function<void()> m_busyChanged;
    CancellationToken m_current;
};
