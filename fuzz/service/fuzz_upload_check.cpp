// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The checks an uploaded file passes on the request's thread: type by content and the image
// header read by libvips' loaders (untrusted loaders blocked, as in the service). An answer is
// expected for every input; a crash, a sanitizer report, a hang, or an accepted file whose
// dimensions break the limits is a fault.
#include "UploadCheck.h"

#include <vips/vips8>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    if (VIPS_INIT((*argv)[0])) std::abort();
    vips_block_untrusted_set(TRUE);
    vips_cache_set_max(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const UploadCheck check = UploadCheck::ofFile(std::string_view(reinterpret_cast<const char *>(data), size));
    if (check.ok() && ((long long)check.width * check.height > 100'000'000LL || std::max(check.width, check.height) < 2560 ||
                       std::min(check.width, check.height) < 1600 || check.format.empty()))
        std::abort();
    if (!check.ok() && (check.status < 400 || check.message.empty())) std::abort();
    vips_error_clear();
    return 0;
}
