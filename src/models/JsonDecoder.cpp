// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/JsonDecoder.h"

#include "models/AppError.h"

#include <QJsonParseError>
#include <QRegularExpression>
#include <QTimeZone>
#include <cmath>

namespace JsonDecoder {

QJsonDocument parse(const QByteArray &body)
{
    QJsonParseError error;
    QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        throw DecodingError(QStringLiteral("The data couldn't be read because it isn't in the correct format (%1)")
                                .arg(error.errorString()));
    return document;
}

QString convertKey(const QString &key)
{
    if (!key.contains(QLatin1Char('_')))
        return key;
    qsizetype first = 0;
    while (first < key.size() && key[first] == QLatin1Char('_'))
        ++first;
    if (first == key.size())
        return key; // only underscores
    qsizetype last = key.size() - 1;
    while (last > first && key[last] == QLatin1Char('_'))
        --last;
    const QStringList words = key.mid(first, last - first + 1).split(QLatin1Char('_'), Qt::SkipEmptyParts);
    QString result = key.left(first);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString word = words[i].toLower();
        if (i == 0)
            result += word;
        else
            result += word.left(1).toUpper() + word.mid(1);
    }
    result += key.mid(last + 1);
    return result;
}

QJsonValue convertKeys(const QJsonValue &value)
{
    if (value.isObject())
        return convertKeys(value.toObject());
    if (value.isArray()) {
        QJsonArray converted;
        const QJsonArray array = value.toArray();
        for (const QJsonValue &element : array)
            converted.append(convertKeys(element));
        return converted;
    }
    return value;
}

QJsonObject convertKeys(const QJsonObject &object)
{
    // Two keys can land on one name (file_key and fileKey, or file_key and file__key). The key
    // already spelt as the name wins; among converted keys the first in QJsonObject's order
    // (sorted by key) wins. So the result never depends on the order the service wrote them in.
    QJsonObject converted;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QString key = it.key();
        QString name = convertKey(key);
        const bool exact = name == key;
        if (!exact && converted.contains(name))
            continue;
        converted.insert(name, convertKeys(it.value()));
    }
    return converted;
}

QDateTime decodeDate(const QString &text)
{
    // Anchored at both ends: a plain '$' would also accept a trailing newline.
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(QStringLiteral(
        R"((\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2}):(\d{2})(?:\.(\d+))?(Z|[+-]\d{2}:\d{2}))")));
    const QRegularExpressionMatch match = pattern.match(text);
    if (match.hasMatch()) {
        const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
        int msec = 0;
        if (match.hasCaptured(7) && !match.captured(7).isEmpty())
            msec = (match.captured(7) + QStringLiteral("00")).left(3).toInt();
        const QTime time(match.captured(4).toInt(), match.captured(5).toInt(), match.captured(6).toInt(), msec);
        const QString zone = match.captured(8);
        int offset = 0;
        bool zoneOk = true;
        if (zone != QLatin1String("Z")) {
            const int hours = zone.mid(1, 2).toInt();
            const int minutes = zone.mid(4, 2).toInt();
            zoneOk = hours <= 23 && minutes <= 59;
            offset = (hours * 3600 + minutes * 60) * (zone[0] == QLatin1Char('-') ? -1 : 1);
        }
        if (date.isValid() && time.isValid() && zoneOk) {
            QDateTime result(date, time, Qt::OffsetFromUTC, offset);
            if (result.isValid())
                return result.toUTC();
        }
    }
    throw DecodingError(QStringLiteral("Invalid date: ") + text);
}

namespace {
[[noreturn]] void fail(const QString &message)
{
    throw DecodingError(message);
}

QJsonValue present(const QJsonObject &object, const QString &key)
{
    const auto it = object.constFind(key);
    if (it == object.constEnd())
        fail(QStringLiteral("Missing key: ") + key);
    if (it->isNull())
        fail(QStringLiteral("Null value for required key: ") + key);
    return *it;
}

std::optional<QJsonValue> optionalValue(const QJsonObject &object, const QString &key)
{
    const auto it = object.constFind(key);
    if (it == object.constEnd() || it->isNull() || it->isUndefined())
        return std::nullopt;
    return *it;
}

[[noreturn]] void typeMismatch(const QString &key, const char *type)
{
    fail(QStringLiteral("Expected %1 for key: %2").arg(QLatin1String(type), key));
}

qint64 integerOf(const QJsonValue &value, const QString &key, qint64 min, qint64 max)
{
    if (!value.isDouble())
        typeMismatch(key, "a number");
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::floor(number) != number || number < double(min) || number > double(max))
        typeMismatch(key, "an integer");
    return static_cast<qint64>(number);
}

QString stringOf(const QJsonValue &value, const QString &key)
{
    if (!value.isString())
        typeMismatch(key, "a string");
    return value.toString();
}
} // namespace

QJsonObject requireObject(const QJsonValue &value, const char *what)
{
    if (!value.isObject())
        fail(QStringLiteral("Expected an object for %1").arg(QLatin1String(what)));
    return value.toObject();
}

QString requireString(const QJsonObject &object, const QString &key)
{
    return stringOf(present(object, key), key);
}

std::optional<QString> optionalString(const QJsonObject &object, const QString &key)
{
    if (auto value = optionalValue(object, key))
        return stringOf(*value, key);
    return std::nullopt;
}

int requireInt(const QJsonObject &object, const QString &key)
{
    return int(integerOf(present(object, key), key, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

qint64 requireInt64(const QJsonObject &object, const QString &key)
{
    // Doubles hold integers exactly up to 2^53.
    return integerOf(present(object, key), key, -(qint64(1) << 53), qint64(1) << 53);
}

std::optional<int> optionalInt(const QJsonObject &object, const QString &key)
{
    if (auto value = optionalValue(object, key))
        return int(integerOf(*value, key, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    return std::nullopt;
}

bool requireBool(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = present(object, key);
    if (!value.isBool())
        typeMismatch(key, "a Boolean");
    return value.toBool();
}

QDateTime requireDate(const QJsonObject &object, const QString &key)
{
    return decodeDate(requireString(object, key));
}

std::optional<QDateTime> optionalDate(const QJsonObject &object, const QString &key)
{
    if (auto text = optionalString(object, key))
        return decodeDate(*text);
    return std::nullopt;
}

Category decodeCategory(const QJsonValue &value)
{
    const QJsonObject o = requireObject(value, "a category");
    Category::Fields f;
    f.id = requireString(o, QStringLiteral("id"));
    f.name = requireString(o, QStringLiteral("name"));
    f.slug = requireString(o, QStringLiteral("slug"));
    f.description = optionalString(o, QStringLiteral("description"));
    f.coverImageKey = optionalString(o, QStringLiteral("coverImageKey"));
    f.sortOrder = requireInt(o, QStringLiteral("sortOrder"));
    f.isActive = requireBool(o, QStringLiteral("isActive"));
    f.wallpaperCount = optionalInt(o, QStringLiteral("wallpaperCount"));
    f.createdAt = requireDate(o, QStringLiteral("createdAt"));
    f.updatedAt = requireDate(o, QStringLiteral("updatedAt"));
    return Category(std::move(f));
}

Wallpaper decodeWallpaper(const QJsonValue &value)
{
    const QJsonObject o = requireObject(value, "a wallpaper");
    Wallpaper::Fields f;
    f.id = requireString(o, QStringLiteral("id"));
    f.title = requireString(o, QStringLiteral("title"));
    f.description = optionalString(o, QStringLiteral("description"));
    f.fileKey = requireString(o, QStringLiteral("fileKey"));
    f.thumbnailKey = optionalString(o, QStringLiteral("thumbnailKey"));
    f.mediumKey = optionalString(o, QStringLiteral("mediumKey"));
    f.fullKey = optionalString(o, QStringLiteral("fullKey"));
    f.width = requireInt(o, QStringLiteral("width"));
    f.height = requireInt(o, QStringLiteral("height"));
    f.fileSize = requireInt64(o, QStringLiteral("fileSize"));
    const QString format = requireString(o, QStringLiteral("format"));
    const auto parsedFormat = wallpaperFormatFromRawValue(format);
    if (!parsedFormat)
        fail(QStringLiteral("Unknown format: ") + format);
    f.format = *parsedFormat;
    f.isLive = requireBool(o, QStringLiteral("isLive"));
    f.videoKey = optionalString(o, QStringLiteral("videoKey"));
    f.isFeatured = requireBool(o, QStringLiteral("isFeatured"));
    f.featuredOrder = optionalInt(o, QStringLiteral("featuredOrder"));
    const QString status = requireString(o, QStringLiteral("status"));
    const auto parsedStatus = wallpaperStatusFromRawValue(status);
    if (!parsedStatus)
        fail(QStringLiteral("Unknown status: ") + status);
    f.status = *parsedStatus;
    f.downloadCount = requireInt(o, QStringLiteral("downloadCount"));
    f.favoriteCount = requireInt(o, QStringLiteral("favoriteCount"));
    f.viewCount = requireInt(o, QStringLiteral("viewCount"));
    const QJsonValue tags = present(o, QStringLiteral("tags"));
    if (!tags.isArray())
        typeMismatch(QStringLiteral("tags"), "an array");
    const QJsonArray tagArray = tags.toArray();
    for (const QJsonValue &tag : tagArray)
        f.tags.append(stringOf(tag, QStringLiteral("tags")));
    if (auto category = optionalValue(o, QStringLiteral("category")))
        f.category = decodeCategory(*category);
    f.createdAt = requireDate(o, QStringLiteral("createdAt"));
    f.updatedAt = requireDate(o, QStringLiteral("updatedAt"));
    f.deletedAt = optionalDate(o, QStringLiteral("deletedAt"));
    f.uploadedById = optionalString(o, QStringLiteral("uploadedById"));
    f.categoryId = optionalString(o, QStringLiteral("categoryId"));
    return Wallpaper(std::move(f));
}

namespace {
template<typename T, typename F> QList<T> decodeList(const QJsonValue &value, F decodeOne)
{
    if (!value.isArray())
        fail(QStringLiteral("Expected an array"));
    const QJsonArray array = value.toArray();
    QList<T> result;
    result.reserve(array.size());
    for (const QJsonValue &element : array)
        result.append(decodeOne(element));
    return result;
}
} // namespace

QList<Wallpaper> decodeWallpaperList(const QJsonValue &value)
{
    return decodeList<Wallpaper>(value, decodeWallpaper);
}

QList<Category> decodeCategoryList(const QJsonValue &value)
{
    return decodeList<Category>(value, decodeCategory);
}

} // namespace JsonDecoder
