// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns accepted uploads into pending wallpapers, one at a time, on its own thread. The upload
// itself has been saved as uploads/<job> and its job row written before enqueue().
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

class Catalogue;

class UploadWorker {
public:
    UploadWorker(Catalogue &db, std::filesystem::path data);
    ~UploadWorker(); // stop()
    UploadWorker(const UploadWorker &) = delete;
    UploadWorker &operator=(const UploadWorker &) = delete;

    void enqueue(std::string job);
    // Finishes the job in progress, then joins the thread; queued jobs stay for the next start.
    void stop();

private:
    void run();
    void setJob(const std::string &job, const char *status, const std::string &message, const std::string &wid);

    Catalogue &db;
    const std::filesystem::path data;
    const std::filesystem::path images;
    std::mutex queueMutex;
    std::condition_variable queueReady;
    std::deque<std::string> queue;
    bool stopping = false;
    std::thread worker;
};
