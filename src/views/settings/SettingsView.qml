// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import QtQuick.Templates as T
import Lumivane

// The Settings sheet (520 × 600): appearance, lock screen, storage and about.
Sheet {
    id: root
    objectName: "settingsSheet"

    readonly property alias viewModel: vm
    readonly property string privacyPolicyURL: "https://lumivane.app/privacy"
    readonly property string termsOfServiceURL: "https://lumivane.app/terms"
    readonly property string supportMailURL: "mailto:support@lumivane.app"

    width: AppConfig.settingsSheetWidth
    height: AppConfig.settingsSheetHeight
    title: qsTr("Settings")
    titleSize: TextStyle.title2
    elidesTitle: false
    closeButtonName: "settingsClose"

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
            FocusRing { control: toggle }
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
    component LinkRow: T.AbstractButton {
        id: link
        property string label
        property string symbol
        property string url
        width: parent ? parent.width : 0
        height: 22
        focusPolicy: Qt.StrongFocus
        text: label
        Accessible.role: Accessible.Link
        Accessible.name: label
        Keys.onReturnPressed: clicked()
        Keys.onEnterPressed: clicked()
        onClicked: Qt.openUrlExternally(link.url)
        background: FocusRing { control: link; radius: 4 }
        contentItem: Item {}
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
    }

    Item {
        anchors.fill: parent
        Flickable {
            id: scroller
            anchors.fill: parent
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
                    title: qsTr("APPEARANCE")
                    BlueSwitch {
                        objectName: "startOnLoginSwitch"
                        text: qsTr("Start on login")
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
                        text: qsTr("Auto-change wallpaper")
                        checked: vm.autoChangeWallpaper
                        onToggled: vm.autoChangeWallpaper = checked
                    }
                    RowLayout {
                        objectName: "intervalPicker"
                        visible: vm.autoChangeWallpaper
                        width: parent.width
                        height: visible ? 34 : 0
                        Text {
                            text: qsTr("Change every")
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
                    Separator {}
                    BlueSwitch {
                        objectName: "systemDecorationsSwitch"
                        text: qsTr("Use the desktop's title bar")
                        checked: WindowFrame.systemDecorations
                        onToggled: WindowFrame.systemDecorations = checked
                    }
                    Text {
                        width: parent.width
                        wrapMode: Text.Wrap
                        text: qsTr("The desktop draws the window's frame and buttons instead of the toolbar. Takes effect at once.")
                        font.pixelSize: TextStyle.callout
                        color: Qt.rgba(1, 1, 1, 0.6)
                    }
                }

                Section {
                    symbol: "lock.rectangle"
                    title: qsTr("LOCK SCREEN")
                    BlueSwitch {
                        objectName: "lockScreenSwitch"
                        text: qsTr("Enable lock screen wallpapers")
                        checked: vm.lockScreenEnabled
                        onToggled: vm.lockScreenEnabled = checked
                    }
                    // What this desktop does instead, where it shows no lock-screen picture of its own.
                    Text {
                        objectName: "lockScreenNote"
                        visible: !vm.canSetLockScreen && text !== ""
                        width: parent.width
                        text: vm.lockScreenNote
                        wrapMode: Text.WordWrap
                        font.pixelSize: TextStyle.callout
                        color: Qt.rgba(1, 1, 1, 0.6)
                    }
                    // The permission is macOS's (controlling System Events); Linux has none to show.
                    Separator { visible: Qt.platform.os === "osx" }
                    RowLayout {
                        objectName: "permissionRow"
                        visible: Qt.platform.os === "osx"
                        width: parent.width
                        height: visible ? 28 : 0
                        Text { text: qsTr("Permission status"); font.pixelSize: TextStyle.body; color: Qt.rgba(1, 1, 1, 0.7) }
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
                                text: vm.accessibilityTrusted ? qsTr("Granted") : qsTr("Not granted")
                                font.pixelSize: TextStyle.caption
                                color: vm.accessibilityTrusted ? AppPalette.green : AppPalette.orange
                            }
                        }
                    }
                    Item {
                        width: parent.width
                        height: visible ? grant.implicitHeight + 8 : 0
                        visible: Qt.platform.os === "osx" && !vm.accessibilityTrusted
                        PillButton {
                            id: grant
                            objectName: "grantPermissionButton"
                            y: 8
                            filled: true
                            text: qsTr("Grant Permission")
                            onClicked: vm.openAccessibilitySettings()
                        }
                    }
                }

                Section {
                    symbol: "internaldrive"
                    title: qsTr("STORAGE")
                    ValueRow {
                        objectName: "cacheSizeRow"
                        label: qsTr("Cache size")
                        value: vm.cacheSize
                    }
                    Separator {}
                    T.AbstractButton {
                        id: clearCacheButton
                        objectName: "clearCacheButton"
                        width: parent.width
                        height: 24
                        focusPolicy: Qt.StrongFocus
                        text: qsTr("Clear Cache")
                        Accessible.role: Accessible.Button
                        Accessible.name: text
                        Keys.onReturnPressed: clicked()
                        Keys.onEnterPressed: clicked()
                        onClicked: vm.clearCache()
                        background: Item {
                            FocusRing { control: clearCacheButton; radius: 4; anchors.fill: undefined; width: clearRow.width + 12; height: parent.height + 6; x: -6; y: -3 }
                        }
                        contentItem: Item {}
                        Row {
                            id: clearRow
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
                                text: clearCacheButton.text
                                font.pixelSize: TextStyle.callout
                                color: Qt.rgba(1, 1, 1, 0.6)
                            }
                        }
                    }
                }

                Section {
                    symbol: "info.circle"
                    title: qsTr("ABOUT")
                    ValueRow {
                        label: qsTr("Version")
                        value: vm.appVersion
                        valueSize: TextStyle.callout
                    }
                    Separator { padding: 8 }
                    LinkRow { label: qsTr("Privacy Policy"); symbol: "arrow.up.right.square"; url: root.privacyPolicyURL }
                    Separator { padding: 8 }
                    LinkRow { label: qsTr("Terms of Service"); symbol: "arrow.up.right.square"; url: root.termsOfServiceURL }
                    Separator { padding: 8 }
                    LinkRow { label: qsTr("Contact Support"); symbol: "envelope"; url: root.supportMailURL }
                }
            }
        }
    }
}
