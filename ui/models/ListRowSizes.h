// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/models/NameWidth.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSize>
#include <QTimer>

#include <memory>

class QListView;

namespace quillon {

class FolderListModel;
class PreviewListModel;
class Workspace;

/// The rows' size hints of the folder and preview lists. A view with uniform
/// item sizes takes its content width (and so its horizontal scroll range)
/// from them, so they follow the widest name. A million names take a while
/// to measure: the measuring runs in slices between the window's other
/// events, and the size follows once the last slice is done.
class ListRowSizes final : public QObject {
public:
    /// view: the list whose font measures the names.
    ListRowSizes(const Workspace& workspace, FolderListModel& folders, PreviewListModel& preview,
                 const QListView& view, QObject* parent);
    ~ListRowSizes() override;

    /// Measures both lists again from the first name: they were replaced.
    void remeasureAll();
    /// Measures again: the preview names were rewritten.
    void remeasurePreviewNames();

private:
    /// One list's measuring in progress.
    struct Progress {
        std::size_t next = 0;
        int width = 0;
        bool running = false;
    };

    void measureSlice();
    bool measureFolders(const QElapsedTimer& slice);
    bool measurePreview(const QElapsedTimer& slice);
    QSize rowSize(int contentWidth) const;

    const Workspace& m_workspace;
    FolderListModel& m_folders;
    PreviewListModel& m_preview;
    const QListView& m_view;
    std::unique_ptr<NameWidth> m_measure;
    Progress m_folderProgress;
    Progress m_previewProgress;
    QTimer m_nextSlice;
};

} // namespace quillon
