// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// lumivane-service: the reference catalogue (read endpoints, image host, seeding, moderation).
// This file only reads the command line; the commands live in lumivane_service_lib.
#include "Moderation.h"
#include "Seeder.h"
#include "Server.h"

#include <vips/vips8>

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
           "  seed --data DIR [--from DIR] [--synthetic N] [--small] build or extend a catalogue\n"
           "  moderate --data DIR list | approve ID | reject ID   review uploads\n"
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
    std::string command = args[0], data, host = "127.0.0.1";
    int port = 8787, synthetic = 70;
    bool small = false;
    std::vector<std::string> rest, from;
    for (size_t i = 1; i < args.size(); ++i) {
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) { std::cerr << args[i] << " needs a value\n"; std::exit(2); }
            return args[++i];
        };
        try {
            if (args[i] == "--help") return usage(0);
            else if (args[i] == "--data") data = value();
            else if (args[i] == "--host" && command == "serve") host = value();
            else if (args[i] == "--port" && command == "serve") port = std::stoi(value());
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
    if (command != "serve" && command != "seed" && command != "moderate") { std::cerr << "unknown command: " << command << "\n"; return usage(2); }
    if (data.empty()) { std::cerr << command << ": --data DIR is required\n"; return 2; }
    if (VIPS_INIT(argv[0])) { std::cerr << "cannot start libvips\n"; return 1; }
    vips_block_untrusted_set(TRUE);
    try {
        fs::create_directories(data);
        if (command == "moderate") return moderate(data, rest);
        return command == "serve" ? serve(data, host, port) : seed(data, synthetic, small, from);
    } catch (const std::exception &e) {
        std::cerr << command << ": " << e.what() << "\n";
        return 1;
    }
}
