// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Category.h"
#include "models/JsonTree.h"
#include "models/Wallpaper.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <optional>

// The strict decoder of the service's JSON. Keys are converted from snake_case before they are
// matched; required fields must be present, non-null and of their type; optional fields that are
// missing or null are absent; any failure throws DecodingError and fails the whole value.
namespace JsonDecoder {

// Parses a body; an empty or malformed body throws DecodingError.
QJsonDocument parse(const QByteArray &body);

// total_pages → totalPages; keys without an underscore are unchanged; leading and trailing
// underscores stay.
QString convertKey(const QString &key);
// The same, applied to every object at every depth. When two keys of one object convert to the
// same name, the key already spelt that way wins, else the one that sorts first.
QJsonValue convertKeys(const QJsonValue &value);
QJsonObject convertKeys(const QJsonObject &object);

// ISO 8601 internet date-time, with or without fractional seconds, zone "Z" or ±hh:mm.
// Anything else throws DecodingError("Invalid date: " + text).
QDateTime decodeDate(const QString &text);

// These expect objects whose keys are already converted (convertKeys), or a JsonTree, which
// converts them as they are looked up; both apply the same rules and give the same errors.
Wallpaper decodeWallpaper(const QJsonValue &value);
Category decodeCategory(const QJsonValue &value);
QList<Wallpaper> decodeWallpaperList(const QJsonValue &value);
QList<Category> decodeCategoryList(const QJsonValue &value);
Wallpaper decodeWallpaper(const JsonTree::Value &value);
Category decodeCategory(const JsonTree::Value &value);
QList<Wallpaper> decodeWallpaperList(const JsonTree::Value &value);
QList<Category> decodeCategoryList(const JsonTree::Value &value);

// The value under `key` (converted name), whatever it is, null included; nothing when absent.
std::optional<QJsonValue> member(const QJsonObject &object, const QString &key);
std::optional<JsonTree::Value> member(const JsonTree::Object &object, const QString &key);

// Field readers for other records built on the same rules.
QJsonObject requireObject(const QJsonValue &value, const char *what);
QString requireString(const QJsonObject &object, const QString &key);
std::optional<QString> optionalString(const QJsonObject &object, const QString &key);
int requireInt(const QJsonObject &object, const QString &key);
qint64 requireInt64(const QJsonObject &object, const QString &key);
std::optional<int> optionalInt(const QJsonObject &object, const QString &key);
bool requireBool(const QJsonObject &object, const QString &key);
QDateTime requireDate(const QJsonObject &object, const QString &key);
std::optional<QDateTime> optionalDate(const QJsonObject &object, const QString &key);
JsonTree::Object requireObject(const JsonTree::Value &value, const char *what);
QString requireString(const JsonTree::Object &object, const QString &key);
std::optional<QString> optionalString(const JsonTree::Object &object, const QString &key);
int requireInt(const JsonTree::Object &object, const QString &key);
qint64 requireInt64(const JsonTree::Object &object, const QString &key);
std::optional<int> optionalInt(const JsonTree::Object &object, const QString &key);
bool requireBool(const JsonTree::Object &object, const QString &key);
QDateTime requireDate(const JsonTree::Object &object, const QString &key);
std::optional<QDateTime> optionalDate(const JsonTree::Object &object, const QString &key);

} // namespace JsonDecoder
