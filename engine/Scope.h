// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace quillon {

/// Which part of each name the operations work on.
enum class Scope : std::uint8_t {
    FileNamesOnly,  ///< the name part; the extension is kept aside
    ExtensionsOnly, ///< the extension with its "."; the name part is kept aside
    Both,           ///< the whole name
};

} // namespace quillon
