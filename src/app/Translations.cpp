// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void Translations::install(QCoreApplication &app)
{
    const QLocale locale;
    auto *own = new QTranslator(&app);
    const QString folder = qEnvironmentVariable("LUMIVANE_TRANSLATIONS");
    if ((!folder.isEmpty() && own->load(locale, QStringLiteral("lumivane"), QStringLiteral("_"), folder))
        || own->load(locale, QStringLiteral("lumivane"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(own);
    else
        delete own;

    auto *qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}
