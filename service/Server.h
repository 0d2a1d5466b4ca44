// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `serve`: the catalogue's HTTP endpoints and image host, with the upload workers behind them.
#include "HttpRoutes.h"

#include <filesystem>
#include <string>

struct ServeOptions {
    std::string host = "127.0.0.1";
    int port = 8787; // 0: a free port
    int uploadWorkers = 2;
    int decodeSeconds = 120; // each upload's bound for decoding and writing its renditions
    RouteSettings routes; // localOrigin is filled in from the address listened on
    std::string database; // a postgresql:// URL, or empty for the SQLite file in the data folder
};

// Listens on host:port, printing "listening on HOST:PORT" once bound; returns the process exit
// code when the server stops.
int serve(const std::filesystem::path &data, ServeOptions options);
