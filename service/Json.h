// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text forms the service writes: JSON strings and the two date formats.
#include <ctime>
#include <string>

// A JSON string literal, quotes included.
std::string jsonString(const std::string &s);
// ISO 8601 with milliseconds and "Z", as every record date is sent.
std::string isoDate(long long ms);
// The HTTP date of Last-Modified.
std::string httpDate(std::time_t t);
