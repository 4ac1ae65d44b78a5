// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QListView;

namespace quillon {

class BusyProgress;
class FolderListModel;
class PreviewListModel;
class Workspace;

/// The rows' size hints of the folder and preview lists. A view with uniform
/// item sizes takes its content width (and so its horizontal scroll range)
/// from them, so they follow the widest name.
class ListRowSizes final {
public:
    /// view: the list whose font measures the names; busy keeps the window
    /// painted while a million names are measured.
    ListRowSizes(const Workspace& workspace, FolderListModel& folders, PreviewListModel& preview,
                 const QListView& view, BusyProgress& busy);

    void updateFolders();
    void updatePreview();

private:
    QSize rowSize(int contentWidth) const;

    const Workspace& m_workspace;
    FolderListModel& m_folders;
    PreviewListModel& m_preview;
    const QListView& m_view;
    BusyProgress& m_busy;
};

} // namespace quillon
