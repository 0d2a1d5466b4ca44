// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/NetworkState.h"

// GIO's network monitor: NetworkManager's view on the system bus when it runs (without it nothing
// counts as metered).
class GioNetworkState : public NetworkState
{
public:
    bool isMetered() const override;
    void waitForNetwork(int timeoutMs) override;
};
