// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/FieldTokens.h"

namespace quillon {

/// What one entry of a press lacked (Workspace::missingFields()).
struct MissingFields {
    /// The fields its new name needs that the file lacks.
    FieldSet fields;
    /// The file could not be read at all (it crashed or hung its reader, or
    /// ran past its deadline), so its fields are missing.
    bool unreadable = false;

    /// Whether the entry kept its name for want of a field.
    bool any() const { return !fields.empty(); }
    bool operator==(const MissingFields&) const = default;
};

} // namespace quillon
