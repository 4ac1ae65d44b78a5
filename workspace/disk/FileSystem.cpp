// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/disk/FileSystem.h"

namespace quillon {

int FileSystem::readFolderKeeping(const std::string& folder, FolderListing& out,
                                  const ListingFilter& keep) {
    FolderListing all;
    out = {};
    if (const int err = readFolder(folder, all); err != 0)
        return err;
    for (std::size_t i = 0; i < all.names.size(); ++i) {
        if (!keep(all.names[i]))
            continue;
        out.names.add(all.names[i]);
        out.types.push_back(i < all.types.size() ? all.types[i] : EntryType::Unknown);
    }
    return 0;
}

} // namespace quillon
