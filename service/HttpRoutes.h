// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every endpoint of the catalogue and the image host, and the error envelopes.
#include "Http.h"

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

class Catalogue;
class UploadWorker;

struct RouteSettings {
    // Where clients reach the image host ("https://example.org"); download URLs start with it.
    // Empty: the request's Host header, or localOrigin when that is missing or malformed.
    std::string publicUrl;
    std::string localOrigin = "http://127.0.0.1:8787";
    // Uploads accepted per hour from one device id, and from one peer address whatever ids it
    // sends; and the jobs that may wait for the workers before new uploads are turned away.
    int uploadsPerDevice = 20;
    int uploadsPerAddress = 100;
    size_t maxPending = 100;
    // Addresses of proxies (nginx) whose X-Real-IP header names the client.
    std::vector<std::string> trustedProxies;
};

class HttpRoutes {
public:
    HttpRoutes(Catalogue &db, UploadWorker &worker, std::filesystem::path data, RouteSettings settings = {});
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
    // The start of download URLs for this request.
    std::string publicBase(const HttpRequest &req) const;
    // Callers hold db.mutex.
    bool findOne(const std::string &id, std::string &json);
    bool bump(const std::string &id, const char *counter, double weight);
    std::string anyWallpaper(const std::string &where, const std::string &value, const std::string &order);

    // Answers of the read endpoints made for the catalogue's current version, by path and query.
    // Callers hold db.mutex.
    bool answerFromCache(const HttpRequest &req, HttpResponse &res);
    void keepInCache(const HttpRequest &req, const HttpResponse &res);

    Catalogue &db;
    UploadWorker &worker;
    long long cachedVersion = -1;
    std::unordered_map<std::string, std::string> cache;
    const std::filesystem::path data;
    const std::filesystem::path images;
    const RouteSettings settings;
    Router router;
};
