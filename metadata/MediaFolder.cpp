// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaFolder.h"

#include "metadata/ContentFields.h"

#include <unistd.h>

namespace quillon::metadata {

MediaFolder::MediaFolder(const std::string& folder)
    : m_files(folder) {}

FileFields MediaFolder::read(std::string_view name, FieldSet wanted) const {
    FileIdentity identity;
    if (identify(name, identity) != 0)
        return {};
    return read(name, identity, wanted);
}

FileFields MediaFolder::read(std::string_view name, const FileIdentity& identity,
                             FieldSet wanted) const {
    FileFields fields;
    if (wanted.has(Field::Modified))
        fields.setDate(Field::Modified, localModified(identity));
    if (!wanted.intersects(kAudioFields | kPhotoFields))
        return fields;
    const int fd = m_files.openRegular(name, identity);
    if (fd < 0)
        return fields;
    readContentFields(fd, identity.size, lowerExtension(name), wanted, fields);
    ::close(fd);
    return fields;
}

} // namespace quillon::metadata
