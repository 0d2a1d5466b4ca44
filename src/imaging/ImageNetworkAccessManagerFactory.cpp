// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/ImageNetworkAccessManagerFactory.h"

#include "imaging/ImageNetworkAccessManager.h"

#include <QNetworkDiskCache>
#include <QMutex>
#include <QMutexLocker>

namespace {
QRecursiveMutex cacheMutex;

// A QNetworkDiskCache may be used by one manager at a time, but QML creates a manager per
// thread (image loading runs on worker threads). Each manager therefore gets a thin cache
// that forwards to the shared one under a lock.
// The shared cache takes its folder on first use, on the thread that loads the first picture:
// taking it makes the folder and its sixteen subfolders, which on a first start cost the window
// several milliseconds before it could show anything.
class SharedCache : public QAbstractNetworkCache
{
    template<typename F> auto locked(F &&f) const
    {
        QMutexLocker lock(&cacheMutex);
        if (m_cache->cacheDirectory().isEmpty())
            m_cache->setCacheDirectory(*m_directory);
        return f();
    }

public:
    SharedCache(QNetworkDiskCache *cache, const QString *directory, QObject *parent)
        : QAbstractNetworkCache(parent)
        , m_cache(cache)
        , m_directory(directory)
    {
    }
    QNetworkCacheMetaData metaData(const QUrl &url) override { return locked([&] { return m_cache->metaData(url); }); }
    void updateMetaData(const QNetworkCacheMetaData &md) override { locked([&] { m_cache->updateMetaData(md); return 0; }); }
    QIODevice *data(const QUrl &url) override { return locked([&] { return m_cache->data(url); }); }
    bool remove(const QUrl &url) override { return locked([&] { return m_cache->remove(url); }); }
    qint64 cacheSize() const override { return locked([&] { return m_cache->cacheSize(); }); }
    QIODevice *prepare(const QNetworkCacheMetaData &md) override { return locked([&] { return m_cache->prepare(md); }); }
    void insert(QIODevice *device) override { locked([&] { m_cache->insert(device); return 0; }); }
    void clear() override { locked([&] { m_cache->clear(); return 0; }); }

private:
    QNetworkDiskCache *m_cache;
    const QString *m_directory;
};
} // namespace

ImageNetworkAccessManagerFactory::ImageNetworkAccessManagerFactory(QString cacheDirectory, qint64 maximumCacheSize)
    : m_cache(new QNetworkDiskCache)
    , m_cacheDirectory(std::move(cacheDirectory))
{
    m_cache->setMaximumCacheSize(maximumCacheSize);
}

ImageNetworkAccessManagerFactory::~ImageNetworkAccessManagerFactory()
{
    delete m_cache;
}

QNetworkAccessManager *ImageNetworkAccessManagerFactory::create(QObject *parent)
{
    auto *manager = new ImageNetworkAccessManager(parent);
    manager->setCache(new SharedCache(m_cache, &m_cacheDirectory, manager));
    return manager;
}
