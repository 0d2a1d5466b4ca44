# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The catalogue client, the device identifier, and the desktop integration (wallpaper engine,
# cache folder, login item).
set(LUMIVANE_SERVICES_SOURCES
    # shared by the requests
    services/CancellationScope.h services/CancellationScope.cpp
    services/HttpFetch.h services/HttpFetch.cpp
    # catalogue client
    services/APIResponse.h services/PaginatedResponse.h services/PaginationMeta.h
    services/WallpaperDownload.h services/UploadResponse.h services/ProcessingStatus.h
    services/APIClient.h services/APIClient.cpp
    services/APIError.h services/APIError.cpp
    services/EnvelopeDecoder.h services/EnvelopeDecoder.cpp
    services/DeviceIdentity.h services/DeviceIdentity.cpp
    # desktop integration
    services/WallpaperEngine.h services/WallpaperEngine.cpp
    services/SpannedPicture.h services/SpannedPicture.cpp
    services/WallpaperError.h services/WallpaperError.cpp
    services/CacheManager.h services/CacheManager.cpp
    services/LoginItem.h services/LoginItem.cpp
    # automatic change
    services/AutoChanger.h services/AutoChanger.cpp
    services/AutoChangeSchedule.h services/AutoChangeSchedule.cpp
)
