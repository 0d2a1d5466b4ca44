// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text forms the service writes: JSON strings and the two date formats.
#include <ctime>
#include <string>

#include <string_view>

// A JSON string literal, quotes included.
std::string jsonString(std::string_view s);
void appendJsonString(std::string &out, std::string_view s);
// ISO 8601 with milliseconds and "Z", as every record date is sent.
std::string isoDate(long long ms);
// The HTTP date of Last-Modified.
std::string httpDate(std::time_t t);
