// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Seeder.h"

#include "Catalogue.h"
#include "Renditions.h"

#include <algorithm>
#include <iostream>

namespace fs = std::filesystem;

namespace {

// Some background folders hold tiny single-colour fills (GNOME's 256 x 256 "vnc" pictures);
// as catalogue wallpapers they are blank cards. A source must be wallpaper-sized and show
// something: its channels must vary across a small thumbnail of it.
bool usableSource(const fs::path &file)
{
    try {
        auto header = vips::VImage::new_from_file(file.c_str(), vips::VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL));
        if (std::min(header.width(), header.height()) < 1080) {
            std::cerr << "skipping " << file.string() << ": smaller than 1080 pixels\n";
            return false;
        }
        auto small = vips::VImage::thumbnail(file.c_str(), 64).copy_memory(); // read once, looked at thrice
        double spread = 0;
        for (int b = 0; b < std::min(small.bands(), 3); ++b) spread = std::max(spread, small[b].deviate());
        if (spread < 2.0) {
            std::cerr << "skipping " << file.string() << ": a single flat colour\n";
            return false;
        }
        return true;
    } catch (const std::exception &) {
        std::cerr << "skipping " << file.string() << ": not a readable image\n";
        return false;
    }
}

} // namespace

int seed(const fs::path &data, int count, bool small, const std::vector<std::string> &from)
{
    fs::create_directories(data / "images");
    Catalogue db(data / "catalogue.db");
    struct Cat { const char *name, *slug, *description; };
    const Cat cats[] = {
        {"Abstract", "abstract", "Shapes, colour fields and patterns"},
        {"Nature", "nature", "Forests, fields and quiet places"},
        {"Space", "space", "Stars, nebulae and distant light"},
        {"Minimal", "minimal", "Calm, uncluttered backgrounds"},
        {"Gradients", "gradients", "Smooth blends of colour"},
        {"Dark", "dark", "Deep tones for night work"},
        {"Ocean", "ocean", "Water, waves and blue hours"},
        {"Geometric", "geometric", "Lines, grids and tilings"},
    };
    long long now = nowMs();
    db.exec("BEGIN");
    int i = 0;
    for (const auto &c : cats) {
        sqlite3_stmt *st = db.prepare("INSERT OR IGNORE INTO categories VALUES(?,?,?,?,NULL,?,1,?,?)");
        sqlite3_bind_text(st, 1, (std::string("cat-") + c.slug).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, c.name, -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 3, c.slug, -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 4, c.description, -1, SQLITE_STATIC);
        sqlite3_bind_int(st, 5, i++);
        sqlite3_bind_int64(st, 6, now);
        sqlite3_bind_int64(st, 7, now);
        sqlite3_step(st);
        sqlite3_finalize(st);
    }
    const char *adjectives[] = {"Quiet", "Amber", "Midnight", "Velvet", "Glacial", "Golden", "Misty", "Electric", "Soft", "Crimson"};
    const char *nouns[] = {"Horizon", "Drift", "Bloom", "Tide", "Aurora", "Canyon", "Meadow", "Nebula", "Prism", "Dunes"};
    int w = small ? 320 : 3840, h = small ? 200 : 1600;
    // Real wallpapers first (shrunk on load), generated ones for the rest.
    std::vector<fs::path> sources;
    for (const auto &folder : from) {
        std::error_code ec;
        for (const auto &entry : fs::directory_iterator(folder, ec)) {
            auto ext = entry.path().extension().string();
            if ((ext == ".jpg" || ext == ".jpeg" || ext == ".png" || ext == ".webp") && usableSource(entry.path()))
                sources.push_back(entry.path());
        }
    }
    std::sort(sources.begin(), sources.end());
    for (int n = 0; n < count; ++n) {
        bool real = size_t(n) < sources.size();
        std::string seedKey = real ? "file-" + sources[n].filename().string() : "synthetic-" + std::to_string(n);
        sqlite3_stmt *exists = db.prepare("SELECT 1 FROM wallpapers WHERE seed_key=?");
        sqlite3_bind_text(exists, 1, seedKey.c_str(), -1, SQLITE_TRANSIENT);
        bool have = sqlite3_step(exists) == SQLITE_ROW;
        sqlite3_finalize(exists);
        if (have) continue;
        std::string id = newId();
        const Cat &c = cats[n % 8];
        std::string title = std::string(adjectives[n % 10]) + " " + nouns[(n / 10 + n) % 10] + (n >= 100 ? " " + std::to_string(n) : "");
        std::string desc = std::string("A ") + c.name + " wallpaper with " + adjectives[(n + 3) % 10] + " tones.";
        std::string tags = std::string(c.slug) + "," + adjectives[n % 10] + "," + nouns[(n / 10 + n) % 10];
        for (auto &ch : tags) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        std::string keys[3];
        w = small ? 320 : 2560;
        h = small ? 200 : 1600;
        if (real) {
            auto img = vips::VImage::thumbnail(sources[n].c_str(), w, vips::VImage::option()->set("height", h)->set("size", VIPS_SIZE_DOWN));
            if (img.bands() > 3) img = img.extract_band(0, vips::VImage::option()->set("n", 3));
            // The file is read once, in order; three renditions are made from the result, so it is
            // held in memory (a PNG read twice fails with "out of order read").
            img = img.copy_memory();
            w = img.width();
            h = img.height();
            saveRenditions(img, data / "images", id, keys);
        } else if (small && n < 200) {
            saveDrawnRenditions(n, w, h, data / "images", id, keys);
        } else if (!small) {
            saveRenditions(gradient(n, w, h), data / "images", id, keys);
        } else {
            keys[0] = keys[1] = keys[2] = "wallpapers/shared/full.jpg";
        }
        sqlite3_stmt *st = db.prepare(
            "INSERT INTO wallpapers(id,title,description,file_key,thumbnail_key,medium_key,full_key,width,height,"
            "file_size,format,is_featured,featured_order,status,tags,category_id,seed_key,created_at,updated_at,"
            "download_count,view_count) VALUES(?,?,?,?,?,?,?,?,?,?,'jpg',?,?,'approved',?,?,?,?,?,?,?)");
        std::error_code ec;
        auto size = fs::file_size(data / "images" / keys[2], ec);
        sqlite3_bind_text(st, 1, id.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, title.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, desc.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 4, keys[2].c_str(), -1, SQLITE_TRANSIENT);
        for (int k = 0; k < 3; ++k) sqlite3_bind_text(st, 5 + k, keys[k].c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 8, w);
        sqlite3_bind_int(st, 9, h);
        sqlite3_bind_int64(st, 10, ec ? 0 : (long long)size);
        sqlite3_bind_int(st, 11, n < 6 ? 1 : 0);
        if (n < 6) sqlite3_bind_int(st, 12, n); else sqlite3_bind_null(st, 12);
        sqlite3_bind_text(st, 13, tags.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 14, (std::string("cat-") + c.slug).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 15, seedKey.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(st, 16, now - n * 60000LL);
        sqlite3_bind_int64(st, 17, now - n * 60000LL);
        sqlite3_bind_int(st, 18, (n * 7) % 97);
        sqlite3_bind_int(st, 19, (n * 11) % 193);
        sqlite3_step(st);
        sqlite3_finalize(st);
        db.indexLastInsertedForSearch(title, desc, tags);
        if (n == 199 && small) {
            fs::create_directories(data / "images" / "wallpapers" / "shared");
            fs::copy_file(data / "images" / keys[2], data / "images" / "wallpapers/shared/full.jpg", fs::copy_options::overwrite_existing);
        }
    }
    db.exec("COMMIT");
    std::cout << "seeded " << data.string() << "\n";
    return 0;
}
