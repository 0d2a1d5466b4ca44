// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `nginx-config`: an nginx site (the http block's contents) in front of serving replicas.
#include <filesystem>
#include <string>
#include <vector>

// Serves /images/ straight from data/images with the caching headers the service sends, and
// passes everything else to the replicas at `upstreams` ("host:port"), spread over them.
std::string nginxSite(const std::filesystem::path &data, const std::vector<std::string> &upstreams, const std::string &listen);
