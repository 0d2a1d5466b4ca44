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

namespace {
QDateTime dateFromParts(int year, int month, int day, int hour, int minute, int second, int msec, bool utc,
                        bool negative, int zoneHours, int zoneMinutes)
{
    const QDate date(year, month, day);
    const QTime time(hour, minute, second, msec);
    int offset = 0;
    bool zoneOk = true;
    if (!utc) {
        zoneOk = zoneHours <= 23 && zoneMinutes <= 59;
        offset = (zoneHours * 3600 + zoneMinutes * 60) * (negative ? -1 : 1);
    }
    if (date.isValid() && time.isValid() && zoneOk) {
        QDateTime result(date, time, Qt::OffsetFromUTC, offset);
        if (result.isValid())
            return result.toUTC();
    }
    return {};
}

// The same grammar as the pattern below, for text that is all ASCII (the service's own dates):
// there \d can only match ASCII digits, so both give the same answer, this one without a regex.
QDateTime asciiDate(const QString &text)
{
    const QChar *c = text.constData();
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto digits = [&](int count, int &out) {
        out = 0;
        for (int k = 0; k < count; ++k, ++i) {
            if (i >= n || c[i] < QLatin1Char('0') || c[i] > QLatin1Char('9'))
                return false;
            out = out * 10 + (c[i].unicode() - '0');
        }
        return true;
    };
    auto literal = [&](char ch) { return i < n && c[i] == QLatin1Char(ch) ? (++i, true) : false; };
    int year, month, day, hour, minute, second, msec = 0, zoneHours = 0, zoneMinutes = 0;
    if (!digits(4, year) || !literal('-') || !digits(2, month) || !literal('-') || !digits(2, day) || !literal('T') ||
        !digits(2, hour) || !literal(':') || !digits(2, minute) || !literal(':') || !digits(2, second))
        return QDateTime();
    if (literal('.')) {
        const qsizetype start = i;
        while (i < n && c[i] >= QLatin1Char('0') && c[i] <= QLatin1Char('9'))
            ++i;
        if (i == start)
            return QDateTime();
        for (qsizetype k = 0; k < 3; ++k) // milliseconds: the first three digits, padded
            msec = msec * 10 + (start + k < i ? c[start + k].unicode() - '0' : 0);
    }
    bool utc = false, negative = false;
    if (literal('Z')) {
        utc = true;
    } else if (i < n && (c[i] == QLatin1Char('+') || c[i] == QLatin1Char('-'))) {
        negative = c[i] == QLatin1Char('-');
        ++i;
        if (!digits(2, zoneHours) || !literal(':') || !digits(2, zoneMinutes))
            return QDateTime();
    } else {
        return QDateTime();
    }
    if (i != n)
        return QDateTime();
    return dateFromParts(year, month, day, hour, minute, second, msec, utc, negative, zoneHours, zoneMinutes);
}

bool isAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}
} // namespace

QDateTime decodeDate(const QString &text)
{
    QDateTime result;
    if (isAscii(text)) {
        result = asciiDate(text);
    } else {
        // Anchored at both ends: a plain '$' would also accept a trailing newline.
        static const QRegularExpression pattern(QRegularExpression::anchoredPattern(QStringLiteral(
            R"((\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2}):(\d{2})(?:\.(\d+))?(Z|[+-]\d{2}:\d{2}))")));
        const QRegularExpressionMatch match = pattern.match(text);
        if (match.hasMatch()) {
            int msec = 0;
            if (match.hasCaptured(7) && !match.captured(7).isEmpty())
                msec = (match.captured(7) + QStringLiteral("00")).left(3).toInt();
            const QString zone = match.captured(8);
            const bool utc = zone == QLatin1String("Z");
            result = dateFromParts(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(),
                                   match.captured(4).toInt(), match.captured(5).toInt(), match.captured(6).toInt(),
                                   msec, utc, !utc && zone[0] == QLatin1Char('-'), utc ? 0 : zone.mid(1, 2).toInt(),
                                   utc ? 0 : zone.mid(4, 2).toInt());
        }
    }
    if (!result.isValid())
        throw DecodingError(QStringLiteral("Invalid date: ") + text);
    return result;
}

std::optional<QJsonValue> member(const QJsonObject &object, const QString &key)
{
    const auto it = object.constFind(key);
    if (it == object.constEnd())
        return std::nullopt;
    return *it;
}

std::optional<JsonTree::Value> member(const JsonTree::Object &object, const QString &key)
{
    return object.find(key);
}

namespace {
[[noreturn]] void fail(const QString &message)
{
    throw DecodingError(message);
}

// The record rules below are written once for both readers: QJsonObject (keys converted by
// convertKeys) and JsonTree (keys converted as they are looked up).
template<typename O> auto present(const O &object, const QString &key)
{
    auto value = member(object, key);
    if (!value)
        fail(QStringLiteral("Missing key: ") + key);
    if (value->isNull())
        fail(QStringLiteral("Null value for required key: ") + key);
    return *value;
}

template<typename O> auto optionalValue(const O &object, const QString &key)
{
    auto value = member(object, key);
    if (value && (value->isNull() || value->isUndefined()))
        value.reset();
    return value;
}

[[noreturn]] void typeMismatch(const QString &key, const char *type)
{
    fail(QStringLiteral("Expected %1 for key: %2").arg(QLatin1String(type), key));
}

template<typename V> qint64 integerOf(const V &value, const QString &key, qint64 min, qint64 max)
{
    if (!value.isDouble())
        typeMismatch(key, "a number");
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::floor(number) != number || number < double(min) || number > double(max))
        typeMismatch(key, "an integer");
    return static_cast<qint64>(number);
}

template<typename V> QString stringOf(const V &value, const QString &key)
{
    if (!value.isString())
        typeMismatch(key, "a string");
    return value.toString();
}

template<typename V> auto objectOf(const V &value, const char *what)
{
    if (!value.isObject())
        fail(QStringLiteral("Expected an object for %1").arg(QLatin1String(what)));
    return value.toObject();
}

template<typename O> QString stringField(const O &object, const QString &key)
{
    return stringOf(present(object, key), key);
}

template<typename O> std::optional<QString> optionalStringField(const O &object, const QString &key)
{
    if (auto value = optionalValue(object, key))
        return stringOf(*value, key);
    return std::nullopt;
}

template<typename O> int intField(const O &object, const QString &key)
{
    return int(integerOf(present(object, key), key, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

template<typename O> qint64 int64Field(const O &object, const QString &key)
{
    // Doubles hold integers exactly up to 2^53.
    return integerOf(present(object, key), key, -(qint64(1) << 53), qint64(1) << 53);
}

template<typename O> std::optional<int> optionalIntField(const O &object, const QString &key)
{
    if (auto value = optionalValue(object, key))
        return int(integerOf(*value, key, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    return std::nullopt;
}

template<typename O> bool boolField(const O &object, const QString &key)
{
    const auto value = present(object, key);
    if (!value.isBool())
        typeMismatch(key, "a Boolean");
    return value.toBool();
}

template<typename O> QDateTime dateField(const O &object, const QString &key)
{
    return decodeDate(stringField(object, key));
}

template<typename O> std::optional<QDateTime> optionalDateField(const O &object, const QString &key)
{
    if (auto text = optionalStringField(object, key))
        return decodeDate(*text);
    return std::nullopt;
}

template<typename V> Category categoryOf(const V &value)
{
    const auto o = objectOf(value, "a category");
    Category::Fields f;
    f.id = stringField(o, QStringLiteral("id"));
    f.name = stringField(o, QStringLiteral("name"));
    f.slug = stringField(o, QStringLiteral("slug"));
    f.description = optionalStringField(o, QStringLiteral("description"));
    f.coverImageKey = optionalStringField(o, QStringLiteral("coverImageKey"));
    f.sortOrder = intField(o, QStringLiteral("sortOrder"));
    f.isActive = boolField(o, QStringLiteral("isActive"));
    f.wallpaperCount = optionalIntField(o, QStringLiteral("wallpaperCount"));
    f.createdAt = dateField(o, QStringLiteral("createdAt"));
    f.updatedAt = dateField(o, QStringLiteral("updatedAt"));
    return Category(std::move(f));
}

template<typename V> Wallpaper wallpaperOf(const V &value)
{
    const auto o = objectOf(value, "a wallpaper");
    Wallpaper::Fields f;
    f.id = stringField(o, QStringLiteral("id"));
    f.title = stringField(o, QStringLiteral("title"));
    f.description = optionalStringField(o, QStringLiteral("description"));
    f.fileKey = stringField(o, QStringLiteral("fileKey"));
    f.thumbnailKey = optionalStringField(o, QStringLiteral("thumbnailKey"));
    f.mediumKey = optionalStringField(o, QStringLiteral("mediumKey"));
    f.fullKey = optionalStringField(o, QStringLiteral("fullKey"));
    f.width = intField(o, QStringLiteral("width"));
    f.height = intField(o, QStringLiteral("height"));
    f.fileSize = int64Field(o, QStringLiteral("fileSize"));
    const QString format = stringField(o, QStringLiteral("format"));
    const auto parsedFormat = wallpaperFormatFromRawValue(format);
    if (!parsedFormat)
        fail(QStringLiteral("Unknown format: ") + format);
    f.format = *parsedFormat;
    f.isLive = boolField(o, QStringLiteral("isLive"));
    f.videoKey = optionalStringField(o, QStringLiteral("videoKey"));
    f.isFeatured = boolField(o, QStringLiteral("isFeatured"));
    f.featuredOrder = optionalIntField(o, QStringLiteral("featuredOrder"));
    const QString status = stringField(o, QStringLiteral("status"));
    const auto parsedStatus = wallpaperStatusFromRawValue(status);
    if (!parsedStatus)
        fail(QStringLiteral("Unknown status: ") + status);
    f.status = *parsedStatus;
    f.downloadCount = intField(o, QStringLiteral("downloadCount"));
    f.favoriteCount = intField(o, QStringLiteral("favoriteCount"));
    f.viewCount = intField(o, QStringLiteral("viewCount"));
    const auto tags = present(o, QStringLiteral("tags"));
    if (!tags.isArray())
        typeMismatch(QStringLiteral("tags"), "an array");
    const auto tagArray = tags.toArray();
    f.tags.reserve(tagArray.size());
    for (qsizetype i = 0; i < tagArray.size(); ++i)
        f.tags.append(stringOf(tagArray.at(i), QStringLiteral("tags")));
    if (auto category = optionalValue(o, QStringLiteral("category")))
        f.category = categoryOf(*category);
    f.createdAt = dateField(o, QStringLiteral("createdAt"));
    f.updatedAt = dateField(o, QStringLiteral("updatedAt"));
    f.deletedAt = optionalDateField(o, QStringLiteral("deletedAt"));
    f.uploadedById = optionalStringField(o, QStringLiteral("uploadedById"));
    f.categoryId = optionalStringField(o, QStringLiteral("categoryId"));
    return Wallpaper(std::move(f));
}

template<typename T, typename V, typename F> QList<T> listOf(const V &value, F decodeOne)
{
    if (!value.isArray())
        fail(QStringLiteral("Expected an array"));
    const auto array = value.toArray();
    QList<T> result;
    result.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i)
        result.append(decodeOne(array.at(i)));
    return result;
}
} // namespace

// Both readers get the same entry points; each is one instantiation of the rules above.
#define LUMIVANE_JSON_READERS(Value, Object)                                                                         \
    Object requireObject(const Value &value, const char *what) { return objectOf(value, what); }                    \
    QString requireString(const Object &object, const QString &key) { return stringField(object, key); }           \
    std::optional<QString> optionalString(const Object &object, const QString &key)                                 \
    {                                                                                                               \
        return optionalStringField(object, key);                                                                    \
    }                                                                                                               \
    int requireInt(const Object &object, const QString &key) { return intField(object, key); }                     \
    qint64 requireInt64(const Object &object, const QString &key) { return int64Field(object, key); }              \
    std::optional<int> optionalInt(const Object &object, const QString &key) { return optionalIntField(object, key); } \
    bool requireBool(const Object &object, const QString &key) { return boolField(object, key); }                  \
    QDateTime requireDate(const Object &object, const QString &key) { return dateField(object, key); }             \
    std::optional<QDateTime> optionalDate(const Object &object, const QString &key)                                 \
    {                                                                                                               \
        return optionalDateField(object, key);                                                                      \
    }                                                                                                               \
    Category decodeCategory(const Value &value) { return categoryOf(value); }                                      \
    Wallpaper decodeWallpaper(const Value &value) { return wallpaperOf(value); }                                   \
    QList<Wallpaper> decodeWallpaperList(const Value &value) { return listOf<Wallpaper>(value, wallpaperOf<Value>); } \
    QList<Category> decodeCategoryList(const Value &value) { return listOf<Category>(value, categoryOf<Value>); }

LUMIVANE_JSON_READERS(QJsonValue, QJsonObject)
LUMIVANE_JSON_READERS(JsonTree::Value, JsonTree::Object)
#undef LUMIVANE_JSON_READERS

} // namespace JsonDecoder
