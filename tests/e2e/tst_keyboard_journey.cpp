// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One journey through the real window with the keyboard alone (no mouse event), against a
// seeded reference service and GNOME's own settings store: search, open a wallpaper, favourite
// it, set it, open and close Settings, and no key reaching what lies behind an open sheet.
// Each screen is photographed with its focus ring into the build folder (keyboard-shots/).
#include "ItemTree.h"
#include "SeededService.h"
#include "WindowScript.h"
#include "WindowTestMain.h"
#include "app/LumivaneApp.h"
#include "DbusTestBus.h"
#include "models/Wallpaper.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <functional>
#include <memory>
#include <string>

Q_IMPORT_QML_PLUGIN(LumivanePlugin)

namespace {

using ItemTree::itemsWhere;
using ItemTree::reallyVisible;

// The sheet or alert (the popup's own item, in the window's overlay) that holds `item`.
QQuickItem *popupOf(QQuickItem *item)
{
    for (QQuickItem *at = item; at && at->parentItem(); at = at->parentItem())
        if (at->parentItem()->inherits("QQuickOverlay"))
            return at;
    return nullptr;
}

QString desktopPicture()
{
    QProcess gsettings;
    gsettings.start(QStringLiteral("gsettings"),
                    {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri")});
    gsettings.waitForFinished(10000);
    QString uri = QString::fromUtf8(gsettings.readAllStandardOutput()).trimmed();
    return QUrl(uri.mid(1, uri.size() - 2)).toLocalFile();
}

} // namespace

class KeyboardJourney : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void browseSearchOpenFavouriteSetAndSettingsByKeyboard();

private:
    QQuickItem *focused() const { return m_window->activeFocusItem(); }
    bool focusedIs(const QString &objectName) const { return focused() && focused()->objectName() == objectName; }
    QQuickItem *visibleNamed(const QString &objectName) const;
    static bool within(const QQuickItem *item, const QQuickItem *ancestor)
    {
        for (; item; item = item->parentItem())
            if (item == ancestor)
                return true;
        return false;
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    bool tabUntil(const std::function<bool()> &reached, int most = 80, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void shot(const QString &name);

    QTemporaryDir m_dir;
    SeededService m_service;
    QString m_base;
    std::unique_ptr<LumivaneApp> m_app;
    QQuickWindow *m_window = nullptr;
};

void KeyboardJourney::initTestCase()
{
    if (!SeededService::isBuilt())
        QSKIP("the reference service is not built");
    QVERIFY2(m_service.start(m_dir.filePath(QStringLiteral("catalogue"))), qPrintable(m_service.error()));
    m_base = m_service.base();
    m_service.exportToApp();
    // A picture of the size uploads need, where the file dialog opens.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QVERIFY(QDir().mkpath(pictures));
    QImage picture(2560, 1600, QImage::Format_RGB32);
    picture.fill(QColor(40, 90, 160));
    QVERIFY(picture.save(pictures + QStringLiteral("/Harbour.png")));
    QVERIFY(picture.save(pictures + QStringLiteral("/Island.png")));

    m_window = WindowScript::startApp(m_app);
    QVERIFY(m_window);
    m_window->requestActivate();
}

void KeyboardJourney::cleanupTestCase()
{
    m_window = nullptr;
    m_app.reset();
}

QQuickItem *KeyboardJourney::visibleNamed(const QString &objectName) const
{
    return itemsWhere(m_window->contentItem(), [&](QQuickItem *item) {
               return item->objectName() == objectName && reallyVisible(item);
           }).value(0);
}

void KeyboardJourney::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(m_window, key, modifiers);
    QTest::qWait(30);
}

bool KeyboardJourney::tabUntil(const std::function<bool()> &reached, int most, Qt::KeyboardModifiers modifiers)
{
    for (int i = 0; i < most; ++i) {
        if (reached())
            return true;
        key(Qt::Key_Tab, modifiers);
    }
    return reached();
}

void KeyboardJourney::shot(const QString &name)
{
    QTest::qWait(350); // fades and the focus ring's scroll settle
    const QString dir = qEnvironmentVariable("LUMIVANE_TEST_BINARY_DIR") + QStringLiteral("/keyboard-shots");
    QDir().mkpath(dir);
    m_window->grabWindow().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void KeyboardJourney::browseSearchOpenFavouriteSetAndSettingsByKeyboard()
{
    // Home: Tab reaches the cards of the category rows, and the card's "Set" and heart show
    // while it has the keyboard.
    QTRY_VERIFY_WITH_TIMEOUT(visibleNamed(QStringLiteral("categoryRow")) && visibleNamed(QStringLiteral("wallpaperCard")), 30000);
    QVERIFY(tabUntil([this] { return focusedIs(QStringLiteral("wallpaperCard")) && focused()->property("visualFocus").toBool(); }));
    QVERIFY(!itemsWhere(focused(), [](QQuickItem *i) { return i->objectName() == QLatin1String("cardSetButton") && reallyVisible(i); })
                 .isEmpty());
    shot(QStringLiteral("home"));

    // Explore: Ctrl+F lands in the search field; what is typed there searches.
    const QJsonArray rows = QJsonDocument::fromJson([this] {
        QNetworkAccessManager network;
        std::unique_ptr<QNetworkReply> reply(network.get(QNetworkRequest(QUrl(m_base + QStringLiteral("/api/wallpapers?limit=1")))));
        return QTest::qWaitFor([&] { return reply->isFinished(); }, 10000) ? reply->readAll() : QByteArray();
    }()).object().value(QStringLiteral("data")).toArray();
    QVERIFY(!rows.isEmpty());
    const QString word = rows.first().toObject().value(QStringLiteral("title")).toString().section(u' ', 0, 0);
    QVERIFY(!word.isEmpty());
    key(Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(focusedIs(QStringLiteral("searchField")));
    for (const QChar c : word)
        QTest::keyClick(m_window, c.toLatin1());
    QQuickItem *grid = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((grid = visibleNamed(QStringLiteral("exploreGrid")))
                                 && grid->property("count").toInt() > 0 && visibleNamed(QStringLiteral("wallpaperCard")),
                             20000);
    QQuickItem *search = focused();
    QVERIFY(tabUntil([this] { return focusedIs(QStringLiteral("wallpaperCard")); }));
    shot(QStringLiteral("explore"));
    QQuickItem *card = focused();
    const Wallpaper wallpaper = card->property("wallpaper").value<Wallpaper>();
    QVERIFY(!wallpaper.id().isEmpty());
    QVERIFY(!search->property("text").toString().isEmpty());

    // Enter opens the wallpaper; the sheet has the keyboard.
    key(Qt::Key_Return);
    QQuickItem *sheet = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((sheet = popupOf(visibleNamed(QStringLiteral("detailClose")))) != nullptr, 5000);
    QTRY_VERIFY(sheet->hasActiveFocus());

    // The heart, by Tab and Space.
    QVERIFY(tabUntil([this] { return focusedIs(QStringLiteral("favoriteButton")); }, 20));
    const QString heartBefore = focused()->property("symbol").toString();
    key(Qt::Key_Space);
    QTRY_VERIFY(focused()->property("symbol").toString() != heartBefore);
    QCOMPARE(focused()->property("symbol").toString(), QStringLiteral("heart.fill"));
    shot(QStringLiteral("detail"));

    // Set Desktop, by Shift+Tab and Enter; the alert takes the keyboard and Enter dismisses it.
    const QString before = desktopPicture();
    QVERIFY(tabUntil([this] { return focusedIs(QStringLiteral("setDesktopButton")); }, 20, Qt::ShiftModifier));
    key(Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(desktopPicture() != before && !desktopPicture().isEmpty(), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(visibleNamed(QStringLiteral("alertOK")) && focusedIs(QStringLiteral("alertOK")), 10000);
    key(Qt::Key_Return);
    QTRY_VERIFY(!visibleNamed(QStringLiteral("alertOK")));
    QVERIFY(visibleNamed(QStringLiteral("detailClose")));
    QTRY_VERIFY(sheet->hasActiveFocus());

    // Escape closes the sheet; the keyboard is back on the card.
    key(Qt::Key_Escape);
    QTRY_VERIFY(!visibleNamed(QStringLiteral("detailClose")));
    QTRY_VERIFY(focused() == card);

    // Settings by Ctrl+, : Space and Enter there do not open the card behind it.
    key(Qt::Key_Comma, Qt::ControlModifier);
    QTRY_VERIFY(visibleNamed(QStringLiteral("settingsClose")));
    QTRY_VERIFY(popupOf(visibleNamed(QStringLiteral("settingsClose")))->hasActiveFocus());
    key(Qt::Key_Space);
    key(Qt::Key_Return);
    QTest::qWait(300);
    QVERIFY2(!visibleNamed(QStringLiteral("detailClose")), "a key went to the card behind Settings");
    QVERIFY(tabUntil([this] { return focusedIs(QStringLiteral("settingsClose")); }, 30));
    shot(QStringLiteral("settings"));
    key(Qt::Key_Escape);
    QTRY_VERIFY(!visibleNamed(QStringLiteral("settingsClose")));
    QTRY_VERIFY(focused() == card);

    // Library by Ctrl+3 lists the favourite; Upload's controls are reached by Tab.
    key(Qt::Key_3, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(!itemsWhere(m_window->contentItem(), [&](QQuickItem *i) {
                                 return i->objectName() == QLatin1String("wallpaperCard") && reallyVisible(i)
                                     && i->property("wallpaper").value<Wallpaper>().id() == wallpaper.id();
                             }).isEmpty(),
                             20000);
    QVERIFY(tabUntil([this] { return focusedIs(QStringLiteral("libraryTabDownloads")); }, 20));
    shot(QStringLiteral("library"));
    QVERIFY(tabUntil([this] { return focusedIs(QStringLiteral("uploadButton")); }, 40));
    key(Qt::Key_Space);
    QTRY_VERIFY(visibleNamed(QStringLiteral("uploadView")));
    QVERIFY(tabUntil([this] { return focusedIs(QStringLiteral("selectFileButton")); }, 20));
    shot(QStringLiteral("upload"));

    // Space opens the file dialog on Pictures; its Open button takes the picture.
    key(Qt::Key_Space);
    QQuickItem *files = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((files = visibleNamed(QStringLiteral("fileDialogListView"))) && files->property("count").toInt() > 0, 10000);
    QVERIFY(tabUntil([&] { return within(focused(), files); }, 10));
    QCOMPARE(focused()->property("file").toUrl().fileName(), QStringLiteral("Harbour.png"));
    // Qt 6.4's dialog takes the highlighted file as chosen only once the highlight moves.
    const auto openButton = [this] {
        return itemsWhere(m_window->contentItem(), [](QQuickItem *i) {
                   return i->inherits("QQuickAbstractButton") && i->property("text").toString() == QLatin1String("Open") && reallyVisible(i);
               }).value(0);
    };
    key(Qt::Key_Down);
    key(Qt::Key_Up);
    QTRY_VERIFY(openButton() && openButton()->isEnabled());
    QVERIFY(tabUntil([&] { return focused() == openButton(); }, 10));
    key(Qt::Key_Space);
    QTRY_VERIFY_WITH_TIMEOUT(visibleNamed(QStringLiteral("dropPreview")), 10000);

    // The form by keys: a title, a category from its menu, then Upload.
    QVERIFY(tabUntil([this] { return focusedIs(QStringLiteral("titleField")); }, 20));
    for (const char c : std::string("Harbour at dusk"))
        QTest::keyClick(m_window, c);
    QVERIFY(tabUntil([this] { return focusedIs(QStringLiteral("categoryPicker")); }, 10));
    key(Qt::Key_Space);
    QTRY_VERIFY(!itemsWhere(m_window->contentItem(), [](QQuickItem *i) { return i->inherits("QQuickMenuItem") && reallyVisible(i); }).isEmpty());
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    QTRY_VERIFY(visibleNamed(QStringLiteral("categoryLabel"))->property("text").toString() != QLatin1String("Select category"));
    QQuickItem *form = visibleNamed(QStringLiteral("uploadForm"));
    QVERIFY(tabUntil([&] { return focusedIs(QStringLiteral("uploadButton")) && within(focused(), form); }, 10));
    key(Qt::Key_Space);

    // The service has it: My uploads, empty before, lists it.
    QTRY_VERIFY_WITH_TIMEOUT(visibleNamed(QStringLiteral("uploadsGrid")), 30000);
}

int main(int argc, char *argv[])
{
    return runWindowTest(argc, argv, [&](DbusTestBus &) {
        KeyboardJourney test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_keyboard_journey.moc"
