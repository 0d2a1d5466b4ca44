#include "LoginItem.h"

#include "LoginItemBackend.h"
#include "XdgAutostartBackend.h"

#include <QCoreApplication>
#include <QStandardPaths>

LoginItem::LoginItem(LoginItemBackend &backend)
    : m_backend(backend)
{
}

LoginItem &LoginItem::shared()
{
    static XdgAutostartBackend *backend = new XdgAutostartBackend(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), QCoreApplication::applicationFilePath());
    static LoginItem *instance = new LoginItem(*backend);
    return *instance;
}

void LoginItem::setLaunchAtLogin(bool enabled)
{
    if (enabled)
        m_backend.enable();
    else
        m_backend.disable();
}

bool LoginItem::isEnabled() const
{
    return m_backend.isEnabled();
}
