// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns accepted uploads into pending wallpapers on threads of their own, never on the threads
// that answer requests. The upload itself has been saved as uploads/<job> and its job row written
// before enqueue(). Workers take their jobs from the catalogue, so on a shared catalogue any
// process may do any upload, each exactly once.
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class Catalogue;

class UploadWorker {
public:
    // threads jobs at a time, each given at most `budget` to decode and write its renditions.
    UploadWorker(Catalogue &db, std::filesystem::path data, int threads = 2,
                 std::chrono::seconds budget = std::chrono::seconds(120),
                 std::chrono::milliseconds poll = std::chrono::milliseconds(500));
    ~UploadWorker(); // stop()
    UploadWorker(const UploadWorker &) = delete;
    UploadWorker &operator=(const UploadWorker &) = delete;

    // Wakes a worker for a job just recorded. Without it, they look for jobs every `poll`.
    void enqueue(const std::string &job);
    // Finishes the jobs in progress, then joins the threads; queued jobs stay for the next start.
    void stop();

private:
    void run();
    void process(const std::string &job, long long claim);
    bool setJob(const std::string &job, long long claim, const char *status, const std::string &message);

    Catalogue &db;
    const std::filesystem::path data;
    const std::filesystem::path images;
    const std::chrono::seconds budget;
    const std::chrono::milliseconds poll;
    std::mutex queueMutex;
    std::condition_variable queueReady;
    size_t wakeups = 0;
    bool stopping = false;
    std::vector<std::thread> workers;
};
