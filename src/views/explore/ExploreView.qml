// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Lumivane

// The searchable catalogue: search field, category chips and sort, and the endless grid.
Item {
    id: root
    objectName: "exploreView"

    readonly property alias viewModel: vm
    property var selectedWallpaper: null

    ExploreViewModel { id: vm }
    Component.onCompleted: vm.loadInitial()
    function reload() { vm.loadInitial() }
    function focusSearch() {
        searchField.forceActiveFocus(Qt.ShortcutFocusReason)
        searchField.selectAll()
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        Item { Layout.preferredHeight: 52 }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            Layout.topMargin: 16
            Layout.bottomMargin: 12
            spacing: 12

            Rectangle {
                Layout.fillWidth: true
                implicitHeight: searchRow.implicitHeight + 20
                radius: 12
                color: AppPalette.surface
                RowLayout {
                    id: searchRow
                    anchors.fill: parent
                    anchors.leftMargin: 14
                    anchors.rightMargin: 14
                    spacing: 10
                    Symbol {
                        name: "magnifyingglass"
                        size: 15
                        color: AppPalette.secondaryText
                    }
                    TextField {
                        id: searchField
                        objectName: "searchField"
                        Layout.fillWidth: true
                        placeholderText: qsTr("Search wallpapers...")
                        Accessible.name: qsTr("Search wallpapers")
                        Accessible.searchEdit: true
                        placeholderTextColor: AppPalette.secondaryText
                        color: "white"
                        font.pixelSize: 13
                        padding: 0
                        background: null
                        text: vm.searchText
                        onTextEdited: vm.searchText = text
                        // Down goes from the query to its results.
                        Keys.onDownPressed: grid.focusCard(0)
                    }
                    IconButton {
                        objectName: "clearSearchButton"
                        visible: vm.searchText !== ""
                        symbol: "xmark.circle.fill"
                        symbolSize: 15
                        symbolColor: Qt.rgba(1, 1, 1, 0.3)
                        Accessible.name: qsTr("Clear search")
                        onClicked: {
                            vm.searchText = ""
                            searchField.forceActiveFocus()
                        }
                    }
                }
            }

            RowLayout {
                Layout.fillWidth: true
                spacing: 0
                Flickable {
                    Layout.fillWidth: true
                    implicitHeight: chips.implicitHeight
                    contentWidth: chips.implicitWidth
                    flickableDirection: Flickable.HorizontalFlick
                    boundsBehavior: Flickable.StopAtBounds
                    clip: true
                    ChoiceBar {
                        id: chips
                        spacing: 8
                        FilterChip {
                            objectName: "chipAll"
                            title: qsTr("All")
                            isSelected: !vm.selectedCategory
                            onClicked: vm.selectedCategory = null
                        }
                        Repeater {
                            model: vm.categories
                            FilterChip {
                                required property var modelData
                                objectName: "chip_" + modelData.id
                                title: modelData.name
                                isSelected: !!vm.selectedCategory && vm.selectedCategoryId === modelData.id
                                onClicked: vm.selectedCategory = modelData
                            }
                        }
                    }
                }
                Rectangle {
                    Layout.leftMargin: 12
                    Layout.rightMargin: 12
                    implicitWidth: 1
                    implicitHeight: 20
                    color: Qt.rgba(1, 1, 1, 0.15)
                }
                SortSegments {
                    Layout.preferredWidth: 260
                    value: vm.sortOption
                    onPicked: v => vm.sortOption = v
                }
            }
        }

        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true

            EmptyStateView {
                id: emptyState
                objectName: "exploreEmpty"
                anchors.fill: parent
                visible: vm.wallpapers.count === 0 && !vm.isLoading
                icon: "photo.on.rectangle.angled"
                title: qsTr("No wallpapers found")
                subtitle: qsTr("Try different search terms or filters")
            }

            WallpaperGrid {
                id: grid
                objectName: "exploreGrid"
                anchors.fill: parent
                // Scrolled cards stay inside the grid instead of covering the search field and chips.
                clip: true
                visible: !emptyState.visible
                model: vm.wallpapers
                onPicked: w => root.selectedWallpaper = w
                onCardCreated: w => vm.loadMoreIfNeeded(w)
                loadingMore: vm.isLoading && vm.wallpapers.count > 0
                allLoaded: !vm.hasMore && vm.wallpapers.count > 0
            }
        }
    }

    DetailSheetPresenter {
        wallpaper: root.selectedWallpaper
        onDismissed: root.selectedWallpaper = null
    }
}
