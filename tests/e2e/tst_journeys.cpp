// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Journeys a person takes through the real window, against a seeded reference service and the
// real GNOME settings store (GSettings with its keyfile backend, read back with `gsettings`):
// clicks and hovers go to the window, and what is checked is what the person sees or gets.
#include "ItemTree.h"
#include "SeededService.h"
#include "WindowScript.h"
#include "WindowTestMain.h"
#include "app/LumivaneApp.h"
#include "DbusTestBus.h"
#include "models/Wallpaper.h"

#include <QAbstractItemModel>
#include <QDirIterator>
#include <QFont>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QUrlQuery>
#include <QtQml/qqmlextensionplugin.h>

#include <functional>
#include <memory>

Q_IMPORT_QML_PLUGIN(LumivanePlugin)

namespace {

using ItemTree::itemsWhere;
using ItemTree::reallyVisible;

QPoint centreOf(QQuickItem *item)
{
    return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
}

// A filled heart anywhere in `item` (the icon is a glyph named "heart.fill").
bool showsFilledHeart(QQuickItem *item)
{
    return !itemsWhere(item, [](QQuickItem *i) {
                return i->property("name").toString() == QLatin1String("heart.fill")
                    || i->property("symbol").toString() == QLatin1String("heart.fill");
            }).isEmpty();
}

// The file's bytes, or a marker no served picture equals when it cannot be read.
QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable: " + path.toUtf8() + '>';
}

QString wallpaperIdOf(QQuickItem *card)
{
    return card->property("wallpaper").value<Wallpaper>().id();
}

} // namespace

class Journeys : public QObject
{
    Q_OBJECT

public:
    explicit Journeys(DbusTestBus &) {}

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void freshStartShowsEachCardsOwnThumbnail();
    void twoWallpapersInARowEachReachTheDesktop();
    void anApplyOutlivesTheSheetClosedAtOnce();
    void heartsFollowClicksAndOutliveARestart();
    void clearCacheKeepsTheDesktopPictureAndMeasuresHonestly();
    void exploreFilterSortAndPagingShowExactlyTheServicesList();
    void everyVisibleTextGoesThroughTranslation();

private:
    void startApp();
    void stopApp();
    QList<QQuickItem *> visible(const QString &objectName) const;
    QQuickItem *waitForVisible(const QString &objectName, int timeoutMs = 20000);
    QQuickItem *textItem(const QString &text) const;
    void click(QQuickItem *item);
    void hover(QQuickItem *item);
    void scrollIntoView(QQuickItem *item);
    void goTo(const QString &tab);
    void dismissAlert();
    QList<QQuickItem *> homeCards(int count);

    QByteArray served(const QUrl &url);
    QJsonArray api(const QString &path, const QUrlQuery &query = {});
    QString desktopPicture() const;
    bool waitForDesktopPicture(const QString &notThis, QString *path, int timeoutMs = 30000) const;

    QTemporaryDir m_dir;
    SeededService m_service;
    QString m_base;
    QNetworkAccessManager m_network;
    std::unique_ptr<LumivaneApp> m_app;
    QQuickWindow *m_window = nullptr;
};

void Journeys::initTestCase()
{
    if (!SeededService::isBuilt())
        QSKIP("the reference service is not built");
    QVERIFY(m_dir.isValid());
    QVERIFY2(m_service.start(m_dir.filePath(QStringLiteral("catalogue"))), qPrintable(m_service.error()));
    m_base = m_service.base();
    m_service.exportToApp();
    startApp();
}

void Journeys::cleanupTestCase()
{
    stopApp();
}

void Journeys::startApp()
{
    m_window = WindowScript::startApp(m_app);
    QVERIFY(m_window);
}

void Journeys::stopApp()
{
    m_window = nullptr;
    m_app.reset();
    QTest::qWait(50); // deferred deletes
}

QList<QQuickItem *> Journeys::visible(const QString &objectName) const
{
    return itemsWhere(m_window->contentItem(),
                      [&](QQuickItem *item) { return item->objectName() == objectName && reallyVisible(item); });
}

QQuickItem *Journeys::waitForVisible(const QString &objectName, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QList<QQuickItem *> found = visible(objectName);
        if (!found.isEmpty())
            return found.first();
        QTest::qWait(50);
    }
    qWarning("nothing named %s became visible", qPrintable(objectName));
    return nullptr;
}

QQuickItem *Journeys::textItem(const QString &text) const
{
    const QList<QQuickItem *> found = itemsWhere(m_window->contentItem(), [&](QQuickItem *item) {
        return item->property("text").toString() == text && reallyVisible(item);
    });
    return found.value(0);
}

void Journeys::scrollIntoView(QQuickItem *item)
{
    // What a person does with the wheel: move the nearest scrolling parent until the item shows.
    for (QQuickItem *at = item->parentItem(); at; at = at->parentItem()) {
        if (!at->inherits("QQuickFlickable"))
            continue;
        const QRectF inView = item->mapRectToItem(at, QRectF(0, 0, item->width(), item->height()));
        const bool vertical = at->property("contentHeight").toReal() > at->height();
        if (vertical && (inView.top() < 0 || inView.bottom() > at->height())) {
            const qreal y = at->property("contentY").toReal() + inView.center().y() - at->height() / 2;
            const qreal most = at->property("contentHeight").toReal() - at->height();
            at->setProperty("contentY", qBound(0.0, y, most));
            QTest::qWait(100);
        }
    }
}

void Journeys::click(QQuickItem *item)
{
    QVERIFY(item);
    scrollIntoView(item);
    QTest::mouseMove(m_window, centreOf(item));
    QTest::qWait(20);
    QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centreOf(item));
    QTest::qWait(50);
}

void Journeys::hover(QQuickItem *item)
{
    scrollIntoView(item);
    const QPoint centre = centreOf(item);
    QTest::mouseMove(m_window, centre + QPoint(-4, 0));
    QTest::qWait(30);
    QTest::mouseMove(m_window, centre);
    QTest::qWait(350); // the hover parts fade in
}

// "Wallpaper Set" and the like wait for OK, as a person gives it.
void Journeys::dismissAlert()
{
    if (QQuickItem *ok = waitForVisible(QStringLiteral("alertOK"), 5000))
        click(ok);
}

void Journeys::goTo(const QString &tab)
{
    click(waitForVisible(QStringLiteral("pill") + tab));
}

// The first `count` cards of the Home rows, once they have their wallpapers.
QList<QQuickItem *> Journeys::homeCards(int count)
{
    QList<QQuickItem *> cards;
    QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        cards = itemsWhere(m_window->contentItem(), [](QQuickItem *item) {
            return item->objectName() == QLatin1String("wallpaperCard") && item->isVisible() && !wallpaperIdOf(item).isEmpty();
        });
        if (cards.size() >= count)
            return cards.mid(0, count);
        QTest::qWait(100);
    }
    return cards;
}

QByteArray Journeys::served(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::HttpPipeliningAllowedAttribute, false);
    std::unique_ptr<QNetworkReply> reply(m_network.get(request));
    if (!QTest::qWaitFor([&] { return reply->isFinished(); }, 20000) || reply->error() != QNetworkReply::NoError)
        return {};
    return reply->readAll();
}

QJsonArray Journeys::api(const QString &path, const QUrlQuery &query)
{
    QUrl url(m_base + QStringLiteral("/api") + path);
    url.setQuery(query);
    return QJsonDocument::fromJson(served(url)).object().value(QStringLiteral("data")).toArray();
}

// The picture GNOME shows, read back the way GNOME reads it.
QString Journeys::desktopPicture() const
{
    QProcess gsettings;
    gsettings.start(QStringLiteral("gsettings"),
                    {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri")});
    gsettings.waitForFinished(10000);
    QString uri = QString::fromUtf8(gsettings.readAllStandardOutput()).trimmed();
    uri = uri.mid(1, uri.size() - 2); // GVariant text form: 'file:///…'
    return QUrl(uri).toLocalFile();
}

bool Journeys::waitForDesktopPicture(const QString &notThis, QString *path, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        *path = desktopPicture();
        if (!path->isEmpty() && *path != notThis)
            return true;
        QTest::qWait(100);
    }
    return false;
}

void Journeys::freshStartShowsEachCardsOwnThumbnail()
{
    // Every card and strip thumbnail that loaded is, in the image cache, the bytes the service
    // serves at its own address (pipelined image requests once filed answers under wrong ones).
    const QList<QQuickItem *> cards = homeCards(6);
    QVERIFY(cards.size() >= 6);
    QList<QQuickItem *> images;
    QTRY_VERIFY_WITH_TIMEOUT((images = itemsWhere(m_window->contentItem(),
                                                  [](QQuickItem *item) {
                                                      return item->inherits("QQuickImage")
                                                          && item->property("status").toInt() == 1 /* Ready */
                                                          && item->property("source").toUrl().path().contains(
                                                              QLatin1String("/images/"));
                                                  }),
                              images.size() >= 12),
                             30000);
    QTest::qWait(500); // the cache files are written after the answers
    QNetworkDiskCache cache;
    cache.setCacheDirectory(LumivaneApp::imageCacheDirectory());
    int compared = 0;
    for (QQuickItem *image : std::as_const(images)) {
        QUrl url = image->property("source").toUrl();
        if (url.scheme() == QLatin1String("image")) // image://remote/crop/<address>
            url = QUrl(url.toString().section(u'/', 4));
        std::unique_ptr<QIODevice> cached(cache.data(url));
        if (!cached)
            continue;
        QVERIFY2(cached->readAll() == served(url), qPrintable(url.toString()));
        ++compared;
    }
    QVERIFY2(compared >= 6, qPrintable(QString::number(compared)));
}

void Journeys::twoWallpapersInARowEachReachTheDesktop()
{
    const QList<QQuickItem *> cards = homeCards(3);
    QVERIFY(cards.size() >= 3);
    const Wallpaper first = cards[0]->property("wallpaper").value<Wallpaper>();
    const Wallpaper second = cards[2]->property("wallpaper").value<Wallpaper>();
    QVERIFY(first.id() != second.id());

    // From the detail sheet.
    const QString before = desktopPicture();
    click(cards[0]);
    click(waitForVisible(QStringLiteral("setDesktopButton")));
    QString shown;
    QVERIFY(waitForDesktopPicture(before, &shown));
    QTRY_VERIFY_WITH_TIMEOUT(visible(QStringLiteral("applyingPill")).isEmpty(), 30000);
    QCOMPARE(bytesOf(shown), served(first.fullImageURL()));
    dismissAlert();
    click(waitForVisible(QStringLiteral("detailClose")));
    QTRY_VERIFY(visible(QStringLiteral("detailClose")).isEmpty() && visible(QStringLiteral("setDesktopButton")).isEmpty());

    // From a card's own "Set", shown under the pointer.
    hover(cards[2]);
    const QList<QQuickItem *> setButtons = itemsWhere(cards[2], [](QQuickItem *item) {
        return item->objectName() == QLatin1String("cardSetButton") && reallyVisible(item);
    });
    QVERIFY(!setButtons.isEmpty());
    QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centreOf(setButtons.first()));
    QString shownNext;
    QVERIFY2(waitForDesktopPicture(shown, &shownNext), "the desktop kept the first picture's path");
    QCOMPARE(bytesOf(shownNext), served(second.fullImageURL()));
}

void Journeys::anApplyOutlivesTheSheetClosedAtOnce()
{
    const QList<QQuickItem *> cards = homeCards(5);
    QVERIFY(cards.size() >= 5);
    const Wallpaper picked = cards[4]->property("wallpaper").value<Wallpaper>();
    const QString before = desktopPicture();
    click(cards[4]);
    QQuickItem *set = waitForVisible(QStringLiteral("setDesktopButton"));
    QQuickItem *close = waitForVisible(QStringLiteral("detailClose"));
    QVERIFY(set && close);
    scrollIntoView(set);
    // Both presses before the loopback download can end (it takes a few milliseconds).
    QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centreOf(set));
    QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centreOf(close));
    QTRY_VERIFY(visible(QStringLiteral("setDesktopButton")).isEmpty());
    QString shown;
    QVERIFY2(waitForDesktopPicture(before, &shown), "closing the sheet cancelled the apply");
    QCOMPARE(bytesOf(shown), served(picked.fullImageURL()));
}

void Journeys::heartsFollowClicksAndOutliveARestart()
{
    QList<QQuickItem *> cards = homeCards(2);
    QVERIFY(cards.size() >= 2);
    QQuickItem *card = cards[1];
    const QString cardId = wallpaperIdOf(card);
    hover(card);
    QList<QQuickItem *> hearts = itemsWhere(card, [](QQuickItem *item) {
        return item->objectName() == QLatin1String("cardHeart") && reallyVisible(item);
    });
    QVERIFY(!hearts.isEmpty());
    const bool wasFavourite = showsFilledHeart(hearts.first());
    QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centreOf(hearts.first()));
    QTRY_COMPARE_WITH_TIMEOUT(showsFilledHeart(hearts.first()), !wasFavourite, 2000);
    if (wasFavourite) { // make it a favourite again, for the Library below
        QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centreOf(hearts.first()));
        QTRY_VERIFY_WITH_TIMEOUT(showsFilledHeart(hearts.first()), 2000);
    }

    QQuickItem *hero = waitForVisible(QStringLiteral("hero"));
    QVERIFY(hero);
    QQuickItem *heroHeart = waitForVisible(QStringLiteral("heroHeart"));
    QVERIFY(heroHeart);
    const QString heroId = hero->property("currentId").toString();
    QVERIFY(!heroId.isEmpty());
    const bool heroWasFavourite = showsFilledHeart(heroHeart);
    click(heroHeart);
    QTRY_COMPARE_WITH_TIMEOUT(showsFilledHeart(heroHeart), !heroWasFavourite, 2000);

    // The Library lists both after a restart.
    stopApp();
    startApp();
    goTo(QStringLiteral("Library"));
    QSet<QString> listed;
    const QSet<QString> wanted = heroWasFavourite ? QSet<QString>{cardId} : QSet<QString>{cardId, heroId};
    QTRY_VERIFY_WITH_TIMEOUT((listed.clear(),
                              [&] {
                                  for (QQuickItem *c : visible(QStringLiteral("wallpaperCard")))
                                      listed.insert(wallpaperIdOf(c));
                              }(),
                              listed.contains(wanted)),
                             20000);
    goTo(QStringLiteral("Home"));
}

void Journeys::clearCacheKeepsTheDesktopPictureAndMeasuresHonestly()
{
    const QString shown = desktopPicture();
    QVERIFY2(QFile::exists(shown), "a picture was applied by the journeys before");
    // What the app keeps: its cache folder and the image loader's cache (wherever that lives).
    const auto onDisk = [] {
        QSet<QString> files;
        for (const QString &dir : {QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/Lumivane"),
                                   LumivaneApp::imageCacheDirectory()}) {
            QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext())
                files.insert(QFileInfo(it.next()).canonicalFilePath());
        }
        qint64 bytes = 0;
        for (const QString &file : files)
            bytes += QFileInfo(file).size();
        return bytes;
    };
    const auto shownBytes = [this] {
        QQuickItem *row = waitForVisible(QStringLiteral("cacheSizeRow"));
        const QString text = row ? row->property("value").toString() : QString();
        if (text == QLatin1String("Zero KB"))
            return qint64(0);
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("([\\d.,]+)\\s*(bytes|KB|MB|GB)")).match(text);
        const double units[] = {1, 1e3, 1e6, 1e9};
        const int unit = QStringList{QStringLiteral("bytes"), QStringLiteral("KB"), QStringLiteral("MB"), QStringLiteral("GB")}
                             .indexOf(m.captured(2));
        return m.hasMatch() && unit >= 0 ? qint64(QString(m.captured(1)).remove(u',').toDouble() * units[unit]) : qint64(-1);
    };
    const auto honest = [](qint64 shownSize, qint64 real) {
        return shownSize >= 0 && qAbs(shownSize - real) <= qMax<qint64>(real / 10, 64 * 1024);
    };

    click(waitForVisible(QStringLiteral("settingsButton")));
    QVERIFY(waitForVisible(QStringLiteral("cacheSizeRow")));
    QTRY_VERIFY2_WITH_TIMEOUT(honest(shownBytes(), onDisk()),
                              qPrintable(QStringLiteral("shown %1, on disk %2").arg(shownBytes()).arg(onDisk())), 5000);
    click(textItem(QStringLiteral("Clear Cache")));
    if (QQuickItem *confirm = textItem(QStringLiteral("Clear")))
        click(confirm);
    QTRY_VERIFY_WITH_TIMEOUT(onDisk() < 1024 * 1024 || honest(shownBytes(), onDisk()), 5000);
    QVERIFY2(QFile::exists(shown), "Clear Cache removed the picture the desktop shows");
    QCOMPARE(desktopPicture(), shown);
    QTRY_VERIFY2_WITH_TIMEOUT(honest(shownBytes(), onDisk()),
                              qPrintable(QStringLiteral("shown %1, on disk %2").arg(shownBytes()).arg(onDisk())), 5000);
    click(waitForVisible(QStringLiteral("settingsClose")));
    QTRY_VERIFY(visible(QStringLiteral("settingsClose")).isEmpty() && visible(QStringLiteral("cacheSizeRow")).isEmpty());
}

void Journeys::exploreFilterSortAndPagingShowExactlyTheServicesList()
{
    const QJsonArray categories = api(QStringLiteral("/categories"));
    QVERIFY(!categories.isEmpty());
    // The category with the most wallpapers, so that paging happens.
    QJsonObject category = categories.first().toObject();
    for (const QJsonValue &c : categories)
        if (c.toObject().value(QStringLiteral("wallpaper_count")).toInt() > category.value(QStringLiteral("wallpaper_count")).toInt())
            category = c.toObject();
    const QString categoryId = category.value(QStringLiteral("id")).toString();

    goTo(QStringLiteral("Explore"));
    QQuickItem *grid = waitForVisible(QStringLiteral("exploreGrid"));
    QVERIFY(grid);
    click(waitForVisible(QStringLiteral("chip_") + categoryId));
    click(textItem(QStringLiteral("Popular")));

    QStringList expected;
    for (int page = 1;; ++page) {
        const QJsonArray rows = api(QStringLiteral("/wallpapers"),
                                    QUrlQuery{{QStringLiteral("category_id"), categoryId}, {QStringLiteral("sort"), QStringLiteral("popular")},
                                              {QStringLiteral("page"), QString::number(page)}, {QStringLiteral("limit"), QStringLiteral("100")}});
        for (const QJsonValue &row : rows)
            expected.append(row.toObject().value(QStringLiteral("id")).toString());
        if (rows.size() < 100)
            break;
    }
    QVERIFY(!expected.isEmpty());

    auto *model = qvariant_cast<QAbstractItemModel *>(grid->property("model"));
    QVERIFY(model);
    const auto ids = [model] {
        QStringList out;
        const int role = model->roleNames().key("wallpaperId", -1);
        for (int row = 0; row < model->rowCount(); ++row)
            out.append(model->index(row, 0).data(role).toString());
        return out;
    };
    // Scroll to the end, as far as the grid pages.
    QDeadlineTimer deadline(40000);
    while (ids().size() < expected.size() && !deadline.hasExpired()) {
        grid->setProperty("contentY", qMax(0.0, grid->property("contentHeight").toReal() - grid->height()));
        QTest::qWait(150);
    }
    QTest::qWait(500); // nothing more arrives
    QCOMPARE(ids(), expected);
    goTo(QStringLiteral("Home"));
}

void Journeys::everyVisibleTextGoesThroughTranslation()
{
    // The window in a pseudo-language where every text the program marks for translation reads
    // ⟦…⟧: a visible text with words outside the brackets escaped translation, unless the words
    // are the catalogue's own (titles, names, descriptions, tags).
    const QString qm = qEnvironmentVariable("LUMIVANE_TEST_PSEUDO_TRANSLATION");
    if (!QFile::exists(qm))
        QSKIP("the pseudo-translation is not built");
    stopApp();
    QTranslator pseudo;
    QVERIFY(pseudo.load(qm));
    QCoreApplication::installTranslator(&pseudo);
    const auto restore = qScopeGuard([&] {
        QCoreApplication::removeTranslator(&pseudo);
        stopApp();
        startApp();
    });
    startApp();

    QStringList data;
    QUrlQuery everything;
    everything.addQueryItem(QStringLiteral("limit"), QStringLiteral("100"));
    for (const QJsonValue &w : api(QStringLiteral("/wallpapers"), everything)) {
        const QJsonObject o = w.toObject();
        data << o.value(QStringLiteral("title")).toString() << o.value(QStringLiteral("description")).toString();
        for (const QJsonValue &tag : o.value(QStringLiteral("tags")).toArray())
            data << tag.toString();
    }
    for (const QJsonValue &c : api(QStringLiteral("/categories"))) {
        data << c.toObject().value(QStringLiteral("name")).toString()
             << c.toObject().value(QStringLiteral("description")).toString();
    }
    // The program's name and file formats' names are not translated.
    data << QStringLiteral("Lumivane") << QStringLiteral("JPG") << QStringLiteral("PNG") << QStringLiteral("HEIC");
    data.removeAll(QString());
    // Longest first, so a title is removed whole before a tag inside it.
    std::sort(data.begin(), data.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });

    const QRegularExpression bracketed(QStringLiteral("⟦[^⟧]*⟧"));
    const QRegularExpression word(QStringLiteral("\\p{L}{2,}"));
    QSet<QString> escaped;
    const auto look = [&](const QString &where) {
        QTest::qWait(600); // texts that arrive with the screen's data
        const QList<QQuickItem *> texts = itemsWhere(m_window->contentItem(), [](QQuickItem *item) {
            return (item->inherits("QQuickText") || item->inherits("QQuickTextInput") || item->inherits("QQuickTextEdit"))
                && reallyVisible(item);
        });
        for (QQuickItem *item : texts) {
            if (item->property("font").value<QFont>().family() == QLatin1String("Lumivane Symbols"))
                continue; // icon glyphs
            for (const char *property : {"text", "placeholderText"}) {
                QString text = item->property(property).toString();
                text.remove(bracketed);
                for (const QString &own : std::as_const(data))
                    text.remove(own);
                if (word.match(text).hasMatch())
                    escaped.insert(where + QStringLiteral(": \"") + item->property(property).toString() + u'"');
            }
        }
    };

    QVERIFY(homeCards(4).size() >= 4);
    look(QStringLiteral("Home"));
    click(homeCards(1).value(0));
    QVERIFY(waitForVisible(QStringLiteral("setDesktopButton")));
    look(QStringLiteral("detail sheet"));
    QTest::keyClick(m_window, Qt::Key_Escape);
    if (QQuickItem *close = visible(QStringLiteral("detailClose")).value(0))
        click(close);
    for (const QString &tab : {QStringLiteral("Explore"), QStringLiteral("Library")}) {
        goTo(tab);
        look(tab);
    }
    click(waitForVisible(QStringLiteral("uploadButton")));
    look(QStringLiteral("Upload"));
    click(waitForVisible(QStringLiteral("settingsButton")));
    look(QStringLiteral("Settings"));
    QVERIFY2(escaped.isEmpty(), qPrintable(QStringList(escaped.begin(), escaped.end()).join(QLatin1Char('\n'))));
}

int main(int argc, char *argv[])
{
    return runWindowTest(argc, argv, [&](DbusTestBus &bus) {
        Journeys test(bus);
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_journeys.moc"
