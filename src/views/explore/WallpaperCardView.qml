// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// The grid card: the thumbnail; under the pointer or with the keyboard on it, it grows to 102 %
// and shows the title, a "Set" button and a heart. Enter or Space opens it, like a click. The
// screen that places it gives it its size and handles `tapped`.
// A screen holds dozens of cards, so a resting card is only its thumbnail: the caption, the
// buttons, the focus ring and the favourite flag are made when the card is raised and dropped
// once it has faded back.
ButtonBase {
    id: root
    objectName: "wallpaperCard"

    property var wallpaper
    readonly property bool isHovered: hovered
    // What shows under the pointer shows as well while the keyboard is on the card or its buttons.
    readonly property bool isRaised: hovered || visualFocus || keyboardOnButtons
    readonly property string wallpaperId: wallpaper ? wallpaper.id : ""
    readonly property string title: wallpaper ? wallpaper.title : ""
    // Set by the raised parts while they exist: the heart's state is known whenever the heart
    // can be seen or pressed.
    property bool favorite: false
    property bool keyboardOnButtons: false
    property bool captionShown: false
    signal tapped()

    z: isRaised ? 1 : 0
    scale: isRaised ? 1.02 : 1.0
    Behavior on scale { NumberAnimation { duration: 300; easing.type: Easing.OutBack; easing.overshoot: 0.8 } }
    onClicked: root.tapped()

    Accessible.role: Accessible.Button
    Accessible.name: title
    Accessible.description: qsTr("Open wallpaper")
    Accessible.onPressAction: root.click()

    RemoteImage {
        anchors.fill: parent
        source: root.wallpaper ? root.wallpaper.thumbnailURL : ""
        radius: 12
        fadesIn: true
    }

    // Made when the card is raised, dropped once the caption has faded out.
    property Item raisedParts: null
    readonly property bool wantsParts: isRaised || captionShown
    onWantsPartsChanged: {
        if (wantsParts && !raisedParts) {
            raisedParts = partsComponent.createObject(root, { card: root })
        } else if (!wantsParts && raisedParts) {
            raisedParts.destroy()
            raisedParts = null
        }
    }
    Component { id: partsComponent; RaisedParts {} }

    component RaisedParts: Item {
        id: parts
        required property WallpaperCardView card
        anchors.fill: parent
        readonly property bool favorite: favoriteFlag.isFavorite

        // Each falls back to false when the parts go.
        Binding { target: parts.card; property: "favorite"; value: parts.favorite }
        Binding { target: parts.card; property: "keyboardOnButtons"; value: setButton.visualFocus || heartButton.visualFocus }
        Binding { target: parts.card; property: "captionShown"; value: caption.opacity > 0 }

        WallpaperApplier { id: applier }
        FavoriteFlag { id: favoriteFlag; wallpaperId: parts.card.wallpaperId }

        FocusRing { control: parts.card; radius: 12 + inset }

        Item {
            id: caption
            anchors.fill: parent
            // Fades in from nothing when made, as it fades out before it goes.
            opacity: 0
            Component.onCompleted: opacity = Qt.binding(() => parts.card.isRaised ? 1 : 0)
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
            Text {
                anchors.left: parent.left
                anchors.right: setButton.left
                anchors.leftMargin: 10
                anchors.rightMargin: 8
                anchors.verticalCenter: setButton.verticalCenter
                text: parts.card.title
                font.pixelSize: 11
                font.weight: Font.Medium
                color: "white"
                elide: Text.ElideRight
                maximumLineCount: 1
            }
            MiniPillButton {
                id: setButton
                objectName: "cardSetButton"
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                anchors.margins: 10
                text: qsTr("Set")
                Accessible.description: qsTr("Set as desktop wallpaper")
                onClicked: {
                    const url = parts.card.wallpaper ? parts.card.wallpaper.fullImageURL : ""
                    if (url.toString() !== "")
                        applier.setDesktop(url)
                }
            }
            IconButton {
                id: heartButton
                objectName: "cardHeart"
                margin: 8
                symbol: parts.favorite ? "heart.fill" : "heart"
                symbolColor: parts.favorite ? AppPalette.pink : "white"
                glyph.objectName: "cardHeartGlyph"
                // A faint dark edge keeps the white heart legible on a light picture.
                glyph.style: Text.Outline
                glyph.styleColor: Qt.rgba(0, 0, 0, 0.33)
                Accessible.name: parts.favorite ? qsTr("Remove from favourites") : qsTr("Add to favourites")
                Accessible.checkable: true
                Accessible.checked: parts.favorite
                onClicked: favoriteFlag.toggle()
            }
        }
    }
}
