// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/AppConfig.h"

#include <QObject>
#include <QUrl>
#include <future>
#include <memory>

class QQmlApplicationEngine;
class AppState;
class ImageNetworkAccessManagerFactory;

// The application object: configures the image cache, binds the shared state and opens the one
// window whose root is MainContentView.
class LumivaneApp : public QObject
{
    Q_OBJECT

public:
    // Size limit of the on-disk image cache (500 MiB).
    static constexpr qint64 imageDiskCacheBytes = AppConfig::imageDiskCacheBytes;

    explicit LumivaneApp(QObject *parent = nullptr);
    ~LumivaneApp() override;

    // Loads the QML window; false when it could not be created.
    bool start(const QUrl &mainQml = QUrl(QStringLiteral("qrc:/Lumivane/views/Main.qml")));

    QQmlApplicationEngine &engine() const { return *m_engine; }
    AppState &appState() const { return *m_appState; }

    // Folder of the image cache; deliberately outside the Lumivane cache folder that Settings
    // measures and clears.
    static QString imageCacheDirectory();

    // Makes the symbol font ("Lumivane Symbols", compiled in) known to Qt.
    static bool loadIconFont();

private:
    AppState *m_appState;
    // The engine does not own its factory; it must outlive the engine, hence declared first.
    std::unique_ptr<ImageNetworkAccessManagerFactory> m_imageFactory;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    std::future<void> m_iconFont;
};
