// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UploadCheck.h"

#include <vips/vips8>

#include <algorithm>
#include <cstdint>

namespace {

UploadCheck refuse(int status, const char *code, const char *message)
{
    UploadCheck c;
    c.status = status;
    c.code = code;
    c.message = message;
    return c;
}

std::uint32_t bigEndian32(std::string_view b, size_t at)
{
    return std::uint32_t(std::uint8_t(b[at])) << 24 | std::uint32_t(std::uint8_t(b[at + 1])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 8 | std::uint32_t(std::uint8_t(b[at + 3]));
}

// A PNG's pixels are deflated, and deflate shrinks data at most about 1032 times: a file smaller
// than its header's pixel rows allow cannot hold them (a 100-byte "10000 x 10000" picture), and
// decoding it would only fill the missing rows.
bool pngCanHoldItsPixels(std::string_view b)
{
    if (b.size() < 33 || b.compare(12, 4, "IHDR") != 0) return false;
    const std::uint64_t w = bigEndian32(b, 16), h = bigEndian32(b, 20);
    const unsigned depth = std::uint8_t(b[24]), type = std::uint8_t(b[25]);
    const unsigned channels = type == 2 ? 3 : type == 4 ? 2 : type == 6 ? 4 : 1;
    const std::uint64_t raw = h * (1 + (w * channels * depth + 7) / 8);
    return std::uint64_t(b.size()) * 1032 >= raw;
}

} // namespace

UploadCheck UploadCheck::ofFile(std::string_view bytes)
{
    if (bytes.size() > kMaxUploadBytes) return refuse(413, "file_too_large", "The file is larger than 50 MB");
    auto starts = [&](std::string_view magic, size_t at = 0) { return bytes.size() >= at + magic.size() && bytes.compare(at, magic.size(), magic) == 0; };
    UploadCheck c;
    if (starts("\xFF\xD8\xFF")) c.format = "jpg";
    else if (starts("\x89PNG\r\n\x1A\n")) c.format = "png";
    else if (starts("ftyp", 4) && (starts("heic", 8) || starts("heix", 8) || starts("mif1", 8) || starts("msf1", 8) || starts("hevc", 8)))
        c.format = "heic";
    else return refuse(415, "unsupported_type", "Only JPEG, PNG and HEIC images are accepted");
    try {
        // Only the header is read here; pixels are decoded later, by the upload workers.
        auto header = vips::VImage::new_from_buffer(bytes.data(), bytes.size(), "",
                                                    vips::VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL));
        c.width = header.width();
        c.height = header.height();
    } catch (const std::exception &) {
        return refuse(415, "unsupported_type", "The file is not a readable image");
    }
    if ((long long)c.width * c.height > 100'000'000LL) return refuse(422, "image_too_large", "The image has more than 100 megapixels");
    if (std::max(c.width, c.height) < 2560 || std::min(c.width, c.height) < 1600)
        return refuse(422, "image_too_small", "The image must be at least 2560x1600 pixels");
    if (c.format == "png" && !pngCanHoldItsPixels(bytes)) return refuse(415, "unsupported_type", "The file is not a readable image");
    return c;
}

std::optional<size_t> UploadCheck::characters(std::string_view s)
{
    size_t count = 0;
    for (size_t i = 0; i < s.size(); ++count) {
        const auto c = std::uint8_t(s[i]);
        if (c == 0) return std::nullopt;
        size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return std::nullopt;
        std::uint32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (size_t k = 1; k < n; ++k) {
            const auto t = std::uint8_t(s[i + k]);
            if ((t & 0xC0) != 0x80) return std::nullopt;
            cp = cp << 6 | (t & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode's range are not UTF-8.
        static constexpr std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        i += n;
    }
    return count;
}
