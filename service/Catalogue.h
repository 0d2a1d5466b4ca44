// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue's SQLite database: categories, wallpapers, upload jobs and the search index.
#include <sqlite3.h>

#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

// A failed database call: the message is SQLite's; full() when the disk (or a file size limit)
// is what stopped it.
class DatabaseError : public std::runtime_error {
public:
    DatabaseError(sqlite3 *db, int code);
    bool full() const { return code == SQLITE_FULL || (code & 0xff) == SQLITE_IOERR; }
    const int code;
};

// A statement prepared once and kept by its connection. The handle resets and unbinds it when it
// goes out of scope, so the next user finds it ready. Every step is checked: an error (a full
// disk, a malformed search) throws instead of looking like "no rows".
class Statement {
public:
    Statement(sqlite3 *db, sqlite3_stmt *st)
        : db(db)
        , st(st)
    {
    }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement()
    {
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    }
    Statement &bind(int i, std::string_view text)
    {
        check(sqlite3_bind_text(st, i, text.data(), int(text.size()), SQLITE_TRANSIENT));
        return *this;
    }
    Statement &bind(int i, long long value)
    {
        check(sqlite3_bind_int64(st, i, value));
        return *this;
    }
    Statement &bindDouble(int i, double value)
    {
        check(sqlite3_bind_double(st, i, value));
        return *this;
    }
    Statement &bindNull(int i)
    {
        check(sqlite3_bind_null(st, i));
        return *this;
    }
    // The text, or NULL when it is empty.
    Statement &bindOrNull(int i, std::string_view text) { return text.empty() ? bindNull(i) : bind(i, text); }
    // True with a row to read, false when done.
    bool step()
    {
        int rc = sqlite3_step(st);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        throw DatabaseError(db, rc);
    }
    // Runs a statement that returns no rows; the number of rows it changed.
    int run()
    {
        while (step()) {
        }
        return sqlite3_changes(db);
    }
    sqlite3_stmt *raw() const { return st; }

private:
    void check(int rc)
    {
        if (rc != SQLITE_OK) throw DatabaseError(db, rc);
    }
    sqlite3 *db;
    sqlite3_stmt *st;
};

// One connection; callers share it behind `mutex`.
class Catalogue {
public:
    explicit Catalogue(const std::filesystem::path &file);
    ~Catalogue();
    Catalogue(const Catalogue &) = delete;
    Catalogue &operator=(const Catalogue &) = delete;

    void exec(const char *sql);
    // The statement for this SQL, prepared on first use.
    Statement statement(const std::string &sql);
    // Changes with every change of a wallpaper or category, whichever process made it.
    long long version();
    sqlite3 *raw() { return db_; }
    std::mutex mutex;

private:
    sqlite3 *db_ = nullptr;
    std::unordered_map<std::string, sqlite3_stmt *> prepared;
};

// Milliseconds since the epoch: every stored time.
long long nowMs();
// A new random 32-hex-digit identifier (wallpapers, upload jobs).
std::string newId();
// A text column, "" for NULL.
std::string col(sqlite3_stmt *st, int i);
// A text column as a JSON string, or null.
std::string colOrNull(sqlite3_stmt *st, int i);
