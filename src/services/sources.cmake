# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The catalogue client's files are listed in api.cmake, the desktop integration's in desktop.cmake.
list(APPEND LUMIVANE_CORE_SOURCES
    services/CancellationScope.h services/CancellationScope.cpp
    services/APIResponse.h services/PaginatedResponse.h services/PaginationMeta.h
    services/WallpaperDownload.h services/UploadResponse.h services/ProcessingStatus.h
)
foreach(part api desktop)
    if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${part}.cmake)
        include(${CMAKE_CURRENT_LIST_DIR}/${part}.cmake)
    endif()
endforeach()
