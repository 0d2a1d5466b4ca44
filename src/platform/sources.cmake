# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The interfaces the services call on the desktop, and their Linux backends.
set(LUMIVANE_PLATFORM_SOURCES
    # interfaces
    platform/DesktopScreen.h platform/DesktopError.h platform/DesktopBackend.h
    platform/Notifier.h
    platform/BusConnection.h platform/BusConnection.cpp
    platform/UrlOpener.h platform/ProcessRunner.h platform/LoginItemBackend.h
    platform/MachineIdSource.h platform/MachineIdSource.cpp
    # GIO, opened when first used
    platform/Gio.h platform/Gio.cpp
    # login item
    platform/XdgAutostartBackend.h platform/XdgAutostartBackend.cpp
    # automatic change: the systemd user timer, the network's state
    platform/SystemdUserTimer.h platform/SystemdUserTimer.cpp
    platform/NetworkState.h platform/GioNetworkState.h platform/GioNetworkState.cpp
    # process, URL, notification
    platform/QProcessRunner.h platform/QProcessRunner.cpp
    platform/DesktopServicesUrlOpener.h platform/DesktopServicesUrlOpener.cpp
    platform/DBusNotifier.h platform/DBusNotifier.cpp
    # desktop backends
    platform/GSettingsDesktopBackend.h platform/GSettingsDesktopBackend.cpp
    platform/PlasmaDesktopBackend.h platform/PlasmaDesktopBackend.cpp
    platform/XfceDesktopBackend.h platform/XfceDesktopBackend.cpp
    platform/PortalResponseWatcher.h platform/PortalResponseWatcher.cpp
    platform/PortalDesktopBackend.h platform/PortalDesktopBackend.cpp
    platform/CommandDesktopBackend.h platform/CommandDesktopBackend.cpp
    platform/UnavailableDesktopBackend.h platform/UnavailableDesktopBackend.cpp
    platform/AutoDesktopBackend.h platform/AutoDesktopBackend.cpp
    # the window buttons the desktop asks for
    platform/WindowButtonLayout.h platform/WindowButtonLayout.cpp
)
# macOS only: the launch agent, the System Events script and the permission it needs. On Linux
# the tests that cover them compile them themselves.
set(LUMIVANE_PLATFORM_MACOS_SOURCES
    platform/macos/AccessibilityTrust.h platform/macos/AppleScriptRunner.h
    platform/macos/LaunchAgentBackend.h platform/macos/LaunchAgentBackend.cpp
)
if(APPLE)
    list(APPEND LUMIVANE_PLATFORM_SOURCES ${LUMIVANE_PLATFORM_MACOS_SOURCES})
endif()
