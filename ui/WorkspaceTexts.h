#pragma once

#include "engine/Name.h"

#include <QString>

namespace quillon {

/// A message of the workspace's save in the user's language, ready to show:
/// its fixed parts translated, file names in it kept as they are.
QString workspaceText(NameView message);

} // namespace quillon
