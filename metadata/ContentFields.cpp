// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/ContentFields.h"

#include "metadata/FileKind.h"
#include "metadata/MediaReaders.h"

#include <ctime>
#include <string>
#include <unistd.h>

namespace quillon::metadata {

namespace {

// MP3 files with junk before their first frame are known by their name,
// and the tag library's own check of their content.
bool mayBeMpegAudio(std::string_view extension) {
    return extension == "mp3" || extension == "mp2" || extension == "aac";
}

} // namespace

void extendHead(int fd, std::size_t size, std::size_t count, std::string& head) {
    const std::size_t have = head.size();
    const std::size_t want = std::min(size, count);
    if (want <= have)
        return;
    head.resize(want);
    const ssize_t n = ::pread(fd, head.data() + have, want - have, static_cast<off_t>(have));
    head.resize(have + (n > 0 ? static_cast<std::size_t>(n) : 0));
}

void readContentFields(int fd, std::int64_t size, std::string_view extension, FieldSet wanted,
                       FileFields& out) {
    if (size <= 0)
        return;
    // One read tells the kind and gives the reader of that kind its start.
    std::string head;
    extendHead(fd, static_cast<std::size_t>(size), kFirstBlock, head);
    const FileKind kind = fileKind(head);
    const bool photoFields = wanted.intersects(kPhotoFields);
    if (isPhotoKind(kind)) {
        if (photoFields)
            readPhotoFields(fd, size, wanted, out, std::move(head));
        return;
    }
    const bool quickTime = kind == FileKind::QuickTime || kind == FileKind::QuickTimeAudio;
    const bool audio =
        isAudioKind(kind) || quickTime || (kind == FileKind::Unknown && mayBeMpegAudio(extension));
    if (audio && wanted.intersects(kAudioFields))
        readAudioFields(fd, size, extension, wanted, out, std::move(head));
    if (isVideoKind(kind) && photoFields)
        readVideoFields(fd, size, kind, wanted, out);
}

void prepareContentReaders() {
    ::tzset();
    prepareAudioReader();
    preparePhotoReader();
    prepareVideoReader();
}

} // namespace quillon::metadata
