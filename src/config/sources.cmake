# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The bottom layer: constants, preference keys, the one settings store, what the build was
# configured with. It uses no other layer.
configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildInfo.cpp.in ${CMAKE_CURRENT_BINARY_DIR}/config/BuildInfo.cpp @ONLY)
set(LUMIVANE_CONFIG_SOURCES
    config/AppConfig.h
    config/PreferenceKeys.h
    config/SettingsStore.h config/SettingsStore.cpp
    config/RuntimeLibrary.h
    config/BuildInfo.h ${CMAKE_CURRENT_BINARY_DIR}/config/BuildInfo.cpp
)
