// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Seeder.h"

#include "Catalogue.h"
#include "Renditions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
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

// The id of a seeded wallpaper follows from its seed key, so a seed that stopped half way and is
// run again writes the renditions it had not recorded into the same folder instead of leaving
// them behind under an id that nothing refers to.
std::string seedId(const std::string &seedKey)
{
    unsigned long long a = 14695981039346656037ull, b = 1099511628211ull * 31;
    for (unsigned char c : seedKey) {
        a = (a ^ c) * 1099511628211ull;
        b = (b ^ c) * 1469598103934665603ull + 0x9E3779B97F4A7C15ull;
    }
    char out[40];
    std::snprintf(out, sizeof out, "%016llx%016llx", a, b);
    return out;
}

} // namespace

int seed(const fs::path &data, int count, bool small, const std::vector<std::string> &from, const std::string &database)
{
    fs::create_directories(data / "images");
    std::unique_ptr<Catalogue> catalogue = openCatalogue(database, data);
    Catalogue &db = *catalogue;
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
    // Work is committed in batches: a seed that is stopped (or runs out of disk) keeps what it
    // recorded, and running it again carries on from there.
    db.exec("BEGIN");
    int i = 0;
    for (const auto &c : cats) {
        db.statement("INSERT INTO categories VALUES(?,?,?,?,NULL,?,1,?,?) ON CONFLICT DO NOTHING")
            .bind(1, std::string("cat-") + c.slug)
            .bind(2, c.name)
            .bind(3, c.slug)
            .bind(4, c.description)
            .bind(5, i++)
            .bind(6, now)
            .bind(7, now)
            .run();
    }
    auto batchStart = std::chrono::steady_clock::now();
    int inBatch = 0;
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
        if (db.statement("SELECT 1 FROM wallpapers WHERE seed_key=?").bind(1, seedKey).step()) continue;
        const std::string id = seedId(seedKey);
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
        std::error_code ec;
        auto size = fs::file_size(data / "images" / keys[2], ec);
        Statement st = db.statement(
            "INSERT INTO wallpapers(id,title,description,file_key,thumbnail_key,medium_key,full_key,width,height,"
            "file_size,format,is_featured,featured_order,status,tags,category_id,seed_key,created_at,updated_at,"
            "download_count,view_count) VALUES(?,?,?,?,?,?,?,?,?,?,'jpg',?,?,'approved',?,?,?,?,?,?,?)");
        st.bind(1, id).bind(2, title).bind(3, desc).bind(4, keys[2]);
        for (int k = 0; k < 3; ++k) st.bind(5 + k, keys[k]);
        st.bind(8, w).bind(9, h).bind(10, ec ? 0LL : (long long)size).bind(11, n < 6 ? 1 : 0);
        if (n < 6) st.bind(12, n); else st.bindNull(12);
        st.bind(13, tags).bind(14, std::string("cat-") + c.slug).bind(15, seedKey);
        st.bind(16, now - n * 60000LL).bind(17, now - n * 60000LL).bind(18, (n * 7) % 97).bind(19, (n * 11) % 193);
        st.run();
        if (n == 199 && small) {
            fs::create_directories(data / "images" / "wallpapers" / "shared");
            fs::copy_file(data / "images" / keys[2], data / "images" / "wallpapers/shared/full.jpg", fs::copy_options::overwrite_existing);
        }
        if (++inBatch >= 500 || std::chrono::steady_clock::now() - batchStart > std::chrono::seconds(1)) {
            db.exec("COMMIT; BEGIN");
            inBatch = 0;
            batchStart = std::chrono::steady_clock::now();
        }
    }
    db.exec("COMMIT");
    std::cout << "seeded " << data.string() << "\n";
    return 0;
}
