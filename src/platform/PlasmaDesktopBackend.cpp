// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PlasmaDesktopBackend.h"

#include "models/AppError.h"
#include "platform/DesktopError.h"
#include "platform/ProcessRunner.h"

#include <QCoreApplication>
#include <QCoroDBusPendingCall>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QSaveFile>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QString jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2)); // strip the brackets
}

QString escapeConfigValue(const QString &value)
{
    QString out;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\')
            out += u"\\\\"_s;
        else if (c == u'\n')
            out += u"\\n"_s;
        else if (c == u'\t')
            out += u"\\t"_s;
        else if (c == u'\r')
            out += u"\\r"_s;
        else if (c == u' ' && (i == 0 || i == value.size() - 1))
            out += u"\\s"_s;
        else
            out += c;
    }
    return out;
}

QString unescapeConfigValue(const QString &value)
{
    QString out;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar n = value.at(++i);
        if (n == u'n')
            out += u'\n';
        else if (n == u't')
            out += u'\t';
        else if (n == u'r')
            out += u'\r';
        else if (n == u's')
            out += u' ';
        else
            out += n;
    }
    return out;
}

bool isGroupLine(const QString &line)
{
    return line.startsWith(u'[') && line.endsWith(u']');
}

// The key part of "Image=…" or "Image[$e]=…".
QString keyOf(const QString &line)
{
    const int eq = line.indexOf(u'=');
    if (eq < 0)
        return {};
    QString key = line.left(eq).trimmed();
    const int bracket = key.indexOf(u'[');
    return bracket < 0 ? key : key.left(bracket);
}

} // namespace

PlasmaDesktopBackend::PlasmaDesktopBackend(QDBusConnection connection, QString configHome, ProcessRunner &runner,
                                           QString kwriteconfig)
    : m_connection(std::move(connection))
    , m_configHome(std::move(configHome))
    , m_runner(runner)
    , m_kwriteconfig(std::move(kwriteconfig))
{
}

QString PlasmaDesktopBackend::desktopScript(const QString &fileUrl, int screenIndex)
{
    return QStringLiteral("var image = %1;\n"
                          "var shown = [];\n"
                          "var all = desktops();\n"
                          "for (var i = 0; i < all.length; ++i) {\n"
                          "    var d = all[i];\n"
                          "    if (%2 >= 0 && d.screen != %2)\n"
                          "        continue;\n"
                          "    d.wallpaperPlugin = \"org.kde.image\";\n"
                          "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
                          "    d.writeConfig(\"Image\", image);\n"
                          "    d.writeConfig(\"FillMode\", 2);\n"
                          "    shown.push(String(d.readConfig(\"Image\")));\n"
                          "}\n"
                          "print(JSON.stringify(shown));\n")
        .arg(jsonString(fileUrl))
        .arg(screenIndex);
}

QCoro::Task<DesktopCapabilities> PlasmaDesktopBackend::capabilities()
{
    DesktopCapabilities c;
    c.perMonitor = true; // one desktop containment per screen
    co_return c;
}

QCoro::Task<void> PlasmaDesktopBackend::setDesktopImage(QString filePath, DesktopScreen screen)
{
    // A screen without a name is Qt's offscreen one (a command over ssh or from a timer): it
    // stands for every monitor, and numbering it 0 would change the primary one only.
    const int target = screen.name.isEmpty() ? -1 : screen.index;
    // Plasma's scripts know screens by number only; a name alone (no display) could pick the wrong one.
    if (!screen.name.isEmpty() && screen.index < 0)
        throw DesktopError(u"KDE Plasma tells its monitors apart only by number; run the command in the session "
                           "to choose monitor %1"_s.arg(screen.name));
    const QString url = QUrl::fromLocalFile(filePath).toString(QUrl::FullyEncoded);
    QDBusMessage call = QDBusMessage::createMethodCall(busName(), u"/PlasmaShell"_s,
                                                       u"org.kde.PlasmaShell"_s,
                                                       u"evaluateScript"_s);
    call << desktopScript(url, target);
    const QDBusPendingCall pending = m_connection.asyncCall(call);
    const QDBusMessage reply = co_await pending;
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw DesktopError(QCoreApplication::translate("PlasmaDesktopBackend", "KDE Plasma did not run the desktop script: %1").arg(reply.errorMessage()));

    const QString output = reply.arguments().value(0).toString().trimmed();
    // Anything printed before our line (Plasma's own warnings) is not ours to judge.
    const QString lastLine = output.section(u'\n', -1).trimmed();
    const QJsonArray shown = QJsonDocument::fromJson(lastLine.toUtf8()).array();
    if (shown.isEmpty())
        throw DesktopError(target < 0 ? QCoreApplication::translate("PlasmaDesktopBackend", "KDE Plasma has no desktop")
                                      : QCoreApplication::translate("PlasmaDesktopBackend", "KDE Plasma has no desktop on screen %1").arg(target + 1));
    for (const QJsonValue &value : shown) {
        if (value.toString() != url)
            throw DesktopError(QCoreApplication::translate("PlasmaDesktopBackend", "KDE Plasma did not keep the new picture on screen %1").arg(screen.index + 1));
    }
}

QCoro::Task<void> PlasmaDesktopBackend::setLockScreenImage(QString filePath)
{
    const QString url = QUrl::fromLocalFile(filePath).toString(QUrl::FullyEncoded);
    const QString file = m_configHome + u"/kscreenlockerrc"_s;
    if (!m_kwriteconfig.isEmpty()) {
        const int status = m_runner.run(m_kwriteconfig, {u"--file"_s, file,
                                                         u"--group"_s, u"Greeter"_s,
                                                         u"--group"_s, u"Wallpaper"_s,
                                                         u"--group"_s, u"org.kde.image"_s,
                                                         u"--group"_s, u"General"_s,
                                                         u"--key"_s, u"Image"_s, url});
        if (status != 0)
            throw DesktopError(QCoreApplication::translate("PlasmaDesktopBackend", "%1 failed with status %2").arg(QFileInfo(m_kwriteconfig).fileName()).arg(status));
    } else {
        writeConfigValue(file, lockScreenGroup(), u"Image"_s, url);
    }
    if (readConfigValue(file, lockScreenGroup(), u"Image"_s) != url)
        throw DesktopError(QCoreApplication::translate("PlasmaDesktopBackend", "the screen locker's settings did not keep the new picture"));
    co_return;
}

QString PlasmaDesktopBackend::readConfigValue(const QString &file, const QString &group, const QString &key)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inGroup = false;
    QString value;
    const QStringList lines = QString::fromUtf8(in.readAll()).split(u'\n');
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (isGroupLine(line))
            inGroup = line == group;
        else if (inGroup && keyOf(line) == key)
            value = unescapeConfigValue(line.mid(line.indexOf(u'=') + 1));
    }
    return value;
}

void PlasmaDesktopBackend::writeConfigValue(const QString &file, const QString &group, const QString &key,
                                            const QString &value)
{
    QStringList lines;
    QFile in(file);
    if (in.open(QIODevice::ReadOnly | QIODevice::Text))
        lines = QString::fromUtf8(in.readAll()).split(u'\n');
    in.close();
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();

    const QString entry = key + u'=' + escapeConfigValue(value);
    int groupStart = -1;
    int groupEnd = lines.size(); // one past the group's last line
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (!isGroupLine(line))
            continue;
        if (groupStart >= 0) {
            groupEnd = i;
            break;
        }
        if (line == group)
            groupStart = i;
    }

    if (groupStart < 0) {
        if (!lines.isEmpty())
            lines << QString();
        lines << group << entry;
    } else {
        bool replaced = false;
        for (int i = groupStart + 1; i < groupEnd; ++i) {
            if (keyOf(lines.at(i).trimmed()) == key) {
                lines[i] = entry;
                replaced = true;
            }
        }
        if (!replaced) {
            int at = groupEnd;
            while (at > groupStart + 1 && lines.at(at - 1).trimmed().isEmpty())
                --at;
            lines.insert(at, entry);
        }
    }

    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        throw FileError(QCoreApplication::translate("PlasmaDesktopBackend", "Could not write %1: %2").arg(file, out.errorString()));
    out.write((lines.join(u'\n') + u'\n').toUtf8());
    if (!out.commit())
        throw FileError(QCoreApplication::translate("PlasmaDesktopBackend", "Could not write %1: %2").arg(file, out.errorString()));
}
