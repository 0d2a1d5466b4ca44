// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UploadWorker.h"

#include "Catalogue.h"
#include "Renditions.h"

#include <vips/vips8>

#include <iostream>

namespace fs = std::filesystem;

UploadWorker::UploadWorker(Catalogue &db, fs::path data, int threads, std::chrono::seconds budget)
    : db(db)
    , data(std::move(data))
    , images(this->data / "images")
    , budget(budget)
{
    for (int i = 0; i < std::max(1, threads); ++i) workers.emplace_back([this] { run(); });
}

UploadWorker::~UploadWorker()
{
    stop();
}

void UploadWorker::enqueue(std::string job)
{
    {
        std::lock_guard lock(queueMutex);
        queue.push_back(std::move(job));
    }
    queueReady.notify_one();
}

size_t UploadWorker::pending()
{
    std::lock_guard lock(queueMutex);
    return queue.size() + running;
}

void UploadWorker::stop()
{
    {
        std::lock_guard lock(queueMutex);
        stopping = true;
    }
    queueReady.notify_all();
    for (auto &t : workers)
        if (t.joinable()) t.join();
}

void UploadWorker::setJob(const std::string &job, const char *status, const std::string &message, const std::string &wid)
{
    std::lock_guard lock(db.mutex);
    db.statement("UPDATE jobs SET status=?, message=?, wallpaper_id=? WHERE id=?")
        .bind(1, status)
        .bind(2, message)
        .bindOrNull(3, wid)
        .bind(4, job)
        .run();
}

void UploadWorker::run()
{
    for (;;) {
        std::string job;
        {
            std::unique_lock lock(queueMutex);
            queueReady.wait(lock, [&] { return stopping || !queue.empty(); });
            // Jobs still queued stay queued in the catalogue: the next start does them.
            if (stopping) return;
            job = queue.front();
            queue.pop_front();
            ++running;
        }
        try {
            process(job);
        } catch (const std::exception &e) {
            // The job could not even be marked: it stays as it was and the next start retries it.
            std::cerr << "upload " << job << ": " << e.what() << "\n";
        }
        std::lock_guard lock(queueMutex);
        --running;
    }
}

void UploadWorker::process(const std::string &job)
{
    setJob(job, "processing", "Processing", "");
    const fs::path file = data / "uploads" / job;
    std::string id;
    try {
        std::string title, desc, cat, tags, machine, format;
        {
            std::lock_guard lock(db.mutex);
            Statement st = db.statement("SELECT title, description, category_id, tags, machine_id, format FROM jobs WHERE id=?");
            st.bind(1, job);
            if (!st.step()) return;
            title = col(st.raw(), 0); desc = col(st.raw(), 1); cat = col(st.raw(), 2);
            tags = col(st.raw(), 3); machine = col(st.raw(), 4); format = col(st.raw(), 5);
        }
        const Deadline deadline = std::chrono::steady_clock::now() + budget;
        // Strict: a truncated or damaged file fails instead of being completed with grey pixels.
        vips::VImage source = vips::VImage::new_from_file(
            file.c_str(), vips::VImage::option()->set("access", VIPS_ACCESS_RANDOM)->set("fail_on", VIPS_FAIL_ON_ERROR));
        source = source.autorot();
        if (source.bands() > 3) source = source.extract_band(0, vips::VImage::option()->set("n", 3));
        std::string keys[3];
        id = newId();
        saveRenditions(source.colourspace(VIPS_INTERPRETATION_sRGB), images, id, keys, deadline);
        std::string srcKey = "wallpapers/" + id + "/source." + format;
        fs::copy_file(file, images / srcKey, fs::copy_options::overwrite_existing);
        long long now = nowMs();
        {
            std::lock_guard lock(db.mutex);
            db.exec("BEGIN IMMEDIATE");
            try {
                Statement st = db.statement(
                    "INSERT INTO wallpapers(id,title,description,file_key,thumbnail_key,medium_key,full_key,width,height,"
                    "file_size,format,is_featured,status,tags,category_id,uploaded_by_id,created_at,updated_at)"
                    " VALUES(?,?,?,?,?,?,?,?,?,?,?,0,'pending',?,?,?,?,?)");
                st.bind(1, id).bind(2, title).bindOrNull(3, desc).bind(4, srcKey);
                for (int k = 0; k < 3; ++k) st.bind(5 + k, keys[k]);
                st.bind(8, source.width()).bind(9, source.height()).bind(10, (long long)fs::file_size(file));
                st.bind(11, format).bind(12, tags).bind(13, cat).bind(14, machine).bind(15, now).bind(16, now);
                st.run();
                db.statement("UPDATE jobs SET status='completed', message='Upload processed; awaiting review', wallpaper_id=? WHERE id=?")
                    .bind(1, id)
                    .bind(2, job)
                    .run();
                db.exec("COMMIT");
            } catch (...) {
                db.exec("ROLLBACK");
                throw;
            }
        }
    } catch (const std::exception &) {
        std::error_code ec;
        if (!id.empty()) fs::remove_all(images / "wallpapers" / id, ec);
        setJob(job, "failed", "The image could not be processed", "");
    }
    std::error_code ec;
    fs::remove(file, ec);
}
