list(APPEND LUMIVANE_CORE_SOURCES
    models/AppError.h
)
