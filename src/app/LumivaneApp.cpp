// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LumivaneApp.h"

#include "config/PreferenceKeys.h"
#include "config/SettingsStore.h"
#include "imaging/ImageNetworkAccessManagerFactory.h"
#include "imaging/RemotePictureProvider.h"
#include "models/AppError.h"
#include "services/AutoChangeSchedule.h"
#include "viewmodels/SettingsViewModel.h"
#include "viewmodels/AppState.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QSettings>
#include <QStandardPaths>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// glibc raises its mmap threshold each time a large block is freed, so after the first few
// decoded thumbnails every later one lands inside a malloc arena, and the arena keeps the freed
// pages: paging a grid of pictures then leaves tens of megabytes resident that nothing uses.
// With a fixed threshold each decoded picture is its own mapping, given back when it goes, and
// a low trim threshold gives back what the small allocations free at the top of the heap.
void keepFreedMemoryFromStaying()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 64 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
#endif
}

} // namespace

LumivaneApp::LumivaneApp(QObject *parent)
    : QObject(parent)
    , m_appState(&AppState::shared())
    , m_imageFactory(std::make_unique<ImageNetworkAccessManagerFactory>(imageCacheDirectory(), imageDiskCacheBytes))
    , m_engine(std::make_unique<QQmlApplicationEngine>())
{
    keepFreedMemoryFromStaying();
    // The controls we do not draw ourselves take our palette in the Basic style, whatever style
    // the desktop asks for (Plasma names its own). Named through the environment, which the
    // controls module reads when a screen first uses it, rather than through QQuickStyle: that
    // would link the module, and its templates, into every start for Home, which uses neither.
    qputenv("QT_QUICK_CONTROLS_STYLE", "Basic");
    // Text drawn without hinting, as the OpenGL renderer draws it from distance fields: the
    // software renderer then draws the same letters, and spares FreeType's interpreter of each
    // font's hinting programs.
    QFont font = QGuiApplication::font();
    font.setHintingPreference(QFont::PreferNoHinting);
    QGuiApplication::setFont(font);
    // Adding the symbol font reads fontconfig's setup, which takes a few milliseconds; it happens
    // beside the engine's first work, and is done before the window is.
    m_iconFont = std::async(std::launch::async, [] { loadIconFont(); });
    // Our module lives at qrc:/Lumivane; without this the engine only finds its qmldir when the
    // build folder happens to sit beside the executable, and every screen in a subfolder of
    // views/ is then "not a type".
    m_engine->addImportPath(QStringLiteral("qrc:/"));
    m_engine->setNetworkAccessManagerFactory(m_imageFactory.get());
    m_engine->addImageProvider(QStringLiteral("remote"), new RemotePictureProvider(*m_imageFactory));
    SettingsViewModel::setDefaultSchedule(&AutoChangeSchedule::shared());
    {
        // Returns at once; a failure shows in the Settings sheet, which tries again when it opens.
        const QSettings &settings = SettingsStore::shared();
        const int minutes = settings.value(PreferenceKeys::changeIntervalMinutes, 0).toInt();
        AutoChangeSchedule::shared().ensure(settings.value(PreferenceKeys::autoChangeWallpaper, false).toBool(),
                                            minutes > 0 ? minutes : PreferenceKeys::defaultChangeIntervalMinutes);
    }
    // A user manager started before the desktop may run the timer without knowing the desktop.
    const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    if (!desktop.isEmpty() && SettingsStore::shared().value(PreferenceKeys::sessionDesktop).toString() != desktop) {
        SettingsStore::shared().setValue(PreferenceKeys::sessionDesktop, desktop);
        SettingsStore::shared().sync();
    }
}

LumivaneApp::~LumivaneApp() = default;

bool LumivaneApp::loadIconFont()
{
    // Every platform plugin then has it, the offscreen one too (it reads no system fonts).
    return QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LumivaneSymbols.ttf")) >= 0;
}

QString LumivaneApp::imageCacheDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u'/'
        + AppConfig::imageCacheFolderName;
}

bool LumivaneApp::start(const QUrl &mainQml)
{
    m_engine->load(mainQml);
    // The window draws no symbol before its first frame, and its content comes after that.
    if (m_iconFont.valid())
        m_iconFont.wait();
    return !m_engine->rootObjects().isEmpty();
}
