// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoroTask>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class LoginItemBackend;
class SystemdUserTimer;

// Makes the automatic change happen while the switch is on, also with the window closed and
// after a new login: a systemd user timer where a user manager runs, else a login item that
// starts the windowless background mode (which is also started at once). Off leaves nothing.
//
// Requests return at once; the work runs one request at a time on the caller's event loop. A
// request made while one runs replaces any still waiting, so quick flips of the switch end in
// the state of the last one and an earlier flip's late answer never undoes it.
class AutoChangeSchedule : public QObject
{
    Q_OBJECT

public:
    // `startBackground` starts the background mode now (it keeps to one instance itself).
    AutoChangeSchedule(SystemdUserTimer &timer, LoginItemBackend &backgroundEntry, std::function<void()> startBackground,
                       QObject *parent = nullptr);

    static AutoChangeSchedule &shared();

    // Puts the schedule in the state of the switch and interval.
    void apply(bool on, int minutes);
    // While on, puts back what is missing (preferences from before the schedule existed, a
    // background mode that has ended); changes nothing that is in place. Dropped while a
    // request is under way, since that one settles the state anyway.
    void ensure(bool on, int minutes);
    // Whether a request is running or waiting.
    bool isBusy() const { return m_running; }

    // When a change every `minutes` next happens after `now`. The clock-aligned intervals follow
    // the timer's calendar (quarter hours, full hours, midnight); others count from `lastRun`.
    static QDateTime nextChange(const QDateTime &now, int minutes, const QDateTime &lastRun);

Q_SIGNALS:
    // The last request is done; `error` says in words why it failed, or is empty.
    void settled(const QString &error);

private:
    struct Request {
        bool on = false;
        int minutes = 0;
        bool onlyWhatIsMissing = false;
    };
    void queue(Request request);
    QCoro::Task<void> drain();
    QCoro::Task<void> perform(Request request);

    SystemdUserTimer &m_timer;
    LoginItemBackend &m_backgroundEntry;
    std::function<void()> m_startBackground;
    std::optional<Request> m_waiting;
    bool m_running = false;
};
