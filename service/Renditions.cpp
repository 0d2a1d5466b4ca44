// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Renditions.h"

namespace fs = std::filesystem;

void saveRenditions(vips::VImage source, const fs::path &images, const std::string &id, std::string keys[3])
{
    fs::create_directories(images / "wallpapers" / id);
    keys[0] = "wallpapers/" + id + "/thumb.jpg";
    keys[1] = "wallpapers/" + id + "/medium.jpg";
    keys[2] = "wallpapers/" + id + "/full.jpg";
    source.thumbnail_image(640, vips::VImage::option()->set("height", 400)->set("crop", VIPS_INTERESTING_CENTRE))
        .jpegsave((images / keys[0]).c_str(), vips::VImage::option()->set("Q", 82));
    source.thumbnail_image(1920, vips::VImage::option()->set("height", 100000))
        .jpegsave((images / keys[1]).c_str(), vips::VImage::option()->set("Q", 85));
    source.jpegsave((images / keys[2]).c_str(), vips::VImage::option()->set("Q", 90));
}

vips::VImage gradient(int n, int w, int h)
{
    auto xy = vips::VImage::xyz(w, h);
    double a = 40 + (n * 37) % 200, b = 30 + (n * 53) % 200, d = 20 + (n * 71) % 200;
    auto r = xy[0] * (a / w) + (n * 13) % 55;
    auto g = xy[1] * (b / h) + (n * 29) % 55;
    auto bl = (xy[0] + xy[1]) * (d / (w + h)) + (n * 17) % 55;
    return r.bandjoin(g).bandjoin(bl).cast(VIPS_FORMAT_UCHAR);
}

void saveDrawnRenditions(int n, int w, int h, const fs::path &images, const std::string &id, std::string keys[3])
{
    fs::create_directories(images / "wallpapers" / id);
    keys[0] = "wallpapers/" + id + "/thumb.jpg";
    keys[1] = "wallpapers/" + id + "/medium.jpg";
    keys[2] = "wallpapers/" + id + "/full.jpg";
    gradient(n, 640, 400).jpegsave((images / keys[0]).c_str(), vips::VImage::option()->set("Q", 82));
    gradient(n, 1920, 1920 * h / w).jpegsave((images / keys[1]).c_str(), vips::VImage::option()->set("Q", 85));
    gradient(n, w, h).jpegsave((images / keys[2]).c_str(), vips::VImage::option()->set("Q", 90));
}
