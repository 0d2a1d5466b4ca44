// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Lumivane

// A modal sheet centred over the window, with a title row and its close button above the body.
// It takes the keyboard when it opens, so nothing behind it sees a key while it is up; Escape
// reaches only the sheet (or alert) that has the keyboard, so one press closes only the topmost;
// on closing, focus goes back to where it was.
T.Popup {
    id: root

    property string title
    property int titleSize: TextStyle.headline
    property bool elidesTitle: true
    property string closeButtonName: "sheetClose"
    property real headerLeftMargin: 20
    property real headerRightMargin: 20
    property real headerTopMargin: 20
    property real headerBottomMargin: 20
    // The body: fills the space under the title row.
    default property alias body: bodyArea.data

    parent: T.Overlay.overlay
    anchors.centerIn: parent
    modal: true
    dim: true
    focus: true
    padding: 0
    closePolicy: T.Popup.NoAutoClose
    T.Overlay.modal: Rectangle { color: Qt.rgba(0, 0, 0, 0.5) }

    // Where the keyboard was before the sheet took it, to give it back on closing (a ring as
    // well if it had one). The item may be gone by then, with the screen it was on.
    property Item focusBefore: null
    property bool focusBeforeShowedRing: false
    onAboutToShow: {
        focusBefore = root.parent.Window.activeFocusItem
        // Our buttons and Qt's controls both say whether the keyboard brought them the focus.
        focusBeforeShowedRing = keyboardBrought(focusBefore)
    }
    // Untyped, as the item may be one of our buttons or one of Qt's controls.
    function keyboardBrought(item) { return !!item && item.visualFocus === true }
    onClosed: {
        if (focusBefore && focusBefore.visible)
            focusBefore.forceActiveFocus(focusBeforeShowedRing ? Qt.TabFocusReason : Qt.PopupFocusReason)
        focusBefore = null
    }

    background: Rectangle {
        color: AppPalette.background
        radius: 10
        border.color: Qt.rgba(1, 1, 1, 0.1)
    }

    // The body is named so that a sheet's contents can be given as its children; a sheet always
    // shows it, so making the content item immediate costs nothing.
    contentItem: FocusScope { // qmllint disable deferred-property-id
        focus: true
        Accessible.role: Accessible.Dialog
        Accessible.name: root.title
        Keys.onEscapePressed: root.close()

        ColumnLayout {
            anchors.fill: parent
            spacing: 0
            RowLayout {
                Layout.fillWidth: true
                Layout.leftMargin: root.headerLeftMargin
                Layout.rightMargin: root.headerRightMargin
                Layout.topMargin: root.headerTopMargin
                Layout.bottomMargin: root.headerBottomMargin
                Text {
                    Layout.fillWidth: true
                    text: root.title
                    font.pixelSize: root.titleSize
                    font.bold: true
                    color: "white"
                    elide: root.elidesTitle ? Text.ElideRight : Text.ElideNone
                    maximumLineCount: 1
                    Accessible.role: Accessible.Heading
                    Accessible.name: text
                }
                IconButton {
                    objectName: root.closeButtonName
                    symbol: "xmark.circle.fill"
                    symbolSize: TextStyle.title3 + 3
                    symbolColor: Qt.rgba(1, 1, 1, 0.3)
                    Accessible.name: qsTr("Close")
                    onClicked: root.close()
                }
            }
            Item {
                id: bodyArea
                Layout.fillWidth: true
                Layout.fillHeight: true
            }
        }
    }
}
