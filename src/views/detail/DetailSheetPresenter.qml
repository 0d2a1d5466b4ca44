// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// Presents the detail sheet while a wallpaper is picked; a new sheet (and view model) per pick.
// The sheet keeps the wallpaper it opened with while it animates out.
SheetHost {
    id: root
    property var wallpaper: null

    shown: wallpaper !== null && wallpaper !== undefined
    sheetProperties: ({ wallpaper: root.wallpaper })
    sheetSource: Qt.resolvedUrl("WallpaperDetailView.qml")
}
