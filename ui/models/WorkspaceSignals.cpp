// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/models/WorkspaceSignals.h"

namespace quillon {

void WorkspaceSignals::checksChanged(std::size_t first, std::size_t last) {
    emit checksChangedIn(static_cast<int>(first), static_cast<int>(last));
}

} // namespace quillon
