// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopError.h"
#include "platform/DesktopScreen.h"

#include <QCoreApplication>
#include <QCoroTask>
#include <QString>

// What a backend can really do on the running desktop, so that nothing is offered (or
// downloaded) that the desktop would never show.
struct DesktopCapabilities
{
    bool desktopPicture = true;
    bool lockScreenPicture = true;
    bool perMonitor = false;       // a different picture on each monitor
    bool spanned = false;          // …by one picture across all monitors, composed by the caller
    QString desktopPictureNote;    // why there is no desktop picture, when there is none
    QString lockScreenNote;        // why there is no lock-screen picture, or what the desktop shows instead

    bool operator==(const DesktopCapabilities &) const = default;

    // The lock-screen note as a sentence of its own, for a label.
    QString lockScreenSentence() const
    {
        QString note = lockScreenNote; // written to go in the middle of a sentence
        if (!note.isEmpty())
            note[0] = note[0].toUpper();
        return note;
    }
};

// Sets the desktop and lock-screen picture, scaled to fill the screen and cropped. A mechanism
// with one picture for all monitors applies it whichever screen is named. Every
// operation reads the value back after writing and throws DesktopError (or the system's own
// error) when the picture did not take.
class DesktopBackend
{
public:
    virtual ~DesktopBackend() = default;

    // Short human name ("GNOME", "KDE Plasma", …), used in messages.
    virtual QString name() const = 0;

    // Everything, unless a backend says otherwise.
    virtual QCoro::Task<DesktopCapabilities> capabilities() { co_return DesktopCapabilities{}; }
    virtual QCoro::Task<void> setDesktopImage(QString filePath, DesktopScreen screen) = 0;
    // One picture as large as all monitors together, each monitor showing its part of it; only
    // where capabilities() says spanned.
    virtual QCoro::Task<void> setSpanningImage(QString filePath)
    {
        Q_UNUSED(filePath);
        throw DesktopError(QCoreApplication::translate("DesktopBackend", "%1 cannot span one picture across the monitors").arg(name()));
        co_return;
    }
    // Throws without changing anything when capabilities() says there is no lock-screen picture.
    virtual QCoro::Task<void> setLockScreenImage(QString filePath) = 0;
};
