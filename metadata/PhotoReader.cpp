// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaReaders.h"

#include "metadata/DescriptorIo.h"
#include "metadata/JpegExifReader.h"

#include <exiv2/exiv2.hpp>

#include <algorithm>
#include <array>
#include <mutex>
#include <string>
#include <unistd.h>

namespace quillon::metadata {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.remove_suffix(1);
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

} // namespace

std::string cameraName(std::string_view make, std::string_view model) {
    make = trimmed(make);
    model = trimmed(model);
    if (make.empty() || model.starts_with(make))
        return std::string(model);
    if (model.empty())
        return std::string(make);
    return std::string(make) + " " + std::string(model);
}

// XMP needs its parser set up once before any thread reads; the library
// also writes warnings about damaged files to standard error unless told.
void preparePhotoReader() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
        // HEIC, AVIF and CR3 are read only when asked for.
        Exiv2::enableBMFF(true);
        // The first error the library makes looks up its program's path for
        // its message catalogue; once done, errors need no file.
        const Exiv2::Error first(Exiv2::kerGeneralError);
        (void)first.what();
    });
}

namespace {

// A key is parsed from its text once, not on every file: parsing it took a
// tenth of the time of reading a photo's date.
std::string exifText(const Exiv2::ExifData& exif, const Exiv2::ExifKey& key) {
    const auto it = exif.findKey(key);
    if (it == exif.end())
        return {};
    return it->toString();
}

std::string xmpText(const Exiv2::XmpData& xmp, const char* key) {
    const auto it = xmp.findKey(Exiv2::XmpKey(key));
    if (it == xmp.end())
        return {};
    return it->toString();
}

std::optional<DateTime> takenDate(const Exiv2::Image& image) {
    static const std::array kExif{Exiv2::ExifKey("Exif.Photo.DateTimeOriginal"),
                                  Exiv2::ExifKey("Exif.Photo.DateTimeDigitized")};
    for (const Exiv2::ExifKey& key : kExif) {
        if (auto date = parseMetadataDate(exifText(image.exifData(), key)))
            return date;
    }
    constexpr std::array kXmp{"Xmp.exif.DateTimeOriginal", "Xmp.photoshop.DateCreated",
                              "Xmp.xmp.CreateDate"};
    for (const char* key : kXmp) {
        if (auto date = parseMetadataDate(xmpText(image.xmpData(), key)))
            return date;
    }
    return std::nullopt;
}

void takeFields(const Exiv2::Image& image, FieldSet wanted, FileFields& out) {
    if (wanted.has(Field::Taken)) {
        if (const auto date = takenDate(image))
            out.setDate(Field::Taken, *date);
    }
    if (wanted.has(Field::Camera)) {
        static const Exiv2::ExifKey kMake("Exif.Image.Make");
        static const Exiv2::ExifKey kModel("Exif.Image.Model");
        const std::string camera =
            cameraName(exifText(image.exifData(), kMake), exifText(image.exifData(), kModel));
        if (!camera.empty())
            out.setText(Field::Camera, camera);
    }
    if (wanted.has(Field::Width) && image.pixelWidth() > 0)
        out.setNumber(Field::Width, image.pixelWidth());
    if (wanted.has(Field::Height) && image.pixelHeight() > 0)
        out.setNumber(Field::Height, image.pixelHeight());
}

} // namespace

namespace {

// The metadata of most photos stands in their first block: it is read with
// one call and served from memory, the rest of the file with pread as the
// library asks for it.
constexpr std::size_t kHeadSize = std::size_t{128} * 1024;

// Its handles are the deprecated auto_ptr in this version of the library.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

bool readImage(Exiv2::BasicIo::AutoPtr io, FieldSet wanted, FileFields& out) {
    try {
        const auto image = Exiv2::ImageFactory::open(io);
        if (image.get() == nullptr)
            return false;
        image->readMetadata();
        takeFields(*image, wanted, out);
        return true;
    } catch (...) {
        return false;
    }
}

void readWithLibrary(int fd, const std::string& head, std::size_t size, FieldSet wanted,
                     FileFields& out) {
    preparePhotoReader();
    if (readImage(Exiv2::BasicIo::AutoPtr(new DescriptorIo(fd, size, head)), wanted, out))
        return;
    // Damage past the first block loses only what stands there.
    if (head.size() < size)
        readImage(
            Exiv2::BasicIo::AutoPtr(new Exiv2::MemIo(
                reinterpret_cast<const Exiv2::byte*>(head.data()), static_cast<long>(head.size()))),
            wanted, out);
}

#pragma GCC diagnostic pop

} // namespace

void readPhotoFields(int fd, std::int64_t fileSize, FieldSet wanted, FileFields& out,
                     std::string head) {
    const auto size = static_cast<std::size_t>(std::max<std::int64_t>(fileSize, 0));
    extendHead(fd, size, kHeadSize, head);
    if (head.empty())
        return;
    // Off where the library is not of the series the plain reader mirrors.
    if (QUILLON_PLAIN_JPEG_EXIF && readPlainJpegExif(head, size, wanted, out))
        return;
    readWithLibrary(fd, head, size, wanted, out);
}

void readPhotoFields(int fd, std::int64_t size, FieldSet wanted, FileFields& out) {
    readPhotoFields(fd, size, wanted, out, {});
}

void readPhotoFieldsWithLibrary(int fd, std::int64_t fileSize, FieldSet wanted, FileFields& out) {
    const auto size = static_cast<std::size_t>(std::max<std::int64_t>(fileSize, 0));
    std::string head;
    extendHead(fd, size, kHeadSize, head);
    if (!head.empty())
        readWithLibrary(fd, head, size, wanted, out);
}

} // namespace quillon::metadata
