# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The interfaces the services call on the desktop, and their Linux backends.
set(LUMIVANE_PLATFORM_SOURCES
    # interfaces
    platform/DesktopScreen.h platform/DesktopError.h platform/DesktopBackend.h
    platform/Notifier.h platform/AccessibilityTrust.h platform/AppleScriptRunner.h
    platform/UrlOpener.h platform/ProcessRunner.h platform/LoginItemBackend.h
    platform/MachineIdSource.h platform/MachineIdSource.cpp
    # login item
    platform/XdgAutostartBackend.h platform/XdgAutostartBackend.cpp
    platform/LaunchAgentBackend.h platform/LaunchAgentBackend.cpp
    # automatic change: the systemd user timer, the network's state
    platform/SystemdUserTimer.h platform/SystemdUserTimer.cpp
    platform/NetworkState.h platform/GioNetworkState.h platform/GioNetworkState.cpp
    # process, URL, notification, trust
    platform/QProcessRunner.h platform/QProcessRunner.cpp
    platform/DesktopServicesUrlOpener.h platform/DesktopServicesUrlOpener.cpp
    platform/DBusNotifier.h platform/DBusNotifier.cpp
    platform/AlwaysTrusted.h
    # desktop backends
    platform/GSettingsDesktopBackend.h platform/GSettingsDesktopBackend.cpp
    platform/PlasmaDesktopBackend.h platform/PlasmaDesktopBackend.cpp
    platform/XfceDesktopBackend.h platform/XfceDesktopBackend.cpp
    platform/PortalResponseWatcher.h platform/PortalResponseWatcher.cpp
    platform/PortalDesktopBackend.h platform/PortalDesktopBackend.cpp
    platform/CommandDesktopBackend.h platform/CommandDesktopBackend.cpp
    platform/UnavailableDesktopBackend.h platform/UnavailableDesktopBackend.cpp
    platform/AutoDesktopBackend.h platform/AutoDesktopBackend.cpp
)
