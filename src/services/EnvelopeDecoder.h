// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Category.h"
#include "models/Wallpaper.h"
#include "services/APIResponse.h"
#include "services/PaginatedResponse.h"
#include "services/ProcessingStatus.h"
#include "services/UploadResponse.h"
#include "services/WallpaperDownload.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Decodes the service's envelopes from a raw body with the strict record rules. Every function
// throws DecodingError when the body does not match.
namespace EnvelopeDecoder {

PaginatedResponse<Wallpaper> wallpaperPage(const QByteArray &body);
APIResponse<QList<Wallpaper>> wallpaperList(const QByteArray &body);
APIResponse<QList<Category>> categoryList(const QByteArray &body);
APIResponse<Wallpaper> wallpaper(const QByteArray &body);
APIResponse<WallpaperDownload> download(const QByteArray &body);
APIResponse<UploadResponse> upload(const QByteArray &body);
APIResponse<ProcessingStatus> processingStatus(const QByteArray &body);
// The error envelope: success, a string `data` and `message`.
APIResponse<QString> stringResponse(const QByteArray &body);

} // namespace EnvelopeDecoder
