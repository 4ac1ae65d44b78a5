// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exiv2/basicio.hpp>

#include <string>

namespace quillon::metadata {

// The photo library's input over an open file, read with pread: the reader
// process may open nothing by path. The first bytes, already read, are
// served from memory, where most photos keep their metadata. Reads never
// move the descriptor's offset and never write; it behaves as the library's
// memory input does, so that a file reads the same whichever is used.
class DescriptorIo final : public Exiv2::BasicIo {
public:
    DescriptorIo(int fd, std::size_t size, const std::string& head);
    ~DescriptorIo() override;
    DescriptorIo(const DescriptorIo&) = delete;
    DescriptorIo& operator=(const DescriptorIo&) = delete;

    int open() override;
    int close() override;
    long write(const Exiv2::byte* data, long wcount) override;
    long write(Exiv2::BasicIo& src) override;
    int putb(Exiv2::byte data) override;
    Exiv2::DataBuf read(long rcount) override;
    long read(Exiv2::byte* buf, long rcount) override;
    int getb() override;
    void transfer(Exiv2::BasicIo& src) override;
    int seek(long offset, Position pos) override;
    Exiv2::byte* mmap(bool isWriteable) override;
    int munmap() override;
    long tell() const override;
    std::size_t size() const override;
    bool isopen() const override;
    int error() const override;
    bool eof() const override;
    std::string path() const override;

private:
    int m_fd;
    std::size_t m_size;
    const std::string& m_head;
    std::size_t m_position = 0;
    bool m_eof = false;
    void* m_mapped = nullptr;
};

} // namespace quillon::metadata
