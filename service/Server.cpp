// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Server.h"

#include "Catalogue.h"
#include "HttpRoutes.h"
#include "UploadWorker.h"

#include <httplib.h>

#include <iostream>

namespace fs = std::filesystem;

int serve(const fs::path &data, const std::string &host, int port)
{
    Catalogue db(data / "catalogue.db");
    // A job that was queued or running when the last process stopped will never finish.
    db.exec("UPDATE jobs SET status='failed', message='Processing was interrupted' WHERE status IN ('queued','processing')");
    fs::create_directories(data / "uploads");
    UploadWorker worker(db, data);
    HttpRoutes routes(db, worker, data);
    httplib::Server server;
    routes.install(server);

    int bound = port == 0 ? server.bind_to_any_port(host) : (server.bind_to_port(host, port) ? port : -1);
    if (bound < 0) { std::cerr << "cannot listen on " << host << ":" << port << "\n"; return 1; }
    std::cout << "listening on " << host << ":" << bound << std::endl;
    bool ok = server.listen_after_bind();
    worker.stop();
    return ok ? 0 : 1;
}
