// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PgCatalogue.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace {

DatabaseError failure(PGconn *conn, const PGresult *result)
{
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    std::string message = result ? PQresultErrorMessage(result) : PQerrorMessage(conn);
    while (!message.empty() && message.back() == '\n') message.pop_back();
    return DatabaseError(message, state && std::string_view(state) == "53100");
}

// `?` and `?N` become PostgreSQL's `$N`; the SQL has no question marks of its own.
std::string numbered(const std::string &sql, int &count)
{
    std::string out;
    int next = 0;
    count = 0;
    for (size_t i = 0; i < sql.size(); ++i) {
        if (sql[i] != '?') {
            out += sql[i];
            continue;
        }
        size_t j = i + 1;
        while (j < sql.size() && sql[j] >= '0' && sql[j] <= '9') ++j;
        const int n = j > i + 1 ? std::stoi(sql.substr(i + 1, j - i - 1)) : ++next;
        out += '$' + std::to_string(n);
        count = std::max(count, n);
        i = j - 1;
    }
    return out;
}

class PgStatement final : public PreparedStatement {
public:
    PgStatement(PgCatalogue &db, const std::string &sql, std::string name)
        : db(db)
        , name(std::move(name))
    {
        this->sql = numbered(sql, count);
        values.resize(size_t(count));
        prepareOn(db.connection());
    }
    ~PgStatement() override { PQclear(result); }
    void bindText(int i, std::string_view text) override { at(i) = std::string(text); }
    void bindInteger(int i, long long value) override { at(i) = std::to_string(value); }
    void bindDouble(int i, double value) override
    {
        char b[32];
        std::snprintf(b, sizeof b, "%.17g", value);
        at(i) = b;
    }
    void bindNull(int i) override { at(i).reset(); }
    bool step() override
    {
        if (!result) execute();
        return ++row < PQntuples(result);
    }
    int changes() override
    {
        const char *n = result ? PQcmdTuples(result) : "";
        return *n ? std::atoi(n) : 0;
    }
    void reset() override
    {
        PQclear(result);
        result = nullptr;
        row = -1;
        for (auto &v : values) v.reset();
    }
    bool isNull(int i) override { return PQgetisnull(result, row, i); }
    std::string_view text(int i) override
    {
        return std::string_view(PQgetvalue(result, row, i), size_t(PQgetlength(result, row, i)));
    }
    long long integer(int i) override
    {
        const std::string_view t = text(i);
        long long v = 0;
        std::from_chars(t.data(), t.data() + t.size(), v);
        return v;
    }

private:
    std::optional<std::string> &at(int i)
    {
        if (i < 1 || i > count) throw DatabaseError("no parameter " + std::to_string(i) + " in " + sql, false);
        return values[size_t(i - 1)];
    }
    void prepareOn(PGconn *conn)
    {
        PGresult *r = PQprepare(conn, name.c_str(), sql.c_str(), 0, nullptr);
        if (PQresultStatus(r) != PGRES_COMMAND_OK) {
            DatabaseError error = failure(conn, r);
            PQclear(r);
            throw error;
        }
        PQclear(r);
        generation = db.generation;
    }
    void execute()
    {
        PGconn *conn = db.connection();
        if (generation != db.generation) prepareOn(conn);
        std::vector<const char *> params;
        for (const auto &v : values) params.push_back(v ? v->c_str() : nullptr);
        result = PQexecPrepared(conn, name.c_str(), count, params.data(), nullptr, nullptr, 0);
        const ExecStatusType status = PQresultStatus(result);
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
            DatabaseError error = failure(conn, result);
            PQclear(result);
            result = nullptr;
            throw error;
        }
    }

    PgCatalogue &db;
    std::string sql, name;
    int count = 0, generation = -1, row = -1;
    std::vector<std::optional<std::string>> values;
    PGresult *result = nullptr;
};

} // namespace

PgCatalogue::PgCatalogue(const std::string &url)
{
    conn = PQconnectdb(url.c_str());
    if (PQstatus(conn) != CONNECTION_OK) {
        std::string message = PQerrorMessage(conn);
        PQfinish(conn);
        throw std::runtime_error("cannot connect to the database: " + message);
    }
    exec("SET client_min_messages TO warning");
    migrate(false);
}

PgCatalogue::~PgCatalogue()
{
    forgetStatements();
    PQfinish(conn);
}

PGconn *PgCatalogue::connection()
{
    // A server that restarted (or a connection that broke) is reconnected to on the next use;
    // the request that met the break has failed already.
    if (PQstatus(conn) == CONNECTION_BAD) {
        PQreset(conn);
        if (PQstatus(conn) != CONNECTION_OK) throw DatabaseError("database connection lost: " + std::string(PQerrorMessage(conn)), false);
        ++generation;
    }
    return conn;
}

void PgCatalogue::exec(const char *sql)
{
    PGconn *c = connection();
    PGresult *r = PQexec(c, sql);
    const ExecStatusType status = PQresultStatus(r);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        DatabaseError error = failure(c, r);
        PQclear(r);
        throw error;
    }
    PQclear(r);
}

std::unique_ptr<PreparedStatement> PgCatalogue::prepare(const std::string &sql)
{
    return std::make_unique<PgStatement>(*this, sql, "s" + std::to_string(++named));
}

Catalogue::Search PgCatalogue::search(const std::string &text, const std::string *category, Order, long long, int)
{
    if (text.find_first_not_of(" \t\r\n\f\v") == std::string::npos) return {};
    Search s{" AND w.search @@ search_query(?)", text, "SELECT COUNT(*) FROM wallpapers w WHERE w.status='approved'", {}};
    if (category) {
        s.count += " AND w.category_id=?";
        s.countBinds.push_back(*category);
    }
    s.count += " AND w.search @@ search_query(?)";
    s.countBinds.push_back(text);
    return s;
}

std::string PgCatalogue::claimJob(long long now, long long staleBefore)
{
    // Locked rows are skipped: replicas claiming at the same moment take different jobs instead
    // of waiting for each other, and a job is taken by one of them only. A claim whose server
    // connection is gone belongs to a process that died: its job is taken again at once.
    Statement st = statement("UPDATE jobs SET status='processing', message='Processing', claimed_at=?1, claimed_by=pg_backend_pid()"
                             " WHERE id=(SELECT id FROM jobs WHERE status='queued' OR (status='processing' AND (claimed_at<?2"
                             " OR NOT EXISTS (SELECT 1 FROM pg_stat_activity a WHERE a.pid=jobs.claimed_by)))"
                             " ORDER BY created_at LIMIT 1 FOR UPDATE SKIP LOCKED) RETURNING id");
    st.bind(1, now).bind(2, staleBefore);
    return st.step() ? st.str(0) : std::string();
}
