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
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QSettings>
#include <QStandardPaths>

#include <fontconfig/fontconfig.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// The file of an installed font of exactly this family in `config` (the current one when null),
// as fontconfig knows it; empty when none.
QString installedFontFile(FcConfig *config, const char *family)
{
    FcPattern *pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, family, nullptr);
    FcObjectSet *properties = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet *fonts = FcFontList(config, pattern, properties);
    QString file;
    FcChar8 *path = nullptr;
    if (fonts && fonts->nfont > 0 && FcPatternGetString(fonts->fonts[0], FC_FILE, 0, &path) == FcResultMatch)
        file = QString::fromUtf8(reinterpret_cast<const char *>(path));
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(properties);
    FcPatternDestroy(pattern);
    return file;
}

// The icon font's file. Its package installs it as TrueType, WOFF and WOFF2, and Qt draws with
// the copy it registers last, the WOFF2. FreeType unpacks a WOFF whole into memory (350 KB, with
// Brotli's code for WOFF2) where it reads a TrueType file in place, a page at a time. So where
// the TrueType copy is there, the user's fontconfig setup is loaded with one rule more that
// passes the packed copies by. Done before Qt first asks fontconfig for its fonts, in which case
// Qt sees the same setup; should Qt ask first, it keeps the plain setup and nothing else changes.
QString iconFontFile()
{
    static constexpr char family[] = "Material Icons";
    static constexpr char rule[] = R"(<?xml version="1.0"?>
<fontconfig><selectfont><rejectfont>
<glob>*/MaterialIcons-*.woff</glob><glob>*/MaterialIcons-*.woff2</glob>
</rejectfont></selectfont></fontconfig>)";
    if (FcConfig *config = FcInitLoadConfig()) {
        if (FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8 *>(rule), FcFalse)
            && FcConfigBuildFonts(config)) {
            if (QString file = installedFontFile(config, family); !file.isEmpty()) {
                FcConfigSetCurrent(config); // kept for the life of the process
                return file;
            }
        }
        FcConfigDestroy(config);
    }
    return installedFontFile(nullptr, family);
}

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
    // Reading the symbol font (and fontconfig's setup, which its lookup brings) takes a few
    // milliseconds; it happens beside the engine's first work, and is done before the window is.
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
    const QString file = iconFontFile();
    return !file.isEmpty() && QFontDatabase::addApplicationFont(file) >= 0;
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
