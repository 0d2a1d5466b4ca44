// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Catalogue.h"

#include "PgCatalogue.h"
#include "SqliteCatalogue.h"

#include <chrono>
#include <cstdio>
#include <random>

namespace {

// The schema, one step at a time, in each engine's words. Every catalogue records the steps it
// has taken (meta 'schema') and takes the rest, in order, once. SQLite catalogues made before
// the steps were counted have the first step's tables already, made by SqliteCatalogue itself.
struct Migration {
    const char *sqlite;
    const char *postgres;
};

const Migration kMigrations[] = {
    {"",
     "CREATE TABLE categories(id TEXT PRIMARY KEY, name TEXT, slug TEXT UNIQUE, description TEXT, cover_image_key TEXT,"
     " sort_order INT, is_active INT, created_at BIGINT, updated_at BIGINT);"
     "CREATE TABLE wallpapers(rid BIGSERIAL PRIMARY KEY, id TEXT UNIQUE, title TEXT, description TEXT, file_key TEXT,"
     " thumbnail_key TEXT, medium_key TEXT, full_key TEXT, width INT, height INT, file_size BIGINT, format TEXT,"
     " is_featured INT, featured_order INT, status TEXT, download_count INT DEFAULT 0, favorite_count INT DEFAULT 0,"
     " view_count INT DEFAULT 0, trend DOUBLE PRECISION DEFAULT 0, tags TEXT, category_id TEXT, uploaded_by_id TEXT,"
     " seed_key TEXT UNIQUE, created_at BIGINT, updated_at BIGINT);"
     "CREATE INDEX w_status_created ON wallpapers(status, created_at);"
     "CREATE INDEX w_cat_created ON wallpapers(category_id, status, created_at);"
     "CREATE INDEX w_cat_popular ON wallpapers(category_id, status, (download_count+view_count) DESC, created_at DESC);"
     "CREATE INDEX w_cat_trend ON wallpapers(category_id, status, trend DESC, created_at DESC);"
     "CREATE INDEX w_featured ON wallpapers(featured_order, created_at DESC) WHERE is_featured=1 AND status='approved';"
     "CREATE INDEX w_popular ON wallpapers(status, (download_count+view_count) DESC, created_at DESC);"
     "CREATE INDEX w_trend ON wallpapers(status, trend DESC, created_at DESC);"
     "CREATE INDEX w_uploader ON wallpapers(uploaded_by_id, created_at);"
     "CREATE TABLE jobs(id TEXT PRIMARY KEY, machine_id TEXT, status TEXT, message TEXT, wallpaper_id TEXT, title TEXT,"
     " description TEXT, category_id TEXT, tags TEXT, format TEXT, created_at BIGINT, peer TEXT);"
     "CREATE INDEX jobs_machine ON jobs(machine_id, created_at);"
     "CREATE INDEX jobs_peer ON jobs(peer, created_at);"
     // Searched as SQLite's unicode61 tokenizer does: words are runs of letters and digits,
     // compared without case or accents, and each word the user types is a prefix.
     "CREATE EXTENSION IF NOT EXISTS unaccent;"
     "CREATE FUNCTION search_words(t text) RETURNS text LANGUAGE sql IMMUTABLE PARALLEL SAFE AS"
     " $$SELECT regexp_replace(lower(public.unaccent('public.unaccent'::regdictionary, t)), '[^[:alnum:]]+', ' ', 'g')$$;"
     "ALTER TABLE wallpapers ADD COLUMN search tsvector GENERATED ALWAYS AS (to_tsvector('simple',"
     " search_words(coalesce(title,'') || ' ' || coalesce(description,'') || ' ' || coalesce(tags,'')))) STORED;"
     "CREATE INDEX w_search ON wallpapers USING GIN(search) WHERE status='approved';"
     // Words without a letter or digit are left out; a text of nothing else matches nothing.
     "CREATE FUNCTION search_query(q text) RETURNS tsquery LANGUAGE plpgsql IMMUTABLE PARALLEL SAFE AS $$"
     " DECLARE w text; p text; r tsquery; BEGIN"
     "  FOREACH w IN ARRAY regexp_split_to_array(q, '\\s+') LOOP"
     "   p := btrim(search_words(w));"
     "   CONTINUE WHEN p = '';"
     "   p := regexp_replace(p, ' ', ' <-> ', 'g') || ':*';"
     "   r := CASE WHEN r IS NULL THEN to_tsquery('simple', p) ELSE r && to_tsquery('simple', p) END;"
     "  END LOOP;"
     "  RETURN r;"
     " END $$;"
     // Approved wallpapers per category ('' for all of them) and the catalogue's version, kept
     // by triggers as on SQLite.
     "CREATE TABLE counts(category_id TEXT PRIMARY KEY, approved BIGINT NOT NULL);"
     "INSERT INTO counts VALUES('', 0);"
     "CREATE FUNCTION wallpapers_counted() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN"
     "  IF TG_OP <> 'INSERT' THEN"
     "   IF OLD.status = 'approved' THEN"
     "    UPDATE counts SET approved = approved - 1 WHERE category_id IN ('', OLD.category_id);"
     "   END IF;"
     "  END IF;"
     "  IF TG_OP <> 'DELETE' THEN"
     "   IF NEW.status = 'approved' THEN"
     "    INSERT INTO counts VALUES('', 1) ON CONFLICT(category_id) DO UPDATE SET approved = counts.approved + 1;"
     "    IF NEW.category_id IS NOT NULL THEN"
     "     INSERT INTO counts VALUES(NEW.category_id, 1) ON CONFLICT(category_id) DO UPDATE SET approved = counts.approved + 1;"
     "    END IF;"
     "   END IF;"
     "  END IF;"
     "  RETURN NULL;"
     " END $$;"
     "CREATE TRIGGER w_counted AFTER INSERT OR DELETE OR UPDATE OF status, category_id ON wallpapers"
     " FOR EACH ROW EXECUTE FUNCTION wallpapers_counted();"
     "CREATE FUNCTION catalogue_changed() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN"
     "  UPDATE meta SET value = value + 1 WHERE key = 'version'; RETURN NULL; END $$;"
     "CREATE TRIGGER w_version AFTER INSERT OR UPDATE OR DELETE ON wallpapers FOR EACH STATEMENT EXECUTE FUNCTION catalogue_changed();"
     "CREATE TRIGGER c_version AFTER INSERT OR UPDATE OR DELETE ON categories FOR EACH STATEMENT EXECUTE FUNCTION catalogue_changed();"},
    // A job's claim carries its time and its taker's connection, so one whose process died can be
    // taken again, and only the claim that is still current may complete it.
    {"ALTER TABLE jobs ADD COLUMN claimed_at INT; ALTER TABLE jobs ADD COLUMN claimed_by INT;"
     " CREATE INDEX jobs_status ON jobs(status, created_at);",
     "ALTER TABLE jobs ADD COLUMN claimed_at BIGINT; ALTER TABLE jobs ADD COLUMN claimed_by INT;"
     " CREATE INDEX jobs_status ON jobs(status, created_at);"},
    // One-letter prefixes indexed too: a search for "a" reads one list of rows instead of
    // merging those of every word that starts with it, and a row can be looked up in it cheaply.
    {"DROP TABLE wallpapers_fts;"
     "CREATE VIRTUAL TABLE wallpapers_fts USING fts5(title, description, tags, cat, prefix='1 2 3 4 5 6 7 8');"
     "INSERT INTO wallpapers_fts(rowid,title,description,tags,cat)"
     " SELECT rid, title, coalesce(description,''), coalesce(tags,''), 'c'||hex(coalesce(category_id,''))"
     " FROM wallpapers WHERE status='approved';",
     ""},
};

} // namespace

Statement Catalogue::statement(const std::string &sql)
{
    auto it = prepared.find(sql);
    if (it == prepared.end()) it = prepared.emplace(sql, prepare(sql)).first;
    return Statement(*it->second);
}

long long Catalogue::version()
{
    Statement st = statement("SELECT value FROM meta WHERE key='version'");
    return st.step() ? st.integer(0) : 0;
}

void Catalogue::migrate(bool sqlite)
{
    // Replicas started together: one of them migrates, the others wait and find it done.
    exec(sqlite ? "BEGIN IMMEDIATE" : "BEGIN; SELECT pg_advisory_xact_lock(7310)");
    try {
        exec("CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value BIGINT NOT NULL);"
             "INSERT INTO meta VALUES('version', 0) ON CONFLICT DO NOTHING;"
             "INSERT INTO meta VALUES('schema', 0) ON CONFLICT DO NOTHING;");
        long long done = 0;
        {
            Statement st = statement("SELECT value FROM meta WHERE key='schema'");
            if (st.step()) done = st.integer(0);
        }
        const long long steps = sizeof kMigrations / sizeof kMigrations[0];
        for (long long i = done; i < steps; ++i)
            if (const char *sql = sqlite ? kMigrations[i].sqlite : kMigrations[i].postgres; *sql) exec(sql);
        if (done < steps) statement("UPDATE meta SET value=? WHERE key='schema'").bind(1, steps).run();
        exec("COMMIT");
    } catch (...) {
        exec("ROLLBACK");
        throw;
    }
}

std::unique_ptr<Catalogue> openCatalogue(const std::string &database, const std::filesystem::path &data)
{
    if (database.empty()) return std::make_unique<SqliteCatalogue>(data / "catalogue.db");
    if (database.starts_with("postgresql://") || database.starts_with("postgres://"))
        return std::make_unique<PgCatalogue>(database);
    throw std::runtime_error("--database needs a postgresql:// URL");
}

long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string newId()
{
    static std::mt19937_64 rng{std::random_device{}()};
    static std::mutex m;
    std::lock_guard lock(m);
    char b[40];
    std::snprintf(b, sizeof b, "%016llx%016llx", (unsigned long long)rng(), (unsigned long long)rng());
    return b;
}
