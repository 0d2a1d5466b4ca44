// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LumivaneApp.h"

#include "AppState.h"
#include "ImageNetworkAccessManagerFactory.h"

#include <QFontDatabase>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickStyle>
#include <QStandardPaths>

namespace {
const char *const iconFontPath = "/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf";
}

LumivaneApp::LumivaneApp(QObject *parent)
    : QObject(parent)
    , m_appState(&AppState::shared())
    , m_engine(std::make_unique<QQmlApplicationEngine>())
{
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    QFontDatabase::addApplicationFont(QString::fromLatin1(iconFontPath));
    // Our module lives at qrc:/Lumivane; without this the engine only finds its qmldir when the
    // build folder happens to sit beside the executable, and every screen in a subfolder of
    // views/ is then "not a type".
    m_engine->addImportPath(QStringLiteral("qrc:/"));
    m_engine->setNetworkAccessManagerFactory(
        new ImageNetworkAccessManagerFactory(imageCacheDirectory(), imageDiskCacheBytes));
}

LumivaneApp::~LumivaneApp() = default;

QString LumivaneApp::imageCacheDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/lumivane-images");
}

bool LumivaneApp::start(const QUrl &mainQml)
{
    m_engine->load(mainQml);
    return !m_engine->rootObjects().isEmpty();
}
