// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T
import QtQuick.Layouts
import Lumivane

// The Settings sheet (520 × 600): appearance, lock screen, storage and about.
Popup {
    id: root
    objectName: "settingsSheet"

    readonly property alias viewModel: vm
    readonly property string privacyPolicyURL: "https://lumivane.app/privacy"
    readonly property string termsOfServiceURL: "https://lumivane.app/terms"
    readonly property string supportMailURL: "mailto:support@lumivane.app"

    parent: T.Overlay.overlay
    anchors.centerIn: parent
    width: AppConfig.settingsSheetWidth
    height: AppConfig.settingsSheetHeight
    modal: true
    dim: true
    padding: 0
    closePolicy: Popup.CloseOnEscape

    SettingsViewModel { id: vm }

    component Section: Column {
        id: section
        property string symbol
        property string title
        default property alias content: cardColumn.data
        width: parent ? parent.width : 0
        spacing: 12
        Row {
            spacing: 6
            Symbol {
                anchors.verticalCenter: parent.verticalCenter
                name: section.symbol
                size: TextStyle.caption + 2
                color: AppPalette.secondaryText
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: section.title
                font.pixelSize: TextStyle.subheadline
                font.weight: Font.DemiBold
                color: AppPalette.secondaryText
            }
        }
        Rectangle {
            width: parent.width
            height: cardColumn.implicitHeight + 28
            radius: 12
            color: AppPalette.surface
            Column {
                id: cardColumn
                x: 14
                y: 14
                width: parent.width - 28
                spacing: 0
            }
        }
    }
    component Separator: Item {
        property real padding: 6
        width: parent ? parent.width : 0
        height: 1 + 2 * padding
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width
            height: 1
            color: Qt.rgba(1, 1, 1, 0.15)
        }
    }
    component BlueSwitch: Switch {
        id: toggle
        padding: 0
        indicator: Rectangle {
            implicitWidth: 38
            implicitHeight: 22
            x: toggle.width - width
            y: (toggle.height - height) / 2
            radius: 11
            color: toggle.checked ? AppPalette.blue : Qt.rgba(1, 1, 1, 0.2)
            Behavior on color { ColorAnimation { duration: 150 } }
            Rectangle {
                width: 18
                height: 18
                radius: 9
                y: 2
                x: toggle.checked ? parent.width - width - 2 : 2
                color: "white"
                Behavior on x { NumberAnimation { duration: 150; easing.type: Easing.OutCubic } }
            }
        }
        contentItem: Text {
            text: toggle.text
            font.pixelSize: TextStyle.body
            color: Qt.rgba(1, 1, 1, 0.8)
            verticalAlignment: Text.AlignVCenter
            rightPadding: 50
        }
        width: parent ? parent.width : implicitWidth
        topPadding: 4
        bottomPadding: 4
    }
    component ValueRow: RowLayout {
        property string label
        property string value
        property int valueSize: TextStyle.body
        width: parent ? parent.width : 0
        height: 28
        Text { text: parent.label; font.pixelSize: TextStyle.body; color: Qt.rgba(1, 1, 1, 0.7) }
        Item { Layout.fillWidth: true }
        Text { text: parent.value; font.pixelSize: parent.valueSize; color: AppPalette.secondaryText }
    }
    component LinkRow: Item {
        id: link
        property string label
        property string symbol
        property string url
        width: parent ? parent.width : 0
        height: 22
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: link.label
            font.pixelSize: TextStyle.body
            color: Qt.rgba(1, 1, 1, 0.7)
        }
        Symbol {
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            name: link.symbol
            size: TextStyle.caption + 2
            color: AppPalette.secondaryText
        }
        HoverHandler { cursorShape: Qt.PointingHandCursor }
        TapHandler { onTapped: Qt.openUrlExternally(link.url) }
    }

    background: Rectangle {
        color: AppPalette.background
        radius: 10
        border.color: Qt.rgba(1, 1, 1, 0.1)
    }

    contentItem: ColumnLayout {
        spacing: 0
        RowLayout {
            Layout.fillWidth: true
            Layout.margins: 20
            Text {
                text: "Settings"
                font.pixelSize: TextStyle.title2
                font.bold: true
                color: "white"
            }
            Item { Layout.fillWidth: true }
            Symbol {
                objectName: "settingsClose"
                name: "xmark.circle.fill"
                size: TextStyle.title3 + 3
                color: Qt.rgba(1, 1, 1, 0.3)
                TapHandler { onTapped: root.close() }
            }
        }
        Flickable {
            id: scroller
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            contentHeight: sections.implicitHeight + 32
            boundsBehavior: Flickable.StopAtBounds
            Column {
                id: sections
                x: 20
                width: scroller.width - 40
                spacing: 16

                Section {
                    symbol: "paintbrush.fill"
                    title: "APPEARANCE"
                    BlueSwitch {
                        objectName: "startOnLoginSwitch"
                        text: "Start on login"
                        checked: vm.startOnLogin
                        // The operation decides; the switch then shows what it left.
                        onToggled: {
                            vm.toggleStartOnLogin()
                            checked = Qt.binding(() => vm.startOnLogin)
                        }
                    }
                    Separator {}
                    BlueSwitch {
                        objectName: "autoChangeSwitch"
                        text: "Auto-change wallpaper"
                        checked: vm.autoChangeWallpaper
                        onToggled: vm.autoChangeWallpaper = checked
                    }
                    RowLayout {
                        objectName: "intervalPicker"
                        visible: vm.autoChangeWallpaper
                        width: parent.width
                        height: visible ? 34 : 0
                        Text {
                            text: "Change every"
                            font.pixelSize: TextStyle.body
                            color: Qt.rgba(1, 1, 1, 0.8)
                        }
                        Item { Layout.fillWidth: true }
                        ComboBox {
                            id: intervalBox
                            objectName: "intervalBox"
                            implicitWidth: 140
                            implicitHeight: 26
                            model: vm.intervalChoices
                            textRole: "name"
                            valueRole: "minutes"
                            font.pixelSize: TextStyle.body
                            currentIndex: indexOfValue(vm.changeInterval)
                            onActivated: vm.storeChangeInterval(currentValue)
                            Component.onCompleted: currentIndex = indexOfValue(vm.changeInterval)
                            background: Rectangle {
                                radius: 6
                                color: Qt.rgba(1, 1, 1, 0.1)
                            }
                            contentItem: Text {
                                leftPadding: 10
                                text: intervalBox.displayText
                                font: intervalBox.font
                                color: "white"
                                verticalAlignment: Text.AlignVCenter
                            }
                        }
                    }
                    // The automatic change's source, manners and outcome.
                    RowLayout {
                        objectName: "sourcePicker"
                        visible: vm.autoChangeWallpaper
                        width: parent.width
                        height: visible ? 34 : 0
                        Text {
                            text: qsTr("Pick from")
                            font.pixelSize: TextStyle.body
                            color: Qt.rgba(1, 1, 1, 0.8)
                        }
                        Item { Layout.fillWidth: true }
                        ComboBox {
                            id: sourceBox
                            objectName: "sourceBox"
                            implicitWidth: 140
                            implicitHeight: 26
                            model: vm.sourceChoices
                            textRole: "name"
                            valueRole: "value"
                            font.pixelSize: TextStyle.body
                            currentIndex: indexOfValue(vm.autoChangeSource)
                            onActivated: vm.autoChangeSource = currentValue
                            onModelChanged: currentIndex = indexOfValue(vm.autoChangeSource)
                            background: Rectangle {
                                radius: 6
                                color: Qt.rgba(1, 1, 1, 0.1)
                            }
                            contentItem: Text {
                                leftPadding: 10
                                text: sourceBox.displayText
                                font: sourceBox.font
                                color: "white"
                                verticalAlignment: Text.AlignVCenter
                                elide: Text.ElideRight
                            }
                        }
                    }
                    BlueSwitch {
                        objectName: "fitDisplaysSwitch"
                        visible: vm.autoChangeWallpaper
                        text: qsTr("Only wallpapers that fit my displays")
                        checked: vm.fitDisplays
                        onToggled: vm.fitDisplays = checked
                    }
                    BlueSwitch {
                        objectName: "notifyOnChangeSwitch"
                        visible: vm.autoChangeWallpaper
                        text: qsTr("Notify on each change")
                        checked: vm.notifyOnChange
                        onToggled: vm.notifyOnChange = checked
                    }
                    Text {
                        objectName: "nextChangeText"
                        visible: vm.autoChangeWallpaper && text !== ""
                        width: parent.width
                        text: vm.nextChangeText
                        font.pixelSize: TextStyle.callout
                        color: Qt.rgba(1, 1, 1, 0.6)
                    }
                    Text {
                        objectName: "lastResultText"
                        visible: text !== ""
                        width: parent.width
                        wrapMode: Text.Wrap
                        text: vm.lastResultText
                        font.pixelSize: TextStyle.callout
                        color: vm.lastResultFailed ? "#ff8a80" : Qt.rgba(1, 1, 1, 0.6)
                    }
                }

                Section {
                    symbol: "lock.rectangle"
                    title: "LOCK SCREEN"
                    BlueSwitch {
                        objectName: "lockScreenSwitch"
                        text: "Enable lock screen wallpapers"
                        checked: vm.lockScreenEnabled
                        onToggled: vm.lockScreenEnabled = checked
                    }
                    // The permission is macOS's (controlling System Events); Linux has none to show.
                    Separator { visible: Qt.platform.os === "osx" }
                    RowLayout {
                        objectName: "permissionRow"
                        visible: Qt.platform.os === "osx"
                        width: parent.width
                        height: visible ? 28 : 0
                        Text { text: "Permission status"; font.pixelSize: TextStyle.body; color: Qt.rgba(1, 1, 1, 0.7) }
                        Item { Layout.fillWidth: true }
                        Row {
                            spacing: 4
                            Rectangle {
                                anchors.verticalCenter: parent.verticalCenter
                                width: 6
                                height: 6
                                radius: 3
                                color: vm.accessibilityTrusted ? AppPalette.green : AppPalette.orange
                            }
                            Text {
                                objectName: "permissionStatus"
                                anchors.verticalCenter: parent.verticalCenter
                                text: vm.accessibilityTrusted ? "Granted" : "Not granted"
                                font.pixelSize: TextStyle.caption
                                color: vm.accessibilityTrusted ? AppPalette.green : AppPalette.orange
                            }
                        }
                    }
                    Item {
                        width: parent.width
                        height: visible ? grant.implicitHeight + 8 : 0
                        visible: Qt.platform.os === "osx" && !vm.accessibilityTrusted
                        PillButtonStyle {
                            id: grant
                            objectName: "grantPermissionButton"
                            y: 8
                            filled: true
                            text: "Grant Permission"
                            onClicked: vm.openAccessibilitySettings()
                        }
                    }
                }

                Section {
                    symbol: "internaldrive"
                    title: "STORAGE"
                    ValueRow {
                        objectName: "cacheSizeRow"
                        label: "Cache size"
                        value: vm.cacheSize
                    }
                    Separator {}
                    Item {
                        width: parent.width
                        height: 24
                        Row {
                            anchors.verticalCenter: parent.verticalCenter
                            spacing: 6
                            Symbol {
                                anchors.verticalCenter: parent.verticalCenter
                                name: "trash"
                                size: TextStyle.callout + 2
                                color: Qt.rgba(1, 1, 1, 0.6)
                            }
                            Text {
                                anchors.verticalCenter: parent.verticalCenter
                                text: "Clear Cache"
                                font.pixelSize: TextStyle.callout
                                color: Qt.rgba(1, 1, 1, 0.6)
                            }
                        }
                        TapHandler { onTapped: vm.clearCache() }
                    }
                }

                Section {
                    symbol: "info.circle"
                    title: "ABOUT"
                    ValueRow {
                        label: "Version"
                        value: vm.appVersion
                        valueSize: TextStyle.callout
                    }
                    Separator { padding: 8 }
                    LinkRow { label: "Privacy Policy"; symbol: "arrow.up.right.square"; url: root.privacyPolicyURL }
                    Separator { padding: 8 }
                    LinkRow { label: "Terms of Service"; symbol: "arrow.up.right.square"; url: root.termsOfServiceURL }
                    Separator { padding: 8 }
                    LinkRow { label: "Contact Support"; symbol: "envelope"; url: root.supportMailURL }
                }
            }
        }
    }
}
