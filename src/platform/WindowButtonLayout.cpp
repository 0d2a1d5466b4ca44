// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowButtonLayout.h"

#include "platform/GSettingsDesktopBackend.h"

#include <QFile>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// KWin's own defaults: menu and on-all-desktops left, help, minimise, maximise, close right.
constexpr auto kwinDefaultLeft = "MS";
constexpr auto kwinDefaultRight = "HIAX";

QStringList gtkButtons(QStringView side, QStringList &seen)
{
    QStringList buttons;
    for (QStringView name : side.split(u',')) {
        const QString button = name.trimmed().toString();
        if ((button == "minimize"_L1 || button == "maximize"_L1 || button == "close"_L1) && !seen.contains(button)) {
            seen.append(button);
            buttons.append(button);
        }
    }
    return buttons;
}

QStringList kwinButtons(QStringView letters, QStringList &seen)
{
    QStringList buttons;
    for (QChar letter : letters) {
        QString button;
        switch (letter.unicode()) {
        case 'I': button = u"minimize"_s; break;
        case 'A': button = u"maximize"_s; break;
        case 'X': button = u"close"_s; break;
        default: continue;
        }
        if (!seen.contains(button)) {
            seen.append(button);
            buttons.append(button);
        }
    }
    return buttons;
}

} // namespace

WindowButtonLayout WindowButtonLayout::standard()
{
    return {{}, {u"minimize"_s, u"maximize"_s, u"close"_s}};
}

WindowButtonLayout WindowButtonLayout::fromGtk(const QString &layout)
{
    const qsizetype colon = layout.indexOf(u':');
    QStringList seen;
    WindowButtonLayout result;
    result.left = gtkButtons(QStringView(layout).left(colon < 0 ? layout.size() : colon), seen);
    if (colon >= 0)
        result.right = gtkButtons(QStringView(layout).mid(colon + 1), seen);
    return result;
}

WindowButtonLayout WindowButtonLayout::fromKWin(const QString &onLeft, const QString &onRight)
{
    QStringList seen;
    WindowButtonLayout result;
    result.left = kwinButtons(onLeft, seen);
    result.right = kwinButtons(onRight, seen);
    return result;
}

WindowButtonLayout WindowButtonLayout::fromKWinConfig(const QByteArray &kwinrc)
{
    // Read by hand: QSettings would take a comma in a value for a list separator and does not
    // know KConfig's [$i] markers.
    QString left = QString::fromLatin1(kwinDefaultLeft);
    QString right = QString::fromLatin1(kwinDefaultRight);
    bool inGroup = false;
    for (const QByteArray &raw : kwinrc.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inGroup = line.startsWith("[org.kde.kdecoration2]");
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inGroup || equals < 0)
            continue;
        QByteArray key = line.left(equals).trimmed();
        if (const qsizetype marker = key.indexOf('['); marker >= 0)
            key.truncate(marker);
        const QString value = QString::fromUtf8(line.mid(equals + 1).trimmed());
        if (key == "ButtonsOnLeft")
            left = value;
        else if (key == "ButtonsOnRight")
            right = value;
    }
    return fromKWin(left, right);
}

WindowButtonLayout WindowButtonLayout::forDesktop(const QString &currentDesktop, const QString &configHome)
{
    const QStringList desktops = currentDesktop.toLower().split(u':', Qt::SkipEmptyParts);
    if (desktops.contains("kde"_L1)) {
        QFile file(configHome + u"/kwinrc"_s);
        return fromKWinConfig(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    static const QStringList gnomeLike = {u"gnome"_s, u"unity"_s, u"budgie"_s, u"pantheon"_s};
    for (const QString &desktop : desktops) {
        if (gnomeLike.contains(desktop)) {
            if (const std::optional<QString> layout = GSettingsDesktopBackend::readString(u"org.gnome.desktop.wm.preferences"_s, u"button-layout"_s))
                return fromGtk(*layout);
            break;
        }
    }
    return standard();
}
