list(APPEND LUMIVANE_CORE_SOURCES
    services/WallpaperEngine.h services/WallpaperEngine.cpp
    services/WallpaperError.h services/WallpaperError.cpp
    services/CacheManager.h services/CacheManager.cpp
    services/LoginItem.h services/LoginItem.cpp
)
