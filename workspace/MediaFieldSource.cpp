// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/FieldSource.h"

namespace quillon {

namespace {

class MediaFolderFields final : public FolderFields {
public:
    explicit MediaFolderFields(const std::string& folder)
        : m_folder(folder) {}
    bool ok() const { return m_folder.error() == 0; }

    int identify(std::string_view name, metadata::FileIdentity& out) const override {
        return m_folder.identify(name, out);
    }
    metadata::FileFields read(std::string_view name, const metadata::FileIdentity& identity,
                              metadata::FieldSet wanted) const override {
        return m_folder.read(name, identity, wanted);
    }

private:
    metadata::MediaFolder m_folder;
};

} // namespace

std::unique_ptr<FolderFields> MediaFieldSource::openFolder(const std::string& folder) {
    auto fields = std::make_unique<MediaFolderFields>(folder);
    if (!fields->ok())
        return nullptr;
    return fields;
}

} // namespace quillon
