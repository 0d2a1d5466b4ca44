# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND LUMIVANE_CORE_SOURCES
    app/AppConfig.h app/AppConfigQml.h
    app/PreferenceKeys.h
    app/AppTab.h
    app/AppState.h app/AppState.cpp
    app/LumivaneApp.h app/LumivaneApp.cpp
    app/SetWallpaperCommand.h app/SetWallpaperCommand.cpp
)
