// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// Envelope of every endpoint but the paged list. `success` is decoded and never consulted.
template<typename T> struct APIResponse {
    bool success = false;
    T data;
    QString message;
};
