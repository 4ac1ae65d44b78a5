// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/DescriptorIo.h"

#include <exiv2/error.hpp>

#include <algorithm>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace quillon::metadata {

DescriptorIo::DescriptorIo(int fd, std::size_t size, const std::string& head)
    : m_fd(fd)
    , m_size(size)
    , m_head(head) {}

DescriptorIo::~DescriptorIo() {
    munmap();
}

int DescriptorIo::open() {
    m_position = 0;
    m_eof = false;
    return 0;
}

int DescriptorIo::close() {
    return munmap();
}

long DescriptorIo::write(const Exiv2::byte* data, long wcount) {
    (void)data;
    (void)wcount;
    return 0;
}

long DescriptorIo::write(Exiv2::BasicIo& src) {
    (void)src;
    return 0;
}

int DescriptorIo::putb(Exiv2::byte data) {
    (void)data;
    return EOF;
}

// A count no file of this size can give is damage: refused before the
// buffer for it is taken.
Exiv2::DataBuf DescriptorIo::read(long rcount) {
    if (rcount < 0 || static_cast<std::size_t>(rcount) > m_size)
        throw Exiv2::Error(Exiv2::kerInvalidMalloc);
    Exiv2::DataBuf buf(rcount);
    buf.size_ = read(buf.pData_, rcount);
    return buf;
}

long DescriptorIo::read(Exiv2::byte* buf, long rcount) {
    const std::size_t available = m_size - std::min(m_position, m_size);
    const std::size_t wanted = rcount > 0 ? static_cast<std::size_t>(rcount) : 0;
    std::size_t count = std::min(wanted, available);
    if (m_position + count <= m_head.size()) {
        std::memcpy(buf, m_head.data() + m_position, count);
    } else {
        const ssize_t n = ::pread(m_fd, buf, count, static_cast<off_t>(m_position));
        count = n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    m_position += count;
    if (count < wanted)
        m_eof = true;
    return static_cast<long>(count);
}

int DescriptorIo::getb() {
    Exiv2::byte b = 0;
    if (read(&b, 1) != 1)
        return EOF;
    return b;
}

void DescriptorIo::transfer(Exiv2::BasicIo& src) {
    (void)src;
    throw Exiv2::Error(Exiv2::kerFunctionNotSupported, "transfer");
}

int DescriptorIo::seek(long offset, Position pos) {
    long base = 0;
    if (pos == cur)
        base = static_cast<long>(m_position);
    else if (pos == end)
        base = static_cast<long>(m_size);
    const long target = base + offset;
    if (target < 0)
        return 1;
    if (static_cast<std::size_t>(target) > m_size) {
        m_eof = true;
        return 1;
    }
    m_position = static_cast<std::size_t>(target);
    m_eof = false;
    return 0;
}

// Raw formats are parsed from a view of the whole file.
Exiv2::byte* DescriptorIo::mmap(bool isWriteable) {
    if (isWriteable)
        throw Exiv2::Error(Exiv2::kerFunctionNotSupported, "writable mmap");
    if (m_head.size() >= m_size)
        return reinterpret_cast<Exiv2::byte*>(const_cast<char*>(m_head.data()));
    if (m_mapped == nullptr) {
        void* mapped = ::mmap(nullptr, m_size, PROT_READ, MAP_PRIVATE, m_fd, 0);
        if (mapped == MAP_FAILED)
            throw Exiv2::Error(Exiv2::kerFunctionNotSupported, "mmap");
        m_mapped = mapped;
    }
    return static_cast<Exiv2::byte*>(m_mapped);
}

int DescriptorIo::munmap() {
    if (m_mapped != nullptr)
        ::munmap(m_mapped, m_size);
    m_mapped = nullptr;
    return 0;
}

long DescriptorIo::tell() const {
    return static_cast<long>(m_position);
}

std::size_t DescriptorIo::size() const {
    return m_size;
}

bool DescriptorIo::isopen() const {
    return true;
}

int DescriptorIo::error() const {
    return 0;
}

bool DescriptorIo::eof() const {
    return m_eof;
}

std::string DescriptorIo::path() const {
    return {};
}

} // namespace quillon::metadata
