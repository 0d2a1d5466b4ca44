// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GSettingsDesktopBackend.h"

#include "platform/DesktopError.h"
#include "platform/Gio.h"

#include <QCoreApplication>
#include <QFile>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct GObjectDeleter
{
    void operator()(gpointer object) const { gio()->g_object_unref(object); }
};
using SettingsPtr = std::unique_ptr<GSettings, GObjectDeleter>;

struct SchemaDeleter
{
    void operator()(GSettingsSchema *schema) const { gio()->g_settings_schema_unref(schema); }
};
using SchemaPtr = std::unique_ptr<GSettingsSchema, SchemaDeleter>;

// GIO, or a DesktopError saying it is missing.
const Gio &requireGio()
{
    if (const Gio *found = gio())
        return *found;
    throw DesktopError(QCoreApplication::translate("GSettingsDesktopBackend", "GIO (libgio-2.0.so.0) could not be opened"));
}

// Null where the schema is not installed, or GIO is missing (nothing can be read then either).
SchemaPtr lookupSchema(const QString &schema)
{
    const Gio *g = gio();
    GSettingsSchemaSource *source = g ? g->g_settings_schema_source_get_default() : nullptr;
    if (!source)
        return nullptr;
    return SchemaPtr(g->g_settings_schema_source_lookup(source, schema.toUtf8().constData(), TRUE));
}

QString fileUri(const QString &path)
{
    const Gio &g = requireGio();
    gchar *uri = g.g_filename_to_uri(QFile::encodeName(path).constData(), nullptr, nullptr);
    if (!uri)
        throw DesktopError(QCoreApplication::translate("GSettingsDesktopBackend", "%1 is not an absolute path").arg(path));
    const QString result = QString::fromUtf8(uri);
    g.g_free(uri);
    return result;
}

} // namespace

GSettingsDesktopBackend::Flavour GSettingsDesktopBackend::gnome()
{
    Flavour f = gnomeCompatible(u"GNOME"_s);
    f.lockScreenNote = QT_TRANSLATE_NOOP("GSettingsDesktopBackend",
                                         "GNOME 3.36 and later show the desktop picture, blurred, on the lock "
                                         "screen; set this wallpaper as the desktop picture to see it there");
    return f;
}

GSettingsDesktopBackend::Flavour GSettingsDesktopBackend::gnomeCompatible(const QString &name)
{
    Flavour f;
    f.name = name;
    f.schema = u"org.gnome.desktop.background"_s;
    f.pictureKeys = {u"picture-uri"_s, u"picture-uri-dark"_s};
    f.lockSchema = u"org.gnome.desktop.screensaver"_s;
    f.lockKey = u"picture-uri"_s;
    return f;
}

GSettingsDesktopBackend::Flavour GSettingsDesktopBackend::cinnamon()
{
    Flavour f;
    f.name = u"Cinnamon"_s;
    f.schema = u"org.cinnamon.desktop.background"_s;
    f.pictureKeys = {u"picture-uri"_s, u"picture-uri-dark"_s};
    f.lockScreenNote = QT_TRANSLATE_NOOP("GSettingsDesktopBackend", "Cinnamon shows the desktop picture on its lock screen");
    return f;
}

GSettingsDesktopBackend::Flavour GSettingsDesktopBackend::mate()
{
    Flavour f;
    f.name = u"MATE"_s;
    f.schema = u"org.mate.background"_s;
    f.pictureKeys = {u"picture-filename"_s};
    f.keysTakeUri = false;
    // Checked with mate-screensaver 1.26: the locked screen stays blank, whatever its
    // picture-filename key holds.
    f.lockScreenNote = QT_TRANSLATE_NOOP("GSettingsDesktopBackend", "MATE's screensaver shows a blank screen when locked, not a picture");
    return f;
}

GSettingsDesktopBackend::GSettingsDesktopBackend(Flavour flavour)
    : m_flavour(std::move(flavour))
{
}

bool GSettingsDesktopBackend::schemaInstalled(const QString &schema)
{
    return lookupSchema(schema) != nullptr;
}

std::optional<QString> GSettingsDesktopBackend::readString(const QString &schema, const QString &key)
{
    SchemaPtr found = lookupSchema(schema);
    if (!found) // so GIO is there
        return std::nullopt;
    const Gio &g = *gio();
    const QByteArray keyName = key.toUtf8();
    if (!g.g_settings_schema_has_key(found.get(), keyName.constData()))
        return std::nullopt;
    SettingsPtr settings(g.g_settings_new_full(found.get(), nullptr, nullptr));
    gchar *value = g.g_settings_get_string(settings.get(), keyName.constData());
    QString result = QString::fromUtf8(value);
    g.g_free(value);
    return result;
}

void GSettingsDesktopBackend::writeChecked(const QString &schema, const QString &key, const QString &value) const
{
    const Gio &g = requireGio();
    SchemaPtr found = lookupSchema(schema);
    if (!found)
        throw DesktopError(QCoreApplication::translate("GSettingsDesktopBackend", "the settings schema %1 is not installed").arg(schema));
    const QByteArray keyName = key.toUtf8();
    if (!g.g_settings_schema_has_key(found.get(), keyName.constData()))
        throw DesktopError(QCoreApplication::translate("GSettingsDesktopBackend", "the settings schema %1 has no key %2").arg(schema, key));

    SettingsPtr settings(g.g_settings_new_full(found.get(), nullptr, nullptr));
    const QByteArray bytes = value.toUtf8();
    if (!g.g_settings_is_writable(settings.get(), keyName.constData()))
        throw DesktopError(QCoreApplication::translate("GSettingsDesktopBackend", "the setting %1 %2 is locked").arg(schema, key));
    if (!g.g_settings_set_string(settings.get(), keyName.constData(), bytes.constData()))
        throw DesktopError(QCoreApplication::translate("GSettingsDesktopBackend", "the setting %1 %2 could not be written").arg(schema, key));

    gchar *stored = g.g_settings_get_string(settings.get(), keyName.constData());
    const bool took = stored && bytes == stored;
    g.g_free(stored);
    if (!took)
        throw DesktopError(QCoreApplication::translate("GSettingsDesktopBackend", "the setting %1 %2 did not keep the new picture").arg(schema, key));
}

void GSettingsDesktopBackend::writePicture(const QString &filePath, const QString &options) const
{
    const QString value = m_flavour.keysTakeUri ? fileUri(filePath) : filePath;
    for (const QString &key : m_flavour.pictureKeys) {
        // picture-uri-dark exists from GNOME 42 on; older schemas simply lack it.
        if (key.endsWith(QLatin1String("-dark"))) {
            SchemaPtr found = lookupSchema(m_flavour.schema);
            if (found && !gio()->g_settings_schema_has_key(found.get(), key.toUtf8().constData()))
                continue;
        }
        writeChecked(m_flavour.schema, key, value);
    }
    writeChecked(m_flavour.schema, u"picture-options"_s, options);
    // dconf sends writes to its service in the background: a program that exits right after
    // (the --set-wallpaper command) would otherwise lose them while reporting success.
    requireGio().g_settings_sync();
}

QCoro::Task<void> GSettingsDesktopBackend::setDesktopImage(QString filePath, DesktopScreen)
{
    writePicture(filePath, u"zoom"_s);
    co_return;
}

QCoro::Task<void> GSettingsDesktopBackend::setSpanningImage(QString filePath)
{
    writePicture(filePath, u"spanned"_s);
    co_return;
}

QCoro::Task<DesktopCapabilities> GSettingsDesktopBackend::capabilities()
{
    DesktopCapabilities c;
    if (m_flavour.lockScreenNote)
        c.lockScreenNote = QCoreApplication::translate("GSettingsDesktopBackend", m_flavour.lockScreenNote);
    c.lockScreenPicture = !m_flavour.lockScreenNote && !m_flavour.lockSchema.isEmpty()
                          && schemaInstalled(m_flavour.lockSchema);
    if (!c.lockScreenPicture && c.lockScreenNote.isEmpty())
        c.lockScreenNote = QCoreApplication::translate("GSettingsDesktopBackend", "the settings schema %1 is not installed").arg(m_flavour.lockSchema);
    if (SchemaPtr found = lookupSchema(m_flavour.schema)) {
        // A picture per monitor by laying one composed picture across them all.
        c.perMonitor = c.spanned = gio()->g_settings_schema_has_key(found.get(), "picture-options");
    } else {
        c.desktopPicture = false;
        c.desktopPictureNote = QCoreApplication::translate("GSettingsDesktopBackend", "the settings schema %1 is not installed").arg(m_flavour.schema);
    }
    co_return c;
}

QCoro::Task<void> GSettingsDesktopBackend::setLockScreenImage(QString filePath)
{
    // A desktop that never shows the key gets nothing written: a failure leaves no trace.
    const DesktopCapabilities can = co_await capabilities();
    if (!can.lockScreenPicture)
        throw DesktopError(can.lockScreenNote);
    writeChecked(m_flavour.lockSchema, m_flavour.lockKey, fileUri(filePath));
    requireGio().g_settings_sync();
}
