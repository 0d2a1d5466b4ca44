// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue's SQLite database: categories, wallpapers, upload jobs and the search index.
#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <mutex>
#include <string>

// One connection behind a mutex: the catalogue is small and reads are fast.
class Catalogue {
public:
    explicit Catalogue(const std::filesystem::path &file)
    {
        if (sqlite3_open(file.c_str(), &db_) != SQLITE_OK) throw std::runtime_error("cannot open database");
        exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA busy_timeout=5000;");
        exec("CREATE TABLE IF NOT EXISTS categories(id TEXT PRIMARY KEY, name TEXT, slug TEXT UNIQUE,"
             " description TEXT, cover_image_key TEXT, sort_order INT, is_active INT, created_at INT, updated_at INT);"
             "CREATE TABLE IF NOT EXISTS wallpapers(rid INTEGER PRIMARY KEY, id TEXT UNIQUE, title TEXT,"
             " description TEXT, file_key TEXT, thumbnail_key TEXT, medium_key TEXT, full_key TEXT, width INT,"
             " height INT, file_size INT, format TEXT, is_featured INT, featured_order INT, status TEXT,"
             " download_count INT DEFAULT 0, favorite_count INT DEFAULT 0, view_count INT DEFAULT 0,"
             " trend REAL DEFAULT 0, tags TEXT, category_id TEXT, uploaded_by_id TEXT, seed_key TEXT UNIQUE,"
             " created_at INT, updated_at INT);"
             "CREATE INDEX IF NOT EXISTS w_status_created ON wallpapers(status, created_at);"
             "CREATE INDEX IF NOT EXISTS w_cat ON wallpapers(category_id, status);"
             // The popular and trending orders, so a page of either is read off an index instead of
             // sorting the whole catalogue (the expressions match the lists' ORDER BY exactly).
             "CREATE INDEX IF NOT EXISTS w_popular ON wallpapers(status, download_count+view_count DESC, created_at DESC);"
             "CREATE INDEX IF NOT EXISTS w_trend ON wallpapers(status, trend DESC, created_at DESC);"
             "CREATE TABLE IF NOT EXISTS jobs(id TEXT PRIMARY KEY, machine_id TEXT, status TEXT, message TEXT,"
             " wallpaper_id TEXT, title TEXT, description TEXT, category_id TEXT, tags TEXT, format TEXT, created_at INT);"
             "CREATE INDEX IF NOT EXISTS jobs_machine ON jobs(machine_id, created_at);"
             "CREATE INDEX IF NOT EXISTS w_uploader ON wallpapers(uploaded_by_id, created_at);"
             "CREATE VIRTUAL TABLE IF NOT EXISTS wallpapers_fts USING fts5(title, description, tags);");
    }
    ~Catalogue() { sqlite3_close(db_); }
    void exec(const char *sql)
    {
        char *err = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &err) != SQLITE_OK) {
            std::string e = err ? err : "sqlite error";
            sqlite3_free(err);
            throw std::runtime_error(e);
        }
    }
    sqlite3_stmt *prepare(const std::string &sql)
    {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        return st;
    }
    // Makes the wallpaper row just inserted findable by the search of the lists.
    void indexLastInsertedForSearch(const std::string &title, const std::string &description, const std::string &tags)
    {
        sqlite3_stmt *fts = prepare("INSERT INTO wallpapers_fts(rowid,title,description,tags) VALUES(last_insert_rowid(),?,?,?)");
        sqlite3_bind_text(fts, 1, title.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(fts, 2, description.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(fts, 3, tags.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(fts);
        sqlite3_finalize(fts);
    }
    sqlite3 *raw() { return db_; }
    std::mutex mutex;

private:
    sqlite3 *db_ = nullptr;
};

// Milliseconds since the epoch: every stored time.
long long nowMs();
// A new random 32-hex-digit identifier (wallpapers, upload jobs).
std::string newId();
// A text column, "" for NULL.
std::string col(sqlite3_stmt *st, int i);
// A text column as a JSON string, or null.
std::string colOrNull(sqlite3_stmt *st, int i);
