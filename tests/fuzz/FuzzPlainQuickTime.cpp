// SPDX-License-Identifier: GPL-3.0-or-later
// The plain QuickTime reader against MediaInfoLib on arbitrary bytes:
// whatever it takes must be what the library gives for the same file.
#include "metadata/MediaReaders.h"
#include "tests/fuzz/FuzzFields.h"
#include "tests/metadata/FieldsText.h"

#include <cstdint>
#include <unistd.h>

using namespace quillon;
using namespace quillon::metadata;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    // The first byte chooses the fields wanted, the rest is the file.
    const FieldSet wanted =
        FieldSet::fromBits(static_cast<std::uint16_t>(data[0] << 8)) & kPhotoFields;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int fd = quillon::fuzz::memoryFile(bytes);
    if (fd < 0)
        return 0;
    FileFields plain;
    if (readPlainQuickTime(fd, bytes.size(), wanted, plain)) {
        FileFields library;
        readVideoFieldsWithLibrary(fd, static_cast<std::int64_t>(bytes.size()), FileKind::QuickTime,
                                   wanted, library);
        quillon::fuzz::expectSame(quillon::test::fieldsText(plain),
                                  quillon::test::fieldsText(library));
    }
    ::close(fd);
    return 0;
}
