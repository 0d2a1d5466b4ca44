// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The upload endpoint's parsing of a request body: the first line of the input is the boundary,
// the rest the body. Whatever the parts turn out to be, their texts go through the same checks
// as an upload's fields. A refusal is the expected answer; a crash, a sanitizer report or a
// part that lies outside the body is a fault.
#include "Http.h"
#include "UploadCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    const size_t newline = input.find('\n');
    if (newline == std::string::npos) return 0;
    HttpRequest req;
    req.headers.emplace("Content-Type", "multipart/form-data; boundary=" + input.substr(0, newline));
    req.body = input.substr(newline + 1);
    if (!parseMultipart(req)) return 0;
    size_t total = 0;
    for (const auto &[name, part] : req.files) {
        total += part.content.size();
        (void)UploadCheck::characters(name);
        (void)UploadCheck::characters(part.content);
        (void)UploadCheck::characters(part.filename);
    }
    // Parts are pieces of the body: together they can never be larger than it.
    if (total > req.body.size()) std::abort();
    return 0;
}
