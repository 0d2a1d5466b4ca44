// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue in one SQLite file, for one serving process.
#include "Catalogue.h"

#include <sqlite3.h>

class SqliteCatalogue final : public Catalogue {
public:
    explicit SqliteCatalogue(const std::filesystem::path &file);
    ~SqliteCatalogue() override;

    void exec(const char *sql) override;
    void begin() override { exec("BEGIN IMMEDIATE"); }
    bool shared() const override { return false; }
    Search search(const std::string &text, const std::string *category, Order order, long long offset, int limit) override;
    // Without statistics the planner would rather walk every approved row by another index.
    std::string featuredHint() const override { return "INDEXED BY w_featured "; }
    std::string claimJob(long long now, long long staleBefore) override;

protected:
    std::unique_ptr<PreparedStatement> prepare(const std::string &sql) override;

private:
    sqlite3 *db_ = nullptr;
};
