// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/ContentFields.h"

#include "metadata/MediaReaders.h"

namespace quillon::metadata {

void prepareContentReaders() {
    prepareAudioReader();
    preparePhotoReader();
}

void readContentFields(int fd, std::int64_t size, std::string_view extension, FieldSet wanted,
                       FileFields& out) {
    if (wanted.intersects(kAudioFields))
        readAudioFields(fd, size, extension, wanted, out);
    if (wanted.intersects(kPhotoFields))
        readPhotoFields(fd, size, wanted, out);
}

} // namespace quillon::metadata
