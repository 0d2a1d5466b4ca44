# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Records, image addresses and the strict JSON decoder.
set(LUMIVANE_MODELS_SOURCES
    models/AppError.h
    models/Category.h
    models/WallpaperFormat.h
    models/WallpaperStatus.h
    models/Wallpaper.h models/Wallpaper.cpp
    models/ImageAddress.h models/ImageAddress.cpp
    models/JsonDecoder.h models/JsonDecoder.cpp
    models/JsonTree.h models/JsonTree.cpp
)
