# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND LUMIVANE_CORE_SOURCES
    services/WallpaperEngine.h services/WallpaperEngine.cpp
    services/WallpaperError.h services/WallpaperError.cpp
    services/CacheManager.h services/CacheManager.cpp
    services/LoginItem.h services/LoginItem.cpp
)
