#pragma once

// Start-on-login as the platform provides it. Failures are thrown (FileError); nothing is
// rolled back.
class LoginItemBackend
{
public:
    virtual ~LoginItemBackend() = default;
    virtual void enable() = 0;
    virtual void disable() = 0;
    virtual bool isEnabled() const = 0;
};
