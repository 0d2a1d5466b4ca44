// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `serve`: the catalogue's HTTP endpoints and image host, with the upload worker behind them.
#include <filesystem>
#include <string>

// Listens on host:port (0: a free port), printing "listening on HOST:PORT" once bound; returns
// the process exit code when the server stops.
int serve(const std::filesystem::path &data, const std::string &host, int port);
