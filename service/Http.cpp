// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Http.h"

#include <algorithm>
#include <cctype>

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (auto &c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The value of `key=value` or `key="value"` among the ;-separated parameters of a header.
std::optional<std::string> headerParam(std::string_view header, std::string_view key)
{
    size_t at = 0;
    while (at < header.size()) {
        size_t semi = header.find(';', at);
        // A quoted value may hold ';'.
        size_t eq = header.find('=', at);
        if (eq != std::string_view::npos && (semi == std::string_view::npos || eq < semi)) {
            std::string_view name = trim(header.substr(at, eq - at));
            size_t v = eq + 1;
            while (v < header.size() && header[v] == ' ') ++v;
            std::string value;
            size_t end;
            if (v < header.size() && header[v] == '"') {
                end = v + 1;
                while (end < header.size() && header[end] != '"') {
                    if (header[end] == '\\' && end + 1 < header.size()) ++end;
                    value += header[end++];
                }
                semi = header.find(';', end);
            } else {
                end = semi == std::string_view::npos ? header.size() : semi;
                value = std::string(trim(header.substr(v, end - v)));
            }
            if (lower(name) == lower(key)) return value;
        }
        if (semi == std::string_view::npos) break;
        at = semi + 1;
    }
    return std::nullopt;
}

} // namespace

bool CaseLess::operator()(const std::string &a, const std::string &b) const
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

std::string HttpRequest::get_param_value(const std::string &key) const
{
    auto it = params.find(key);
    return it == params.end() ? std::string() : it->second;
}

std::string HttpRequest::get_header_value(const std::string &key) const
{
    auto it = headers.find(key);
    return it == headers.end() ? std::string() : it->second;
}

bool HttpRequest::is_multipart_form_data() const
{
    return lower(get_header_value("Content-Type")).starts_with("multipart/form-data");
}

void HttpResponse::set_header(const std::string &key, const std::string &value)
{
    headers.erase(key);
    headers.emplace(key, value);
}

void HttpResponse::set_content(std::string content, const std::string &type)
{
    body = std::move(content);
    set_header("Content-Type", type);
}

std::string decodeUrl(std::string_view text, bool plusIsSpace)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else if (c == '+' && plusIsSpace) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::multimap<std::string, std::string> parseQuery(std::string_view text)
{
    std::multimap<std::string, std::string> out;
    while (!text.empty()) {
        size_t amp = text.find('&');
        std::string_view pair = text.substr(0, amp);
        if (!pair.empty()) {
            size_t eq = pair.find('=');
            out.emplace(decodeUrl(pair.substr(0, eq), true),
                        eq == std::string_view::npos ? std::string() : decodeUrl(pair.substr(eq + 1), true));
        }
        if (amp == std::string_view::npos) break;
        text.remove_prefix(amp + 1);
    }
    return out;
}

bool parseMultipart(HttpRequest &req)
{
    req.files.clear();
    if (!req.is_multipart_form_data()) return false;
    auto boundary = headerParam(req.get_header_value("Content-Type"), "boundary");
    if (!boundary || boundary->empty() || boundary->size() > 200) return false;
    const std::string_view body = req.body;
    const std::string delimiter = "--" + *boundary;
    size_t at = body.find(delimiter);
    if (at == std::string_view::npos) return false;
    at += delimiter.size();
    for (;;) {
        if (body.substr(at, 2) == "--") return true; // the closing delimiter
        if (body.substr(at, 2) != "\r\n") return false;
        at += 2;
        size_t headersEnd = body.find("\r\n\r\n", at);
        if (headersEnd == std::string_view::npos) return false;
        FormPart part;
        std::optional<std::string> name;
        for (std::string_view headers = body.substr(at, headersEnd - at); !headers.empty();) {
            size_t eol = headers.find("\r\n");
            std::string_view line = headers.substr(0, eol);
            size_t colon = line.find(':');
            if (colon == std::string_view::npos) return false;
            std::string key = lower(trim(line.substr(0, colon)));
            std::string_view value = trim(line.substr(colon + 1));
            if (key == "content-disposition") {
                if (!lower(value).starts_with("form-data")) return false;
                name = headerParam(value, "name");
                part.filename = headerParam(value, "filename").value_or("");
            } else if (key == "content-type") {
                part.contentType = std::string(value);
            }
            if (eol == std::string_view::npos) break;
            headers.remove_prefix(eol + 2);
        }
        if (!name) return false;
        size_t contentStart = headersEnd + 4;
        size_t next = body.find("\r\n" + delimiter, contentStart);
        if (next == std::string_view::npos) return false;
        part.content = std::string(body.substr(contentStart, next - contentStart));
        req.files.emplace(std::move(*name), std::move(part));
        at = next + 2 + delimiter.size();
    }
}

void Router::add(const char *method, const std::string &pattern, Handler handler)
{
    routes.push_back({method, std::regex(pattern), std::move(handler)});
}

bool Router::dispatch(HttpRequest &req, HttpResponse &res) const
{
    const std::string method = req.method == "HEAD" ? "GET" : req.method;
    for (const auto &route : routes) {
        std::smatch m;
        if (route.method != method || !std::regex_match(req.path, m, route.pattern)) continue;
        req.matches.assign(m.begin(), m.end());
        route.handler(req, res);
        return true;
    }
    return false;
}
