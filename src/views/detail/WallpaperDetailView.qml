// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Lumivane

// The detail sheet (800 × 560): preview, facts, the four actions and the tags.
Sheet {
    id: root
    objectName: "detailSheet"

    property var wallpaper
    readonly property alias viewModel: vm

    width: 800
    height: 560
    title: root.wallpaper ? root.wallpaper.title : ""
    closeButtonName: "detailClose"
    headerLeftMargin: 24
    headerRightMargin: 24
    headerBottomMargin: 12

    WallpaperDetailViewModel { id: vm }
    // Inner objects are built before the sheet's own properties arrive; skip the empty moment.
    Binding {
        target: vm
        property: "wallpaper"
        when: !!root.wallpaper
        value: root.wallpaper
    }
    Component.onCompleted: vm.recordView()

    component InfoChip: Rectangle {
        id: chip
        property string symbol
        property string text
        implicitWidth: chipRow.implicitWidth + 20
        implicitHeight: chipRow.implicitHeight + 10
        radius: height / 2
        color: Qt.rgba(1, 1, 1, 0.06)
        Row {
            id: chipRow
            anchors.centerIn: parent
            spacing: 4
            Symbol {
                anchors.verticalCenter: parent.verticalCenter
                name: chip.symbol
                size: TextStyle.caption2
                color: AppPalette.secondaryText
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: chip.text
                font.pixelSize: TextStyle.caption
                color: AppPalette.secondaryText
            }
        }
    }
    component Counter: Row {
        property string symbol
        property int value
        spacing: 4
        Symbol {
            anchors.verticalCenter: parent.verticalCenter
            name: parent.symbol
            size: TextStyle.caption
            color: AppPalette.secondaryText
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: String(parent.value)
            font.pixelSize: TextStyle.caption
            color: AppPalette.secondaryText
        }
    }

    Item {
        anchors.fill: parent
        Flickable {
            id: body
            anchors.fill: parent
            clip: true
            contentHeight: bodyColumn.implicitHeight + 24
            boundsBehavior: Flickable.StopAtBounds

            ColumnLayout {
                id: bodyColumn
                x: 24
                width: body.width - 48
                spacing: 20

                // Fitted whole, at most 380 high; the size follows the record's pixel size so
                // the space is reserved before the image arrives.
                Item {
                    id: previewFrame
                    readonly property real aspect: root.wallpaper && root.wallpaper.height > 0
                                                   ? root.wallpaper.width / root.wallpaper.height : 16 / 9
                    Layout.alignment: Qt.AlignHCenter
                    Layout.preferredWidth: Math.min(bodyColumn.width, 380 * aspect)
                    Layout.preferredHeight: Layout.preferredWidth / aspect
                    // The shadow under the preview, where the renderer draws effects.
                    Component.onCompleted: Effects.add(Effects.glow(), previewFrame, {
                        "anchors.topMargin": 6, "anchors.bottomMargin": -6,
                        glowRadius: 16, cornerRadius: 30, color: Qt.rgba(0, 0, 0, 0.4),
                        visible: Qt.binding(() => preview.status === Image.Ready)
                    })
                    RemoteImage {
                        id: preview
                        objectName: "detailPreview"
                        anchors.fill: parent
                        source: root.wallpaper ? root.wallpaper.previewURL : ""
                        fillMode: Image.PreserveAspectFit
                        radius: 14
                        fadesIn: true
                        // Large: not kept for half a minute after the sheet closes.
                        cached: false
                        Accessible.role: Accessible.Graphic
                        Accessible.name: root.wallpaper ? root.wallpaper.title : ""
                    }
                }

                Rectangle {
                    Layout.fillWidth: true
                    implicitHeight: facts.implicitHeight + 32
                    radius: 12
                    color: AppPalette.surface
                    Column {
                        id: facts
                        x: 16
                        y: 16
                        width: parent.width - 32
                        spacing: 12
                        Text {
                            width: parent.width
                            text: root.wallpaper ? root.wallpaper.title : ""
                            font.pixelSize: TextStyle.title3
                            font.bold: true
                            color: "white"
                            elide: Text.ElideRight
                        }
                        Row {
                            objectName: "infoChips"
                            spacing: 8
                            InfoChip {
                                objectName: "categoryChip"
                                visible: !!root.wallpaper && root.wallpaper.hasCategory
                                symbol: "folder"
                                text: root.wallpaper ? root.wallpaper.categoryName : ""
                            }
                            InfoChip {
                                symbol: "aspectratio"
                                text: root.wallpaper ? Formatters.dimensions(root.wallpaper.width, root.wallpaper.height) : ""
                            }
                            InfoChip {
                                objectName: "formatChip"
                                symbol: "doc"
                                text: root.wallpaper ? root.wallpaper.format.toUpperCase() : ""
                            }
                            InfoChip {
                                symbol: "internaldrive"
                                text: root.wallpaper ? Formatters.byteCount(root.wallpaper.fileSize) : ""
                            }
                        }
                        Row {
                            spacing: 16
                            Counter { symbol: "arrow.down.circle"; value: root.wallpaper ? root.wallpaper.downloadCount : 0 }
                            Counter { symbol: "eye"; value: root.wallpaper ? root.wallpaper.viewCount : 0 }
                            Counter { symbol: "heart"; value: root.wallpaper ? root.wallpaper.favoriteCount : 0 }
                        }
                    }
                }

                // Which monitor "Set Desktop" changes, where the desktop keeps one picture each.
                Flow {
                    objectName: "monitorChoice"
                    Layout.fillWidth: true
                    visible: vm.canChooseMonitor
                    spacing: 10
                    Text {
                        height: monitorBar.height
                        text: qsTr("Show on")
                        verticalAlignment: Text.AlignVCenter
                        font.pixelSize: TextStyle.caption
                        color: AppPalette.secondaryText
                    }
                    ChoiceBar {
                        id: monitorBar
                        spacing: 4
                        Accessible.name: qsTr("Display for the desktop picture")
                        Repeater {
                            model: vm.monitorChoices
                            ChoiceButton {
                                required property string modelData
                                required property int index
                                objectName: "monitorChoice" + index
                                text: modelData
                                fontSize: TextStyle.caption
                                idleFill: Qt.rgba(1, 1, 1, 0.06)
                                hoverFill: Qt.rgba(1, 1, 1, 0.12)
                                selected: vm.monitorChoice === index
                                enabled: !vm.isSettingWallpaper
                                onClicked: vm.monitorChoice = index
                            }
                        }
                    }
                }

                RowLayout {
                    Layout.fillWidth: true
                    spacing: 10
                    PillButton {
                        objectName: "setDesktopButton"
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        filled: true
                        text: qsTr("Set Desktop")
                        symbol: "desktopcomputer"
                        enabled: !vm.isSettingWallpaper
                        onClicked: vm.setAsDesktop()
                    }
                    PillButton {
                        objectName: "setLockScreenButton"
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        filled: false
                        text: qsTr("Set Lock Screen")
                        symbol: "lock.desktopcomputer"
                        enabled: !vm.isSettingWallpaper && vm.canSetLockScreen
                        Accessible.description: vm.canSetLockScreen ? "" : vm.lockScreenNote
                        onClicked: vm.setAsLockScreen()
                    }
                    PillButton {
                        objectName: "favoriteButton"
                        filled: false
                        symbol: vm.isFavorited ? "heart.fill" : "heart"
                        Accessible.name: vm.isFavorited ? qsTr("Remove from favourites") : qsTr("Add to favourites")
                        Accessible.checkable: true
                        Accessible.checked: vm.isFavorited
                        symbolSize: 16
                        symbolColor: vm.isFavorited ? AppPalette.pink : "white"
                        onClicked: vm.toggleFavorite()
                    }
                    PillButton {
                        objectName: "downloadButton"
                        filled: false
                        symbol: "arrow.down.circle"
                        symbolSize: 16
                        Accessible.name: qsTr("Download")
                        enabled: !vm.isSettingWallpaper
                        onClicked: vm.saveDownload()
                    }
                }

                Text {
                    objectName: "lockScreenNote"
                    Layout.fillWidth: true
                    visible: !vm.canSetLockScreen && vm.lockScreenNote !== ""
                    text: vm.lockScreenNote
                    wrapMode: Text.Wrap
                    font.pixelSize: TextStyle.caption
                    color: AppPalette.secondaryText
                }

                Rectangle {
                    objectName: "applyingPill"
                    Layout.alignment: Qt.AlignHCenter
                    visible: vm.isSettingWallpaper
                    implicitWidth: applyingRow.implicitWidth + 32
                    implicitHeight: applyingRow.implicitHeight + 16
                    radius: height / 2
                    color: Qt.rgba(1, 1, 1, 0.08)
                    Row {
                        id: applyingRow
                        anchors.centerIn: parent
                        spacing: 8
                        Spinner {
                            width: 16
                            height: 16
                            opacity: 0.6
                            running: parent.parent.visible
                            anchors.verticalCenter: parent.verticalCenter
                        }
                        Text {
                            anchors.verticalCenter: parent.verticalCenter
                            text: qsTr("Applying wallpaper...")
                            font.pixelSize: TextStyle.caption
                            color: AppPalette.secondaryText
                        }
                    }
                }

                Column {
                    objectName: "tagsBlock"
                    Layout.fillWidth: true
                    visible: !!root.wallpaper && root.wallpaper.tags.length > 0
                    spacing: 8
                    Text {
                        text: qsTr("Tags")
                        font.pixelSize: TextStyle.subheadline
                        font.weight: Font.DemiBold
                        color: AppPalette.secondaryText
                    }
                    FlowLayout {
                        objectName: "tagsFlow"
                        width: parent.width
                        spacing: 6
                        Repeater {
                            model: root.wallpaper ? root.wallpaper.tags : []
                            Rectangle {
                                required property string modelData
                                implicitWidth: tagText.implicitWidth + 20
                                implicitHeight: tagText.implicitHeight + 10
                                radius: height / 2
                                color: Qt.rgba(1, 1, 1, 0.06)
                                Text {
                                    id: tagText
                                    anchors.centerIn: parent
                                    text: "#" + parent.modelData
                                    font.pixelSize: TextStyle.caption
                                    color: AppPalette.secondaryText
                                }
                            }
                        }
                    }
                }
            }
        }
    }

    AlertDialog {
        objectName: "successAlert"
        title: qsTr("Success")
        message: vm.successMessage
        presented: vm.showSuccess
        onAcknowledged: vm.showSuccess = false
    }
    AlertDialog {
        objectName: "errorAlert"
        title: qsTr("Error")
        message: vm.errorMessage
        presented: vm.showError
        onAcknowledged: vm.showError = false
    }
}
