// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QUrl>
#include <memory>

class QQmlApplicationEngine;
class AppState;

// The application object: configures the image cache, binds the shared state and opens the one
// window whose root is MainContentView.
class LumivaneApp : public QObject
{
    Q_OBJECT

public:
    // Size limit of the on-disk image cache (500 MiB).
    static constexpr qint64 imageDiskCacheBytes = 524'288'000;

    explicit LumivaneApp(QObject *parent = nullptr);
    ~LumivaneApp() override;

    // Loads the QML window; false when it could not be created.
    bool start(const QUrl &mainQml = QUrl(QStringLiteral("qrc:/Lumivane/views/Main.qml")));

    QQmlApplicationEngine &engine() const { return *m_engine; }
    AppState &appState() const { return *m_appState; }

    // Folder of the image cache; deliberately outside the Lumivane cache folder that Settings
    // measures and clears.
    static QString imageCacheDirectory();

    // Makes the symbol font ("Material Icons", Debian's fonts-material-design-icons-iconfont)
    // known to Qt; false when it is not installed.
    static bool loadIconFont();

private:
    AppState *m_appState;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
};
