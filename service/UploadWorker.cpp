// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UploadWorker.h"

#include "Catalogue.h"
#include "Renditions.h"

#include <vips/vips8>

#include <algorithm>
#include <iostream>

namespace fs = std::filesystem;

UploadWorker::UploadWorker(Catalogue &db, fs::path data, int threads, std::chrono::seconds budget, std::chrono::milliseconds poll)
    : db(db)
    , data(std::move(data))
    , images(this->data / "images")
    , budget(budget)
    , poll(poll)
{
    for (int i = 0; i < std::max(1, threads); ++i) workers.emplace_back([this] { run(); });
}

UploadWorker::~UploadWorker()
{
    stop();
}

void UploadWorker::enqueue(const std::string &)
{
    {
        std::lock_guard lock(queueMutex);
        ++wakeups;
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
    for (auto &t : workers)
        if (t.joinable()) t.join();
}

// Only the claim that is still current writes: a job taken again after its claim lapsed is
// finished by one process, not both.
bool UploadWorker::setJob(const std::string &job, long long claim, const char *status, const std::string &message)
{
    std::lock_guard lock(db.mutex);
    return db.statement("UPDATE jobs SET status=?, message=? WHERE id=? AND status='processing' AND claimed_at=?")
        .bind(1, status)
        .bind(2, message)
        .bind(3, job)
        .bind(4, claim)
        .run() == 1;
}

void UploadWorker::run()
{
    for (;;) {
        {
            std::unique_lock lock(queueMutex);
            if (stopping) return;
        }
        std::string job;
        long long claim = 0;
        try {
            std::lock_guard lock(db.mutex);
            claim = nowMs();
            // A claim older than several budgets belongs to a process that died with it. Never
            // less than a minute: a worker past a short budget still needs a moment to give its
            // job up, and a job taken from it meanwhile was taken again and again, by each worker
            // in turn, and stayed "processing" for good.
            const std::chrono::milliseconds lapse = std::max<std::chrono::milliseconds>(4 * budget, std::chrono::minutes(1));
            job = db.claimJob(claim, claim - lapse.count());
        } catch (const std::exception &e) {
            std::cerr << "upload jobs: " << e.what() << "\n";
        }
        if (job.empty()) {
            // Jobs still queued stay queued in the catalogue: the next start (or another
            // process) does them.
            std::unique_lock lock(queueMutex);
            queueReady.wait_for(lock, poll, [&] { return stopping || wakeups > 0; });
            if (wakeups > 0) --wakeups;
            continue;
        }
        try {
            process(job, claim);
        } catch (const std::exception &e) {
            // The job could not even be marked: its claim lapses and it is taken again.
            std::cerr << "upload " << job << ": " << e.what() << "\n";
        }
    }
}

void UploadWorker::process(const std::string &job, long long claim)
{
    const fs::path file = data / "uploads" / job;
    std::string id;
    bool ours = true;
    try {
        std::string title, desc, cat, tags, machine, format;
        {
            std::lock_guard lock(db.mutex);
            Statement st = db.statement("SELECT title, description, category_id, tags, machine_id, format FROM jobs WHERE id=?");
            st.bind(1, job);
            if (!st.step()) return;
            title = st.str(0); desc = st.str(1); cat = st.str(2);
            tags = st.str(3); machine = st.str(4); format = st.str(5);
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
            db.begin();
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
                const int completed =
                    db.statement("UPDATE jobs SET status='completed', message='Upload processed; awaiting review', wallpaper_id=?"
                                 " WHERE id=? AND status='processing' AND claimed_at=?")
                        .bind(1, id)
                        .bind(2, job)
                        .bind(3, claim)
                        .run();
                if (completed != 1) throw std::runtime_error("the claim lapsed");
                db.exec("COMMIT");
            } catch (...) {
                db.exec("ROLLBACK");
                throw;
            }
        }
    } catch (const std::exception &) {
        std::error_code ec;
        if (!id.empty()) fs::remove_all(images / "wallpapers" / id, ec);
        ours = setJob(job, claim, "failed", "The image could not be processed");
    }
    // A job another process took over keeps its file for that process.
    std::error_code ec;
    if (ours) fs::remove(file, ec);
}
