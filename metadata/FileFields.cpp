// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/FileFields.h"

#include <array>
#include <cstring>

namespace quillon::metadata {

// A folder's cache holds one per file.
static_assert(sizeof(FileFields) <= 40);

namespace {

constexpr std::size_t kHeader = 3;
constexpr std::size_t kMaxText = 0xFFFF;

std::size_t payloadLength(const std::string& records, std::size_t at) {
    return static_cast<unsigned char>(records[at + 1]) |
           (static_cast<std::size_t>(static_cast<unsigned char>(records[at + 2])) << 8);
}

template <class T>
std::string_view bytesOf(const T& value) {
    return {reinterpret_cast<const char*>(&value), sizeof value};
}

template <class T>
T valueOf(std::string_view bytes) {
    T value{};
    if (bytes.size() == sizeof value)
        std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

bool plausible(const DateTime& d) {
    return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31 && d.hour < 24 &&
           d.minute < 60 && d.second < 61;
}

bool payloadFits(Field f, std::string_view payload) {
    switch (fieldKind(f)) {
    case FieldKind::Text:
        return true;
    case FieldKind::Number:
        return payload.size() == sizeof(std::uint32_t);
    case FieldKind::Date:
        return payload.size() == sizeof(DateTime) && plausible(valueOf<DateTime>(payload));
    }
    return false;
}

} // namespace

std::string_view FileFields::payload(Field f) const {
    if (!has(f))
        return {};
    for (std::size_t at = 0; at + kHeader <= m_records.size();) {
        const std::size_t length = payloadLength(m_records, at);
        if (static_cast<Field>(m_records[at]) == f)
            return std::string_view(m_records).substr(at + kHeader, length);
        at += kHeader + length;
    }
    return {};
}

void FileFields::append(Field f, std::string_view payload) {
    if (has(f))
        return;
    payload = payload.substr(0, kMaxText);
    m_records.push_back(static_cast<char>(f));
    m_records.push_back(static_cast<char>(payload.size() & 0xFF));
    m_records.push_back(static_cast<char>(payload.size() >> 8));
    m_records.append(payload);
    m_present.add(f);
}

std::string_view FileFields::text(Field f) const {
    return payload(f);
}

void FileFields::setText(Field f, std::string_view value) {
    append(f, value);
}

std::uint32_t FileFields::number(Field f) const {
    return valueOf<std::uint32_t>(payload(f));
}

void FileFields::setNumber(Field f, std::uint32_t value) {
    append(f, bytesOf(value));
}

DateTime FileFields::date(Field f) const {
    return valueOf<DateTime>(payload(f));
}

void FileFields::setDate(Field f, DateTime value) {
    append(f, bytesOf(value));
}

void FileFields::restrictTo(FieldSet keep) {
    std::string records;
    for (std::size_t at = 0; at + kHeader <= m_records.size();) {
        const std::size_t length = payloadLength(m_records, at);
        if (keep.has(static_cast<Field>(m_records[at])))
            records.append(m_records, at, kHeader + length);
        at += kHeader + length;
    }
    m_records = std::move(records);
    m_records.shrink_to_fit();
    m_present = m_present & keep;
}

void FileFields::merge(const FileFields& other) {
    for (const Field f : kAllFields) {
        if (!has(f) && other.has(f))
            append(f, other.payload(f));
    }
}

bool FileFields::fromRecords(std::string_view records, FileFields& out) {
    FileFields fields;
    for (std::size_t at = 0; at < records.size();) {
        if (records.size() - at < kHeader)
            return false;
        const auto index = static_cast<unsigned char>(records[at]);
        const std::size_t length =
            static_cast<unsigned char>(records[at + 1]) |
            (static_cast<std::size_t>(static_cast<unsigned char>(records[at + 2])) << 8);
        if (index >= kFieldCount || records.size() - at - kHeader < length)
            return false;
        const auto f = static_cast<Field>(index);
        const std::string_view payload = records.substr(at + kHeader, length);
        if (fields.has(f) || !payloadFits(f, payload))
            return false;
        fields.append(f, payload);
        at += kHeader + length;
    }
    out = std::move(fields);
    return true;
}

std::size_t FileFields::heapBytes() const {
    // Short records stay inside the string object.
    return m_records.capacity() > 15 ? m_records.capacity() + 1 : 0;
}

} // namespace quillon::metadata
