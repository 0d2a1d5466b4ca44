// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Renditions.h"

#include "Catalogue.h"

#include <set>

namespace fs = std::filesystem;

namespace {

// libvips reports progress on the image being written; past the deadline the evaluation is
// killed, and the save fails.
void stopAt(vips::VImage &image, const Deadline *deadline)
{
    if (*deadline == Deadline::max()) return;
    vips_image_set_progress(image.get_image(), TRUE);
    auto onEval = +[](VipsImage *, VipsProgress *progress, void *when) {
        if (std::chrono::steady_clock::now() > *static_cast<const Deadline *>(when)) vips_image_set_kill(progress->im, TRUE);
    };
    g_signal_connect(image.get_image(), "eval", G_CALLBACK(onEval), const_cast<Deadline *>(deadline));
}

void save(vips::VImage image, const fs::path &file, int quality, const Deadline &deadline)
{
    stopAt(image, &deadline);
    image.jpegsave(file.c_str(), vips::VImage::option()->set("Q", quality));
    if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("out of time");
}

} // namespace

void saveRenditions(vips::VImage source, const fs::path &images, const std::string &id, std::string keys[3], Deadline deadline)
{
    fs::create_directories(images / "wallpapers" / id);
    keys[0] = "wallpapers/" + id + "/thumb.jpg";
    keys[1] = "wallpapers/" + id + "/medium.jpg";
    keys[2] = "wallpapers/" + id + "/full.jpg";
    save(source.thumbnail_image(640, vips::VImage::option()->set("height", 400)->set("crop", VIPS_INTERESTING_CENTRE)),
         images / keys[0], 82, deadline);
    save(source.thumbnail_image(1920, vips::VImage::option()->set("height", 100000)), images / keys[1], 85, deadline);
    save(source, images / keys[2], 90, deadline);
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

void removeOrphanRenditions(Catalogue &db, const fs::path &images, std::chrono::seconds minAge)
{
    const fs::path root = images / "wallpapers";
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return;
    std::set<std::string> used;
    {
        std::lock_guard lock(db.mutex);
        Statement keys = db.statement("SELECT file_key, thumbnail_key, medium_key, full_key FROM wallpapers");
        while (keys.step())
            for (int i = 0; i < 4; ++i) {
                // "wallpapers/<folder>/<file>"
                std::string key = keys.str(i);
                if (!key.starts_with("wallpapers/")) continue;
                size_t slash = key.find('/', 11);
                if (slash != std::string::npos) used.insert(key.substr(11, slash - 11));
            }
    }
    for (const auto &entry : fs::directory_iterator(root, ec)) {
        if (!entry.is_directory(ec) || used.count(entry.path().filename().string())) continue;
        if (minAge.count() > 0 && fs::last_write_time(entry.path(), ec) > fs::file_time_type::clock::now() - minAge) continue;
        fs::remove_all(entry.path(), ec);
    }
}
