// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQml.Models
import QtQuick.Controls.Basic
import QtQuick.Dialogs
import QtQuick.Layouts
import QtQuick.Shapes
import QtQuick.Templates as T
import Lumivane

// The Upload screen: drop zone or preview, the form, the state of the upload, and the
// wallpapers uploaded from this device.
Item {
    id: root
    objectName: "uploadView"

    readonly property alias viewModel: vm
    readonly property alias scroller: scroller
    readonly property int contentWidth: AppConfig.uploadContentWidth
    readonly property int imageHeight: AppConfig.uploadImageHeight
    readonly property bool hasFile: vm.hasSelectedFile
    readonly property var firstUpload: vm.myUploads.count > 0 ? vm.myUploads.get(0) : null

    UploadViewModel { id: vm }

    Component.onCompleted: vm.load()
    Connections {
        target: vm
        function onFileDialogRequested() { fileDialog.open() }
    }

    FileDialog {
        id: fileDialog
        title: qsTr("Select")
        // Filters match case-sensitively, so camera names such as IMG_0001.JPG need their own.
        nameFilters: ["Images (*.jpg *.jpeg *.png *.heic *.JPG *.JPEG *.PNG *.HEIC *.Jpg *.Jpeg *.Png *.Heic)"]
        currentFolder: vm.picturesFolder
        onAccepted: vm.loadFile(selectedFile)
    }

    // Background: the first upload's thumbnail, blurred, behind a dark veil.
    Rectangle {
        anchors.fill: parent
        color: AppPalette.background
    }
    Item {
        id: backdropHost
        anchors.fill: parent
        clip: true
        visible: !!root.firstUpload
        Component.onCompleted: Effects.add(Effects.blur, backdropHost, { source: backdrop, radius: 40, scale: 1.1 })
        Image {
            id: backdrop
            anchors.fill: parent
            source: root.firstUpload ? root.firstUpload.thumbnailURL : ""
            fillMode: Image.PreserveAspectCrop
            // The blur reads it shrunk: mipmaps make that an average rather than a sampling.
            mipmap: true
            asynchronous: true
            cache: true
            sourceSize.width: 480
            visible: Rendering.software
        }
    }
    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.65)
    }

    Flickable {
        id: scroller
        anchors.fill: parent
        contentHeight: page.implicitHeight + 60
        boundsBehavior: Flickable.StopAtBounds

        Column {
            id: page
            x: 40
            width: scroller.width - 80
            spacing: 40

            Item { width: 1; height: 52 }

            Column {
                id: uploadSection
                objectName: "uploadSection"
                width: parent.width
                spacing: 24

                Column {
                    spacing: 6
                    Text { text: qsTr("Share with the Community"); font.pixelSize: 26; font.bold: true; color: "white" }
                    Text { text: qsTr("Upload your favorite wallpapers."); font.pixelSize: 13; color: AppPalette.secondaryText }
                }

                Item {
                    id: dropZone
                    objectName: "dropZone"
                    width: root.contentWidth
                    height: root.imageHeight

                    Rectangle {
                        anchors.fill: parent
                        radius: 16
                        color: Qt.rgba(1, 1, 1, 0.04)
                    }
                    Shape {
                        anchors.fill: parent
                        visible: !root.hasFile
                        ShapePath {
                            readonly property real r: 16
                            readonly property real i: 0.75   // the stroke sits inside the outline
                            strokeColor: Qt.rgba(1, 1, 1, 0.25)
                            strokeWidth: 1.5
                            strokeStyle: ShapePath.DashLine
                            dashPattern: [6 / 1.5, 4 / 1.5]
                            fillColor: "transparent"
                            startX: r; startY: i
                            PathLine { x: dropZone.width - 16; y: 0.75 }
                            PathArc { x: dropZone.width - 0.75; y: 16; radiusX: 15.25; radiusY: 15.25 }
                            PathLine { x: dropZone.width - 0.75; y: dropZone.height - 16 }
                            PathArc { x: dropZone.width - 16; y: dropZone.height - 0.75; radiusX: 15.25; radiusY: 15.25 }
                            PathLine { x: 16; y: dropZone.height - 0.75 }
                            PathArc { x: 0.75; y: dropZone.height - 16; radiusX: 15.25; radiusY: 15.25 }
                            PathLine { x: 0.75; y: 16 }
                            PathArc { x: 16; y: 0.75; radiusX: 15.25; radiusY: 15.25 }
                        }
                    }

                    Column {
                        objectName: "dropPlaceholder"
                        anchors.centerIn: parent
                        visible: !root.hasFile
                        spacing: 16
                        Symbol {
                            anchors.horizontalCenter: parent.horizontalCenter
                            name: "photo.on.rectangle.angled"
                            size: 36
                            color: Qt.rgba(1, 1, 1, 0.3)
                        }
                        Text {
                            anchors.horizontalCenter: parent.horizontalCenter
                            text: qsTr("Drag & drop an image here")
                            font.pixelSize: 13
                            color: AppPalette.secondaryText
                        }
                        PillButton {
                            objectName: "selectFileButton"
                            anchors.horizontalCenter: parent.horizontalCenter
                            filled: true
                            leftPadding: 20
                            rightPadding: 20
                            topPadding: 10
                            bottomPadding: 10
                            pressedScale: 1
                            symbol: "folder"
                            symbolSize: 15
                            text: qsTr("Select")
                            font.pixelSize: 14
                            onClicked: vm.selectFile()
                        }
                        Text {
                            anchors.horizontalCenter: parent.horizontalCenter
                            text: qsTr("JPG, PNG, HEIC — min %1\u00d7%2").arg(vm.minimumWidth).arg(vm.minimumHeight)
                            font.pixelSize: 11
                            color: Qt.rgba(1, 1, 1, 0.25)
                        }
                    }

                    Item {
                        objectName: "dropPreview"
                        anchors.fill: parent
                        visible: root.hasFile
                        RemoteImage {
                            anchors.fill: parent
                            source: vm.selectedFileURL
                            radius: 16
                            showsActivity: false
                        }
                        Item {
                            anchors.left: parent.left
                            anchors.right: parent.right
                            anchors.bottom: parent.bottom
                            height: infoColumn.implicitHeight + 24
                            Rectangle {
                                anchors.fill: parent
                                radius: 16
                                gradient: Gradient {
                                    GradientStop { position: 0; color: "transparent" }
                                    GradientStop { position: 1; color: Qt.rgba(0, 0, 0, 0.7) }
                                }
                            }
                            Column {
                                id: infoColumn
                                x: 12
                                y: 12
                                width: parent.width - 24
                                spacing: 2
                                Text {
                                    width: parent.width
                                    text: vm.selectedFileName
                                    font.pixelSize: 12
                                    font.weight: Font.Medium
                                    color: "white"
                                    elide: Text.ElideMiddle
                                    maximumLineCount: 1
                                }
                                Text {
                                    text: vm.imageResolutionText
                                    font.pixelSize: 11
                                    color: Qt.rgba(1, 1, 1, 0.6)
                                }
                            }
                        }
                        IconButton {
                            objectName: "removeFileButton"
                            anchors.top: parent.top
                            anchors.right: parent.right
                            margin: 10
                            symbol: "xmark.circle.fill"
                            symbolSize: 24
                            symbolColor: Qt.rgba(1, 1, 1, 0.8)
                            glyph.layer.enabled: !Rendering.software
                            glyph.layer.effect: Effects.shadow()
                            Accessible.name: qsTr("Remove image")
                            onClicked: vm.clearFile()
                        }
                    }

                    // Only drops that carry a file URL are taken, and only the first of them.
                    DropArea {
                        anchors.fill: parent
                        onEntered: drag => drag.accepted = drag.hasUrls
                        onDropped: drop => {
                            const first = drop.hasUrls && drop.urls.length > 0 ? drop.urls[0] : null
                            if (!first || !first.toString().startsWith("file:")) {
                                drop.accepted = false
                                return
                            }
                            drop.acceptProposedAction()
                            vm.loadFile(first)
                        }
                    }
                }

                Text {
                    objectName: "validationError"
                    visible: vm.validationError !== ""
                    text: vm.validationError
                    font.pixelSize: TextStyle.caption
                    color: Qt.rgba(1, 0.27, 0.23, 0.9)
                }

                Column {
                    id: form
                    objectName: "uploadForm"
                    width: root.contentWidth
                    visible: root.hasFile
                    spacing: 16
                    // Slides in from the top while fading in.
                    onVisibleChanged: if (visible) formIn.restart()
                    transform: Translate { id: formShift }
                    ParallelAnimation {
                        id: formIn
                        NumberAnimation { target: form; property: "opacity"; from: 0; to: 1; duration: 300; easing.type: Easing.InOutQuad }
                        NumberAnimation { target: formShift; property: "y"; from: -24; to: 0; duration: 300; easing.type: Easing.InOutQuad }
                    }

                    Column {
                        width: parent.width
                        spacing: 4
                        TextField {
                            objectName: "titleField"
                            width: parent.width
                            placeholderText: qsTr("Title")
                            Accessible.name: qsTr("Title")
                            placeholderTextColor: Qt.rgba(1, 1, 1, 0.35)
                            padding: 10
                            font.pixelSize: 13
                            color: "white"
                            background: DarkFieldStyle {}
                            text: vm.title
                            onTextEdited: vm.title = text
                        }
                        Text {
                            objectName: "titleError"
                            visible: vm.titleError !== ""
                            text: vm.titleError
                            font.pixelSize: TextStyle.caption
                            color: Qt.rgba(1, 0.27, 0.23, 0.8)
                        }
                    }

                    // Three lines high; a longer description scrolls inside the field.
                    ScrollView {
                        objectName: "descriptionScroll"
                        width: parent.width
                        height: 3 * Math.ceil(fontMetrics.lineSpacing) + 20
                        background: DarkFieldStyle {}
                        FontMetrics { id: fontMetrics; font.pixelSize: 13 }
                        TextArea {
                            objectName: "descriptionField"
                            // Tab leaves the field, as in every other one, instead of typing a tab.
                            Keys.onTabPressed: nextItemInFocusChain(true).forceActiveFocus(Qt.TabFocusReason)
                            Keys.onBacktabPressed: nextItemInFocusChain(false).forceActiveFocus(Qt.BacktabFocusReason)
                            placeholderText: qsTr("Description (optional)")
                            Accessible.name: qsTr("Description")
                            placeholderTextColor: Qt.rgba(1, 1, 1, 0.35)
                            padding: 10
                            font.pixelSize: 13
                            color: "white"
                            wrapMode: TextEdit.Wrap
                            background: null
                            text: vm.description
                            onTextChanged: if (text !== vm.description) vm.description = text
                        }
                    }

                    Column {
                        width: parent.width
                        spacing: 4
                        T.AbstractButton {
                            id: categoryPicker
                            objectName: "categoryPicker"
                            focusPolicy: Qt.StrongFocus
                            Accessible.role: Accessible.ComboBox
                            Accessible.name: qsTr("Category")
                            Accessible.description: categoryLabel.text
                            Keys.onReturnPressed: clicked()
                            Keys.onEnterPressed: clicked()
                            Keys.onDownPressed: clicked()
                            onClicked: categoryMenu.popup(categoryPicker, 0, categoryPicker.height)
                            readonly property var chosen: {
                                for (const c of vm.categories)
                                    if (c.id === vm.categoryId)
                                        return c
                                return null
                            }
                            width: parent.width
                            height: pickerRow.implicitHeight + 20
                            background: DarkFieldStyle { FocusRing { control: categoryPicker; radius: 8 + inset } }
                            contentItem: Item {}
                            RowLayout {
                                id: pickerRow
                                anchors.fill: parent
                                anchors.margins: 10
                                Text {
                                    id: categoryLabel
                                    objectName: "categoryLabel"
                                    Layout.fillWidth: true
                                    text: categoryPicker.chosen ? categoryPicker.chosen.name : qsTr("Select category")
                                    font.pixelSize: 13
                                    color: vm.categoryId !== "" ? "white" : Qt.rgba(1, 1, 1, 0.35)
                                }
                                Symbol { name: "chevron.down"; size: TextStyle.caption + 4; color: AppPalette.secondaryText }
                            }
                            Menu {
                                id: categoryMenu
                                Instantiator {
                                    model: vm.categories
                                    delegate: MenuItem {
                                        required property var modelData
                                        text: modelData.name
                                        onTriggered: vm.categoryId = modelData.id
                                    }
                                    onObjectAdded: (index, object) => categoryMenu.insertItem(index, object)
                                    onObjectRemoved: (index, object) => categoryMenu.removeItem(object)
                                }
                            }
                        }
                        Text {
                            objectName: "categoryError"
                            visible: vm.categoryError !== ""
                            text: vm.categoryError
                            font.pixelSize: TextStyle.caption
                            color: Qt.rgba(1, 0.27, 0.23, 0.8)
                        }
                    }

                    TagInputView {
                        width: parent.width
                        tags: vm.tags
                        onAddRequested: tag => vm.addTag(tag)
                        onRemoveRequested: tag => vm.removeTag(tag)
                    }

                    // Absent, not dimmed, while the form is incomplete or an upload runs.
                    PillButton {
                        objectName: "uploadButton"
                        visible: vm.canUpload
                        width: parent.width
                        filled: true
                        topPadding: 12
                        bottomPadding: 12
                        pressedScale: 1
                        symbol: "arrow.up.circle.fill"
                        symbolSize: 16
                        text: qsTr("Upload Wallpaper")
                        font.pixelSize: 14
                        font.weight: Font.DemiBold
                        onClicked: vm.upload()
                    }
                }

                UploadStateArea {
                    width: root.contentWidth
                    uploadState: vm.uploadState
                    progress: vm.uploadProgress
                    message: vm.uploadStateMessage
                    onTryAgain: vm.resetState()
                }
            }

            Column {
                objectName: "myUploadsSection"
                width: parent.width
                spacing: 16
                Column {
                    spacing: 6
                    Text { text: qsTr("My uploads"); font.pixelSize: 22; font.bold: true; color: "white" }
                    Text { text: qsTr("Your uploaded wallpapers"); font.pixelSize: 13; color: AppPalette.secondaryText }
                }
                Item {
                    objectName: "noUploads"
                    visible: vm.myUploads.count === 0
                    width: parent.width
                    height: 200
                    Column {
                        anchors.centerIn: parent
                        spacing: 8
                        Text { anchors.horizontalCenter: parent.horizontalCenter; text: qsTr("No uploaded wallpapers"); font.pixelSize: 15; font.weight: Font.Medium; color: "white" }
                        Text { anchors.horizontalCenter: parent.horizontalCenter; text: qsTr("Select wallpapers to start sharing with the community"); font.pixelSize: 13; color: AppPalette.secondaryText }
                    }
                }
                Grid {
                    id: uploadsGrid
                    objectName: "uploadsGrid"
                    readonly property real cardWidth: (width - 28) / 3
                    visible: vm.myUploads.count > 0
                    width: parent.width
                    columns: 3
                    columnSpacing: 14
                    rowSpacing: 14
                    Repeater {
                        model: vm.myUploads
                        Item {
                            required property var wallpaper
                            required property string status
                            width: uploadsGrid.cardWidth
                            height: uploadsGrid.cardWidth / 1.6
                            WallpaperCardView {
                                anchors.fill: parent
                                wallpaper: parent.wallpaper
                            }
                            StatusBadge {
                                x: 8
                                y: 8
                                status: parent.status
                            }
                        }
                    }
                }
            }
        }
    }
}
