// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/ContentFields.h"

#include "metadata/FileKind.h"
#include "metadata/MediaReaders.h"

#include <ctime>
#include <string>
#include <unistd.h>

namespace quillon::metadata {

namespace {

// Enough to tell every kind apart.
constexpr std::size_t kKindBytes = 1024;

FileKind kindOf(int fd, std::int64_t size) {
    std::string head(static_cast<std::size_t>(std::min<std::int64_t>(size, kKindBytes)), '\0');
    const ssize_t n = ::pread(fd, head.data(), head.size(), 0);
    head.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return fileKind(head);
}

// MP3 files with junk before their first frame are known by their name,
// and the tag library's own check of their content.
bool mayBeMpegAudio(std::string_view extension) {
    return extension == "mp3" || extension == "mp2" || extension == "aac";
}

} // namespace

void readContentFields(int fd, std::int64_t size, std::string_view extension, FieldSet wanted,
                       FileFields& out) {
    if (size <= 0)
        return;
    const FileKind kind = kindOf(fd, size);
    const bool quickTime = kind == FileKind::QuickTime || kind == FileKind::QuickTimeAudio;
    const bool audio =
        isAudioKind(kind) || quickTime || (kind == FileKind::Unknown && mayBeMpegAudio(extension));
    if (audio && wanted.intersects(kAudioFields))
        readAudioFields(fd, size, extension, wanted, out);
    if (!wanted.intersects(kPhotoFields))
        return;
    if (isPhotoKind(kind))
        readPhotoFields(fd, size, wanted, out);
    else if (isVideoKind(kind))
        readVideoFields(fd, size, wanted, out);
}

void prepareContentReaders() {
    ::tzset();
    prepareAudioReader();
    preparePhotoReader();
    prepareVideoReader();
}

} // namespace quillon::metadata
