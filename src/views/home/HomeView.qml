// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Lumivane

// The Home screen: the featured hero under the floating toolbar, then one row per category.
Item {
    id: root
    objectName: "homeView"

    readonly property alias viewModel: vm
    readonly property alias scroller: scroller
    property var selectedWallpaper: null

    HomeViewModel { id: vm }
    Component.onCompleted: vm.load()
    function reload() { vm.load() }

    Flickable {
        id: scroller
        anchors.fill: parent
        contentHeight: content.height
        boundsBehavior: Flickable.StopAtBounds

        Column {
            id: content
            width: scroller.width

            HeroSectionView {
                id: hero
                width: parent.width
                height: visible ? AppConfig.heroHeight : 0
                visible: vm.featured.length > 0
                wallpapers: vm.featured
                selectedIndex: vm.selectedFeaturedIndex
                interval: vm.carouselInterval
                onPicked: index => vm.selectedFeaturedIndex = index
            }

            Column {
                id: rowColumn
                x: 24
                width: parent.width - 48
                topPadding: 32
                bottomPadding: 40
                spacing: 32
                Repeater {
                    id: rowRepeater
                    model: vm.categoryRows
                    CategoryRowView {
                        required property var model
                        width: rowColumn.width
                        category: model.category
                        name: model.name
                        categoryDescription: model.categoryDescription
                        wallpapers: model.wallpapers
                        onSeeAll: AppState.currentTab = AppTab.Explore
                        onSelected: w => root.selectedWallpaper = w
                    }
                }
            }
        }
    }

    LoadingSkeletonView {
        id: skeleton
        anchors.fill: parent
        visible: vm.isLoading && vm.featured.length === 0
    }

    GlassErrorView {
        anchors.centerIn: parent
        width: implicitWidth
        height: implicitHeight
        visible: vm.error !== "" && !vm.isLoading
        message: vm.error
        retryable: true
        onRetry: vm.load()
    }

    DetailSheetPresenter {
        wallpaper: root.selectedWallpaper
        onDismissed: root.selectedWallpaper = null
    }
}
