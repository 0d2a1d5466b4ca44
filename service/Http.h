// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The service's own request and answer types and a small router, so that the routes know
// nothing of the socket layer (and can be driven without one).
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

struct CaseLess {
    bool operator()(const std::string &a, const std::string &b) const;
};
using HeaderMap = std::multimap<std::string, std::string, CaseLess>;

struct FormPart {
    std::string content, filename, contentType;
};

struct HttpRequest {
    std::string method;
    std::string path; // percent-decoded, without the query
    std::multimap<std::string, std::string> params;
    HeaderMap headers;
    std::string body;
    std::string peer; // the client's address
    std::vector<std::string> matches; // the route pattern's groups, [0] the whole path
    std::multimap<std::string, FormPart> files; // every part of a multipart body

    bool has_param(const std::string &key) const { return params.count(key) > 0; }
    std::string get_param_value(const std::string &key) const;
    bool has_header(const std::string &key) const { return headers.count(key) > 0; }
    std::string get_header_value(const std::string &key) const;
    bool has_file(const std::string &key) const { return files.count(key) > 0; }
    const FormPart &get_file_value(const std::string &key) const { return files.find(key)->second; }
    bool is_multipart_form_data() const;
};

struct HttpResponse {
    int status = 200;
    HeaderMap headers;
    std::string body;
    // When set, the body is this byte range of the file, streamed by the server.
    std::filesystem::path file;
    std::uint64_t fileOffset = 0, fileLength = 0;

    void set_header(const std::string &key, const std::string &value);
    void set_content(std::string content, const std::string &type);
};

// Percent-decoding; a '+' becomes a space only in query text.
std::string decodeUrl(std::string_view text, bool plusIsSpace);
// Splits "a=1&b=2" into decoded pairs.
std::multimap<std::string, std::string> parseQuery(std::string_view text);
// Fills req.files from a multipart/form-data body; false when the body is not one.
bool parseMultipart(HttpRequest &req);

class Router {
public:
    using Handler = std::function<void(HttpRequest &, HttpResponse &)>;
    void Get(const std::string &pattern, Handler handler) { add("GET", pattern, std::move(handler)); }
    void Post(const std::string &pattern, Handler handler) { add("POST", pattern, std::move(handler)); }
    // Runs the first route whose method and whole-path pattern match (HEAD runs GET's);
    // false when none does.
    bool dispatch(HttpRequest &req, HttpResponse &res) const;

private:
    void add(const char *method, const std::string &pattern, Handler handler);
    struct Route {
        std::string method;
        std::regex pattern;
        Handler handler;
    };
    std::vector<Route> routes;
};
