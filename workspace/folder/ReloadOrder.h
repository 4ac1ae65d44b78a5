// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace quillon {

/// The reload orders besides name and creation time.
enum class ReloadOrder : std::uint8_t {
    Taken,    ///< the date a photo was taken, else the modification time
    Modified, ///< the modification time
    Natural,  ///< by name, with runs of digits compared as numbers
};

} // namespace quillon
