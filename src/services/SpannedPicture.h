// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoroTask>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

// One picture across every monitor, for desktops that keep a single picture for all of them
// ("spanned"): each monitor's rectangle shows its own picture scaled to cover it and centred
// (as "zoom" does), and whatever lies between monitors is black.
namespace SpannedPicture {

struct Part
{
    QRect rect;   // the monitor, in device pixels
    QString file; // the picture it shows
};

// Larger than this on a side is refused: the picture alone would take a gigabyte.
inline constexpr int maximumSide = 16384;

// Why no picture can span these monitors (no places known, or too large), or nothing.
QString refusal(const QList<Part> &parts);

// The composed picture, as large as the monitors' bounding box. Throws WallpaperError when a
// picture does not decode or the monitors span more than maximumSide.
QImage compose(const QList<Part> &parts);

// Composes on a worker thread and writes the result into `directory` under a name never used
// before (a desktop may not re-read a file whose name it already shows), atomically. Returns
// its path.
QCoro::Task<QString> write(QList<Part> parts, QString directory);

// Removes the composed pictures in `directory` other than `keep`.
void removeOthers(const QString &directory, const QString &keep);

} // namespace SpannedPicture
