list(APPEND LUMIVANE_CORE_SOURCES
    services/CancellationScope.h services/CancellationScope.cpp
    services/APIResponse.h services/PaginatedResponse.h services/PaginationMeta.h
    services/WallpaperDownload.h services/UploadResponse.h services/ProcessingStatus.h
)
