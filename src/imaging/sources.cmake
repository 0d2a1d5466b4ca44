# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The image cache of the views, the loader of remote pictures and HEIC decoding.
set(LUMIVANE_IMAGING_SOURCES
    imaging/ImageNetworkAccessManagerFactory.h imaging/ImageNetworkAccessManagerFactory.cpp
    imaging/ImageNetworkAccessManager.h imaging/ImageNetworkAccessManager.cpp
    imaging/RemotePictureProvider.h imaging/RemotePictureProvider.cpp
    # HEIC/HEIF reading for QImageReader and QML Image, as a static image-format plugin
    imaging/HeicImagePlugin.h imaging/HeicImagePlugin.cpp
    imaging/HeicImageHandler.h imaging/HeicImageHandler.cpp
)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/HeicImagePlugin.cpp PROPERTIES COMPILE_DEFINITIONS QT_STATICPLUGIN)
