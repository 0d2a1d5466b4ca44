// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QString>

// Texts shared by the screens.
class Formatters : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    explicit Formatters(QObject *parent = nullptr);
    static Formatters *create(QQmlEngine *, QJSEngine *);

    // File-size text in decimal units: "Zero KB", "1 byte", "999 bytes", "1 KB", "2.5 MB",
    // "1.23 GB". KB without decimals, MB with one, GB and up with two, trailing zeros dropped;
    // a value that rounds up to 1000 of a unit is shown in the next one ("1 MB").
    static QString formatByteCount(qint64 bytes);
    // "3840 × 2160"
    static QString formatDimensions(int width, int height);

    Q_INVOKABLE QString byteCount(qint64 bytes) const { return formatByteCount(bytes); }
    Q_INVOKABLE QString dimensions(int width, int height) const { return formatDimensions(width, height); }
};
