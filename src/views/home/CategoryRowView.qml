// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Lumivane

// One category: name and description, "See All", and a horizontal row of 220 × 138 cards.
Column {
    id: root
    objectName: "categoryRow"

    property var category
    property string name
    property string categoryDescription
    property var wallpapers   // WallpaperListModel
    property bool showsSeeAll: true
    signal seeAll()
    signal selected(var wallpaper)

    spacing: 14

    RowLayout {
        width: parent.width
        Column {
            Layout.alignment: Qt.AlignBottom
            spacing: 3
            Text {
                text: root.name
                font.pixelSize: 18
                font.bold: true
                color: "white"
            }
            Text {
                visible: root.categoryDescription !== ""
                text: root.categoryDescription
                font.pixelSize: 12
                color: AppPalette.secondaryText
            }
        }
        Item { Layout.fillWidth: true }
        Row {
            objectName: "seeAll"
            Layout.alignment: Qt.AlignBottom
            visible: root.showsSeeAll
            spacing: 4
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "See All"
                font.pixelSize: 12
                color: AppPalette.secondaryText
            }
            Symbol {
                anchors.verticalCenter: parent.verticalCenter
                name: "chevron.right"
                size: 12
                color: AppPalette.secondaryText
            }
            HoverHandler { cursorShape: Qt.PointingHandCursor }
            TapHandler { onTapped: root.seeAll() }
        }
    }

    ListView {
        width: parent.width
        height: 138 + 8
        orientation: ListView.Horizontal
        spacing: 14
        topMargin: 4
        bottomMargin: 4
        boundsBehavior: Flickable.StopAtBounds
        model: root.wallpapers
        // The card has a `wallpaper` property of its own; a required one here would shadow it.
        delegate: WallpaperCardView {
            required property var model
            wallpaper: model.wallpaper
            width: 220
            height: 138
            onTapped: root.selected(wallpaper)
        }
    }
}
