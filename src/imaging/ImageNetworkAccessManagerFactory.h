// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QQmlNetworkAccessManagerFactory>
#include <QString>

class QNetworkDiskCache;

// Gives every QML network access manager the same on-disk cache, so an image downloaded once
// is served from disk afterwards (Qt's pixmap cache keeps the decoded copies in memory).
class ImageNetworkAccessManagerFactory : public QQmlNetworkAccessManagerFactory
{
public:
    ImageNetworkAccessManagerFactory(QString cacheDirectory, qint64 maximumCacheSize);
    ~ImageNetworkAccessManagerFactory() override;

    QNetworkAccessManager *create(QObject *parent) override;

private:
    QNetworkDiskCache *m_cache;
    const QString m_cacheDirectory;
};
