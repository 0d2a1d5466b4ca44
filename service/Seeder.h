// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `seed`: builds or extends a catalogue with categories and wallpapers, from real pictures in the
// given folders first, then generated ones. Running it again adds nothing already there.
#include <filesystem>
#include <string>
#include <vector>

// count wallpapers in all; small makes 320x200 sources (and shares one picture past the 200th).
// The images go to data/images; the records to `database` (see openCatalogue).
int seed(const std::filesystem::path &data, int count, bool small, const std::vector<std::string> &from,
         const std::string &database = {});
