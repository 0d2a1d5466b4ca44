// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Qt5Compat.GraphicalEffects
import Lumivane

// The grid card: the thumbnail; under the pointer it grows to 102 % and shows the title, a
// "Set" button and a heart. The screen that places it gives it its size and handles `tapped`.
Item {
    id: root
    objectName: "wallpaperCard"

    property var wallpaper
    readonly property bool isHovered: hover.hovered
    readonly property string wallpaperId: wallpaper ? wallpaper.id : ""
    readonly property bool favorite: favoriteFlag.isFavorite
    signal tapped()

    z: isHovered ? 1 : 0
    scale: isHovered ? 1.02 : 1.0
    Behavior on scale { NumberAnimation { duration: 300; easing.type: Easing.OutBack; easing.overshoot: 0.8 } }

    HoverHandler { id: hover }

    MouseArea {
        anchors.fill: parent
        onClicked: root.tapped()
    }

    RemoteImage {
        anchors.fill: parent
        source: root.wallpaper ? root.wallpaper.thumbnailURL : ""
        radius: 12
        fadesIn: true
    }

    WallpaperApplier { id: applier }
    FavoriteFlag { id: favoriteFlag; wallpaperId: root.wallpaperId }

    Item {
        id: caption
        anchors.fill: parent
        opacity: root.isHovered ? 1 : 0
        visible: opacity > 0
        Behavior on opacity { NumberAnimation { duration: 200; easing.type: Easing.InOutQuad } }

        Rectangle {
            anchors.fill: parent
            radius: 12
            gradient: Gradient {
                GradientStop { position: 0; color: "transparent" }
                GradientStop { position: 1; color: Qt.rgba(0, 0, 0, 0.65) }
            }
        }
        RowLayout {
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.margins: 10
            spacing: 8
            Text {
                Layout.fillWidth: true
                text: root.wallpaper ? root.wallpaper.title : ""
                font.pixelSize: 11
                font.weight: Font.Medium
                color: "white"
                elide: Text.ElideRight
                maximumLineCount: 1
            }
            MiniPillButtonStyle {
                objectName: "cardSetButton"
                text: "Set"
                onClicked: {
                    const url = root.wallpaper ? root.wallpaper.fullImageURL : ""
                    if (url.toString() !== "")
                        applier.setDesktop(url)
                }
            }
        }
    }

    Item {
        id: heartButton
        objectName: "cardHeart"
        x: 0
        y: 0
        width: heart.implicitWidth + 16
        height: heart.implicitHeight + 16
        opacity: caption.opacity
        visible: caption.visible
        Symbol {
            id: heart
            objectName: "cardHeartGlyph"
            anchors.centerIn: parent
            name: root.favorite ? "heart.fill" : "heart"
            size: 13
            color: root.favorite ? AppPalette.pink : "white"
            layer.enabled: !Rendering.software
            layer.effect: DropShadow {
                radius: 2
                samples: 5
                color: Qt.rgba(0, 0, 0, 0.33)
            }
        }
        MouseArea {
            anchors.fill: parent
            onClicked: favoriteFlag.toggle()
        }
    }
}
