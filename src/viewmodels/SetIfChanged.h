// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>

// The setter every notifying property needs: assign and emit only on a real change, so bindings do
// not re-evaluate (and views do not flicker) for writes of the same value. Returns whether it changed.
template<typename T, typename U, typename Owner, typename Signal>
bool setIfChanged(T &member, U &&value, Owner *owner, Signal signal)
{
    if (member == value)
        return false;
    member = std::forward<U>(value);
    Q_EMIT(owner->*signal)();
    return true;
}
