// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UploadWorker.h"

#include "Catalogue.h"
#include "Renditions.h"

#include <vips/vips8>

namespace fs = std::filesystem;

UploadWorker::UploadWorker(Catalogue &db, fs::path data)
    : db(db)
    , data(std::move(data))
    , images(this->data / "images")
    , worker([this] { run(); })
{
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

void UploadWorker::stop()
{
    {
        std::lock_guard lock(queueMutex);
        stopping = true;
    }
    queueReady.notify_all();
    if (worker.joinable())
        worker.join();
}

void UploadWorker::setJob(const std::string &job, const char *status, const std::string &message, const std::string &wid)
{
    std::lock_guard lock(db.mutex);
    sqlite3_stmt *st = db.prepare("UPDATE jobs SET status=?, message=?, wallpaper_id=? WHERE id=?");
    sqlite3_bind_text(st, 1, status, -1, SQLITE_STATIC);
    sqlite3_bind_text(st, 2, message.c_str(), -1, SQLITE_TRANSIENT);
    if (wid.empty()) sqlite3_bind_null(st, 3); else sqlite3_bind_text(st, 3, wid.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 4, job.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(st);
    sqlite3_finalize(st);
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
        }
        setJob(job, "processing", "Processing", "");
        fs::path file = data / "uploads" / job;
        try {
            std::string title, desc, cat, tags, machine, format;
            {
                std::lock_guard lock(db.mutex);
                sqlite3_stmt *st = db.prepare("SELECT title, description, category_id, tags, machine_id, format FROM jobs WHERE id=?");
                sqlite3_bind_text(st, 1, job.c_str(), -1, SQLITE_TRANSIENT);
                if (sqlite3_step(st) == SQLITE_ROW) {
                    title = col(st, 0); desc = col(st, 1); cat = col(st, 2); tags = col(st, 3); machine = col(st, 4); format = col(st, 5);
                }
                sqlite3_finalize(st);
            }
            vips::VImage source = vips::VImage::new_from_file(file.c_str(), vips::VImage::option()->set("access", VIPS_ACCESS_RANDOM));
            source = source.autorot();
            if (source.bands() > 3) source = source.extract_band(0, vips::VImage::option()->set("n", 3));
            std::string id = newId(), keys[3];
            saveRenditions(source.colourspace(VIPS_INTERPRETATION_sRGB), images, id, keys);
            std::string srcKey = "wallpapers/" + id + "/source." + format;
            fs::copy_file(file, images / srcKey, fs::copy_options::overwrite_existing);
            long long now = nowMs();
            {
                std::lock_guard lock(db.mutex);
                sqlite3_stmt *st = db.prepare(
                    "INSERT INTO wallpapers(id,title,description,file_key,thumbnail_key,medium_key,full_key,width,height,"
                    "file_size,format,is_featured,status,tags,category_id,uploaded_by_id,created_at,updated_at)"
                    " VALUES(?,?,?,?,?,?,?,?,?,?,?,0,'pending',?,?,?,?,?)");
                sqlite3_bind_text(st, 1, id.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(st, 2, title.c_str(), -1, SQLITE_TRANSIENT);
                if (desc.empty()) sqlite3_bind_null(st, 3); else sqlite3_bind_text(st, 3, desc.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(st, 4, srcKey.c_str(), -1, SQLITE_TRANSIENT);
                for (int k = 0; k < 3; ++k) sqlite3_bind_text(st, 5 + k, keys[k].c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(st, 8, source.width());
                sqlite3_bind_int(st, 9, source.height());
                sqlite3_bind_int64(st, 10, (long long)fs::file_size(file));
                sqlite3_bind_text(st, 11, format.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(st, 12, tags.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(st, 13, cat.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(st, 14, machine.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int64(st, 15, now);
                sqlite3_bind_int64(st, 16, now);
                sqlite3_step(st);
                sqlite3_finalize(st);
                db.indexLastInsertedForSearch(title, desc, tags);
            }
            setJob(job, "completed", "Upload processed; awaiting review", id);
        } catch (const std::exception &) {
            setJob(job, "failed", "The image could not be processed", "");
        }
        std::error_code ec;
        fs::remove(file, ec);
    }
}
