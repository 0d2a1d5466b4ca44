// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Which window buttons the desktop puts on which side of a title bar, in its order. Buttons are
// named "minimize", "maximize" and "close"; anything else a desktop lists (menus, help, pins) has
// no counterpart in our window and is left out.
struct WindowButtonLayout
{
    QStringList left;
    QStringList right;

    bool operator==(const WindowButtonLayout &) const = default;

    // Minimise, maximise, close on the right: KDE's default and most desktops'.
    static WindowButtonLayout standard();
    // GTK's and GNOME's "left:right" form, e.g. "appmenu:minimize,maximize,close"; without a
    // colon every button is on the left.
    static WindowButtonLayout fromGtk(const QString &layout);
    // KWin's letters (ButtonsOnLeft / ButtonsOnRight): I minimise, A maximise, X close.
    static WindowButtonLayout fromKWin(const QString &onLeft, const QString &onRight);
    // The text of a kwinrc file; a key that is absent keeps KWin's default for its side.
    static WindowButtonLayout fromKWinConfig(const QByteArray &kwinrc);

    // The layout of the session we run in: KWin's configuration on KDE, GNOME's
    // button-layout setting on GNOME and its relatives, the standard one elsewhere.
    static WindowButtonLayout forDesktop(const QString &currentDesktop, const QString &configHome);
};
