// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
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
    // False keeps the row's cards unmade; the row keeps its height either way.
    property bool cardsShown: true
    readonly property real cardsY: cards.y
    signal seeAll()
    signal selected(var wallpaper)

    spacing: 14

    // Name and description on the left, "See All" on the right, both on the header's bottom edge.
    Item {
        width: parent.width
        height: Math.max(heading.height, seeAllButton.visible ? seeAllButton.height : 0)
        Column {
            id: heading
            anchors.bottom: parent.bottom
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
        ButtonBase {
            id: seeAllButton
            objectName: "seeAll"
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            visible: root.showsSeeAll
            implicitWidth: seeAllLabel.implicitWidth
            implicitHeight: seeAllLabel.implicitHeight
            text: qsTr("See All")
            Accessible.role: Accessible.Button
            Accessible.name: text
            Accessible.description: root.name
            Accessible.onPressAction: click()
            // The keyboard goes from here into the cards, so they must exist, scrolled to or not.
            onActiveFocusChanged: if (activeFocus) root.cardsShown = true
            onClicked: root.seeAll()
            HoverHandler { cursorShape: Qt.PointingHandCursor }
            FocusRing { control: seeAllButton; radius: 4; anchors.margins: -3 }
            Row {
                id: seeAllLabel
                spacing: 4
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: seeAllButton.text
                    font.pixelSize: 12
                    color: AppPalette.secondaryText
                }
                Symbol {
                    anchors.verticalCenter: parent.verticalCenter
                    name: "chevron.right"
                    size: 12
                    color: AppPalette.secondaryText
                }
            }
        }
    }

    ListView {
        id: cards
        width: parent.width
        height: 138 + 8
        orientation: ListView.Horizontal
        spacing: 14
        topMargin: 4
        bottomMargin: 4
        boundsBehavior: Flickable.StopAtBounds
        model: root.cardsShown ? root.wallpapers : null
        keyNavigationEnabled: false
        // Only the cards on show are made and their thumbnails decoded: six rows of cards
        // waiting off to the side cost the start and a few megabytes.
        cacheBuffer: 0
        function focusCard(index) {
            if (index < 0 || index >= count)
                return
            positionViewAtIndex(index, ListView.Contain)
            const card = itemAtIndex(index)
            if (card)
                card.forceActiveFocus(Qt.TabFocusReason)
        }
        // The card has a `wallpaper` property of its own; a required one here would shadow it.
        delegate: WallpaperCardView {
            required property var model
            required property int index
            wallpaper: model.wallpaper
            width: 220
            height: 138
            onTapped: root.selected(wallpaper)
            Keys.onLeftPressed: cards.focusCard(index - 1)
            Keys.onRightPressed: cards.focusCard(index + 1)
        }
    }
}
