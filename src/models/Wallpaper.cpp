// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/Wallpaper.h"

#include "models/ImageAddress.h"

namespace {
QUrl firstAddress(const std::optional<QString> &preferred, const std::optional<QString> &fallback)
{
    const QUrl url = ImageAddress::imageURL(preferred);
    return url.isEmpty() ? ImageAddress::imageURL(fallback) : url;
}
} // namespace

QUrl Wallpaper::thumbnailURL() const
{
    return ImageAddress::imageURL(m.thumbnailKey);
}

QUrl Wallpaper::previewURL() const
{
    return firstAddress(m.mediumKey, m.thumbnailKey);
}

QUrl Wallpaper::fullImageURL() const
{
    return firstAddress(m.fullKey, m.mediumKey);
}
