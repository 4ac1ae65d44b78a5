// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

class QCoreApplication;

namespace quillon {

/// Installs Quillon's translation and Qt's own (standard buttons, dialogs)
/// for locale into app. A language without a translation stays English.
void installTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());

} // namespace quillon
