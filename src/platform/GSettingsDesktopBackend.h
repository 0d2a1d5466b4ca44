// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopBackend.h"

#include <QStringList>

#include <optional>

// Desktops that keep their picture in GSettings: the GNOME family (GNOME, Unity, Budgie,
// Pantheon), Cinnamon and MATE. One picture for all monitors, scaled to fill ("zoom"), or one
// picture as large as all monitors together, laid across them ("spanned").
class GSettingsDesktopBackend : public DesktopBackend
{
public:
    struct Flavour
    {
        QString name;
        QString schema;            // org.gnome.desktop.background
        QStringList pictureKeys;   // picture-uri, picture-uri-dark
        bool keysTakeUri = true;   // MATE's picture-filename takes a plain path
        QString lockSchema;        // empty: the desktop has no lock-screen picture of its own
        QString lockKey;
        // Why the lock screen cannot be set, when it cannot (GNOME ≥ 3.36 draws it from the
        // desktop picture and ignores its own key).
        // Why no lock-screen picture can be set, untranslated (translated when it is shown).
        const char *lockScreenNote = nullptr;
    };

    static Flavour gnome();
    static Flavour gnomeCompatible(const QString &name); // Unity, Budgie, Pantheon
    static Flavour cinnamon();
    static Flavour mate();

    explicit GSettingsDesktopBackend(Flavour flavour);

    // Whether the flavour's schema is installed (g_settings_new aborts on a missing schema).
    static bool schemaInstalled(const QString &schema);
    // A string setting, or nothing where its schema or key is not installed.
    static std::optional<QString> readString(const QString &schema, const QString &key);

    QString name() const override { return m_flavour.name; }
    QCoro::Task<DesktopCapabilities> capabilities() override;
    QCoro::Task<void> setDesktopImage(QString filePath, DesktopScreen screen) override;
    QCoro::Task<void> setSpanningImage(QString filePath) override;
    QCoro::Task<void> setLockScreenImage(QString filePath) override;

private:
    void writePicture(const QString &filePath, const QString &options) const;
    void writeChecked(const QString &schema, const QString &key, const QString &value) const;

    Flavour m_flavour;
};
