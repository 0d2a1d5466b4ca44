# Files of src/views: the window, its toolbar, the shared styles and one folder per screen.
# QML types register by header name, so this folder is on the include path as well.
target_include_directories(lumivane_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})

list(APPEND LUMIVANE_CORE_SOURCES
    # view-only helpers
    views/FlowLayout.h views/FlowLayout.cpp
    views/UiProbe.h views/UiProbe.cpp
)

list(APPEND LUMIVANE_QML_SINGLETONS
    views/styles/Palette.qml
    views/styles/TextStyle.qml
)

list(APPEND LUMIVANE_QML_FILES
    # window, toolbar and tab switcher
    views/Main.qml
    views/MainContentView.qml
    views/AppToolbarView.qml
    views/NavPillTabView.qml
    views/WindowControls.qml
    # shared styles and panels
    views/styles/Palette.qml
    views/styles/TextStyle.qml
    views/styles/Symbol.qml
    views/styles/PillButtonStyle.qml
    views/styles/MiniPillButtonStyle.qml
    views/styles/ShimmerBlock.qml
    views/styles/LoadingSkeletonView.qml
    views/styles/GlassErrorView.qml
    views/styles/EmptyStateView.qml
    views/styles/RemoteImage.qml
    views/styles/AlertDialog.qml
    # Home
    views/home/HomeView.qml
    views/home/HeroSectionView.qml
    views/home/FeaturedStripView.qml
    views/home/CategoryRowView.qml
    # Explore and the shared card
    views/explore/ExploreView.qml
    views/explore/FilterChip.qml
    views/explore/SortSegments.qml
    views/explore/WallpaperCardView.qml
    views/explore/WallpaperGrid.qml
    # Library
    views/library/LibraryView.qml
    # wallpaper detail
    views/detail/WallpaperDetailView.qml
    views/detail/DetailSheetPresenter.qml
    # Settings
    views/settings/SettingsView.qml
    # Upload
    views/upload/UploadView.qml
    views/upload/UploadStateArea.qml
    views/upload/TagInputView.qml
    views/upload/DarkFieldStyle.qml
    views/upload/StatusBadge.qml
)
