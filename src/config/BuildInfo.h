// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the build was configured with (CMake cache variables of the same names), compiled into
// one generated source file so that changing an address rebuilds one file, not the project.
namespace BuildInfo {

extern const char *const apiBaseUrl;   // LUMIVANE_API_BASE_URL
extern const char *const imageBaseUrl; // LUMIVANE_IMAGE_BASE_URL
extern const char *const version;      // "<major>.<minor>"
extern const char *const buildNumber;  // LUMIVANE_BUILD_NUMBER

} // namespace BuildInfo
