// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Qt5Compat.GraphicalEffects
import Lumivane

// The grid card: the thumbnail; under the pointer or with the keyboard on it, it grows to 102 %
// and shows the title, a "Set" button and a heart. Enter or Space opens it, like a click. The
// screen that places it gives it its size and handles `tapped`.
T.AbstractButton {
    id: root
    objectName: "wallpaperCard"

    property var wallpaper
    readonly property bool isHovered: hovered
    // What shows under the pointer shows as well while the keyboard is on the card or its buttons.
    readonly property bool isRaised: hovered || visualFocus || setButton.visualFocus || heartButton.visualFocus
    readonly property string wallpaperId: wallpaper ? wallpaper.id : ""
    readonly property string title: wallpaper ? wallpaper.title : ""
    readonly property bool favorite: favoriteFlag.isFavorite
    signal tapped()

    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    padding: 0
    z: isRaised ? 1 : 0
    scale: isRaised ? 1.02 : 1.0
    Behavior on scale { NumberAnimation { duration: 300; easing.type: Easing.OutBack; easing.overshoot: 0.8 } }
    onClicked: root.tapped()
    Keys.onReturnPressed: root.tapped()
    Keys.onEnterPressed: root.tapped()

    Accessible.role: Accessible.Button
    Accessible.name: title
    Accessible.description: qsTr("Open wallpaper")

    WallpaperApplier { id: applier }
    FavoriteFlag { id: favoriteFlag; wallpaperId: root.wallpaperId }

    background: Item {
        RemoteImage {
            anchors.fill: parent
            source: root.wallpaper ? root.wallpaper.thumbnailURL : ""
            radius: 12
            fadesIn: true
        }
        FocusRing { control: root; radius: 12 + inset }
    }

    contentItem: Item {
        Item {
            id: caption
            anchors.fill: parent
            opacity: root.isRaised ? 1 : 0
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
                    text: root.title
                    font.pixelSize: 11
                    font.weight: Font.Medium
                    color: "white"
                    elide: Text.ElideRight
                    maximumLineCount: 1
                }
                MiniPillButton {
                    id: setButton
                    objectName: "cardSetButton"
                    text: qsTr("Set")
                    Accessible.description: qsTr("Set as desktop wallpaper")
                    onClicked: {
                        const url = root.wallpaper ? root.wallpaper.fullImageURL : ""
                        if (url.toString() !== "")
                            applier.setDesktop(url)
                    }
                }
            }
        }

        IconButton {
            id: heartButton
            objectName: "cardHeart"
            x: 0
            y: 0
            margin: 8
            opacity: caption.opacity
            visible: caption.visible
            symbol: root.favorite ? "heart.fill" : "heart"
            symbolColor: root.favorite ? AppPalette.pink : "white"
            glyph.objectName: "cardHeartGlyph"
            glyph.layer.enabled: !Rendering.software
            glyph.layer.effect: DropShadow {
                radius: 2
                samples: 5
                color: Qt.rgba(0, 0, 0, 0.33)
            }
            Accessible.name: root.favorite ? qsTr("Remove from favourites") : qsTr("Add to favourites")
            Accessible.checkable: true
            Accessible.checked: root.favorite
            onClicked: favoriteFlag.toggle()
        }
    }
}
