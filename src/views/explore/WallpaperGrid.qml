// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Lumivane

// The three-column grid of cards at 1.6 : 1 with 14 between cells, shared by Explore and
// Library. Columns never change with the width: the cell width follows it. The arrow keys move
// the keyboard from card to card.
GridView {
    id: grid

    property real sidePadding: 24
    // Shown under the last row while the next page loads, and once the list has no more.
    property bool loadingMore: false
    property bool allLoaded: false
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
    // Scrolled-away cells are kept and given the next wallpapers instead of being destroyed
    // and made again: paging through a thousand wallpapers then allocates a screenful of cells.
    reuseItems: true
    cacheBuffer: cellHeight
    keyNavigationEnabled: false

    function focusCard(index) {
        if (index < 0 || index >= count)
            return
        positionViewAtIndex(index, GridView.Contain)
        // The cell is a focus scope: focusing it focuses its card.
        const cell = itemAtIndex(index)
        if (cell)
            cell.forceActiveFocus(Qt.TabFocusReason)
    }

    // The footer is an item of the content rather than the view's footer component: the view
    // makes that component outside this file's context, where its bindings to the grid fail.
    bottomMargin: footerBox.height
    Item {
        id: footerBox
        parent: grid.contentItem
        y: grid.originY + grid.contentHeight
        x: grid.originX
        width: grid.width - grid.leftMargin - grid.rightMargin
        height: footerColumn.implicitHeight + 40
        Column {
            id: footerColumn
            anchors.horizontalCenter: parent.horizontalCenter
            Row {
                objectName: "loadingMore"
                visible: grid.loadingMore
                anchors.horizontalCenter: parent.horizontalCenter
                padding: 16
                spacing: 8
                Spinner {
                    width: 16
                    height: 16
                    opacity: 0.5
                    running: grid.loadingMore
                    anchors.verticalCenter: parent.verticalCenter
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: qsTr("Loading more...")
                    font.pixelSize: TextStyle.caption
                    color: Qt.rgba(1, 1, 1, 0.4)
                }
            }
            Text {
                objectName: "allLoaded"
                visible: grid.allLoaded
                anchors.horizontalCenter: parent.horizontalCenter
                padding: 16
                text: qsTr("All wallpapers loaded")
                font.pixelSize: TextStyle.caption
                color: Qt.rgba(1, 1, 1, 0.3)
            }
        }
    }

    delegate: FocusScope {
        id: cell
        required property var wallpaper
        required property int index
        width: grid.cellWidth
        height: grid.cellHeight
        Keys.onLeftPressed: grid.focusCard(index - 1)
        Keys.onRightPressed: grid.focusCard(index + 1)
        Keys.onUpPressed: grid.focusCard(index - 3)
        Keys.onDownPressed: grid.focusCard(index + 3)
        WallpaperCardView {
            id: card
            focus: true
            width: grid.cardWidth
            height: grid.cardHeight
            wallpaper: cell.wallpaper
            onTapped: grid.picked(cell.wallpaper)
        }
        Component.onCompleted: grid.cardCreated(wallpaper)
        GridView.onReused: grid.cardCreated(wallpaper)
    }
}
