// lumivane-service: the reference catalogue (read endpoints, image host, seeding, moderation).
#include <httplib.h>
#include <sqlite3.h>
#include <vips/vips8>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <thread>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string jsonString(const std::string &s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) { char b[8]; std::snprintf(b, sizeof b, "\\u%04x", c); out += b; }
            else out += char(c);
        }
    }
    return out + "\"";
}

std::string isoDate(long long ms)
{
    std::time_t t = ms / 1000;
    std::tm tm{};
    gmtime_r(&t, &tm);
    char b[40];
    std::snprintf(b, sizeof b, "%04d-%02d-%02dT%02d:%02d:%02d.%03lldZ", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ms % 1000);
    return b;
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

// One connection behind a mutex: the catalogue is small and reads are fast.
class Db {
public:
    explicit Db(const fs::path &file)
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
             "CREATE TABLE IF NOT EXISTS jobs(id TEXT PRIMARY KEY, machine_id TEXT, status TEXT, message TEXT,"
             " wallpaper_id TEXT, title TEXT, description TEXT, category_id TEXT, tags TEXT, format TEXT, created_at INT);"
             "CREATE INDEX IF NOT EXISTS jobs_machine ON jobs(machine_id, created_at);"
             "CREATE INDEX IF NOT EXISTS w_uploader ON wallpapers(uploaded_by_id, created_at);"
             "CREATE VIRTUAL TABLE IF NOT EXISTS wallpapers_fts USING fts5(title, description, tags);");
    }
    ~Db() { sqlite3_close(db_); }
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
    sqlite3 *raw() { return db_; }
    std::mutex mutex;

private:
    sqlite3 *db_ = nullptr;
};

std::string col(sqlite3_stmt *st, int i)
{
    auto p = sqlite3_column_text(st, i);
    return p ? reinterpret_cast<const char *>(p) : "";
}
std::string colOrNull(sqlite3_stmt *st, int i)
{
    return sqlite3_column_type(st, i) == SQLITE_NULL ? "null" : jsonString(col(st, i));
}

const char *kCategoryCols = "c.id,c.name,c.slug,c.description,c.cover_image_key,c.sort_order,c.is_active,"
                            "(SELECT COUNT(*) FROM wallpapers x WHERE x.category_id=c.id AND x.status='approved'),"
                            "c.created_at,c.updated_at";

std::string categoryJson(sqlite3_stmt *st, int o)
{
    std::ostringstream j;
    j << "{\"id\":" << jsonString(col(st, o)) << ",\"name\":" << jsonString(col(st, o + 1))
      << ",\"slug\":" << jsonString(col(st, o + 2)) << ",\"description\":" << colOrNull(st, o + 3)
      << ",\"cover_image_key\":" << colOrNull(st, o + 4) << ",\"sort_order\":" << sqlite3_column_int(st, o + 5)
      << ",\"is_active\":" << (sqlite3_column_int(st, o + 6) ? "true" : "false")
      << ",\"wallpaper_count\":" << sqlite3_column_int(st, o + 7)
      << ",\"created_at\":" << jsonString(isoDate(sqlite3_column_int64(st, o + 8)))
      << ",\"updated_at\":" << jsonString(isoDate(sqlite3_column_int64(st, o + 9))) << "}";
    return j.str();
}

const char *kWallpaperCols = "w.id,w.title,w.description,w.file_key,w.thumbnail_key,w.medium_key,w.full_key,"
                             "w.width,w.height,w.file_size,w.format,w.is_featured,w.featured_order,w.status,"
                             "w.download_count,w.favorite_count,w.view_count,w.tags,w.uploaded_by_id,w.category_id,"
                             "w.created_at,w.updated_at";
constexpr int kWallpaperColCount = 22;

std::string wallpaperJson(sqlite3_stmt *st)
{
    std::ostringstream j;
    j << "{\"id\":" << jsonString(col(st, 0)) << ",\"title\":" << jsonString(col(st, 1))
      << ",\"description\":" << colOrNull(st, 2) << ",\"file_key\":" << jsonString(col(st, 3))
      << ",\"thumbnail_key\":" << colOrNull(st, 4) << ",\"medium_key\":" << colOrNull(st, 5)
      << ",\"full_key\":" << colOrNull(st, 6) << ",\"width\":" << sqlite3_column_int(st, 7)
      << ",\"height\":" << sqlite3_column_int(st, 8) << ",\"file_size\":" << sqlite3_column_int64(st, 9)
      << ",\"format\":" << jsonString(col(st, 10)) << ",\"is_live\":false,\"video_key\":null"
      << ",\"is_featured\":" << (sqlite3_column_int(st, 11) ? "true" : "false")
      << ",\"featured_order\":" << (sqlite3_column_type(st, 12) == SQLITE_NULL ? std::string("null") : std::to_string(sqlite3_column_int(st, 12)))
      << ",\"status\":" << jsonString(col(st, 13)) << ",\"download_count\":" << sqlite3_column_int(st, 14)
      << ",\"favorite_count\":" << sqlite3_column_int(st, 15) << ",\"view_count\":" << sqlite3_column_int(st, 16)
      << ",\"tags\":[";
    std::istringstream tags(col(st, 17));
    std::string tag;
    bool first = true;
    while (std::getline(tags, tag, ',')) {
        if (tag.empty()) continue;
        j << (first ? "" : ",") << jsonString(tag);
        first = false;
    }
    j << "],\"category\":";
    if (sqlite3_column_type(st, kWallpaperColCount) == SQLITE_NULL) j << "null";
    else j << categoryJson(st, kWallpaperColCount);
    j << ",\"created_at\":" << jsonString(isoDate(sqlite3_column_int64(st, 20)))
      << ",\"updated_at\":" << jsonString(isoDate(sqlite3_column_int64(st, 21)))
      << ",\"deleted_at\":null,\"uploaded_by_id\":" << colOrNull(st, 18)
      << ",\"category_id\":" << jsonString(col(st, 19)) << "}";
    return j.str();
}

std::string wallpaperSelect(const std::string &where, const std::string &tail)
{
    return std::string("SELECT ") + kWallpaperCols + "," + kCategoryCols +
           " FROM wallpapers w LEFT JOIN categories c ON c.id=w.category_id " + where + " " + tail;
}

void reply(httplib::Response &res, int status, bool ok, const std::string &dataJson, const std::string &message,
           const std::string &extra = "")
{
    res.status = status;
    res.set_content("{\"success\":" + std::string(ok ? "true" : "false") + ",\"data\":" + dataJson +
                        ",\"message\":" + jsonString(message) + extra + "}",
                    "application/json");
}
void fail(httplib::Response &res, int status, const std::string &code, const std::string &message)
{
    reply(res, status, false, jsonString(code), message);
}

int intParam(const httplib::Request &req, const char *key, int fallback, int lo, int hi)
{
    if (!req.has_param(key)) return fallback;
    try {
        size_t used = 0;
        int v = std::stoi(req.get_param_value(key), &used);
        if (used != req.get_param_value(key).size()) return fallback;
        return std::clamp(v, lo, hi);
    } catch (...) {
        return fallback;
    }
}

// User text becomes one quoted FTS5 string per word, so operators in it are just text.
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

bool safeKey(const std::string &key)
{
    if (key.empty() || key.size() > 300 || key.front() == '/') return false;
    std::istringstream in(key);
    std::string seg;
    while (std::getline(in, seg, '/')) {
        if (seg.empty() || seg == "." || seg == "..") return false;
        for (char c : seg)
            if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.')) return false;
    }
    return key.back() != '/';
}

std::string httpDate(std::time_t t)
{
    std::tm tm{};
    gmtime_r(&t, &tm);
    char b[64];
    std::strftime(b, sizeof b, "%a, %d %b %Y %H:%M:%S GMT", &tm);
    return b;
}

void saveRenditions(vips::VImage source, const fs::path &images, const std::string &id, std::string keys[3])
{
    fs::create_directories(images / "wallpapers" / id);
    keys[0] = "wallpapers/" + id + "/thumb.jpg";
    keys[1] = "wallpapers/" + id + "/medium.jpg";
    keys[2] = "wallpapers/" + id + "/full.jpg";
    source.thumbnail_image(640, vips::VImage::option()->set("height", 400)->set("crop", VIPS_INTERESTING_CENTRE))
        .jpegsave((images / keys[0]).c_str(), vips::VImage::option()->set("Q", 82));
    source.thumbnail_image(1920, vips::VImage::option()->set("height", 100000))
        .jpegsave((images / keys[1]).c_str(), vips::VImage::option()->set("Q", 85));
    source.jpegsave((images / keys[2]).c_str(), vips::VImage::option()->set("Q", 90));
}

int serve(const fs::path &data, const std::string &host, int port)
{
    Db db(data / "catalogue.db");
    const fs::path images = data / "images";
    httplib::Server server;
    std::string origin;

    auto list = [&](const httplib::Request &req, httplib::Response &res) {
        int page = intParam(req, "page", 1, 1, 1000000);
        int limit = intParam(req, "limit", 20, 1, 100);
        std::string where = "WHERE w.status='approved'";
        std::vector<std::string> binds;
        if (req.has_param("category_id")) { where += " AND w.category_id=?"; binds.push_back(req.get_param_value("category_id")); }
        if (req.has_param("search") && !ftsQuery(req.get_param_value("search")).empty()) {
            where += " AND w.rid IN (SELECT rowid FROM wallpapers_fts WHERE wallpapers_fts MATCH ?)";
            binds.push_back(ftsQuery(req.get_param_value("search")));
        }
        std::string sort = req.has_param("sort") ? req.get_param_value("sort") : "newest";
        std::string order = sort == "popular" ? "ORDER BY w.download_count+w.view_count DESC, w.created_at DESC"
                          : sort == "trending" ? "ORDER BY w.trend DESC, w.created_at DESC"
                                               : "ORDER BY w.created_at DESC, w.rid DESC";
        std::lock_guard lock(db.mutex);
        sqlite3_stmt *count = db.prepare("SELECT COUNT(*) FROM wallpapers w " + where);
        for (size_t i = 0; i < binds.size(); ++i) sqlite3_bind_text(count, int(i + 1), binds[i].c_str(), -1, SQLITE_TRANSIENT);
        long long total = sqlite3_step(count) == SQLITE_ROW ? sqlite3_column_int64(count, 0) : 0;
        sqlite3_finalize(count);
        sqlite3_stmt *st = db.prepare(wallpaperSelect(where, order + " LIMIT ? OFFSET ?"));
        for (size_t i = 0; i < binds.size(); ++i) sqlite3_bind_text(st, int(i + 1), binds[i].c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, int(binds.size() + 1), limit);
        sqlite3_bind_int64(st, int(binds.size() + 2), (long long)(page - 1) * limit);
        std::string out = "[";
        while (sqlite3_step(st) == SQLITE_ROW) out += (out.size() > 1 ? "," : "") + wallpaperJson(st);
        sqlite3_finalize(st);
        out += "]";
        long long pages = (total + limit - 1) / limit;
        reply(res, 200, true, out, "OK",
              ",\"pagination\":{\"page\":" + std::to_string(page) + ",\"limit\":" + std::to_string(limit) +
                  ",\"total\":" + std::to_string(total) + ",\"total_pages\":" + std::to_string(pages) + "}");
    };
    server.Get("/api/wallpapers", list);

    server.Get("/api/wallpapers/featured", [&](const httplib::Request &, httplib::Response &res) {
        std::lock_guard lock(db.mutex);
        sqlite3_stmt *st = db.prepare(wallpaperSelect("WHERE w.status='approved' AND w.is_featured=1",
                                                      "ORDER BY w.featured_order, w.created_at DESC"));
        std::string out = "[";
        while (sqlite3_step(st) == SQLITE_ROW) out += (out.size() > 1 ? "," : "") + wallpaperJson(st);
        sqlite3_finalize(st);
        reply(res, 200, true, out + "]", "OK");
    });

    server.Get("/api/categories", [&](const httplib::Request &, httplib::Response &res) {
        std::lock_guard lock(db.mutex);
        sqlite3_stmt *st = db.prepare(std::string("SELECT ") + kCategoryCols +
                                      " FROM categories c WHERE c.is_active=1 ORDER BY c.sort_order, c.name");
        std::string out = "[";
        while (sqlite3_step(st) == SQLITE_ROW) out += (out.size() > 1 ? "," : "") + categoryJson(st, 0);
        sqlite3_finalize(st);
        reply(res, 200, true, out + "]", "OK");
    });

    auto findOne = [&](const std::string &id, std::string &json) {
        sqlite3_stmt *st = db.prepare(wallpaperSelect("WHERE w.status='approved' AND w.id=?", ""));
        sqlite3_bind_text(st, 1, id.c_str(), -1, SQLITE_TRANSIENT);
        bool found = sqlite3_step(st) == SQLITE_ROW;
        if (found) json = wallpaperJson(st);
        sqlite3_finalize(st);
        return found;
    };

    server.Get(R"(/api/wallpapers/([^/]+))", [&](const httplib::Request &req, httplib::Response &res) {
        std::lock_guard lock(db.mutex);
        std::string json;
        if (!findOne(req.matches[1], json)) return fail(res, 404, "not_found", "Wallpaper not found");
        reply(res, 200, true, json, "OK");
    });

    // Trending keeps a log-domain decayed score: ordering by it equals ordering by the decayed sum.
    auto bump = [&](const std::string &id, const char *counter, double weight) {
        const double tau = 3 * 24 * 3600.0;
        double t = nowMs() / 1000.0 / tau;
        std::string sql = std::string("UPDATE wallpapers SET ") + counter + "=" + counter +
                          "+1, trend=CASE WHEN trend=0 THEN ?1 ELSE max(trend,?1)+ln(1+exp(-abs(trend-?1))) END"
                          " WHERE id=? AND status='approved'";
        sqlite3_stmt *st = db.prepare(sql);
        sqlite3_bind_double(st, 1, t + std::log(weight));
        sqlite3_bind_text(st, 2, id.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_finalize(st);
        return sqlite3_changes(db.raw()) > 0;
    };

    server.Get(R"(/api/wallpapers/([^/]+)/download)", [&](const httplib::Request &req, httplib::Response &res) {
        std::lock_guard lock(db.mutex);
        std::string id = req.matches[1];
        sqlite3_stmt *st = db.prepare("SELECT title, full_key, width, height FROM wallpapers WHERE id=? AND status='approved'");
        sqlite3_bind_text(st, 1, id.c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(st) != SQLITE_ROW) { sqlite3_finalize(st); return fail(res, 404, "not_found", "Wallpaper not found"); }
        std::string title = col(st, 0), key = col(st, 1);
        int w = sqlite3_column_int(st, 2), h = sqlite3_column_int(st, 3);
        sqlite3_finalize(st);
        bump(id, "download_count", 2.0);
        std::string slug;
        for (char c : title) {
            if (std::isalnum(static_cast<unsigned char>(c))) slug += char(std::tolower(static_cast<unsigned char>(c)));
            else if (!slug.empty() && slug.back() != '-') slug += '-';
        }
        while (!slug.empty() && slug.back() == '-') slug.pop_back();
        if (slug.empty()) slug = "wallpaper";
        std::string file = slug + "-" + std::to_string(w) + "x" + std::to_string(h) + ".jpg";
        std::string base = "http://" + req.get_header_value("Host");
        reply(res, 200, true, "{\"url\":" + jsonString(base + "/images/" + key) + ",\"filename\":" + jsonString(file) + "}", "OK");
    });

    server.Post(R"(/api/wallpapers/([^/]+)/view)", [&](const httplib::Request &req, httplib::Response &res) {
        std::lock_guard lock(db.mutex);
        if (!bump(req.matches[1], "view_count", 1.0)) return fail(res, 404, "not_found", "Wallpaper not found");
        reply(res, 200, true, jsonString("View recorded"), "View recorded");
    });

    server.Get(R"(/images/(.+))", [&](const httplib::Request &req, httplib::Response &res) {
        std::string key = req.matches[1];
        if (!safeKey(key)) return fail(res, 404, "not_found", "Image not found");
        fs::path file = images / key;
        std::error_code ec;
        auto size = fs::file_size(file, ec);
        if (ec || !fs::is_regular_file(file)) return fail(res, 404, "not_found", "Image not found");
        auto mtime = fs::last_write_time(file, ec);
        auto secs = std::chrono::duration_cast<std::chrono::seconds>(
                        std::chrono::file_clock::to_sys(mtime).time_since_epoch()).count();
        std::string etag = "\"" + std::to_string(size) + "-" + std::to_string(secs) + "\"";
        std::string modified = httpDate(secs);
        res.set_header("ETag", etag);
        res.set_header("Last-Modified", modified);
        res.set_header("Cache-Control", "public, max-age=86400");
        if ((req.has_header("If-None-Match") && req.get_header_value("If-None-Match") == etag) ||
            (!req.has_header("If-None-Match") && req.has_header("If-Modified-Since") &&
             req.get_header_value("If-Modified-Since") == modified)) {
            res.status = 304;
            return;
        }
        std::ifstream in(file, std::ios::binary);
        std::string body((std::istreambuf_iterator<char>(in)), {});
        res.set_content(body, key.ends_with(".png") ? "image/png" : "image/jpeg");
    });


    // Uploads: checked here, turned into renditions by one worker thread.
    constexpr size_t kMaxUpload = 52428800;
    db.exec("UPDATE jobs SET status='failed', message='Processing was interrupted' WHERE status IN ('queued','processing')");
    fs::create_directories(data / "uploads");
    std::mutex queueMutex;
    std::condition_variable queueReady;
    std::deque<std::string> queue;
    bool stopping = false;
    auto setJob = [&](const std::string &job, const char *status, const std::string &message, const std::string &wid) {
        std::lock_guard lock(db.mutex);
        sqlite3_stmt *st = db.prepare("UPDATE jobs SET status=?, message=?, wallpaper_id=? WHERE id=?");
        sqlite3_bind_text(st, 1, status, -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 2, message.c_str(), -1, SQLITE_TRANSIENT);
        if (wid.empty()) sqlite3_bind_null(st, 3); else sqlite3_bind_text(st, 3, wid.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 4, job.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_finalize(st);
    };
    std::thread worker([&] {
        for (;;) {
            std::string job;
            {
                std::unique_lock lock(queueMutex);
                queueReady.wait(lock, [&] { return stopping || !queue.empty(); });
                if (queue.empty()) return;
                job = queue.front();
                queue.pop_front();
            }
            setJob(job, "processing", "Processing", "");
            fs::path file = data / "uploads" / job;
            try {
                std::string title, desc, cat, tags, machine, format;
                {
                    std::lock_guard lock(db.mutex);
                    sqlite3_stmt *st = db.prepare("SELECT title, description, category_id, tags, machine_id, format FROM jobs WHERE id=?");
                    sqlite3_bind_text(st, 1, job.c_str(), -1, SQLITE_TRANSIENT);
                    if (sqlite3_step(st) == SQLITE_ROW) {
                        title = col(st, 0); desc = col(st, 1); cat = col(st, 2); tags = col(st, 3); machine = col(st, 4); format = col(st, 5);
                    }
                    sqlite3_finalize(st);
                }
                vips::VImage source = vips::VImage::new_from_file(file.c_str(), vips::VImage::option()->set("access", VIPS_ACCESS_RANDOM));
                source = source.autorot();
                if (source.bands() > 3) source = source.extract_band(0, vips::VImage::option()->set("n", 3));
                std::string id = newId(), keys[3];
                saveRenditions(source.colourspace(VIPS_INTERPRETATION_sRGB), images, id, keys);
                std::string srcKey = "wallpapers/" + id + "/source." + format;
                fs::copy_file(file, images / srcKey, fs::copy_options::overwrite_existing);
                long long now = nowMs();
                {
                    std::lock_guard lock(db.mutex);
                    sqlite3_stmt *st = db.prepare(
                        "INSERT INTO wallpapers(id,title,description,file_key,thumbnail_key,medium_key,full_key,width,height,"
                        "file_size,format,is_featured,status,tags,category_id,uploaded_by_id,created_at,updated_at)"
                        " VALUES(?,?,?,?,?,?,?,?,?,?,?,0,'pending',?,?,?,?,?)");
                    sqlite3_bind_text(st, 1, id.c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_text(st, 2, title.c_str(), -1, SQLITE_TRANSIENT);
                    if (desc.empty()) sqlite3_bind_null(st, 3); else sqlite3_bind_text(st, 3, desc.c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_text(st, 4, srcKey.c_str(), -1, SQLITE_TRANSIENT);
                    for (int k = 0; k < 3; ++k) sqlite3_bind_text(st, 5 + k, keys[k].c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_int(st, 8, source.width());
                    sqlite3_bind_int(st, 9, source.height());
                    sqlite3_bind_int64(st, 10, (long long)fs::file_size(file));
                    sqlite3_bind_text(st, 11, format.c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_text(st, 12, tags.c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_text(st, 13, cat.c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_text(st, 14, machine.c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_int64(st, 15, now);
                    sqlite3_bind_int64(st, 16, now);
                    sqlite3_step(st);
                    sqlite3_finalize(st);
                    sqlite3_stmt *fts = db.prepare("INSERT INTO wallpapers_fts(rowid,title,description,tags) VALUES(last_insert_rowid(),?,?,?)");
                    sqlite3_bind_text(fts, 1, title.c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_text(fts, 2, desc.c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_text(fts, 3, tags.c_str(), -1, SQLITE_TRANSIENT);
                    sqlite3_step(fts);
                    sqlite3_finalize(fts);
                }
                setJob(job, "completed", "Upload processed; awaiting review", id);
            } catch (const std::exception &) {
                setJob(job, "failed", "The image could not be processed", "");
            }
            std::error_code ec;
            fs::remove(file, ec);
        }
    });

    server.set_payload_max_length(kMaxUpload + 1024 * 1024);
    server.set_pre_routing_handler([&](const httplib::Request &req, httplib::Response &res) {
        if (req.method == "POST" && req.has_header("Content-Length")) {
            try {
                if (std::stoull(req.get_header_value("Content-Length")) > kMaxUpload + 1024 * 1024) {
                    fail(res, 413, "file_too_large", "The file is larger than 50 MB");
                    return httplib::Server::HandlerResponse::Handled;
                }
            } catch (...) {
                fail(res, 400, "bad_request", "Invalid Content-Length");
                return httplib::Server::HandlerResponse::Handled;
            }
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });

    server.Post("/api/uploads/wallpaper", [&](const httplib::Request &req, httplib::Response &res) {
        auto field = [&](const char *k) { return req.has_file(k) ? req.get_file_value(k).content : std::string(); };
        std::string title = field("title"), desc = field("description"), cat = field("category_id"), machine = field("machine_id");
        if (!req.is_multipart_form_data()) return fail(res, 400, "bad_request", "Expected a multipart form");
        if (machine.empty() || machine.size() > 200) return fail(res, 400, "missing_field", "machine_id is required");
        if (title.size() < 3 || title.size() > 100) return fail(res, 422, "invalid_title", "The title must be 3 to 100 characters");
        if (!req.has_file("file")) return fail(res, 400, "missing_field", "file is required");
        const std::string &bytes = req.get_file_value("file").content;
        if (bytes.size() > kMaxUpload) return fail(res, 413, "file_too_large", "The file is larger than 50 MB");
        auto starts = [&](const char *m, size_t n, size_t at = 0) { return bytes.size() >= at + n && bytes.compare(at, n, m, n) == 0; };
        std::string format;
        if (starts("\xFF\xD8\xFF", 3)) format = "jpg";
        else if (starts("\x89PNG\r\n\x1A\n", 8)) format = "png";
        else if (starts("ftyp", 4, 4) && (starts("heic", 4, 8) || starts("heix", 4, 8) || starts("mif1", 4, 8) || starts("msf1", 4, 8) || starts("hevc", 4, 8)))
            format = "heic";
        else return fail(res, 415, "unsupported_type", "Only JPEG, PNG and HEIC images are accepted");
        int width = 0, height = 0;
        try {
            // Only the header is read here; pixels are decoded later, by the worker.
            auto header = vips::VImage::new_from_buffer(bytes.data(), bytes.size(), "", vips::VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL));
            width = header.width();
            height = header.height();
        } catch (const std::exception &) {
            return fail(res, 415, "unsupported_type", "The file is not a readable image");
        }
        if ((long long)width * height > 100'000'000LL) return fail(res, 422, "image_too_large", "The image has more than 100 megapixels");
        if (std::max(width, height) < 2560 || std::min(width, height) < 1600)
            return fail(res, 422, "image_too_small", "The image must be at least 2560x1600 pixels");
        std::string tags;
        auto range = req.files.equal_range("tags[]");
        for (auto it = range.first; it != range.second; ++it) {
            std::string t = it->second.content;
            std::erase(t, ',');
            if (!t.empty()) tags += (tags.empty() ? "" : ",") + t;
        }
        std::string job = newId();
        {
            std::lock_guard lock(db.mutex);
            sqlite3_stmt *st = db.prepare("SELECT 1 FROM categories WHERE id=?");
            sqlite3_bind_text(st, 1, cat.c_str(), -1, SQLITE_TRANSIENT);
            bool known = sqlite3_step(st) == SQLITE_ROW;
            sqlite3_finalize(st);
            if (!known) return fail(res, 422, "unknown_category", "The category does not exist");
            st = db.prepare("SELECT COUNT(*) FROM jobs WHERE machine_id=? AND created_at>?");
            sqlite3_bind_text(st, 1, machine.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int64(st, 2, nowMs() - 3600 * 1000LL);
            sqlite3_step(st);
            int recent = sqlite3_column_int(st, 0);
            sqlite3_finalize(st);
            if (recent >= 20) return fail(res, 429, "rate_limited", "Too many uploads from this device; try again in an hour");
            std::ofstream(data / "uploads" / job, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
            st = db.prepare("INSERT INTO jobs VALUES(?,?,'queued','Queued',NULL,?,?,?,?,?,?)");
            const std::string vals[] = {job, machine, title, desc, cat, tags, format};
            for (int k = 0; k < 7; ++k) sqlite3_bind_text(st, k + 1, vals[k].c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int64(st, 8, nowMs());
            sqlite3_step(st);
            sqlite3_finalize(st);
        }
        {
            std::lock_guard lock(queueMutex);
            queue.push_back(job);
        }
        queueReady.notify_one();
        reply(res, 200, true, "{\"job_id\":" + jsonString(job) + ",\"message\":\"Upload received\"}", "Upload received");
    });

    auto anyWallpaper = [&](const std::string &where, const std::string &value, const std::string &tail) {
        sqlite3_stmt *st = db.prepare(wallpaperSelect(where, tail));
        sqlite3_bind_text(st, 1, value.c_str(), -1, SQLITE_TRANSIENT);
        std::string out = "[";
        while (sqlite3_step(st) == SQLITE_ROW) out += (out.size() > 1 ? "," : "") + wallpaperJson(st);
        sqlite3_finalize(st);
        return out + "]";
    };

    server.Get(R"(/api/uploads/status/([^/]+))", [&](const httplib::Request &req, httplib::Response &res) {
        std::lock_guard lock(db.mutex);
        sqlite3_stmt *st = db.prepare("SELECT status, message, wallpaper_id FROM jobs WHERE id=?");
        sqlite3_bind_text(st, 1, std::string(req.matches[1]).c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(st) != SQLITE_ROW) { sqlite3_finalize(st); return fail(res, 404, "not_found", "Upload job not found"); }
        std::string status = col(st, 0), message = col(st, 1), wid = col(st, 2);
        sqlite3_finalize(st);
        std::string out = "{\"status\":" + jsonString(status) + ",\"message\":" + jsonString(message);
        if (status == "completed") {
            std::string list = anyWallpaper("WHERE w.id=?", wid, "");
            if (list.size() > 2) out += ",\"wallpaper\":" + list.substr(1, list.size() - 2);
        }
        reply(res, 200, true, out + "}", message);
    });

    server.Get("/api/uploads/my-uploads", [&](const httplib::Request &req, httplib::Response &res) {
        std::string machine = req.get_param_value("machine_id");
        if (machine.empty()) return fail(res, 400, "missing_field", "machine_id is required");
        std::lock_guard lock(db.mutex);
        reply(res, 200, true, anyWallpaper("WHERE w.uploaded_by_id=?", machine, "ORDER BY w.created_at DESC, w.rid DESC"), "OK");
    });

    server.set_exception_handler([](const httplib::Request &, httplib::Response &res, std::exception_ptr) {
        fail(res, 500, "internal_error", "Internal server error");
    });
    server.set_error_handler([](const httplib::Request &, httplib::Response &res) {
        if (res.body.empty()) fail(res, res.status, res.status == 404 ? "not_found" : "error", "Request failed");
    });

    int bound = port == 0 ? server.bind_to_any_port(host) : (server.bind_to_port(host, port) ? port : -1);
    if (bound < 0) { std::cerr << "cannot listen on " << host << ":" << port << "\n"; return 1; }
    std::cout << "listening on " << host << ":" << bound << std::endl;
    bool ok = server.listen_after_bind();
    {
        std::lock_guard lock(queueMutex);
        stopping = true;
    }
    queueReady.notify_all();
    worker.join();
    return ok ? 0 : 1;
}

int moderate(const fs::path &data, const std::vector<std::string> &rest)
{
    Db db(data / "catalogue.db");
    if (rest.size() == 1 && rest[0] == "list") {
        sqlite3_stmt *st = db.prepare("SELECT id, status, title, uploaded_by_id FROM wallpapers WHERE status!='approved' ORDER BY created_at DESC");
        while (sqlite3_step(st) == SQLITE_ROW)
            std::cout << col(st, 0) << "\t" << col(st, 1) << "\t" << col(st, 2) << "\t" << col(st, 3) << "\n";
        sqlite3_finalize(st);
        return 0;
    }
    if (rest.size() == 2 && (rest[0] == "approve" || rest[0] == "reject")) {
        sqlite3_stmt *st = db.prepare("UPDATE wallpapers SET status=?, updated_at=? WHERE id=?");
        sqlite3_bind_text(st, 1, rest[0] == "approve" ? "approved" : "rejected", -1, SQLITE_STATIC);
        sqlite3_bind_int64(st, 2, nowMs());
        sqlite3_bind_text(st, 3, rest[1].c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_finalize(st);
        if (sqlite3_changes(db.raw()) == 0) { std::cerr << "moderate: no wallpaper " << rest[1] << "\n"; return 1; }
        std::cout << rest[0] << "d " << rest[1] << "\n";
        return 0;
    }
    std::cerr << "usage: lumivane-service moderate --data DIR list | approve ID | reject ID\n";
    return 2;
}

int seed(const fs::path &data, int count, bool small, const std::vector<std::string> &from)
{
    fs::create_directories(data / "images");
    Db db(data / "catalogue.db");
    struct Cat { const char *name, *slug, *description; };
    const Cat cats[] = {
        {"Abstract", "abstract", "Shapes, colour fields and patterns"},
        {"Nature", "nature", "Forests, fields and quiet places"},
        {"Space", "space", "Stars, nebulae and distant light"},
        {"Minimal", "minimal", "Calm, uncluttered backgrounds"},
        {"Gradients", "gradients", "Smooth blends of colour"},
        {"Dark", "dark", "Deep tones for night work"},
        {"Ocean", "ocean", "Water, waves and blue hours"},
        {"Geometric", "geometric", "Lines, grids and tilings"},
    };
    long long now = nowMs();
    db.exec("BEGIN");
    int i = 0;
    for (const auto &c : cats) {
        sqlite3_stmt *st = db.prepare("INSERT OR IGNORE INTO categories VALUES(?,?,?,?,NULL,?,1,?,?)");
        sqlite3_bind_text(st, 1, (std::string("cat-") + c.slug).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, c.name, -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 3, c.slug, -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 4, c.description, -1, SQLITE_STATIC);
        sqlite3_bind_int(st, 5, i++);
        sqlite3_bind_int64(st, 6, now);
        sqlite3_bind_int64(st, 7, now);
        sqlite3_step(st);
        sqlite3_finalize(st);
    }
    const char *adjectives[] = {"Quiet", "Amber", "Midnight", "Velvet", "Glacial", "Golden", "Misty", "Electric", "Soft", "Crimson"};
    const char *nouns[] = {"Horizon", "Drift", "Bloom", "Tide", "Aurora", "Canyon", "Meadow", "Nebula", "Prism", "Dunes"};
    int w = small ? 320 : 3840, h = small ? 200 : 1600;
    // Real wallpapers first (shrunk on load), generated ones for the rest.
    std::vector<fs::path> sources;
    for (const auto &folder : from) {
        std::error_code ec;
        for (const auto &entry : fs::directory_iterator(folder, ec)) {
            auto ext = entry.path().extension().string();
            if (ext == ".jpg" || ext == ".jpeg" || ext == ".png" || ext == ".webp") sources.push_back(entry.path());
        }
    }
    std::sort(sources.begin(), sources.end());
    for (int n = 0; n < count; ++n) {
        bool real = size_t(n) < sources.size();
        std::string seedKey = real ? "file-" + sources[n].filename().string() : "synthetic-" + std::to_string(n);
        sqlite3_stmt *exists = db.prepare("SELECT 1 FROM wallpapers WHERE seed_key=?");
        sqlite3_bind_text(exists, 1, seedKey.c_str(), -1, SQLITE_TRANSIENT);
        bool have = sqlite3_step(exists) == SQLITE_ROW;
        sqlite3_finalize(exists);
        if (have) continue;
        std::string id = newId();
        const Cat &c = cats[n % 8];
        std::string title = std::string(adjectives[n % 10]) + " " + nouns[(n / 10 + n) % 10] + (n >= 100 ? " " + std::to_string(n) : "");
        std::string desc = std::string("A ") + c.name + " wallpaper with " + adjectives[(n + 3) % 10] + " tones.";
        std::string tags = std::string(c.slug) + "," + adjectives[n % 10] + "," + nouns[(n / 10 + n) % 10];
        for (auto &ch : tags) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        std::string keys[3];
        w = small ? 320 : 2560;
        h = small ? 200 : 1600;
        if (real) {
            auto img = vips::VImage::thumbnail(sources[n].c_str(), w, vips::VImage::option()->set("height", h)->set("size", VIPS_SIZE_DOWN));
            if (img.bands() > 3) img = img.extract_band(0, vips::VImage::option()->set("n", 3));
            w = img.width();
            h = img.height();
            saveRenditions(img, data / "images", id, keys);
        } else if (n < 200 || !small) {
            auto xy = vips::VImage::xyz(w, h);
            double a = 40 + (n * 37) % 200, b = 30 + (n * 53) % 200, d = 20 + (n * 71) % 200;
            auto r = xy[0] * (a / w) + (n * 13) % 55;
            auto g = xy[1] * (b / h) + (n * 29) % 55;
            auto bl = (xy[0] + xy[1]) * (d / (w + h)) + (n * 17) % 55;
            saveRenditions(r.bandjoin(g).bandjoin(bl).cast(VIPS_FORMAT_UCHAR), data / "images", id, keys);
        } else {
            keys[0] = keys[1] = keys[2] = "wallpapers/shared/full.jpg";
        }
        sqlite3_stmt *st = db.prepare(
            "INSERT INTO wallpapers(id,title,description,file_key,thumbnail_key,medium_key,full_key,width,height,"
            "file_size,format,is_featured,featured_order,status,tags,category_id,seed_key,created_at,updated_at,"
            "download_count,view_count) VALUES(?,?,?,?,?,?,?,?,?,?,'jpg',?,?,'approved',?,?,?,?,?,?,?)");
        std::error_code ec;
        auto size = fs::file_size(data / "images" / keys[2], ec);
        sqlite3_bind_text(st, 1, id.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, title.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, desc.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 4, keys[2].c_str(), -1, SQLITE_TRANSIENT);
        for (int k = 0; k < 3; ++k) sqlite3_bind_text(st, 5 + k, keys[k].c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 8, w);
        sqlite3_bind_int(st, 9, h);
        sqlite3_bind_int64(st, 10, ec ? 0 : (long long)size);
        sqlite3_bind_int(st, 11, n < 6 ? 1 : 0);
        if (n < 6) sqlite3_bind_int(st, 12, n); else sqlite3_bind_null(st, 12);
        sqlite3_bind_text(st, 13, tags.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 14, (std::string("cat-") + c.slug).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 15, seedKey.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(st, 16, now - n * 60000LL);
        sqlite3_bind_int64(st, 17, now - n * 60000LL);
        sqlite3_bind_int(st, 18, (n * 7) % 97);
        sqlite3_bind_int(st, 19, (n * 11) % 193);
        sqlite3_step(st);
        sqlite3_finalize(st);
        sqlite3_stmt *fts = db.prepare("INSERT INTO wallpapers_fts(rowid,title,description,tags) VALUES(last_insert_rowid(),?,?,?)");
        sqlite3_bind_text(fts, 1, title.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(fts, 2, desc.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(fts, 3, tags.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(fts);
        sqlite3_finalize(fts);
        if (n == 199 && small) {
            fs::create_directories(data / "images" / "wallpapers" / "shared");
            fs::copy_file(data / "images" / keys[2], data / "images" / "wallpapers/shared/full.jpg", fs::copy_options::overwrite_existing);
        }
    }
    db.exec("COMMIT");
    std::cout << "seeded " << data.string() << "\n";
    return 0;
}

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
