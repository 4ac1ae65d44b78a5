// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaReaders.h"

#include <MediaInfo/MediaInfo.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <mutex>
#include <string>
#include <unistd.h>

// The video library is fed the file through its buffer interface, read
// here with pread: it opens nothing itself, which the reader process's
// confinement requires.
namespace quillon::metadata {

namespace {

using MediaInfoLib::MediaInfo;

constexpr std::size_t kBlock = std::size_t{64} * 1024;
// Where a container's index stands at the end, the library jumps there; a
// file that sends it back and forth without end is cut off here.
constexpr std::uint64_t kMostRead = std::uint64_t{64} << 20;
constexpr int kMostJumps = 64;

std::string narrow(const MediaInfoLib::String& wide) {
    std::string text;
    for (const wchar_t c : wide)
        text.push_back(c >= 0 && c < 0x80 ? static_cast<char>(c) : '?');
    return text;
}

std::string fieldOf(MediaInfo& info, MediaInfoLib::stream_t stream, const wchar_t* name) {
    return narrow(info.Get(stream, 0, name));
}

// The library's settings are process-wide; they are set before the first
// file, and before the reader process confines itself.
void prepareLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        MediaInfo::Option_Static(L"ParseSpeed", L"0");
        MediaInfo::Option_Static(L"Internet", L"No");
        // Only the raw values are read; the texts for people cost a third.
        MediaInfo::Option_Static(L"ReadByHuman", L"0");
        MediaInfo info;
        info.Open_Buffer_Init(0, 0);
        info.Open_Buffer_Finalize();
    });
}

// The library's parser for kind: left to find it, the library tries all of
// its parsers on every file, which cost ten times the reading itself.
const wchar_t* parserFor(FileKind kind) {
    switch (kind) {
    case FileKind::QuickTime:
    case FileKind::QuickTimeAudio:
        return L"Mpeg4";
    case FileKind::Avi:
        return L"Riff";
    case FileKind::Matroska:
        return L"Mk";
    case FileKind::MpegTs:
        return L"MpegTs";
    case FileKind::MpegTsWithTimeCodes:
        return L"Bdav";
    default:
        return nullptr;
    }
}

void feed(int fd, std::uint64_t size, MediaInfo& info) {
    std::string block(kBlock, '\0');
    info.Open_Buffer_Init(size, 0);
    std::uint64_t at = 0;
    std::uint64_t read = 0;
    int jumps = 0;
    while (at < size && read < kMostRead) {
        const ssize_t n = ::pread(fd, block.data(), block.size(), static_cast<off_t>(at));
        if (n <= 0)
            break;
        read += static_cast<std::uint64_t>(n);
        const std::size_t status = info.Open_Buffer_Continue(
            reinterpret_cast<const ZenLib::int8u*>(block.data()), static_cast<std::size_t>(n));
        // Bit 3: the library has all it wants.
        if ((status & 0x08) != 0)
            break;
        const ZenLib::int64u jump = info.Open_Buffer_Continue_GoTo_Get();
        if (jump == static_cast<ZenLib::int64u>(-1)) {
            at += static_cast<std::uint64_t>(n);
            continue;
        }
        if (++jumps > kMostJumps || jump >= size)
            break;
        at = jump;
        info.Open_Buffer_Init(size, at);
    }
    info.Open_Buffer_Finalize();
}

} // namespace

bool isUnsetVideoDate(const DateTime& date) {
    return date.year <= 1904 || (date.year == 1970 && date.month == 1 && date.day == 1);
}

std::optional<DateTime> utcToLocalDate(const DateTime& utc) {
    std::tm tm{};
    tm.tm_year = utc.year - 1900;
    tm.tm_mon = utc.month - 1;
    tm.tm_mday = utc.day;
    tm.tm_hour = utc.hour;
    tm.tm_min = utc.minute;
    tm.tm_sec = utc.second;
    const std::time_t t = ::timegm(&tm);
    std::tm local{};
    if (::localtime_r(&t, &local) == nullptr)
        return std::nullopt;
    return DateTime{static_cast<std::int16_t>(local.tm_year + 1900),
                    static_cast<std::uint8_t>(local.tm_mon + 1),
                    static_cast<std::uint8_t>(local.tm_mday),
                    static_cast<std::uint8_t>(local.tm_hour),
                    static_cast<std::uint8_t>(local.tm_min),
                    static_cast<std::uint8_t>(local.tm_sec)};
}

namespace {

// A date as the library gives it ("2021-05-01 08:00:00 UTC", "UTC
// 2021-05-01 08:00:00", "2021-05-01T10:00:00+0200").
std::optional<DateTime> dateOf(std::string_view text) {
    if (text.starts_with("UTC "))
        text.remove_prefix(4);
    auto date = parseMetadataDate(text);
    if (!date || isUnsetVideoDate(*date))
        return std::nullopt;
    return date;
}

// Where a camera writes the time of shooting, as its clock showed it (the
// library calls some of them UTC, whatever zone the camera was set to):
// Apple's creation date, AVCHD's and AVI's recording dates, a
// Matroska or MP4 date tag.
constexpr std::array kWallClockDates{L"com.apple.quicktime.creationdate", L"Recorded_Date",
                                     L"Mastered_Date"};
// The container's own clock, kept in UTC: shown as the local clock.
constexpr std::array kUtcDates{L"Encoded_Date", L"Tagged_Date"};

std::optional<DateTime> takenDate(MediaInfo& info) {
    for (const wchar_t* name : kWallClockDates) {
        if (auto date = dateOf(fieldOf(info, MediaInfoLib::Stream_General, name)))
            return date;
    }
    for (const wchar_t* name : kUtcDates) {
        if (auto date = dateOf(fieldOf(info, MediaInfoLib::Stream_General, name)))
            return utcToLocalDate(*date);
    }
    return std::nullopt;
}

void takeSize(MediaInfo& info, Field field, const wchar_t* name, FileFields& out) {
    if (const auto n = leadingNumber(fieldOf(info, MediaInfoLib::Stream_Video, name)))
        out.setNumber(field, *n);
}

} // namespace

void prepareVideoReader() {
    prepareLibrary();
}

void readVideoFields(int fd, std::int64_t size, FileKind kind, FieldSet wanted, FileFields& out) {
    if (size <= 0 || !wanted.intersects(kPhotoFields))
        return;
    if (QUILLON_PLAIN_QUICKTIME && kind == FileKind::QuickTime &&
        readPlainQuickTime(fd, static_cast<std::uint64_t>(size), wanted, out))
        return;
    readVideoFieldsWithLibrary(fd, size, kind, wanted, out);
}

void readVideoFieldsWithLibrary(int fd, std::int64_t size, FileKind kind, FieldSet wanted,
                                FileFields& out) {
    if (size <= 0 || !wanted.intersects(kPhotoFields))
        return;
    prepareLibrary();
    try {
        MediaInfo info;
        if (const wchar_t* parser = parserFor(kind))
            info.Option(L"File_ForceParser", parser);
        feed(fd, static_cast<std::uint64_t>(size), info);
        if (wanted.has(Field::Taken)) {
            if (const auto date = takenDate(info))
                out.setDate(Field::Taken, *date);
        }
        if (wanted.has(Field::Width))
            takeSize(info, Field::Width, L"Width", out);
        if (wanted.has(Field::Height))
            takeSize(info, Field::Height, L"Height", out);
    } catch (...) { // NOLINT(bugprone-empty-catch): a file the library cannot read has no fields
    }
}

} // namespace quillon::metadata
