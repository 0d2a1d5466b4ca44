// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `moderate list | approve ID | reject ID`: review of uploaded wallpapers.
#include <filesystem>
#include <string>
#include <vector>

// Prints or changes moderation states; returns the process exit code.
int moderate(const std::filesystem::path &data, const std::vector<std::string> &rest, const std::string &database = {});
