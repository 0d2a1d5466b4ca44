# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The screens' view models and what they share: observable objects for the QML views.
set(LUMIVANE_VIEWMODELS_SOURCES
    # the state every screen shares, and the constants for QML
    viewmodels/AppTab.h
    viewmodels/AppState.h viewmodels/AppState.cpp
    viewmodels/AppConfigQml.h
    viewmodels/WindowFrame.h viewmodels/WindowFrame.cpp
    # shared pieces
    viewmodels/Timing.h
    viewmodels/ScopeGroup.h
    viewmodels/ErrorText.h
    viewmodels/WallpaperListModel.h viewmodels/WallpaperListModel.cpp
    viewmodels/FavoritesStore.h viewmodels/FavoritesStore.cpp
    viewmodels/Favorites.h viewmodels/Favorites.cpp
    viewmodels/FavoriteFlag.h viewmodels/FavoriteFlag.cpp
    viewmodels/RequestSlot.h
    viewmodels/Formatters.h viewmodels/Formatters.cpp
    viewmodels/WallpaperApplier.h viewmodels/WallpaperApplier.cpp
    # Home
    viewmodels/CategoryRow.h
    viewmodels/CategoryRowListModel.h viewmodels/CategoryRowListModel.cpp
    viewmodels/HomeViewModel.h viewmodels/HomeViewModel.cpp
    # Explore
    viewmodels/ExploreViewModel.h viewmodels/ExploreViewModel.cpp
    # Library
    viewmodels/LibraryViewModel.h viewmodels/LibraryViewModel.cpp
    # wallpaper detail
    viewmodels/WallpaperDetailViewModel.h viewmodels/WallpaperDetailViewModel.cpp
    # Settings
    viewmodels/SettingsViewModel.h viewmodels/SettingsViewModel.cpp
    # Upload
    viewmodels/UploadState.h
    viewmodels/UploadViewModel.h viewmodels/UploadViewModel.cpp
)
