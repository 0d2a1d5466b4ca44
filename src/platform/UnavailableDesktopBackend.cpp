// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UnavailableDesktopBackend.h"

#include "platform/DesktopError.h"

#include <QCoreApplication>

QString UnavailableDesktopBackend::reason()
{
    return QCoreApplication::translate("UnavailableDesktopBackend", "no supported desktop was found. Lumivane sets wallpapers on GNOME, Unity, Budgie, "
                          "Pantheon, Cinnamon, MATE, KDE Plasma and Xfce, on sway, Hyprland (hyprpaper) and with "
                          "swww, on other X11 sessions with feh or xwallpaper, and elsewhere through the desktop "
                          "portal (xdg-desktop-portal)");
}

QCoro::Task<DesktopCapabilities> UnavailableDesktopBackend::capabilities()
{
    DesktopCapabilities c;
    c.desktopPicture = false;
    c.lockScreenPicture = false;
    c.desktopPictureNote = c.lockScreenNote = reason();
    co_return c;
}

QCoro::Task<void> UnavailableDesktopBackend::setDesktopImage(QString, DesktopScreen)
{
    throw DesktopError(reason());
    co_return;
}

QCoro::Task<void> UnavailableDesktopBackend::setLockScreenImage(QString)
{
    throw DesktopError(reason());
    co_return;
}
