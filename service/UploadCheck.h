// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an upload's file and text must satisfy before anything is stored: checked on the request's
// thread from the bytes and the image header alone, never by decoding the pixels.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct UploadCheck {
    // The verdict on a file's bytes: format, width and height when acceptable, otherwise the
    // answer's status, error code and message.
    static UploadCheck ofFile(std::string_view bytes);
    // The number of characters (code points) of UTF-8 text; nothing when it is not UTF-8 or holds
    // a NUL, which a C string would silently cut off.
    static std::optional<size_t> characters(std::string_view text);

    bool ok() const { return status == 200; }
    int status = 200;
    std::string code, message;
    std::string format; // "jpg", "png" or "heic"
    int width = 0, height = 0;
};

// Uploads above this size are refused (the client checks the same limit first).
constexpr size_t kMaxUploadBytes = 52428800;
