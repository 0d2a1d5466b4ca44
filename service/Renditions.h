// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three renditions of a wallpaper (thumbnail, medium, full) written under images/wallpapers/<id>/.
#include <vips/vips8>

#include <chrono>
#include <filesystem>
#include <string>

class Catalogue;

using Deadline = std::chrono::steady_clock::time_point;

// Writes the renditions of source; keys receives thumbnail, medium and full keys. Work still
// running at the deadline is stopped, and the call throws.
void saveRenditions(vips::VImage source, const std::filesystem::path &images, const std::string &id, std::string keys[3],
                    Deadline deadline = Deadline::max());

// The synthetic picture of seed number n, drawn at any size: it depends only on the relative
// position, so drawing it at a rendition's size gives the rendition without resampling.
vips::VImage gradient(int n, int w, int h);
// Same files and sizes as saveRenditions of a w x h gradient (w:h must be 16:10), but each one is
// drawn at its own size: upsampling a small source to the medium size costs far more than drawing
// it, and dominated seeding large small-image catalogues.
void saveDrawnRenditions(int n, int w, int h, const std::filesystem::path &images, const std::string &id, std::string keys[3]);

// Removes the folders under images/wallpapers/ that no wallpaper refers to: renditions written
// by a process that stopped before it recorded them. Folders younger than minAge are kept: on a
// shared catalogue another process may be writing them.
void removeOrphanRenditions(Catalogue &db, const std::filesystem::path &images,
                            std::chrono::seconds minAge = std::chrono::seconds(0));
