// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Category.h"
#include "models/WallpaperFormat.h"
#include "models/WallpaperStatus.h"

#include <QDateTime>
#include <QHash>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

// A catalogue wallpaper. Immutable; equal and hashed by id alone. The image addresses are
// formed against the image host base URL (see ImageAddress.h).
class Wallpaper
{
    Q_GADGET
    Q_PROPERTY(QString id READ id CONSTANT)
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(QString description READ descriptionText CONSTANT)
    Q_PROPERTY(int width READ width CONSTANT)
    Q_PROPERTY(int height READ height CONSTANT)
    Q_PROPERTY(qint64 fileSize READ fileSize CONSTANT)
    Q_PROPERTY(QString format READ formatName CONSTANT)
    Q_PROPERTY(QString status READ statusName CONSTANT)
    Q_PROPERTY(bool isLive READ isLive CONSTANT)
    Q_PROPERTY(bool isFeatured READ isFeatured CONSTANT)
    Q_PROPERTY(int downloadCount READ downloadCount CONSTANT)
    Q_PROPERTY(int favoriteCount READ favoriteCount CONSTANT)
    Q_PROPERTY(int viewCount READ viewCount CONSTANT)
    Q_PROPERTY(QStringList tags READ tags CONSTANT)
    Q_PROPERTY(bool hasCategory READ hasCategory CONSTANT)
    Q_PROPERTY(QString categoryName READ categoryName CONSTANT)
    Q_PROPERTY(QUrl thumbnailURL READ thumbnailURL CONSTANT)
    Q_PROPERTY(QUrl previewURL READ previewURL CONSTANT)
    Q_PROPERTY(QUrl fullImageURL READ fullImageURL CONSTANT)
    Q_PROPERTY(bool isValid READ isValid CONSTANT)

public:
    struct Fields {
        QString id;
        QString title;
        std::optional<QString> description;
        QString fileKey;
        std::optional<QString> thumbnailKey;
        std::optional<QString> mediumKey;
        std::optional<QString> fullKey;
        int width = 0;
        int height = 0;
        qint64 fileSize = 0;
        WallpaperFormat format = WallpaperFormat::jpg;
        bool isLive = false;
        std::optional<QString> videoKey;
        bool isFeatured = false;
        std::optional<int> featuredOrder;
        WallpaperStatus status = WallpaperStatus::pending;
        int downloadCount = 0;
        int favoriteCount = 0;
        int viewCount = 0;
        QStringList tags;
        std::optional<Category> category;
        QDateTime createdAt;
        QDateTime updatedAt;
        std::optional<QDateTime> deletedAt;
        std::optional<QString> uploadedById;
        std::optional<QString> categoryId;

        // Every field; the record's own == compares ids only.
        friend bool operator==(const Fields &, const Fields &) = default;
    };

    Wallpaper() = default; // an empty, invalid wallpaper (QML and containers need one)
    explicit Wallpaper(Fields fields)
        : m(std::move(fields))
    {
    }

    const QString &id() const { return m.id; }
    const QString &title() const { return m.title; }
    const std::optional<QString> &description() const { return m.description; }
    QString descriptionText() const { return m.description.value_or(QString()); }
    const QString &fileKey() const { return m.fileKey; }
    const std::optional<QString> &thumbnailKey() const { return m.thumbnailKey; }
    const std::optional<QString> &mediumKey() const { return m.mediumKey; }
    const std::optional<QString> &fullKey() const { return m.fullKey; }
    int width() const { return m.width; }
    int height() const { return m.height; }
    qint64 fileSize() const { return m.fileSize; }
    WallpaperFormat format() const { return m.format; }
    QString formatName() const { return rawValue(m.format); }
    bool isLive() const { return m.isLive; }
    const std::optional<QString> &videoKey() const { return m.videoKey; }
    bool isFeatured() const { return m.isFeatured; }
    const std::optional<int> &featuredOrder() const { return m.featuredOrder; }
    WallpaperStatus status() const { return m.status; }
    QString statusName() const { return rawValue(m.status); }
    int downloadCount() const { return m.downloadCount; }
    int favoriteCount() const { return m.favoriteCount; }
    int viewCount() const { return m.viewCount; }
    const QStringList &tags() const { return m.tags; }
    const std::optional<Category> &category() const { return m.category; }
    bool hasCategory() const { return m.category.has_value(); }
    QString categoryName() const { return m.category ? m.category->name() : QString(); }
    const QDateTime &createdAt() const { return m.createdAt; }
    const QDateTime &updatedAt() const { return m.updatedAt; }
    const std::optional<QDateTime> &deletedAt() const { return m.deletedAt; }
    const std::optional<QString> &uploadedById() const { return m.uploadedById; }
    const std::optional<QString> &categoryId() const { return m.categoryId; }
    bool isValid() const { return !m.id.isEmpty(); }
    const Fields &fields() const { return m; }

    // Image addresses against the image host base URL; an empty QUrl means "no address".
    QUrl thumbnailURL() const;
    QUrl previewURL() const;   // medium, else thumbnail
    QUrl fullImageURL() const; // full, else medium

    friend bool operator==(const Wallpaper &a, const Wallpaper &b) { return a.m.id == b.m.id; }
    friend bool operator!=(const Wallpaper &a, const Wallpaper &b) { return !(a == b); }

private:
    Fields m;
};

inline size_t qHash(const Wallpaper &w, size_t seed = 0) { return qHash(w.id(), seed); }

template<> struct std::hash<Wallpaper> {
    size_t operator()(const Wallpaper &w) const noexcept { return qHash(w.id()); }
};

Q_DECLARE_METATYPE(Wallpaper)
