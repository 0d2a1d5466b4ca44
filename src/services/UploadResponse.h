// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

struct UploadResponse {
    QString jobId;
    QString message;
};
