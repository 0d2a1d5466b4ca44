// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Moderation.h"

#include "Catalogue.h"

#include <iostream>

namespace fs = std::filesystem;

int moderate(const fs::path &data, const std::vector<std::string> &rest)
{
    Catalogue db(data / "catalogue.db");
    if (rest.size() == 1 && rest[0] == "list") {
        sqlite3_stmt *st = db.prepare("SELECT id, status, title, uploaded_by_id FROM wallpapers WHERE status!='approved' ORDER BY created_at DESC");
        while (sqlite3_step(st) == SQLITE_ROW)
            std::cout << col(st, 0) << "\t" << col(st, 1) << "\t" << col(st, 2) << "\t" << col(st, 3) << "\n";
        sqlite3_finalize(st);
        return 0;
    }
    if (rest.size() == 2 && (rest[0] == "approve" || rest[0] == "reject")) {
        sqlite3_stmt *st = db.prepare("UPDATE wallpapers SET status=?, updated_at=? WHERE id=?");
        sqlite3_bind_text(st, 1, rest[0] == "approve" ? "approved" : "rejected", -1, SQLITE_STATIC);
        sqlite3_bind_int64(st, 2, nowMs());
        sqlite3_bind_text(st, 3, rest[1].c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_finalize(st);
        if (sqlite3_changes(db.raw()) == 0) { std::cerr << "moderate: no wallpaper " << rest[1] << "\n"; return 1; }
        std::cout << rest[0] << "d " << rest[1] << "\n";
        return 0;
    }
    std::cerr << "usage: lumivane-service moderate --data DIR list | approve ID | reject ID\n";
    return 2;
}
