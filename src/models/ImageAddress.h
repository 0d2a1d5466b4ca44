// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>
#include <optional>

// The image host: address = base URL text followed directly by a storage key.
namespace ImageAddress {

// The base URL in use: the LUMIVANE_IMAGE_BASE_URL environment variable when set (plain http
// only for loopback hosts), else the build-time constant.
QString baseURL();
// Replaces the base for the rest of the process (tests).
void setBaseURL(const QString &base);

// No key, a key with a "." or ".." segment (which would leave the image host's folder once the
// HTTP layer normalises the path), or text that does not parse as a URL, gives an empty QUrl.
QUrl imageURL(const std::optional<QString> &key);

// Whether `text`, percent-decoded, has no "." or ".." segment between slashes or backslashes.
bool staysInItsFolder(const QString &text);
// Whether `id` can stand as one path segment: not empty, not "." or "..", no slash or backslash
// (percent-encoded or not), no control character.
bool isSafePathSegment(const QString &id);

} // namespace ImageAddress

namespace ImageAddress {
// https anywhere; plain http only for loopback hosts (127.0.0.0/8, ::1, localhost).
bool isAcceptableBaseUrl(const QString &text);
} // namespace ImageAddress
