// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/FileFields.h"

#include <algorithm>

namespace quillon::metadata {

// A folder's cache holds one per file.
static_assert(sizeof(FileFields) <= 72);

namespace {

constexpr std::size_t kTextHeader = 3;
constexpr std::size_t kMaxText = 0xFFFF;

constexpr std::array<std::string_view, kFieldCount> kNames{
    "artist", "albumartist", "title",    "album",  "track", "disc",   "year",
    "genre",  "taken",       "modified", "camera", "width", "height",
};

std::size_t textLength(const std::string& texts, std::size_t at) {
    return static_cast<unsigned char>(texts[at + 1]) |
           (static_cast<std::size_t>(static_cast<unsigned char>(texts[at + 2])) << 8);
}

bool isText(Field f) {
    return f == Field::Artist || f == Field::AlbumArtist || f == Field::Title ||
           f == Field::Album || f == Field::Genre || f == Field::Camera;
}

} // namespace

std::string_view fieldName(Field f) {
    return kNames[static_cast<std::size_t>(f)];
}

std::string_view FileFields::text(Field f) const {
    if (!has(f))
        return {};
    for (std::size_t at = 0; at + kTextHeader <= m_texts.size();) {
        const std::size_t length = textLength(m_texts, at);
        if (static_cast<Field>(m_texts[at]) == f)
            return std::string_view(m_texts).substr(at + kTextHeader, length);
        at += kTextHeader + length;
    }
    return {};
}

void FileFields::setText(Field f, std::string_view value) {
    if (has(f))
        return;
    value = value.substr(0, kMaxText);
    m_texts.push_back(static_cast<char>(f));
    m_texts.push_back(static_cast<char>(value.size() & 0xFF));
    m_texts.push_back(static_cast<char>(value.size() >> 8));
    m_texts.append(value);
    m_present.add(f);
}

std::size_t FileFields::numberSlot(Field f) {
    switch (f) {
    case Field::Track:
        return 0;
    case Field::Disc:
        return 1;
    case Field::Year:
        return 2;
    case Field::Width:
        return 3;
    default:
        return 4;
    }
}

std::uint32_t FileFields::number(Field f) const {
    return has(f) ? m_numbers[numberSlot(f)] : 0;
}

void FileFields::setNumber(Field f, std::uint32_t value) {
    m_numbers[numberSlot(f)] = value;
    m_present.add(f);
}

void FileFields::setDate(Field f, DateTime value) {
    (f == Field::Taken ? m_taken : m_modified) = value;
    m_present.add(f);
}

void FileFields::restrictTo(FieldSet keep) {
    std::string texts;
    for (std::size_t at = 0; at + kTextHeader <= m_texts.size();) {
        const std::size_t length = textLength(m_texts, at);
        if (keep.has(static_cast<Field>(m_texts[at])))
            texts.append(m_texts, at, kTextHeader + length);
        at += kTextHeader + length;
    }
    m_texts = std::move(texts);
    m_texts.shrink_to_fit();
    m_present = m_present & keep;
}

void FileFields::merge(const FileFields& other) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        if (has(f) || !other.has(f))
            continue;
        if (isText(f))
            setText(f, other.text(f));
        else if (f == Field::Taken || f == Field::Modified)
            setDate(f, other.date(f));
        else
            setNumber(f, other.number(f));
    }
}

std::size_t FileFields::heapBytes() const {
    // Short texts stay inside the string object.
    return m_texts.capacity() > 15 ? m_texts.capacity() + 1 : 0;
}

} // namespace quillon::metadata
