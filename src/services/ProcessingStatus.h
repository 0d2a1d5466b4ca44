// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "models/Wallpaper.h"

#include <QString>
#include <optional>

// State of an upload job: "completed" and "failed" are final, anything else still runs.
struct ProcessingStatus {
    QString status;
    std::optional<QString> message;
    std::optional<Wallpaper> wallpaper;
};
