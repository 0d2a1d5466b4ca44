// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QHash>
#include <QMetaType>
#include <QString>
#include <optional>

// A catalogue category. Immutable; equal and hashed by id alone.
class Category
{
    Q_GADGET
    Q_PROPERTY(QString id READ id CONSTANT)
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(QString slug READ slug CONSTANT)
    Q_PROPERTY(QString description READ descriptionText CONSTANT)
    Q_PROPERTY(int sortOrder READ sortOrder CONSTANT)
    Q_PROPERTY(bool isActive READ isActive CONSTANT)
    Q_PROPERTY(bool isValid READ isValid CONSTANT)

public:
    struct Fields {
        QString id;
        QString name;
        QString slug;
        std::optional<QString> description;
        std::optional<QString> coverImageKey;
        int sortOrder = 0;
        bool isActive = false;
        std::optional<int> wallpaperCount;
        QDateTime createdAt;
        QDateTime updatedAt;

        // Every field; the record's own == compares ids only.
        friend bool operator==(const Fields &, const Fields &) = default;
    };

    Category() = default; // an empty, invalid category (QML and containers need one)
    explicit Category(Fields fields)
        : m(std::move(fields))
    {
    }

    const QString &id() const { return m.id; }
    const QString &name() const { return m.name; }
    const QString &slug() const { return m.slug; }
    const std::optional<QString> &description() const { return m.description; }
    QString descriptionText() const { return m.description.value_or(QString()); }
    const std::optional<QString> &coverImageKey() const { return m.coverImageKey; }
    int sortOrder() const { return m.sortOrder; }
    bool isActive() const { return m.isActive; }
    const std::optional<int> &wallpaperCount() const { return m.wallpaperCount; }
    const QDateTime &createdAt() const { return m.createdAt; }
    const QDateTime &updatedAt() const { return m.updatedAt; }
    bool isValid() const { return !m.id.isEmpty(); }
    const Fields &fields() const { return m; }

    friend bool operator==(const Category &a, const Category &b) { return a.m.id == b.m.id; }
    friend bool operator!=(const Category &a, const Category &b) { return !(a == b); }

private:
    Fields m;
};

inline size_t qHash(const Category &c, size_t seed = 0) { return qHash(c.id(), seed); }

template<> struct std::hash<Category> {
    size_t operator()(const Category &c) const noexcept { return qHash(c.id()); }
};

Q_DECLARE_METATYPE(Category)
