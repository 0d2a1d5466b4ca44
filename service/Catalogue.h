// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue's database: categories, wallpapers, upload jobs and the search index, on SQLite
// (one process, the embedded default) or PostgreSQL (any number of replicas sharing it).
#include <filesystem>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A failed database call: the message is the engine's; full() when the disk (or a file size
// limit) is what stopped it.
class DatabaseError : public std::runtime_error {
public:
    DatabaseError(const std::string &message, bool full)
        : std::runtime_error(message)
        , full_(full)
    {
    }
    bool full() const { return full_; }

private:
    bool full_;
};

// An engine's prepared statement. Parameters count from 1, columns from 0.
class PreparedStatement {
public:
    virtual ~PreparedStatement() = default;
    virtual void bindText(int i, std::string_view text) = 0;
    virtual void bindInteger(int i, long long value) = 0;
    virtual void bindDouble(int i, double value) = 0;
    virtual void bindNull(int i) = 0;
    virtual bool step() = 0;
    // Rows changed by the statement that just ran.
    virtual int changes() = 0;
    virtual void reset() = 0;
    virtual bool isNull(int i) = 0;
    virtual std::string_view text(int i) = 0;
    virtual long long integer(int i) = 0;
};

// A statement prepared once and kept by its connection. The handle resets and unbinds it when it
// goes out of scope, so the next user finds it ready. Every step is checked: an error (a full
// disk, a malformed search) throws instead of looking like "no rows".
class Statement {
public:
    explicit Statement(PreparedStatement &st)
        : st(st)
    {
    }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement() { st.reset(); }
    Statement &bind(int i, std::string_view text)
    {
        st.bindText(i, text);
        return *this;
    }
    Statement &bind(const int i, const char *text) { return bind(i, std::string_view(text)); }
    Statement &bind(int i, long long value)
    {
        st.bindInteger(i, value);
        return *this;
    }
    Statement &bind(int i, int value) { return bind(i, (long long)value); }
    Statement &bindDouble(int i, double value)
    {
        st.bindDouble(i, value);
        return *this;
    }
    Statement &bindNull(int i)
    {
        st.bindNull(i);
        return *this;
    }
    // The text, or NULL when it is empty.
    Statement &bindOrNull(int i, std::string_view text) { return text.empty() ? bindNull(i) : bind(i, text); }
    // True with a row to read, false when done.
    bool step() { return st.step(); }
    // Runs a statement that returns no rows; the number of rows it changed.
    int run()
    {
        while (step()) {
        }
        return st.changes();
    }
    bool isNull(int i) { return st.isNull(i); }
    // A text column, "" for NULL; valid until the next step.
    std::string_view text(int i) { return st.text(i); }
    std::string str(int i) { return std::string(st.text(i)); }
    long long integer(int i) { return st.integer(i); }

private:
    PreparedStatement &st;
};

// One connection; callers share it behind `mutex`.
class Catalogue {
public:
    virtual ~Catalogue() = default;
    Catalogue(const Catalogue &) = delete;
    Catalogue &operator=(const Catalogue &) = delete;

    // Runs SQL without parameters, several statements at a time.
    virtual void exec(const char *sql) = 0;
    // Starts a transaction that will write.
    virtual void begin() = 0;
    // The statement for this SQL (parameters written `?` or `?N`), prepared on first use.
    Statement statement(const std::string &sql);
    // Changes with every change of a wallpaper or category, whichever process made it.
    long long version();
    // True when other processes may serve the same catalogue at the same time.
    virtual bool shared() const = 0;

    // The orders a list can be read in.
    enum class Order { Newest, Popular, Trending };

    // A search for the user's words (within a category when given), with the engine's matching
    // rules: every word must be found, as a case-insensitive prefix of a word of the title, the
    // description or the tags. Empty `where` when the text holds no words to look for.
    struct Search {
        std::string where; // appended to a wallpaper WHERE, taking `bind`
        std::string bind;
        std::string count; // the number of matches, taking countBinds
        std::vector<std::string> countBinds;
        // Set when the engine found the matches itself: `total` is their number, and `where`
        // (then the whole WHERE) picks the rows of the page alone when `paged`, or every match
        // otherwise, for the list's ORDER BY and LIMIT to cut.
        bool found = false;
        bool paged = false;
        long long total = 0;
    };
    // `order`, `offset` and `limit` say which page is wanted, for an engine that finds it itself.
    virtual Search search(const std::string &text, const std::string *category, Order order, long long offset, int limit) = 0;
    // Put before the WHERE of the featured strip's query.
    virtual std::string featuredHint() const { return {}; }
    // Takes the oldest waiting upload job (or one whose claim lapsed before `staleBefore`) for
    // this process, stamped `now`: its id, or "" when none waits. Each job goes to one caller.
    virtual std::string claimJob(long long now, long long staleBefore) = 0;

    std::mutex mutex;

protected:
    Catalogue() = default;
    virtual std::unique_ptr<PreparedStatement> prepare(const std::string &sql) = 0;
    // Brings the schema up to date; `sqlite` says which text of each step this engine runs.
    void migrate(bool sqlite);
    // Finalizes every prepared statement: engines call it before closing their connection.
    void forgetStatements() { prepared.clear(); }

private:
    std::unordered_map<std::string, std::unique_ptr<PreparedStatement>> prepared;
};

// The catalogue named by `database` ("postgresql://…" or "postgres://…"), or, when that is
// empty, the SQLite file catalogue.db in `data`.
std::unique_ptr<Catalogue> openCatalogue(const std::string &database, const std::filesystem::path &data);

// Milliseconds since the epoch: every stored time.
long long nowMs();
// A new random 32-hex-digit identifier (wallpapers, upload jobs).
std::string newId();
