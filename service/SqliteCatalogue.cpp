// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SqliteCatalogue.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

DatabaseError failure(sqlite3 *db, int code)
{
    return DatabaseError(sqlite3_errmsg(db), code == SQLITE_FULL || (code & 0xff) == SQLITE_IOERR);
}

class SqliteStatement final : public PreparedStatement {
public:
    SqliteStatement(sqlite3 *db, sqlite3_stmt *st)
        : db(db)
        , st(st)
    {
    }
    ~SqliteStatement() override { sqlite3_finalize(st); }
    void bindText(int i, std::string_view text) override
    {
        check(sqlite3_bind_text(st, i, text.data(), int(text.size()), SQLITE_TRANSIENT));
    }
    void bindInteger(int i, long long value) override { check(sqlite3_bind_int64(st, i, value)); }
    void bindDouble(int i, double value) override { check(sqlite3_bind_double(st, i, value)); }
    void bindNull(int i) override { check(sqlite3_bind_null(st, i)); }
    bool step() override
    {
        int rc = sqlite3_step(st);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        throw failure(db, rc);
    }
    int changes() override { return sqlite3_changes(db); }
    void reset() override
    {
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    }
    bool isNull(int i) override { return sqlite3_column_type(st, i) == SQLITE_NULL; }
    std::string_view text(int i) override
    {
        auto p = sqlite3_column_text(st, i);
        return p ? std::string_view(reinterpret_cast<const char *>(p), size_t(sqlite3_column_bytes(st, i))) : std::string_view();
    }
    long long integer(int i) override { return sqlite3_column_int64(st, i); }

private:
    void check(int rc)
    {
        if (rc != SQLITE_OK) throw failure(db, rc);
    }
    sqlite3 *db;
    sqlite3_stmt *st;
};

// User text becomes one quoted FTS5 string per word, so operators in it are just text.
// True when every word of the text is at most `chars` characters long.
bool wordsWithin(const std::string &text, int chars)
{
    std::istringstream in(text);
    std::string word;
    while (in >> word)
        if (std::count_if(word.begin(), word.end(), [](unsigned char c) { return (c & 0xc0) != 0x80; }) > chars) return false;
    return true;
}

std::string ftsQuery(const std::string &text)
{
    std::istringstream in(text);
    std::string word, out;
    while (in >> word) {
        std::string q = "\"";
        for (char c : word) q += c == '"' ? std::string("\"\"") : std::string(1, c);
        out += (out.empty() ? "" : " ") + q + "\"*";
    }
    return out;
}

// Upper-case hex digits of the bytes, as SQLite's hex() writes them.
std::string hexOf(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

} // namespace

SqliteCatalogue::SqliteCatalogue(const std::filesystem::path &file)
{
    if (sqlite3_open(file.c_str(), &db_) != SQLITE_OK) {
        sqlite3_close(db_);
        throw std::runtime_error("cannot open database " + file.string());
    }
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
         "DROP INDEX IF EXISTS w_cat;"
         // Every list order within a category, and the featured strip, read off an index.
         "CREATE INDEX IF NOT EXISTS w_cat_created ON wallpapers(category_id, status, created_at);"
         "CREATE INDEX IF NOT EXISTS w_cat_popular ON wallpapers(category_id, status, download_count+view_count DESC, created_at DESC);"
         "CREATE INDEX IF NOT EXISTS w_cat_trend ON wallpapers(category_id, status, trend DESC, created_at DESC);"
         "CREATE INDEX IF NOT EXISTS w_featured ON wallpapers(featured_order, created_at DESC) WHERE is_featured=1 AND status='approved';"
         // The popular and trending orders, so a page of either is read off an index instead of
         // sorting the whole catalogue (the expressions match the lists' ORDER BY exactly).
         "CREATE INDEX IF NOT EXISTS w_popular ON wallpapers(status, download_count+view_count DESC, created_at DESC);"
         "CREATE INDEX IF NOT EXISTS w_trend ON wallpapers(status, trend DESC, created_at DESC);"
         "CREATE TABLE IF NOT EXISTS jobs(id TEXT PRIMARY KEY, machine_id TEXT, status TEXT, message TEXT,"
         " wallpaper_id TEXT, title TEXT, description TEXT, category_id TEXT, tags TEXT, format TEXT, created_at INT);"
         "CREATE INDEX IF NOT EXISTS jobs_machine ON jobs(machine_id, created_at);"
         "CREATE INDEX IF NOT EXISTS w_uploader ON wallpapers(uploaded_by_id, created_at);");
    // The search index holds the approved wallpapers only, kept by triggers, so a search's total
    // is counted in the index alone; prefix indexes make the searches by word prefix cheap. The
    // column `cat` holds the category id as one token ("c" and its hex digits), so a search within
    // a category is answered by the index as well.
    if (!statement("SELECT 1 FROM sqlite_master WHERE name='wallpapers_fts' AND sql LIKE '%tags, cat,%'").step()) {
        exec("BEGIN IMMEDIATE;"
             "DROP TABLE IF EXISTS wallpapers_fts;"
             "DROP TRIGGER IF EXISTS w_search_insert; DROP TRIGGER IF EXISTS w_search_update; DROP TRIGGER IF EXISTS w_search_delete;"
             "CREATE VIRTUAL TABLE wallpapers_fts USING fts5(title, description, tags, cat, prefix='2 3 4 5 6 7 8');"
             "INSERT INTO wallpapers_fts(rowid,title,description,tags,cat)"
             " SELECT rid, title, coalesce(description,''), coalesce(tags,''), 'c'||hex(coalesce(category_id,''))"
             " FROM wallpapers WHERE status='approved';"
             "CREATE TRIGGER w_search_insert AFTER INSERT ON wallpapers WHEN new.status='approved' BEGIN"
             " INSERT INTO wallpapers_fts(rowid,title,description,tags,cat) VALUES(new.rid,new.title,coalesce(new.description,''),"
             "  coalesce(new.tags,''),'c'||hex(coalesce(new.category_id,'')));"
             " END;"
             "CREATE TRIGGER w_search_update AFTER UPDATE OF status, title, description, tags, category_id ON wallpapers BEGIN"
             " DELETE FROM wallpapers_fts WHERE rowid=old.rid;"
             " INSERT INTO wallpapers_fts(rowid,title,description,tags,cat)"
             "  SELECT new.rid,new.title,coalesce(new.description,''),coalesce(new.tags,''),'c'||hex(coalesce(new.category_id,''))"
             "  WHERE new.status='approved';"
             " END;"
             "CREATE TRIGGER w_search_delete AFTER DELETE ON wallpapers BEGIN"
             " DELETE FROM wallpapers_fts WHERE rowid=old.rid;"
             " END;"
             "COMMIT;");
    }
    // Catalogues made before uploads were counted per address gain the column.
    bool hasPeer = false;
    {
        Statement info = statement("PRAGMA table_info(jobs)");
        while (info.step()) hasPeer = hasPeer || info.text(1) == "peer";
    }
    if (!hasPeer) exec("ALTER TABLE jobs ADD COLUMN peer TEXT");
    exec("CREATE INDEX IF NOT EXISTS jobs_peer ON jobs(peer, created_at);");

    // Approved wallpapers per category ('' for all of them) and the catalogue's version, kept by
    // triggers: a list reads its total instead of counting, and answers made for one version can
    // be reused until anything changes.
    bool hasCounts = statement("SELECT 1 FROM sqlite_master WHERE name='counts'").step();
    if (!hasCounts) {
        exec("BEGIN IMMEDIATE;"
             "CREATE TABLE counts(category_id TEXT PRIMARY KEY, approved INT NOT NULL) WITHOUT ROWID;"
             "INSERT INTO counts SELECT '', COUNT(*) FROM wallpapers WHERE status='approved';"
             "INSERT INTO counts SELECT category_id, COUNT(*) FROM wallpapers WHERE status='approved' AND category_id IS NOT NULL"
             " GROUP BY category_id;"
             "CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value INT NOT NULL) WITHOUT ROWID;"
             "INSERT OR IGNORE INTO meta VALUES('version', 0);"
             "CREATE TRIGGER w_counted_insert AFTER INSERT ON wallpapers WHEN new.status='approved' BEGIN"
             " UPDATE counts SET approved=approved+1 WHERE category_id='';"
             " INSERT INTO counts SELECT new.category_id, 1 WHERE new.category_id IS NOT NULL"
             "  ON CONFLICT(category_id) DO UPDATE SET approved=approved+1;"
             " END;"
             "CREATE TRIGGER w_counted_delete AFTER DELETE ON wallpapers WHEN old.status='approved' BEGIN"
             " UPDATE counts SET approved=approved-1 WHERE category_id IN ('', old.category_id);"
             " END;"
             "CREATE TRIGGER w_counted_update AFTER UPDATE OF status, category_id ON wallpapers BEGIN"
             " UPDATE counts SET approved=approved-1 WHERE old.status='approved' AND category_id IN ('', old.category_id);"
             " INSERT INTO counts SELECT '', 1 WHERE new.status='approved' ON CONFLICT(category_id) DO UPDATE SET approved=approved+1;"
             " INSERT INTO counts SELECT new.category_id, 1 WHERE new.status='approved' AND new.category_id IS NOT NULL"
             "  ON CONFLICT(category_id) DO UPDATE SET approved=approved+1;"
             " END;"
             "CREATE TRIGGER w_version_insert AFTER INSERT ON wallpapers BEGIN UPDATE meta SET value=value+1 WHERE key='version'; END;"
             "CREATE TRIGGER w_version_update AFTER UPDATE ON wallpapers BEGIN UPDATE meta SET value=value+1 WHERE key='version'; END;"
             "CREATE TRIGGER w_version_delete AFTER DELETE ON wallpapers BEGIN UPDATE meta SET value=value+1 WHERE key='version'; END;"
             "CREATE TRIGGER c_version_insert AFTER INSERT ON categories BEGIN UPDATE meta SET value=value+1 WHERE key='version'; END;"
             "CREATE TRIGGER c_version_update AFTER UPDATE ON categories BEGIN UPDATE meta SET value=value+1 WHERE key='version'; END;"
             "CREATE TRIGGER c_version_delete AFTER DELETE ON categories BEGIN UPDATE meta SET value=value+1 WHERE key='version'; END;"
             "COMMIT;");
    }
    migrate(true);
}

SqliteCatalogue::~SqliteCatalogue()
{
    forgetStatements();
    sqlite3_close(db_);
}

void SqliteCatalogue::exec(const char *sql)
{
    char *err = nullptr;
    if (int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &err); rc != SQLITE_OK) {
        sqlite3_free(err);
        throw failure(db_, rc);
    }
}

std::unique_ptr<PreparedStatement> SqliteCatalogue::prepare(const std::string &sql)
{
    sqlite3_stmt *st = nullptr;
    if (int rc = sqlite3_prepare_v3(db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr); rc != SQLITE_OK)
        throw failure(db_, rc);
    return std::make_unique<SqliteStatement>(db_, st);
}

namespace {

// The rids of the approved wallpapers (in a category when `inCategory`, bound as ?1) in a list's
// order, read off that order's index; `also` is added to the WHERE and `tail` after the ORDER BY.
// Each index ends with the rid, ascending, so ties come out as the ORDER BY, which ends with it
// too, puts them.
std::string walkSql(Catalogue::Order order, bool inCategory, const char *also, const char *tail)
{
    static const char *const kIndex[2][3] = {{"w_status_created", "w_popular", "w_trend"},
                                             {"w_cat_created", "w_cat_popular", "w_cat_trend"}};
    static const char *const kOrder[3] = {"created_at DESC, rid DESC", "download_count+view_count DESC, created_at DESC, rid",
                                          "trend DESC, created_at DESC, rid"};
    return std::string("SELECT rid FROM wallpapers INDEXED BY ") + kIndex[inCategory][int(order)] + " WHERE " +
           (inCategory ? "category_id=?1 AND " : "") + "status='approved'" + also + " ORDER BY " + kOrder[int(order)] + tail;
}

} // namespace

Catalogue::Search SqliteCatalogue::search(const std::string &text, const std::string *category, Order order, long long offset,
                                          int limit)
{
    const std::string words = ftsQuery(text);
    if (words.empty()) return {};
    // The words are looked for in the texts; the category, when given, is matched in the index
    // too. The index holds approved wallpapers only, so its matches are the answer's rows.
    std::string match = "{title description tags} : (" + words + ")";
    if (category) match += " AND cat : c" + hexOf(*category);
    Search s;
    s.where = "WHERE w.rid IN (SELECT value FROM json_each(?))";
    s.found = true;
    s.paged = true;
    s.bind = "[";
    auto add = [&s](long long rid) {
        if (s.bind.size() > 1) s.bind += ',';
        s.bind += std::to_string(rid);
    };
    long long listed = 0;
    {
        Statement st = statement("SELECT approved FROM counts WHERE category_id=?");
        if (st.bind(1, category ? *category : std::string()).step()) listed = st.integer(0);
    }
    const long long wanted = offset + limit;
    // Three ways to the page. A walk down the order's index that stops at the page reads about
    // wanted * listed / matches entries; each can be looked up in the search index (when nearly
    // every row matches), or checked against the matches read out once (when fewer do); and when
    // the matches are few, sorting them all beats the walk. A lookup costs about as much as
    // reading out 300 matches, so it wins past sqrt(wanted * listed * 300) matches: the matches
    // are read out up to that many, and only past it counted and looked up instead. A lookup is
    // that cheap only for words the index keeps prefixes of: for a longer one each lookup merges
    // the lists of every word it begins.
    const bool lookups = wordsWithin(text, 8);
    const double enough = std::sqrt(double(wanted) * double(listed) * 300.0);
    std::vector<long long> found; // ascending
    bool all = true;
    {
        Statement st = statement("SELECT rowid FROM wallpapers_fts WHERE wallpapers_fts MATCH ? ORDER BY rowid");
        st.bind(1, match);
        while (st.step()) {
            if (lookups && double(found.size()) >= enough) {
                all = false;
                break;
            }
            found.push_back(st.integer(0));
        }
    }
    if (!all) {
        Statement count = statement("SELECT COUNT(*) FROM wallpapers_fts WHERE wallpapers_fts MATCH ?");
        if (count.bind(1, match).step()) s.total = count.integer(0);
        if (offset < s.total) {
            Statement st = statement(walkSql(order, category != nullptr,
                                             " AND EXISTS (SELECT 1 FROM wallpapers_fts WHERE wallpapers_fts MATCH ?2"
                                             " AND wallpapers_fts.rowid=wallpapers.rid)",
                                             " LIMIT ?3 OFFSET ?4"));
            if (category) st.bind(1, *category);
            st.bind(2, match).bind(3, limit).bind(4, offset);
            while (st.step()) add(st.integer(0));
        }
        s.bind += ']';
        return s;
    }
    s.total = (long long)found.size();
    const double walk = double(wanted) * double(listed) / double(std::max(s.total, 1LL));
    if (offset >= s.total) {
        // Past the last match: an empty page.
    } else if (walk <= 4.0 * double(s.total)) {
        Statement st = statement(walkSql(order, category != nullptr, "", ""));
        if (category) st.bind(1, *category);
        long long seen = 0;
        while (seen < wanted && st.step()) {
            const long long rid = st.integer(0);
            if (!std::binary_search(found.begin(), found.end(), rid)) continue;
            if (seen++ >= offset) add(rid);
        }
    } else {
        s.paged = false;
        for (long long rid : found) add(rid);
    }
    s.bind += ']';
    return s;
}

std::string SqliteCatalogue::claimJob(long long now, long long staleBefore)
{
    // One connection behind the catalogue's mutex: the update is the whole claim.
    Statement st = statement("UPDATE jobs SET status='processing', message='Processing', claimed_at=?1 WHERE id=("
                             "SELECT id FROM jobs WHERE status='queued' OR (status='processing' AND claimed_at<?2)"
                             " ORDER BY created_at LIMIT 1) RETURNING id");
    st.bind(1, now).bind(2, staleBefore);
    std::string id = st.step() ? st.str(0) : std::string();
    while (st.step()) {
    }
    return id;
}
