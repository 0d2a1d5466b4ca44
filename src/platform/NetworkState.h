// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the system knows about the connection, for work that may wait for a better one.
class NetworkState
{
public:
    virtual ~NetworkState() = default;
    // Whether the connection is paid by the byte (mobile data, a phone's hotspot).
    virtual bool isMetered() const = 0;
    // Runs the event loop until the system reports a usable network, or `timeoutMs` passes.
    virtual void waitForNetwork(int timeoutMs) = 0;
};
