// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LumivaneApp.h"
#include "models/JsonDecoder.h"

#include <QFontDatabase>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest>

Q_IMPORT_QML_PLUGIN(LumivanePlugin)

// Wallpapers for the sheets under test, made by the real decoder from service-shaped records.
class Fixtures : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    Q_INVOKABLE QVariant wallpaper(const QString &id, const QStringList &tags, bool withCategory,
                                   const QString &format = QStringLiteral("jpg")) const
    {
        QJsonObject record{
            {"id", id}, {"title", "Dunes " + id}, {"file_key", "walls/" + id + ".jpg"},
            {"thumbnail_key", "thumbs/" + id + ".jpg"}, {"medium_key", "medium/" + id + ".jpg"},
            {"full_key", "full/" + id + ".jpg"}, {"width", 3840}, {"height", 2160}, {"file_size", 123456},
            {"format", format}, {"is_live", false}, {"is_featured", false}, {"status", "approved"},
            {"download_count", 3}, {"favorite_count", 2}, {"view_count", 1},
            {"tags", QJsonArray::fromStringList(tags)},
            {"created_at", "2024-05-01T10:20:30Z"}, {"updated_at", "2024-05-01T10:20:30Z"}};
        if (withCategory)
            record.insert("category", QJsonObject{{"id", "c1"}, {"name", "Nature"}, {"slug", "nature"},
                                                  {"sort_order", 1}, {"is_active", true},
                                                  {"created_at", "2024-01-01T00:00:00Z"},
                                                  {"updated_at", "2024-01-01T00:00:00Z"}});
        return QVariant::fromValue(JsonDecoder::decodeWallpaper(JsonDecoder::convertKeys(record)));
    }

    // The address of a picture whose server takes the request and never answers.
    Q_INVOKABLE QString silentPicture(const QString &name)
    {
        if (!m_silent.isListening()) {
            m_silent.listen(QHostAddress::LocalHost);
            connect(&m_silent, &QTcpServer::newConnection, this, [this] {
                while (QTcpSocket *socket = m_silent.nextPendingConnection())
                    socket->setParent(this); // held open, unanswered
            });
        }
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_silent.serverPort()).arg(name);
    }

    // The address of a small picture on disk, which loads at once.
    Q_INVOKABLE QUrl quickPicture()
    {
        const QString file = m_files.filePath(QStringLiteral("quick.png"));
        if (!QFile::exists(file)) {
            QImage image(8, 8, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            image.save(file);
        }
        return QUrl::fromLocalFile(file);
    }

private:
    QTcpServer m_silent;
    QTemporaryDir m_files;
};

// Same start as the app: Basic style, the symbol font, the module reachable from the resources.
class ViewsTestSetup : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void applicationAvailable()
    {
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        LumivaneApp::loadIconFont();
    }
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        engine->addImportPath(QStringLiteral("qrc:/"));
        engine->rootContext()->setContextProperty(QStringLiteral("Fixtures"), new Fixtures(engine));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(tst_views, ViewsTestSetup)

#include "main.moc"
