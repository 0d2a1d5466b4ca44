#include "GSettingsDesktopBackend.h"

#include "DesktopError.h"


#include <gio/gio.h>

#include <QFile>

#include <memory>

namespace {

struct GObjectDeleter
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
using SettingsPtr = std::unique_ptr<GSettings, GObjectDeleter>;

struct SchemaDeleter
{
    void operator()(GSettingsSchema *schema) const { g_settings_schema_unref(schema); }
};
using SchemaPtr = std::unique_ptr<GSettingsSchema, SchemaDeleter>;

SchemaPtr lookupSchema(const QString &schema)
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    if (!source)
        return nullptr;
    return SchemaPtr(g_settings_schema_source_lookup(source, schema.toUtf8().constData(), TRUE));
}

QString fileUri(const QString &path)
{
    gchar *uri = g_filename_to_uri(QFile::encodeName(path).constData(), nullptr, nullptr);
    if (!uri)
        throw DesktopError(QStringLiteral("%1 is not an absolute path").arg(path));
    const QString result = QString::fromUtf8(uri);
    g_free(uri);
    return result;
}

} // namespace

GSettingsDesktopBackend::Flavour GSettingsDesktopBackend::gnome()
{
    Flavour f = gnomeCompatible(QStringLiteral("GNOME"));
    f.lockScreenNote = QStringLiteral("GNOME 3.36 and later show the desktop picture, blurred, on the lock screen; "
                                      "set this wallpaper as the desktop picture to see it there");
    return f;
}

GSettingsDesktopBackend::Flavour GSettingsDesktopBackend::gnomeCompatible(const QString &name)
{
    Flavour f;
    f.name = name;
    f.schema = QStringLiteral("org.gnome.desktop.background");
    f.pictureKeys = {QStringLiteral("picture-uri"), QStringLiteral("picture-uri-dark")};
    f.lockSchema = QStringLiteral("org.gnome.desktop.screensaver");
    f.lockKey = QStringLiteral("picture-uri");
    return f;
}

GSettingsDesktopBackend::Flavour GSettingsDesktopBackend::cinnamon()
{
    Flavour f;
    f.name = QStringLiteral("Cinnamon");
    f.schema = QStringLiteral("org.cinnamon.desktop.background");
    f.pictureKeys = {QStringLiteral("picture-uri"), QStringLiteral("picture-uri-dark")};
    f.lockScreenNote = QStringLiteral("Cinnamon shows the desktop picture on its lock screen");
    return f;
}

GSettingsDesktopBackend::Flavour GSettingsDesktopBackend::mate()
{
    Flavour f;
    f.name = QStringLiteral("MATE");
    f.schema = QStringLiteral("org.mate.background");
    f.pictureKeys = {QStringLiteral("picture-filename")};
    f.keysTakeUri = false;
    f.lockScreenNote = QStringLiteral("MATE's screensaver has no lock-screen picture of its own");
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

void GSettingsDesktopBackend::writeChecked(const QString &schema, const QString &key, const QString &value) const
{
    SchemaPtr found = lookupSchema(schema);
    if (!found)
        throw DesktopError(QStringLiteral("the settings schema %1 is not installed").arg(schema));
    const QByteArray keyName = key.toUtf8();
    if (!g_settings_schema_has_key(found.get(), keyName.constData()))
        throw DesktopError(QStringLiteral("the settings schema %1 has no key %2").arg(schema, key));

    SettingsPtr settings(g_settings_new_full(found.get(), nullptr, nullptr));
    const QByteArray bytes = value.toUtf8();
    if (!g_settings_is_writable(settings.get(), keyName.constData()))
        throw DesktopError(QStringLiteral("the setting %1 %2 is locked").arg(schema, key));
    if (!g_settings_set_string(settings.get(), keyName.constData(), bytes.constData()))
        throw DesktopError(QStringLiteral("the setting %1 %2 could not be written").arg(schema, key));

    gchar *stored = g_settings_get_string(settings.get(), keyName.constData());
    const bool took = stored && bytes == stored;
    g_free(stored);
    if (!took)
        throw DesktopError(QStringLiteral("the setting %1 %2 did not keep the new picture").arg(schema, key));
}

QCoro::Task<void> GSettingsDesktopBackend::setDesktopImage(QString filePath, DesktopScreen)
{
    const QString value = m_flavour.keysTakeUri ? fileUri(filePath) : filePath;
    for (const QString &key : m_flavour.pictureKeys) {
        // picture-uri-dark exists from GNOME 42 on; older schemas simply lack it.
        if (key.endsWith(QLatin1String("-dark"))) {
            SchemaPtr found = lookupSchema(m_flavour.schema);
            if (found && !g_settings_schema_has_key(found.get(), key.toUtf8().constData()))
                continue;
        }
        writeChecked(m_flavour.schema, key, value);
    }
    writeChecked(m_flavour.schema, QStringLiteral("picture-options"), QStringLiteral("zoom"));
    co_return;
}

QCoro::Task<void> GSettingsDesktopBackend::setLockScreenImage(QString filePath)
{
    // Keep the key current where a desktop still reads it, then say plainly when the desktop
    // will not show it.
    if (!m_flavour.lockSchema.isEmpty() && schemaInstalled(m_flavour.lockSchema))
        writeChecked(m_flavour.lockSchema, m_flavour.lockKey, fileUri(filePath));
    else if (m_flavour.lockScreenNote.isEmpty())
        throw DesktopError(QStringLiteral("the settings schema %1 is not installed").arg(m_flavour.lockSchema));
    if (!m_flavour.lockScreenNote.isEmpty())
        throw DesktopError(m_flavour.lockScreenNote);
    co_return;
}
