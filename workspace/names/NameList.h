// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Name.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

/// A list of file names as their disk bytes (what encodeName gives), all in
/// one buffer: a million names cost a million small allocations otherwise,
/// and four times the bytes as UTF-32. Views handed out stay valid until the
/// list next changes. A copy shares the names until one of the two lists
/// changes, which then takes a buffer of its own: a copy handed to another
/// thread costs next to nothing on the thread that takes it. Two lists that
/// share names may be read from two threads at once, and each changed by
/// the thread that holds it.
class NameList final {
public:
    class Iterator;

    std::size_t size() const { return data().spans.size(); }
    bool empty() const { return size() == 0; }
    /// The bytes of entry i.
    std::string_view operator[](std::size_t i) const;
    /// Entry i as the engine sees it.
    Name decoded(std::size_t i) const;
    /// decoded into out, reusing its storage.
    void decodeInto(std::size_t i, Name& out) const;

    /// Makes room for count names of bytes bytes in all.
    void reserve(std::size_t count, std::size_t bytes);
    void add(std::string_view bytes);
    /// Appends name encoded to disk bytes.
    void addEncoded(NameView name);
    /// Gives entry i the name bytes. A longer name goes to the end of the
    /// buffer; the space it leaves is reclaimed once it outweighs the names.
    void set(std::size_t i, std::string_view bytes);
    /// Gives entry i the disk bytes of name.
    void setEncoded(std::size_t i, NameView name);
    /// Removes entry i; later entries move up by one.
    void erase(std::size_t i);
    void clear();
    /// Returns memory the list no longer needs.
    void shrinkToFit();
    /// Compacts once a quarter of the buffer or more holds replaced names:
    /// cheap to call after every pass over a list. Spare capacity stays; the
    /// system gives it pages only once names are written there.
    void trim();
    /// Bytes the names take, replaced ones included.
    std::size_t byteSize() const { return data().bytes.size(); }

    Iterator begin() const;
    Iterator end() const;

    friend bool operator==(const NameList& a, const NameList& b);

private:
    struct Slot {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    struct Data {
        std::string bytes;
        std::vector<Slot> spans;
        /// Bytes of the buffer that no entry uses any more.
        std::size_t unused = 0;
    };

    const Data& data() const;
    /// The names to change: this list's own, copied first while shared.
    Data& own();
    static Slot store(Data& d, std::string_view bytes);
    static void compact(Data& d);

    /// Null while empty and never changed.
    std::shared_ptr<Data> m_data;
};

/// Walks a NameList's entries as views.
class NameList::Iterator final {
public:
    // NOLINTBEGIN(readability-identifier-naming): the names iterators must have
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;
    // NOLINTEND(readability-identifier-naming)

    Iterator() = default;
    Iterator(const NameList* list, std::size_t index)
        : m_list(list)
        , m_index(index) {}
    std::string_view operator*() const { return (*m_list)[m_index]; }
    Iterator& operator++() {
        ++m_index;
        return *this;
    }
    Iterator operator++(int) {
        Iterator before = *this;
        ++m_index;
        return before;
    }
    friend bool operator==(const Iterator& a, const Iterator& b) { return a.m_index == b.m_index; }

private:
    const NameList* m_list = nullptr;
    std::size_t m_index = 0;
};

} // namespace quillon
