// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every endpoint of the catalogue and the image host, on one httplib server.
#include <httplib.h>

#include <filesystem>
#include <string>

class Catalogue;
class UploadWorker;

class HttpRoutes {
public:
    HttpRoutes(Catalogue &db, UploadWorker &worker, std::filesystem::path data);
    // Registers the handlers, the upload limits and the error answers. The routes keep
    // references to this object: it must outlive the server's listening.
    void install(httplib::Server &server);

private:
    // Callers hold db.mutex.
    bool findOne(const std::string &id, std::string &json);
    bool bump(const std::string &id, const char *counter, double weight);
    std::string anyWallpaper(const std::string &where, const std::string &value, const std::string &order);

    Catalogue &db;
    UploadWorker &worker;
    const std::filesystem::path data;
    const std::filesystem::path images;
};
