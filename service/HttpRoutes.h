// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every endpoint of the catalogue and the image host, and the error envelopes.
#include "Http.h"

#include <filesystem>
#include <string>

class Catalogue;
class UploadWorker;

class HttpRoutes {
public:
    HttpRoutes(Catalogue &db, UploadWorker &worker, std::filesystem::path data);
    HttpRoutes(const HttpRoutes &) = delete;
    HttpRoutes &operator=(const HttpRoutes &) = delete;

    // Answers one request: its route, or the 404 and 500 envelopes. Safe from several threads.
    void handle(HttpRequest &req, HttpResponse &res);
    // The largest body a request of this method may carry, and the answers for one that is
    // larger or cannot be parsed.
    static size_t bodyLimit(const std::string &method);
    static void tooLarge(HttpResponse &res);
    static void badRequest(HttpResponse &res);

private:
    void install(Router &server);
    // Callers hold db.mutex.
    bool findOne(const std::string &id, std::string &json);
    bool bump(const std::string &id, const char *counter, double weight);
    std::string anyWallpaper(const std::string &where, const std::string &value, const std::string &order);

    Catalogue &db;
    UploadWorker &worker;
    const std::filesystem::path data;
    const std::filesystem::path images;
    Router router;
};
