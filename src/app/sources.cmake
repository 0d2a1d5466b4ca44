# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The top layer: the application object and the terminal commands. main.cpp is the executable's own.
set(LUMIVANE_APP_SOURCES
    app/LumivaneApp.h app/LumivaneApp.cpp
    app/SetWallpaperCommand.h app/SetWallpaperCommand.cpp
    app/NextWallpaperCommand.h app/NextWallpaperCommand.cpp
    app/Translations.h app/Translations.cpp
)
