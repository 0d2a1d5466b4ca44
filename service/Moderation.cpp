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
        Statement st = db.statement("SELECT id, status, title, uploaded_by_id FROM wallpapers WHERE status!='approved' ORDER BY created_at DESC");
        while (st.step())
            std::cout << col(st.raw(), 0) << "\t" << col(st.raw(), 1) << "\t" << col(st.raw(), 2) << "\t" << col(st.raw(), 3) << "\n";
        return 0;
    }
    if (rest.size() == 2 && (rest[0] == "approve" || rest[0] == "reject")) {
        const int changed = db.statement("UPDATE wallpapers SET status=?, updated_at=? WHERE id=?")
                                .bind(1, rest[0] == "approve" ? "approved" : "rejected")
                                .bind(2, nowMs())
                                .bind(3, rest[1])
                                .run();
        if (changed == 0) { std::cerr << "moderate: no wallpaper " << rest[1] << "\n"; return 1; }
        std::cout << rest[0] << "d " << rest[1] << "\n";
        return 0;
    }
    std::cerr << "usage: lumivane-service moderate --data DIR list | approve ID | reject ID\n";
    return 2;
}
