list(APPEND LUMIVANE_CORE_SOURCES
    models/AppError.h
    models/Category.h
    models/WallpaperFormat.h
    models/WallpaperStatus.h
    models/Wallpaper.h models/Wallpaper.cpp
    models/ImageAddress.h models/ImageAddress.cpp
    models/JsonDecoder.h models/JsonDecoder.cpp
)
