list(APPEND LUMIVANE_CORE_SOURCES
    imaging/ImageNetworkAccessManagerFactory.h imaging/ImageNetworkAccessManagerFactory.cpp
)
