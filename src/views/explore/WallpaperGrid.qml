// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// The three-column grid of cards at 1.6 : 1 with 14 between cells, shared by Explore and
// Library. Columns never change with the width: the cell width follows it.
GridView {
    id: grid

    property real sidePadding: 24
    signal picked(var wallpaper)
    signal cardCreated(var wallpaper)

    readonly property real cardWidth: Math.max(10, (width - 2 * sidePadding - 2 * 14) / 3)
    readonly property real cardHeight: cardWidth / 1.6

    // The view is 14 wider than the cards need so that three cells of card + 14 fit exactly.
    leftMargin: sidePadding
    rightMargin: sidePadding - 14
    cellWidth: cardWidth + 14
    cellHeight: cardHeight + 14
    boundsBehavior: Flickable.StopAtBounds
    reuseItems: false
    cacheBuffer: cellHeight

    delegate: Item {
        required property var wallpaper
        required property int index
        width: grid.cellWidth
        height: grid.cellHeight
        WallpaperCardView {
            width: grid.cardWidth
            height: grid.cardHeight
            wallpaper: parent.wallpaper
            onTapped: grid.picked(parent.wallpaper)
        }
        Component.onCompleted: grid.cardCreated(wallpaper)
    }
}
