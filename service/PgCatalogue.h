// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue on a PostgreSQL server, which any number of serving processes share: every
// answer comes from the server, and writes are single statements or transactions on it.
#include "Catalogue.h"

#include <libpq-fe.h>

class PgCatalogue final : public Catalogue {
public:
    explicit PgCatalogue(const std::string &url);
    ~PgCatalogue() override;

    void exec(const char *sql) override;
    void begin() override { exec("BEGIN"); }
    bool shared() const override { return true; }
    Search search(const std::string &text, const std::string *category, Order order, long long offset, int limit) override;
    std::string claimJob(long long now, long long staleBefore) override;

    // The connection, made again when the server dropped it (its prepared statements go with it:
    // `generation` counts the connections made).
    PGconn *connection();
    int generation = 0;

protected:
    std::unique_ptr<PreparedStatement> prepare(const std::string &sql) override;

private:
    PGconn *conn = nullptr;
    int named = 0;
};
