// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Json.h"

#include <cstdio>

void appendJsonString(std::string &out, std::string_view s)
{
    out += '"';
    size_t plain = 0; // start of the run of characters that need no escape
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        out.append(s.data() + plain, i - plain);
        plain = i + 1;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: {
            char b[8];
            std::snprintf(b, sizeof b, "\\u%04x", c);
            out += b;
        }
        }
    }
    out.append(s.data() + plain, s.size() - plain);
    out += '"';
}

std::string jsonString(std::string_view s)
{
    std::string out;
    out.reserve(s.size() + 2);
    appendJsonString(out, s);
    return out;
}

std::string isoDate(long long ms)
{
    std::time_t t = ms / 1000;
    std::tm tm{};
    gmtime_r(&t, &tm);
    char b[64];
    std::snprintf(b, sizeof b, "%04d-%02d-%02dT%02d:%02d:%02d.%03lldZ", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ms % 1000);
    return b;
}

std::string httpDate(std::time_t t)
{
    std::tm tm{};
    gmtime_r(&t, &tm);
    char b[64];
    std::strftime(b, sizeof b, "%a, %d %b %Y %H:%M:%S GMT", &tm);
    return b;
}
