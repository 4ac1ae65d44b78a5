// SPDX-License-Identifier: GPL-3.0-or-later
#include "metadata/MediaReaders.h"

#include <exiv2/exiv2.hpp>

#include <algorithm>
#include <array>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace quillon::metadata {

namespace {

// XMP needs its parser set up once before any thread reads; the library
// also writes warnings about damaged files to standard error unless told.
void prepareExiv2() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
        // HEIC, AVIF and CR3 are read only when asked for.
        Exiv2::enableBMFF(true);
    });
}

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

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// "Canon" and "Canon EOS 5D" make "Canon EOS 5D", not the make twice.
std::string cameraName(const Exiv2::ExifData& exif) {
    static const Exiv2::ExifKey kMake("Exif.Image.Make");
    static const Exiv2::ExifKey kModel("Exif.Image.Model");
    std::string make = trimmed(exifText(exif, kMake));
    std::string model = trimmed(exifText(exif, kModel));
    if (make.empty() || model.rfind(make, 0) == 0)
        return model;
    if (model.empty())
        return make;
    return make + " " + model;
}

void takeFields(const Exiv2::Image& image, FieldSet wanted, FileFields& out) {
    if (wanted.has(Field::Taken)) {
        if (const auto date = takenDate(image))
            out.setDate(Field::Taken, *date);
    }
    if (wanted.has(Field::Camera)) {
        const std::string camera = cameraName(image.exifData());
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

// The metadata of most photos stands in their first block: read that with
// one call and parse it in memory, and open the whole file by path only
// when the block was not the whole file and gave nothing.
constexpr std::size_t kHeadSize = std::size_t{128} * 1024;

// Its handles are the deprecated auto_ptr in this version of the library.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

bool readFromMemory(const std::string& head, FieldSet wanted, FileFields& out) {
    try {
        const auto image = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte*>(head.data()), static_cast<long>(head.size()));
        if (image.get() == nullptr)
            return false;
        image->readMetadata();
        takeFields(*image, wanted, out);
        return true;
    } catch (...) {
        return false;
    }
}

void readByPath(int fd, FieldSet wanted, FileFields& out) {
    try {
        // This path names the file already open (read-only, reached without
        // following a link).
        const auto image = Exiv2::ImageFactory::open("/proc/self/fd/" + std::to_string(fd), false);
        if (image.get() == nullptr)
            return;
        image->readMetadata();
        takeFields(*image, wanted, out);
    } catch (...) { // NOLINT(bugprone-empty-catch): a file the library cannot read has no fields
    }
}

#pragma GCC diagnostic pop

} // namespace

void readPhotoFields(int fd, FieldSet wanted, FileFields& out) {
    prepareExiv2();
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size <= 0)
        return;
    const auto size = static_cast<std::size_t>(st.st_size);
    std::string head(std::min(size, kHeadSize), '\0');
    const ssize_t n = ::pread(fd, head.data(), head.size(), 0);
    if (n <= 0)
        return;
    head.resize(static_cast<std::size_t>(n));
    const FieldSet before = out.present();
    if (readFromMemory(head, wanted, out) && (head.size() == size || out.present() != before))
        return;
    if (head.size() < size)
        readByPath(fd, wanted, out);
}

} // namespace quillon::metadata
