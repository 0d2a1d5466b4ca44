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
