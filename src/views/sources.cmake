# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The window, its screens and the shared styles: C++ items and QML files, relative to src/.
set(LUMIVANE_VIEWS_SOURCES
    views/ButtonBase.h views/ButtonBase.cpp
    views/FlowLayout.h views/FlowLayout.cpp
    views/Rendering.h views/Rendering.cpp
)
set(LUMIVANE_QML_FILES
    views/AppToolbarView.qml
    views/Main.qml
    views/MainContentView.qml
    views/NavPillTabView.qml
    views/WindowControls.qml
    views/detail/DetailSheetPresenter.qml
    views/detail/WallpaperDetailView.qml
    views/explore/ExploreView.qml
    views/explore/FilterChip.qml
    views/explore/SortSegments.qml
    views/explore/WallpaperCardView.qml
    views/explore/WallpaperGrid.qml
    views/home/CategoryRowView.qml
    views/home/FeaturedStripView.qml
    views/home/HeroSectionView.qml
    views/home/HomeView.qml
    views/library/LibraryView.qml
    views/settings/SettingsView.qml
    views/styles/AlertDialog.qml
    views/styles/EmptyStateView.qml
    views/styles/Effects.qml
    views/styles/effects/Blur.qml
    views/styles/effects/Glow.qml
    views/styles/effects/GradientFill.qml
    views/styles/effects/RoundedImage.qml
    views/styles/effects/Shadow.qml
    views/styles/GlassErrorView.qml
    views/styles/LoadingSkeletonView.qml
    views/styles/MiniPillButton.qml
    views/styles/ChoiceBar.qml
    views/styles/ChoiceButton.qml
    views/styles/FocusRing.qml
    views/styles/IconButton.qml
    views/styles/Sheet.qml
    views/styles/AppPalette.qml
    views/styles/PillButton.qml
    views/styles/RemoteImage.qml
    views/styles/ResizeBorder.qml
    views/styles/SheetHost.qml
    views/styles/ShimmerBlock.qml
    views/styles/Spinner.qml
    views/styles/Symbol.qml
    views/styles/TextStyle.qml
    views/upload/DarkFieldStyle.qml
    views/upload/StatusBadge.qml
    views/upload/TagInputView.qml
    views/upload/UploadStateArea.qml
    views/upload/UploadView.qml
)
set(LUMIVANE_SHADERS
    views/styles/effects/blur.frag
    views/styles/effects/gradientfill.frag
    views/styles/effects/roundedimage.frag
)
set(LUMIVANE_QML_SINGLETONS
    ${CMAKE_CURRENT_LIST_DIR}/styles/AppPalette.qml
    ${CMAKE_CURRENT_LIST_DIR}/styles/Effects.qml
    ${CMAKE_CURRENT_LIST_DIR}/styles/TextStyle.qml
)
