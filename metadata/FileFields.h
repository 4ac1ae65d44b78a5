// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fields/FieldSet.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::metadata {

/// The fields that audio tags hold.
inline constexpr FieldSet kAudioFields = FieldSet::fromBits(0xFF);
/// The fields that photo and video metadata hold.
inline constexpr FieldSet kPhotoFields =
    FieldSet::fromBits((1U << 8) | (1U << 10) | (1U << 11) | (1U << 12));

/// A wall-clock date and time as a camera or the local clock shows it.
struct DateTime {
    std::int16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;

    // clang-tidy 14 takes the 0 a defaulted comparison is checked against for a pointer.
    auto operator<=>(const DateTime&) const = default; // NOLINT(modernize-use-nullptr)
};

/// The fields read from one file. Only the fields in present hold a
/// value; texts are UTF-8 as the file's tags give them, unfiltered. The
/// first value set for a field stays. Kept small, since a folder's cache
/// holds one per file.
class FileFields final {
public:
    FieldSet present() const { return m_present; }
    bool has(Field f) const { return m_present.has(f); }

    /// The text of Artist, AlbumArtist, Title, Album, Genre or Camera.
    std::string_view text(Field f) const;
    void setText(Field f, std::string_view value);

    /// The number of Track, Disc, Year, Width or Height.
    std::uint32_t number(Field f) const;
    void setNumber(Field f, std::uint32_t value);

    /// The date of Taken or Modified.
    DateTime date(Field f) const;
    void setDate(Field f, DateTime value);

    /// Keeps only the fields of keep.
    void restrictTo(FieldSet keep);
    /// Takes every field of other that this one lacks.
    void merge(const FileFields& other);

    /// Bytes held on the heap besides the object itself.
    std::size_t heapBytes() const;

    /// The file could not be read to the end (the reader crashed, hung or
    /// was refused): its fields are missing for that reason, not for want
    /// of a tag.
    bool unreadable() const { return m_unreadable; }
    void setUnreadable() { m_unreadable = true; }

    /// The fields in their packed form, for carrying them between
    /// processes.
    std::string_view records() const { return m_records; }
    /// The fields of records as records() gave them. Records come from a
    /// process that parsed untrusted files, so each one is checked (a
    /// known field, once, a length that fits, a size and range that suit
    /// its kind); false, and out untouched, when one does not.
    static bool fromRecords(std::string_view records, FileFields& out);

    /// The fields looked for, found or not: a cache knows from it what
    /// need not be read again. It fits in the object's padding.
    FieldSet lookedFor() const { return m_lookedFor; }
    void addLookedFor(FieldSet fields) { m_lookedFor.add(fields); }

private:
    std::string_view payload(Field f) const;
    void append(Field f, std::string_view payload);

    // Each field present as one byte of its field, a length of two bytes
    // and its bytes: a file rarely holds more than a few, and separate
    // members for all of them would double the size of a cached file.
    std::string m_records;
    FieldSet m_present;
    FieldSet m_lookedFor;
    bool m_unreadable = false;
};

} // namespace quillon::metadata
