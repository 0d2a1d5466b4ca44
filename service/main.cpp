// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// lumivane-service: the reference catalogue (read endpoints, image host, seeding, moderation).
// This file only reads the command line; the commands live in lumivane_service_lib.
#include "Moderation.h"
#include "NginxConfig.h"
#include "Seeder.h"
#include "Server.h"

#include <vips/vips8>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

int usage(int code)
{
    (code ? std::cerr : std::cout)
        << "Usage: lumivane-service <command> [options]\n"
           "  serve --data DIR [--host 127.0.0.1] [--port 8787]   serve the catalogue (port 0: pick a free one)\n"
           "        [--database postgresql://...]  keep the records in PostgreSQL (replicas share it and DIR's images)\n"
           "        [--public-url URL]          where clients reach this server (download URLs); default: the Host header\n"
           "        [--upload-workers 2] [--max-pending 100] [--uploads-per-address 100] [--decode-seconds 120]\n"
           "        [--trust-proxy ADDR]        take the client's address from X-Real-IP on requests from ADDR\n"
           "  seed --data DIR [--database URL] [--from DIR] [--synthetic N] [--small] build or extend a catalogue\n"
           "  moderate --data DIR [--database URL] list | approve ID | reject ID   review uploads\n"
           "  nginx-config --data DIR --upstream HOST:PORT... [--listen 8080]   print an nginx site in front of replicas\n"
           "  --help, --version\n";
    return code;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage(2);
    if (args[0] == "--help" || args[0] == "-h") return usage(0);
    if (args[0] == "--version") { std::cout << "lumivane-service " << LUMIVANE_SERVICE_VERSION << "\n"; return 0; }
    std::string command = args[0], data, database;
    ServeOptions options;
    int synthetic = 70;
    bool small = false;
    std::vector<std::string> rest, from, upstreams;
    std::string listen = "8080";
    for (size_t i = 1; i < args.size(); ++i) {
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) { std::cerr << args[i] << " needs a value\n"; std::exit(2); }
            return args[++i];
        };
        try {
            if (args[i] == "--help") return usage(0);
            else if (args[i] == "--data") data = value();
            else if (args[i] == "--database" && command != "nginx-config") database = value();
            else if (args[i] == "--host" && command == "serve") options.host = value();
            else if (args[i] == "--port" && command == "serve") options.port = std::stoi(value());
            else if (args[i] == "--public-url" && command == "serve") {
                std::string url = value();
                while (url.ends_with('/')) url.pop_back();
                const size_t scheme = url.find("://");
                if ((!url.starts_with("http://") && !url.starts_with("https://")) || url.size() <= scheme + 3) {
                    std::cerr << "--public-url needs an http:// or https:// URL with a host\n";
                    return 2;
                }
                options.routes.publicUrl = url;
            }
            else if (args[i] == "--upload-workers" && command == "serve") options.uploadWorkers = std::max(1, std::stoi(value()));
            else if (args[i] == "--decode-seconds" && command == "serve") options.decodeSeconds = std::max(0, std::stoi(value()));
            else if (args[i] == "--max-pending" && command == "serve") options.routes.maxPending = size_t(std::max(1, std::stoi(value())));
            else if (args[i] == "--uploads-per-address" && command == "serve") options.routes.uploadsPerAddress = std::max(1, std::stoi(value()));
            else if (args[i] == "--trust-proxy" && command == "serve") options.routes.trustedProxies.push_back(value());
            else if (args[i] == "--upstream" && command == "nginx-config") upstreams.push_back(value());
            else if (args[i] == "--listen" && command == "nginx-config") listen = value();
            else if (args[i] == "--synthetic" && command == "seed") synthetic = std::stoi(value());
            else if (args[i] == "--small" && command == "seed") small = true;
            else if (args[i] == "--from" && command == "seed") from.push_back(value());
            else if (command == "moderate" && !args[i].starts_with("--")) rest.push_back(args[i]);
            else { std::cerr << "unknown option: " << args[i] << "\n"; return 2; }
        } catch (const std::exception &) {
            std::cerr << "bad number for " << args[i - 1] << "\n";
            return 2;
        }
    }
    if (command == "nginx-config") {
        if (data.empty() || upstreams.empty()) { std::cerr << "nginx-config: --data DIR and --upstream HOST:PORT are required\n"; return 2; }
        std::cout << nginxSite(data, upstreams, listen);
        return 0;
    }
    if (command != "serve" && command != "seed" && command != "moderate") { std::cerr << "unknown command: " << command << "\n"; return usage(2); }
    if (data.empty()) { std::cerr << command << ": --data DIR is required\n"; return 2; }
    if (VIPS_INIT(argv[0])) { std::cerr << "cannot start libvips\n"; return 1; }
    vips_block_untrusted_set(TRUE);
    try {
        fs::create_directories(data);
        if (command == "moderate") return moderate(data, rest, database);
        options.database = database;
        return command == "serve" ? serve(data, options) : seed(data, synthetic, small, from, database);
    } catch (const std::exception &e) {
        std::cerr << command << ": " << e.what() << "\n";
        return 1;
    }
}
