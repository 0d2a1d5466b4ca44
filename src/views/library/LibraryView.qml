// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Lumivane

// The Library: favourites in the three-column grid, and the wallpapers saved to Downloads.
Item {
    id: root
    objectName: "libraryView"

    readonly property alias viewModel: vm
    property var selectedWallpaper: null
    property string libraryTab: "Favorites"

    LibraryViewModel { id: vm }
    Component.onCompleted: vm.loadFavorites()
    // Files may have come or gone since the tab was last shown.
    onLibraryTabChanged: if (libraryTab === "Downloads") vm.loadDownloads()
    function reload() {
        vm.loadFavorites()
        if (libraryTab === "Downloads")
            vm.loadDownloads()
    }

    Column {
        id: header
        y: 52
        x: 24
        width: parent.width - 48
        topPadding: 16
        bottomPadding: 12
        spacing: 16
        Text {
            text: qsTr("Library")
            font.pixelSize: 28
            font.bold: true
            color: "white"
        }
        Rectangle {
            width: 280
            height: tabsRow.implicitHeight + 8
            radius: height / 2
            color: Qt.rgba(1, 1, 1, 0.06)
            ChoiceBar {
                id: tabsRow
                x: 4
                y: 4
                spacing: 4
                Repeater {
                    model: [
                        { key: "Favorites", title: qsTr("Favorites") },
                        { key: "Downloads", title: qsTr("Downloads") }
                    ]
                    ChoiceButton {
                        required property var modelData
                        objectName: "libraryTab" + modelData.key
                        selected: root.libraryTab === modelData.key
                        text: modelData.title
                        onClicked: root.libraryTab = modelData.key
                    }
                }
            }
        }
    }

    Item {
        id: contentArea
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom

        EmptyStateView {
            objectName: "downloadsEmpty"
            anchors.fill: parent
            visible: root.libraryTab === "Downloads" && !vm.isLoadingDownloads && vm.downloads.count === 0
            icon: "arrow.down.circle"
            title: qsTr("No downloads yet")
            subtitle: qsTr("Downloaded wallpapers will appear here")
        }
        WallpaperGrid {
            objectName: "downloadsGrid"
            anchors.fill: parent
            visible: root.libraryTab === "Downloads" && vm.downloads.count > 0
            model: vm.downloads
            onPicked: w => root.selectedWallpaper = w
        }

        // The loading test comes first: the spinner shows even over an earlier list.
        Spinner {
            objectName: "favoritesSpinner"
            anchors.horizontalCenter: parent.horizontalCenter
            y: 80
            width: 32
            height: 32
            opacity: 0.5
            visible: root.libraryTab === "Favorites" && vm.isLoading
            running: visible
        }
        EmptyStateView {
            objectName: "favoritesEmpty"
            anchors.fill: parent
            visible: root.libraryTab === "Favorites" && !vm.isLoading && vm.favorites.count === 0
            icon: "heart.slash"
            title: qsTr("No favorites yet")
            subtitle: qsTr("Wallpapers you favorite will appear here")
        }
        WallpaperGrid {
            objectName: "favoritesGrid"
            anchors.fill: parent
            visible: root.libraryTab === "Favorites" && !vm.isLoading && vm.favorites.count > 0
            model: vm.favorites
            onPicked: w => root.selectedWallpaper = w
        }
    }

    DetailSheetPresenter {
        wallpaper: root.selectedWallpaper
        onDismissed: root.selectedWallpaper = null
    }
}
