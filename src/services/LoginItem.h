// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class LoginItemBackend;

// Start-on-login: an XDG autostart entry on Linux (a launch agent on macOS), behind the
// platform's LoginItemBackend.
class LoginItem
{
public:
    explicit LoginItem(LoginItemBackend &backend);

    static LoginItem &shared();

    // Throws FileError (or the backend's error) on failure; no rollback.
    void setLaunchAtLogin(bool enabled);
    bool isEnabled() const;

private:
    LoginItemBackend &m_backend;
};
