// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

namespace Translations {

// Installs the program's texts in the user's language (compiled in under :/i18n) and Qt's own
// (dialogs, context menus), before any window or message is made. A folder named by
// LUMIVANE_TRANSLATIONS is searched first, so a translator can try a .qm without a rebuild.
void install(QCoreApplication &app);

} // namespace Translations
