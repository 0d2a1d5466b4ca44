// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// The featured carousel: the current wallpaper full width with its caption, actions and the
// thumbnail strip; steps to the next wallpaper on a repeating timer.
Item {
    id: root
    objectName: "hero"

    property var wallpapers: []
    property int selectedIndex: 0
    property int interval: 5000
    signal picked(int index)

    readonly property bool hasCurrent: selectedIndex >= 0 && selectedIndex < wallpapers.length
    readonly property var current: hasCurrent ? wallpapers[selectedIndex] : null
    readonly property string currentId: current ? current.id : ""
    readonly property bool isSettingWallpaper: applier.busy
    readonly property bool favorite: favoriteFlag.isFavorite

    WallpaperApplier { id: applier }
    FavoriteFlag { id: favoriteFlag; wallpaperId: root.currentId }

    Timer {
        id: carousel
        objectName: "carouselTimer"
        interval: root.interval
        repeat: true
        running: root.hasCurrent && root.visible && root.wallpapers.length >= 2
        onTriggered: root.picked((root.selectedIndex + 1) % root.wallpapers.length)
    }

    function setWallpaper() {
        if (applier.busy || !current)
            return
        const url = current.fullImageURL
        if (url.toString() === "")
            return
        applier.setDesktop(url)
    }

    Item {
        anchors.fill: parent
        visible: root.hasCurrent
        clip: true

        // A new wallpaper fades in over 0.4 s; the old one goes at once.
        RemoteImage {
            id: heroImage
            objectName: "heroImage"
            anchors.fill: parent
            source: root.current ? root.current.previewURL : ""
            fadesIn: true
            fadeDuration: 400
            // Each step of the carousel would otherwise keep the last picture (2 MB) for 30 s.
            cached: false
            Accessible.role: Accessible.Graphic
            Accessible.name: root.current ? root.current.title : ""
        }
        Connections {
            target: root
            function onCurrentIdChanged() { heroImage.restartFade() }
        }

        Rectangle {
            anchors.fill: parent
            gradient: Gradient {
                GradientStop { position: 0.0; color: Qt.rgba(0, 0, 0, 0.25) }
                GradientStop { position: 0.35; color: "transparent" }
            }
        }
        Rectangle {
            anchors.fill: parent
            gradient: Gradient {
                GradientStop { position: 0.4; color: "transparent" }
                GradientStop { position: 1.0; color: Qt.rgba(0, 0, 0, 0.75) }
            }
        }

        Column {
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            spacing: 0

            Column {
                x: 28
                width: parent.width - 56
                bottomPadding: 16
                spacing: 6
                Text {
                    text: qsTr("FEATURED")
                    font.pixelSize: 11
                    font.weight: Font.DemiBold
                    font.letterSpacing: 2.5
                    color: AppPalette.secondaryText
                }
                Text {
                    objectName: "heroTitle"
                    width: parent.width
                    text: root.current ? root.current.title : ""
                    font.pixelSize: 32
                    font.bold: true
                    color: "white"
                    wrapMode: Text.Wrap
                    maximumLineCount: 2
                    elide: Text.ElideRight
                }
                Row {
                    spacing: 12
                    component Fact: Text {
                        font.pixelSize: 12
                        color: AppPalette.secondaryText
                    }
                    Fact { visible: !!root.current && root.current.hasCategory; text: root.current ? root.current.categoryName : "" }
                    Fact { visible: !!root.current && root.current.hasCategory; text: "•" }
                    Fact { text: root.current ? Formatters.dimensions(root.current.width, root.current.height) : "" }
                    Fact { text: "•" }
                    Fact { text: root.current ? Formatters.byteCount(root.current.fileSize) : "" }
                }
                Row {
                    topPadding: 8
                    spacing: 12
                    PillButton {
                        id: setButton
                        objectName: "heroSetButton"
                        filled: true
                        enabled: !root.isSettingWallpaper
                        opacity: 1
                        text: root.isSettingWallpaper ? "" : qsTr("Set Wallpaper")
                        Accessible.name: qsTr("Set Wallpaper")
                        Accessible.description: root.isSettingWallpaper ? qsTr("Applying wallpaper...") : ""
                        symbol: root.isSettingWallpaper ? "" : "desktopcomputer"
                        implicitWidth: root.isSettingWallpaper ? 120 + leftPadding + rightPadding
                                                               : implicitContentWidth + leftPadding + rightPadding
                        Loader {
                            anchors.centerIn: parent
                            width: 16
                            height: 16
                            active: root.isSettingWallpaper
                            sourceComponent: Spinner { color: "black" }
                        }
                        onClicked: root.setWallpaper()
                    }
                    IconButton {
                        objectName: "heroHeart"
                        anchors.verticalCenter: setButton.verticalCenter
                        margin: 4
                        symbol: root.favorite ? "heart.fill" : "heart"
                        symbolSize: 18
                        glyph.objectName: "heroHeartGlyph"
                        Accessible.name: root.favorite ? qsTr("Remove from favourites") : qsTr("Add to favourites")
                        Accessible.checkable: true
                        Accessible.checked: root.favorite
                        onClicked: favoriteFlag.toggle()
                    }
                }
            }

            FeaturedStripView {
                width: parent.width
                wallpapers: root.wallpapers
                selectedIndex: root.selectedIndex
                onPicked: index => root.picked(index)
            }
            Item { width: 1; height: 16 }
        }
    }
}
