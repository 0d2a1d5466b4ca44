// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Moderation.h"

#include "Catalogue.h"

#include <iostream>

namespace fs = std::filesystem;

int moderate(const fs::path &data, const std::vector<std::string> &rest, const std::string &database)
{
    std::unique_ptr<Catalogue> catalogue = openCatalogue(database, data);
    Catalogue &db = *catalogue;
    if (rest.size() == 1 && rest[0] == "list") {
        Statement st = db.statement("SELECT id, status, title, uploaded_by_id FROM wallpapers WHERE status!='approved' ORDER BY created_at DESC");
        while (st.step())
            std::cout << st.text(0) << "\t" << st.text(1) << "\t" << st.text(2) << "\t" << st.text(3) << "\n";
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
    std::cerr << "usage: lumivane-service moderate --data DIR [--database URL] list | approve ID | reject ID\n";
    return 2;
}
