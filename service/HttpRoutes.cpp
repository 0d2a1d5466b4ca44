// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpRoutes.h"

#include "Catalogue.h"
#include "Json.h"
#include "RecordJson.h"
#include "UploadWorker.h"

#include <vips/vips8>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Uploads above this size are refused (the client checks the same limit first).
constexpr size_t kMaxUpload = 52428800;

void reply(HttpResponse &res, int status, bool ok, const std::string &dataJson, const std::string &message,
           const std::string &extra = "")
{
    res.status = status;
    res.set_content("{\"success\":" + std::string(ok ? "true" : "false") + ",\"data\":" + dataJson +
                        ",\"message\":" + jsonString(message) + extra + "}",
                    "application/json");
}
void fail(HttpResponse &res, int status, const std::string &code, const std::string &message)
{
    reply(res, status, false, jsonString(code), message);
}

int intParam(const HttpRequest &req, const char *key, int fallback, int lo, int hi)
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

// "bytes=a-b", "bytes=a-" or "bytes=-n" within a file of `size` bytes: offset and length; length
// 0 for a list of ranges (answered with the whole file); nothing when unsatisfiable or malformed.
std::optional<std::pair<std::uint64_t, std::uint64_t>> byteRange(const std::string &header, std::uint64_t size)
{
    if (!header.starts_with("bytes=")) return std::nullopt;
    std::string ranges = header.substr(6);
    if (ranges.find(',') != std::string::npos) return std::pair<std::uint64_t, std::uint64_t>(0, 0);
    size_t dash = ranges.find('-');
    if (dash == std::string::npos) return std::nullopt;
    auto number = [](const std::string &t, std::uint64_t &out) {
        if (t.empty() || t.size() > 18 || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
        out = std::stoull(t);
        return true;
    };
    std::uint64_t first = 0, last = 0;
    std::string a = ranges.substr(0, dash), b = ranges.substr(dash + 1);
    if (a.empty()) {
        if (!number(b, last) || last == 0 || size == 0) return std::nullopt;
        last = std::min(last, size);
        return std::pair(size - last, last);
    }
    if (!number(a, first) || first >= size) return std::nullopt;
    if (b.empty()) last = size - 1;
    else if (!number(b, last) || last < first) return std::nullopt;
    last = std::min(last, size - 1);
    return std::pair(first, last - first + 1);
}

} // namespace

HttpRoutes::HttpRoutes(Catalogue &db, UploadWorker &worker, fs::path data)
    : db(db)
    , worker(worker)
    , data(std::move(data))
    , images(this->data / "images")
{
    install(router);
}

bool HttpRoutes::findOne(const std::string &id, std::string &json)
{
    sqlite3_stmt *st = db.prepare(wallpaperSelect("WHERE w.status='approved' AND w.id=?", ""));
    sqlite3_bind_text(st, 1, id.c_str(), -1, SQLITE_TRANSIENT);
    bool found = sqlite3_step(st) == SQLITE_ROW;
    if (found) json = wallpaperJson(st);
    sqlite3_finalize(st);
    return found;
}

// Trending keeps a log-domain decayed score: ordering by it equals ordering by the decayed sum.
bool HttpRoutes::bump(const std::string &id, const char *counter, double weight)
{
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
}

std::string HttpRoutes::anyWallpaper(const std::string &where, const std::string &value, const std::string &order)
{
    sqlite3_stmt *st = db.prepare(wallpaperSelect(where, order));
    sqlite3_bind_text(st, 1, value.c_str(), -1, SQLITE_TRANSIENT);
    std::string out = "[";
    while (sqlite3_step(st) == SQLITE_ROW) out += (out.size() > 1 ? "," : "") + wallpaperJson(st);
    sqlite3_finalize(st);
    return out + "]";
}

void HttpRoutes::install(Router &server)
{
    auto list = [this](const HttpRequest &req, HttpResponse &res) {
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
        sqlite3_stmt *st = db.prepare(wallpaperSelect(where, order, "LIMIT ? OFFSET ?"));
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

    server.Get("/api/wallpapers/featured", [this](const HttpRequest &, HttpResponse &res) {
        std::lock_guard lock(db.mutex);
        sqlite3_stmt *st = db.prepare(wallpaperSelect("WHERE w.status='approved' AND w.is_featured=1",
                                                      "ORDER BY w.featured_order, w.created_at DESC"));
        std::string out = "[";
        while (sqlite3_step(st) == SQLITE_ROW) out += (out.size() > 1 ? "," : "") + wallpaperJson(st);
        sqlite3_finalize(st);
        reply(res, 200, true, out + "]", "OK");
    });

    server.Get("/api/categories", [this](const HttpRequest &, HttpResponse &res) {
        std::lock_guard lock(db.mutex);
        sqlite3_stmt *st = db.prepare(std::string("SELECT ") + kCategoryCols +
                                      " FROM categories c WHERE c.is_active=1 ORDER BY c.sort_order, c.name");
        std::string out = "[";
        while (sqlite3_step(st) == SQLITE_ROW) out += (out.size() > 1 ? "," : "") + categoryJson(st, 0);
        sqlite3_finalize(st);
        reply(res, 200, true, out + "]", "OK");
    });
    server.Get(R"(/api/wallpapers/([^/]+))", [this](const HttpRequest &req, HttpResponse &res) {
        std::lock_guard lock(db.mutex);
        std::string json;
        if (!findOne(req.matches[1], json)) return fail(res, 404, "not_found", "Wallpaper not found");
        reply(res, 200, true, json, "OK");
    });

    server.Get(R"(/api/wallpapers/([^/]+)/download)", [this](const HttpRequest &req, HttpResponse &res) {
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

    server.Post(R"(/api/wallpapers/([^/]+)/view)", [this](const HttpRequest &req, HttpResponse &res) {
        std::lock_guard lock(db.mutex);
        if (!bump(req.matches[1], "view_count", 1.0)) return fail(res, 404, "not_found", "Wallpaper not found");
        reply(res, 200, true, jsonString("View recorded"), "View recorded");
    });

    server.Get(R"(/images/(.+))", [this](const HttpRequest &req, HttpResponse &res) {
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
        res.set_header("Content-Type", key.ends_with(".png") ? "image/png" : "image/jpeg");
        res.set_header("Accept-Ranges", "bytes");
        res.file = file;
        res.fileLength = size;
        if (!req.has_header("Range")) return;
        auto range = byteRange(req.get_header_value("Range"), size);
        if (!range) {
            fail(res, 416, "range_not_satisfiable", "The requested range is not within the file");
            res.set_header("Content-Range", "bytes */" + std::to_string(size));
            res.file.clear();
            return;
        }
        if (range->second == 0) return; // several ranges: the whole file instead
        res.status = 206;
        res.fileOffset = range->first;
        res.fileLength = range->second;
        res.set_header("Content-Range", "bytes " + std::to_string(range->first) + "-" +
                                            std::to_string(range->first + range->second - 1) + "/" + std::to_string(size));
    });

    server.Post("/api/uploads/wallpaper", [this](HttpRequest &req, HttpResponse &res) {
        if (!parseMultipart(req)) return fail(res, 400, "bad_request", "Expected a multipart form");
        auto field = [&](const char *k) { return req.has_file(k) ? req.get_file_value(k).content : std::string(); };
        std::string title = field("title"), desc = field("description"), cat = field("category_id"), machine = field("machine_id");
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
        worker.enqueue(job);
        reply(res, 200, true, "{\"job_id\":" + jsonString(job) + ",\"message\":\"Upload received\"}", "Upload received");
    });

    server.Get(R"(/api/uploads/status/([^/]+))", [this](const HttpRequest &req, HttpResponse &res) {
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

    server.Get("/api/uploads/my-uploads", [this](const HttpRequest &req, HttpResponse &res) {
        std::string machine = req.get_param_value("machine_id");
        if (machine.empty()) return fail(res, 400, "missing_field", "machine_id is required");
        std::lock_guard lock(db.mutex);
        reply(res, 200, true, anyWallpaper("WHERE w.uploaded_by_id=?", machine, "ORDER BY w.created_at DESC, w.rid DESC"), "OK");
    });

}

size_t HttpRoutes::bodyLimit(const std::string &method)
{
    return method == "POST" ? kMaxUpload + 1024 * 1024 : 64 * 1024;
}

void HttpRoutes::tooLarge(HttpResponse &res)
{
    fail(res, 413, "file_too_large", "The file is larger than 50 MB");
}

void HttpRoutes::badRequest(HttpResponse &res)
{
    fail(res, 400, "bad_request", "Malformed request");
}

void HttpRoutes::handle(HttpRequest &req, HttpResponse &res)
{
    try {
        if (!router.dispatch(req, res)) fail(res, 404, "not_found", "Request failed");
    } catch (const std::exception &) {
        res = HttpResponse();
        fail(res, 500, "internal_error", "Internal server error");
    }
}
