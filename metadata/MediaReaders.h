// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metadata/FileFields.h"
#include "metadata/FileKind.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillon::metadata {

/// Sets up the audio, the photo and the video library once: what they load
/// and how they report damaged files. The readers call these themselves; the
/// reader process calls them before it may no longer load anything.
void prepareAudioReader();
void preparePhotoReader();
void prepareVideoReader();

/// The audio fields of wanted from the open, regular file fd (not taken
/// over) of size bytes; extension (lower case, without ".") chooses the container, and
/// a file of another kind is recognised by its content where the library
/// can. Never throws.
void readAudioFields(int fd, std::int64_t size, std::string_view extension, FieldSet wanted,
                     FileFields& out);

/// As readAudioFields, with head the first bytes of the file as far as
/// they were read already (any number, none included).
void readAudioFields(int fd, std::int64_t size, std::string_view extension, FieldSet wanted,
                     FileFields& out, std::string head);

/// The first block of a file, which most tags and photo metadata stand in.
inline constexpr std::size_t kFirstBlock = std::size_t{64} * 1024;

/// Reads on into head, which holds the first bytes of the open file fd of
/// size bytes, until it holds its first count bytes (or the file's end or
/// a failed read).
void extendHead(int fd, std::size_t size, std::size_t count, std::string& head);

/// The size of the ID3v2 tag head starts with, header included, as its
/// header gives it; nothing when head holds no such header.
std::optional<std::size_t> plainId3v2Size(std::string_view head);

/// The audio fields of wanted from an MP3 file whose first bytes, head,
/// are an ID3v2.3 or ID3v2.4 tag and the first MPEG audio frame right
/// after it, when the tag is in the plain form nearly every file has and
/// holds every field of wanted: then they are taken into out, with the
/// very values the tag library's MPEG reader gives, and true is returned.
/// Else out is left as it was.
bool readPlainId3v2(std::string_view head, FieldSet wanted, FileFields& out);

/// The photo fields of wanted from the open, regular file fd (not taken
/// over) of size bytes, of any kind the photo library knows by content.
/// Never throws.
void readPhotoFields(int fd, std::int64_t size, FieldSet wanted, FileFields& out);

/// As readPhotoFields, with head the first bytes of the file as far as
/// they were read already (any number, none included).
void readPhotoFields(int fd, std::int64_t size, FieldSet wanted, FileFields& out, std::string head);

/// As readPhotoFields, but every file through the library: what the
/// library's own reading gives, for comparing with.
void readPhotoFieldsWithLibrary(int fd, std::int64_t size, FieldSet wanted, FileFields& out);

/// The date taken and the size of a video of kind (MP4, QuickTime, AVI,
/// Matroska or an MPEG transport stream) in the open, regular file fd (not
/// taken over) of size bytes. Never throws.
void readVideoFields(int fd, std::int64_t size, FileKind kind, FieldSet wanted, FileFields& out);

/// As readVideoFields, but every file through the video library: what the
/// library's own reading gives, for comparing with.
void readVideoFieldsWithLibrary(int fd, std::int64_t size, FileKind kind, FieldSet wanted,
                                FileFields& out);

/// The video fields of wanted from an MP4 or QuickTime file, the open,
/// regular file fd of size bytes, when it is in the plain form phones write
/// (one movie box, one video track, the movie header's or Apple's creation
/// date) and holds nothing the video library reads another date or size
/// from: then they are taken into out, with the very values the library
/// gives, and true is returned. Else out is left as it was.
bool readPlainQuickTime(int fd, std::uint64_t size, FieldSet wanted, FileFields& out);

/// Whether a container's date is its clock's epoch (1904 or 1970), the mark
/// of a clock never set.
bool isUnsetVideoDate(const DateTime& date);

/// A date kept in UTC as the local clock shows it.
std::optional<DateTime> utcToLocalDate(const DateTime& utc);

/// The camera that make and model name, blanks (and NULs) around them
/// dropped: "Canon" and "Canon EOS 5D" give "Canon EOS 5D", not the make
/// twice.
std::string cameraName(std::string_view make, std::string_view model);

/// A date as Exif ("2004:03:05 09:07:00") or XMP ("2004-03-05T09:07:00",
/// seconds and zone optional) writes it; an empty, zeroed or impossible
/// date gives nothing.
std::optional<DateTime> parseMetadataDate(std::string_view text);

/// The leading decimal number of text ("3/12" gives 3, "2004-05-01" gives
/// 2004), blanks before it allowed; nothing when there is none or it is 0.
std::optional<std::uint32_t> leadingNumber(std::string_view text);

} // namespace quillon::metadata
