// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpRoutes.h"

#include "Catalogue.h"
#include "Json.h"
#include "RecordJson.h"
#include "UploadCheck.h"
#include "UploadWorker.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

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

// The answer to a Range header for a file of `size` bytes.
struct ByteRange {
    enum { whole, part, unsatisfiable } kind = whole;
    std::uint64_t offset = 0, length = 0;
};

// "bytes=a-b", "bytes=a-" or "bytes=-n": a part of the file, or unsatisfiable when it lies past
// the end. A header that is not such a range (another unit, a list of ranges, bad syntax) is
// ignored, as HTTP allows, and the whole file is sent.
ByteRange byteRange(const std::string &header, std::uint64_t size)
{
    const ByteRange whole, unsatisfiable{ByteRange::unsatisfiable};
    if (!header.starts_with("bytes=")) return whole;
    std::string ranges = header.substr(6);
    if (ranges.find(',') != std::string::npos) return whole;
    size_t dash = ranges.find('-');
    if (dash == std::string::npos) return whole;
    auto number = [](const std::string &t, std::uint64_t &out) {
        if (t.empty() || t.size() > 18 || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
        out = std::stoull(t);
        return true;
    };
    std::uint64_t first = 0, last = 0;
    std::string a = ranges.substr(0, dash), b = ranges.substr(dash + 1);
    if (a.empty()) {
        if (!number(b, last)) return whole;
        if (last == 0 || size == 0) return unsatisfiable;
        last = std::min(last, size);
        return {ByteRange::part, size - last, last};
    }
    if (!number(a, first)) return whole;
    if (b.empty()) last = size - 1;
    else if (!number(b, last) || last < first) return whole;
    if (first >= size) return unsatisfiable;
    last = std::min(last, size - 1);
    return {ByteRange::part, first, last - first + 1};
}

// Writes the whole of bytes to file and flushes it to the disk; false (and nothing left behind)
// when any of it fails, a full disk above all.
bool writeDurably(const fs::path &file, std::string_view bytes)
{
    const fs::path part = file.string() + ".part";
    int fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        done += ok ? size_t(n) : 0;
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    std::error_code ec;
    if (ok) fs::rename(part, file, ec);
    if (!ok || ec) {
        fs::remove(part, ec);
        return false;
    }
    return true;
}

// A Host header that names a host (and port) and nothing else.
bool plainHost(const std::string &host)
{
    return !host.empty() && host.size() <= 255 && std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':' || c == '[' || c == ']';
    });
}

} // namespace

HttpRoutes::HttpRoutes(Catalogue &db, UploadWorker &worker, fs::path data, RouteSettings settings)
    : db(db)
    , worker(worker)
    , data(std::move(data))
    , images(this->data / "images")
    , settings(std::move(settings))
{
    install(router);
}

std::string HttpRoutes::publicBase(const HttpRequest &req) const
{
    if (!settings.publicUrl.empty()) return settings.publicUrl;
    const std::string host = req.get_header_value("Host");
    return plainHost(host) ? "http://" + host : settings.localOrigin;
}

bool HttpRoutes::findOne(const std::string &id, std::string &json)
{
    Statement st = db.statement(wallpaperSelect("WHERE w.status='approved' AND w.id=?", ""));
    st.bind(1, id);
    bool found = st.step();
    if (found) json = wallpaperJson(st);
    return found;
}

// Trending keeps a log-domain decayed score: ordering by it equals ordering by the decayed sum.
bool HttpRoutes::bump(const std::string &id, const char *counter, double weight)
{
    const double tau = 3 * 24 * 3600.0;
    double t = nowMs() / 1000.0 / tau;
    std::string sql = std::string("UPDATE wallpapers SET ") + counter + "=" + counter +
                      "+1, trend=CASE WHEN trend=0 THEN ?1 ELSE (CASE WHEN trend>?1 THEN trend ELSE ?1 END)+ln(1+exp(-abs(trend-?1))) END"
                      " WHERE id=?2 AND status='approved'";
    return db.statement(sql).bindDouble(1, t + std::log(weight)).bind(2, id).run() > 0;
}

namespace {

std::string cacheKey(const HttpRequest &req)
{
    std::string key = req.path;
    for (const auto &[name, value] : req.params) {
        key += '\0';
        key += name;
        key += '=';
        key += value;
    }
    return key;
}

} // namespace

bool HttpRoutes::answerFromCache(const HttpRequest &req, HttpResponse &res)
{
    const long long version = db.version();
    if (version != cachedVersion) {
        cache.clear();
        cachedVersion = version;
        return false;
    }
    auto it = cache.find(cacheKey(req));
    if (it == cache.end()) return false;
    res.set_content(it->second, "application/json");
    return true;
}

void HttpRoutes::keepInCache(const HttpRequest &req, const HttpResponse &res)
{
    // Bounded: every distinct query would otherwise stay until the next change.
    if (cache.size() >= 2000) cache.clear();
    cache.emplace(cacheKey(req), res.body);
}

std::string HttpRoutes::anyWallpaper(const std::string &where, const std::string &value, const std::string &order)
{
    Statement st = db.statement(wallpaperSelect(where, order));
    st.bind(1, value);
    std::string out = "[";
    while (st.step()) {
        if (out.size() > 1) out += ',';
        appendWallpaperJson(out, st);
    }
    return out + "]";
}

void HttpRoutes::install(Router &server)
{
    auto list = [this](const HttpRequest &req, HttpResponse &res) {
        int page = intParam(req, "page", 1, 1, 1000000);
        int limit = intParam(req, "limit", 20, 1, 100);
        std::string where = "WHERE w.status='approved'";
        std::vector<std::string> binds;
        const bool inCategory = req.has_param("category_id");
        const std::string category = inCategory ? req.get_param_value("category_id") : std::string();
        if (inCategory) { where += " AND w.category_id=?"; binds.push_back(category); }
        std::string sort = req.has_param("sort") ? req.get_param_value("sort") : "newest";
        const Catalogue::Order by = sort == "popular" ? Catalogue::Order::Popular
                                  : sort == "trending" ? Catalogue::Order::Trending
                                                       : Catalogue::Order::Newest;
        std::string order = by == Catalogue::Order::Popular ? "ORDER BY w.download_count+w.view_count DESC, w.created_at DESC"
                          : by == Catalogue::Order::Trending ? "ORDER BY w.trend DESC, w.created_at DESC"
                                                             : "ORDER BY w.created_at DESC, w.rid DESC";
        long long offset = (long long)(page - 1) * limit;
        std::lock_guard lock(db.mutex);
        if (answerFromCache(req, res)) return;
        const Catalogue::Search search = req.has_param("search")
                                           ? db.search(req.get_param_value("search"), inCategory ? &category : nullptr, by, offset, limit)
                                           : Catalogue::Search();
        const bool searching = !search.where.empty();
        long long total = 0;
        if (search.found) {
            // The engine picked the rows; ties in score and time go by rid, as in its walk.
            where = search.where;
            binds = {search.bind};
            if (by != Catalogue::Order::Newest) order += ", w.rid";
            if (search.paged) offset = 0;
            total = search.total;
        } else if (searching) {
            where += search.where;
            binds.push_back(search.bind);
            Statement count = db.statement(search.count);
            for (size_t i = 0; i < search.countBinds.size(); ++i) count.bind(int(i + 1), search.countBinds[i]);
            if (count.step()) total = count.integer(0);
        } else if (inCategory && category.empty()) {
            total = 0; // no category has the empty id ('' is the row of all of them)
        } else {
            // Kept by the catalogue's triggers: no count of the table per request.
            Statement count = db.statement("SELECT approved FROM counts WHERE category_id=?");
            if (count.bind(1, category).step()) total = count.integer(0);
        }
        Statement st = db.statement(wallpaperSelect(where, order, "LIMIT ? OFFSET ?"));
        for (size_t i = 0; i < binds.size(); ++i) st.bind(int(i + 1), binds[i]);
        st.bind(int(binds.size() + 1), limit);
        st.bind(int(binds.size() + 2), offset);
        std::string out;
        out.reserve(size_t(limit) * 1200);
        out += "{\"success\":true,\"data\":[";
        bool first = true;
        while (st.step()) {
            if (!first) out += ',';
            appendWallpaperJson(out, st);
            first = false;
        }
        long long pages = (total + limit - 1) / limit;
        out += "],\"message\":\"OK\",\"pagination\":{\"page\":" + std::to_string(page) + ",\"limit\":" + std::to_string(limit) +
               ",\"total\":" + std::to_string(total) + ",\"total_pages\":" + std::to_string(pages) + "}}";
        res.set_content(std::move(out), "application/json");
        keepInCache(req, res);
    };
    server.Get("/api/wallpapers", list);

    server.Get("/api/wallpapers/featured", [this](const HttpRequest &req, HttpResponse &res) {
        std::lock_guard lock(db.mutex);
        if (answerFromCache(req, res)) return;
        Statement st = db.statement(wallpaperSelect(db.featuredHint() + "WHERE w.status='approved' AND w.is_featured=1",
                                                    "ORDER BY w.featured_order, w.created_at DESC"));
        std::string out = "[";
        while (st.step()) {
            if (out.size() > 1) out += ',';
            appendWallpaperJson(out, st);
        }
        reply(res, 200, true, out + "]", "OK");
        keepInCache(req, res);
    });

    server.Get("/api/categories", [this](const HttpRequest &req, HttpResponse &res) {
        std::lock_guard lock(db.mutex);
        if (answerFromCache(req, res)) return;
        Statement st = db.statement(std::string("SELECT ") + kCategoryCols +
                                    " FROM categories c WHERE c.is_active=1 ORDER BY c.sort_order, c.name");
        std::string out = "[";
        while (st.step()) {
            if (out.size() > 1) out += ',';
            appendCategoryJson(out, st, 0);
        }
        reply(res, 200, true, out + "]", "OK");
        keepInCache(req, res);
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
        std::string title, key;
        int w = 0, h = 0;
        {
            Statement st = db.statement("SELECT title, full_key, width, height FROM wallpapers WHERE id=? AND status='approved'");
            st.bind(1, id);
            if (!st.step()) return fail(res, 404, "not_found", "Wallpaper not found");
            title = st.str(0);
            key = st.str(1);
            w = int(st.integer(2));
            h = int(st.integer(3));
        }
        bump(id, "download_count", 2.0);
        std::string slug;
        for (char c : title) {
            if (std::isalnum(static_cast<unsigned char>(c))) slug += char(std::tolower(static_cast<unsigned char>(c)));
            else if (!slug.empty() && slug.back() != '-') slug += '-';
        }
        while (!slug.empty() && slug.back() == '-') slug.pop_back();
        if (slug.empty()) slug = "wallpaper";
        std::string file = slug + "-" + std::to_string(w) + "x" + std::to_string(h) + ".jpg";
        reply(res, 200, true, "{\"url\":" + jsonString(publicBase(req) + "/images/" + key) + ",\"filename\":" + jsonString(file) + "}", "OK");
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
        const ByteRange range = byteRange(req.get_header_value("Range"), size);
        if (range.kind == ByteRange::unsatisfiable) {
            res.file.clear();
            fail(res, 416, "range_not_satisfiable", "The requested range is not within the file");
            res.set_header("Content-Range", "bytes */" + std::to_string(size));
            return;
        }
        if (range.kind == ByteRange::whole) return;
        res.status = 206;
        res.fileOffset = range.offset;
        res.fileLength = range.length;
        res.set_header("Content-Range", "bytes " + std::to_string(range.offset) + "-" +
                                            std::to_string(range.offset + range.length - 1) + "/" + std::to_string(size));
    });

    server.Post("/api/uploads/wallpaper", [this](HttpRequest &req, HttpResponse &res) {
        if (!parseMultipart(req)) return fail(res, 400, "bad_request", "Expected a multipart form");
        auto field = [&](const char *k) { return req.has_file(k) ? req.get_file_value(k).content : std::string(); };
        std::string title = field("title"), desc = field("description"), cat = field("category_id"), machine = field("machine_id");
        std::vector<std::string> tagList;
        auto range = req.files.equal_range("tags[]");
        for (auto it = range.first; it != range.second; ++it) tagList.push_back(it->second.content);
        // Every text is stored and compared as UTF-8; a NUL would cut it short in the catalogue.
        for (const std::string *text : {&title, &desc, &cat, &machine})
            if (!UploadCheck::characters(*text)) return fail(res, 400, "bad_request", "Text fields must be UTF-8 without NUL characters");
        for (const auto &t : tagList)
            if (!UploadCheck::characters(t)) return fail(res, 400, "bad_request", "Text fields must be UTF-8 without NUL characters");
        if (machine.empty() || *UploadCheck::characters(machine) > 200) return fail(res, 400, "missing_field", "machine_id is required");
        const size_t titleLength = *UploadCheck::characters(title);
        if (titleLength < 3 || titleLength > 100) return fail(res, 422, "invalid_title", "The title must be 3 to 100 characters");
        if (!req.has_file("file")) return fail(res, 400, "missing_field", "file is required");
        const std::string &bytes = req.get_file_value("file").content;
        const UploadCheck check = UploadCheck::ofFile(bytes);
        if (!check.ok()) return fail(res, check.status, check.code, check.message);
        std::string tags;
        for (std::string t : tagList) {
            std::erase(t, ',');
            if (!t.empty()) tags += (tags.empty() ? "" : ",") + t;
        }
        std::string job = newId();
        const long long now = nowMs(), hourAgo = now - 3600 * 1000LL;
        std::lock_guard lock(db.mutex);
        {
            Statement st = db.statement("SELECT 1 FROM categories WHERE id=?");
            if (!st.bind(1, cat).step()) return fail(res, 422, "unknown_category", "The category does not exist");
        }
        auto recent = [&](const char *column, const std::string &value) {
            Statement st = db.statement(std::string("SELECT COUNT(*) FROM jobs WHERE ") + column + "=? AND created_at>?");
            st.bind(1, value).bind(2, hourAgo).step();
            return int(st.integer(0));
        };
        // Inventing new device ids does not get round the limit: the address counts as well.
        if (recent("machine_id", machine) >= settings.uploadsPerDevice || recent("peer", req.peer) >= settings.uploadsPerAddress)
            return fail(res, 429, "rate_limited", "Too many uploads from this device; try again in an hour");
        // Counted in the catalogue: the replicas' workers share the jobs.
        Statement waiting = db.statement("SELECT COUNT(*) FROM jobs WHERE status IN ('queued','processing')");
        if (waiting.step() && size_t(waiting.integer(0)) >= settings.maxPending) {
            fail(res, 503, "busy", "Too many uploads are waiting to be processed; try again later");
            res.set_header("Retry-After", "60");
            return;
        }
        // Acknowledged only once both the file and its job are on disk.
        const fs::path file = data / "uploads" / job;
        if (!writeDurably(file, bytes)) return fail(res, 507, "storage_full", "The upload could not be stored; try again later");
        try {
            Statement st = db.statement("INSERT INTO jobs(id,machine_id,status,message,wallpaper_id,title,description,category_id,"
                                        "tags,format,created_at,peer) VALUES(?,?,'queued','Queued',NULL,?,?,?,?,?,?,?)");
            st.bind(1, job).bind(2, machine).bind(3, title).bind(4, desc).bind(5, cat).bind(6, tags).bind(7, check.format);
            st.bind(8, now).bind(9, req.peer).run();
        } catch (const DatabaseError &) {
            std::error_code ec;
            fs::remove(file, ec);
            return fail(res, 507, "storage_full", "The upload could not be stored; try again later");
        }
        worker.enqueue(job);
        reply(res, 200, true, "{\"job_id\":" + jsonString(job) + ",\"message\":\"Upload received\"}", "Upload received");
    });

    server.Get(R"(/api/uploads/status/([^/]+))", [this](const HttpRequest &req, HttpResponse &res) {
        std::lock_guard lock(db.mutex);
        std::string status, message, wid;
        {
            Statement st = db.statement("SELECT status, message, wallpaper_id FROM jobs WHERE id=?");
            if (!st.bind(1, req.matches[1]).step()) return fail(res, 404, "not_found", "Upload job not found");
            status = st.str(0);
            message = st.str(1);
            wid = st.str(2);
        }
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
    return method == "POST" ? kMaxUploadBytes + 1024 * 1024 : 64 * 1024;
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
        // Query values are compared and searched as UTF-8 text; a NUL or broken byte sequence
        // would otherwise turn into a search error that looks like "no results".
        for (const auto &[key, value] : req.params)
            if (!UploadCheck::characters(key) || !UploadCheck::characters(value))
                return fail(res, 400, "bad_request", "The query must be UTF-8 text without NUL characters");
        // Behind a proxy every request comes from its address; the client's is in its header.
        if (req.has_header("X-Real-IP") &&
            std::find(settings.trustedProxies.begin(), settings.trustedProxies.end(), req.peer) != settings.trustedProxies.end())
            req.peer = req.get_header_value("X-Real-IP");
        if (!router.dispatch(req, res)) fail(res, 404, "not_found", "Request failed");
    } catch (const std::exception &) {
        res = HttpResponse();
        fail(res, 500, "internal_error", "Internal server error");
    }
}
