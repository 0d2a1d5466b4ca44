// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <functional>

class LoginItemBackend;
class SystemdUserTimer;

// Makes the automatic change happen while the switch is on, also with the window closed and
// after a new login: a systemd user timer where a user manager runs, else a login item that
// starts the windowless background mode (which is also started at once). Off leaves nothing.
class AutoChangeSchedule
{
public:
    // `startBackground` starts the background mode now (it keeps to one instance itself).
    AutoChangeSchedule(SystemdUserTimer &timer, LoginItemBackend &backgroundEntry, std::function<void()> startBackground);

    static AutoChangeSchedule &shared();

    // Throws AppError when systemd or the file system refuses.
    void apply(bool on, int minutes);
    // While on, puts back what is missing (preferences from before the schedule existed, a
    // background mode that has ended); changes nothing that is in place. Throws as apply() does.
    void ensure(bool on, int minutes);

    // When a change every `minutes` next happens after `now`. The clock-aligned intervals follow
    // the timer's calendar (quarter hours, full hours, midnight); others count from `lastRun`.
    static QDateTime nextChange(const QDateTime &now, int minutes, const QDateTime &lastRun);

private:
    SystemdUserTimer &m_timer;
    LoginItemBackend &m_backgroundEntry;
    std::function<void()> m_startBackground;
};
