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

    // Gives each row whose cards have come into view its cards, for good.
    function revealRows() {
        const bottom = scroller.contentY + scroller.height - rowColumn.y
        for (let i = 0; i < rowRepeater.count; ++i) {
            const row = rowRepeater.itemAt(i)
            if (row && !row.cardsShown && row.y + row.cardsY < bottom)
                row.cardsShown = true
        }
    }

    Flickable {
        id: scroller
        anchors.fill: parent
        contentHeight: content.height
        boundsBehavior: Flickable.StopAtBounds
        onContentYChanged: root.revealRows()
        onHeightChanged: root.revealRows()

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
                onPositioningComplete: root.revealRows()
                Repeater {
                    id: rowRepeater
                    model: vm.categoryRows
                    CategoryRowView {
                        required property var model
                        required property int index
                        // Made once scrolled to (the first row at once): rows below the fold
                        // cost neither their cards nor their thumbnails until then.
                        cardsShown: index === 0
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

    // Made while Home waits for its first lists, and gone once they are shown. A Repeater rather
    // than a Loader: Qt 6.4's Loader refuses a component bound to this file's context.
    Repeater {
        model: vm.isLoading && vm.featured.length === 0 ? 1 : 0
        LoadingSkeletonView {
            width: root.width
            height: root.height
        }
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
