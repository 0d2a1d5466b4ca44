// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/AppConfig.h"

#include <QObject>
#include <QQmlEngine>

// The fixed sizes of AppConfig for the screens, so the QML does not repeat the numbers.
class AppConfigQml : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(AppConfig)
    QML_SINGLETON
    Q_PROPERTY(int minWindowWidth READ minWindowWidth CONSTANT)
    Q_PROPERTY(int minWindowHeight READ minWindowHeight CONSTANT)
    Q_PROPERTY(int defaultWindowWidth READ defaultWindowWidth CONSTANT)
    Q_PROPERTY(int defaultWindowHeight READ defaultWindowHeight CONSTANT)
    Q_PROPERTY(int heroHeight READ heroHeight CONSTANT)
    Q_PROPERTY(int settingsSheetWidth READ settingsSheetWidth CONSTANT)
    Q_PROPERTY(int settingsSheetHeight READ settingsSheetHeight CONSTANT)
    Q_PROPERTY(int uploadContentWidth READ uploadContentWidth CONSTANT)
    Q_PROPERTY(int uploadImageHeight READ uploadImageHeight CONSTANT)

public:
    using QObject::QObject;

    static int minWindowWidth() { return AppConfig::minWindowWidth; }
    static int minWindowHeight() { return AppConfig::minWindowHeight; }
    static int defaultWindowWidth() { return AppConfig::defaultWindowWidth; }
    static int defaultWindowHeight() { return AppConfig::defaultWindowHeight; }
    static int heroHeight() { return AppConfig::heroHeight; }
    static int settingsSheetWidth() { return AppConfig::settingsSheetWidth; }
    static int settingsSheetHeight() { return AppConfig::settingsSheetHeight; }
    static int uploadContentWidth() { return AppConfig::uploadContentWidth; }
    static int uploadImageHeight() { return AppConfig::uploadImageHeight; }
};
