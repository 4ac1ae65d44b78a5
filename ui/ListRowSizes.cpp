// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListRowSizes.h"

#include "ui/BusyProgress.h"
#include "ui/FolderListModel.h"
#include "ui/NameWidth.h"
#include "ui/PreviewListModel.h"

#include "workspace/Workspace.h"

#include <QListView>
#include <QStyle>

#include <algorithm>

namespace quillon {

namespace {

// Room for the check box in front of a preview name.
constexpr int kCheckRoom = 20;
constexpr int kMinimumWidth = 40;

} // namespace

ListRowSizes::ListRowSizes(const Workspace& workspace, FolderListModel& folders,
                           PreviewListModel& preview, const QListView& view, BusyProgress& busy)
    : m_workspace(workspace)
    , m_folders(folders)
    , m_preview(preview)
    , m_view(view)
    , m_busy(busy) {}

// HorScrollBar1 / HorScrollBarFolder. The folder names change only with the
// lists, so a press measures the preview alone.
QSize ListRowSizes::rowSize(int contentWidth) const {
    const int frame = m_view.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * 2;
    return {contentWidth + frame, m_view.fontMetrics().height() + 2};
}

void ListRowSizes::updateFolders() {
    NameWidth measure(m_view.fontMetrics());
    int width = kMinimumWidth;
    const auto& names = m_workspace.folderList().names;
    Name name;
    for (std::size_t i = 0; i < names.size(); ++i) {
        m_busy.keepPainting(i);
        names.decodeInto(i, name);
        width = std::max(width, measure.width(name));
    }
    m_folders.setRowSize(rowSize(width));
}

void ListRowSizes::updatePreview() {
    NameWidth measure(m_view.fontMetrics());
    int width = kMinimumWidth;
    const auto& preview = m_workspace.preview();
    const std::size_t count = std::min(preview.size(), m_workspace.folderList().names.size());
    Name name;
    for (std::size_t i = 0; i < count; ++i) {
        m_busy.keepPainting(i);
        preview.names.decodeInto(i, name);
        const int w = measure.width(name);
        if (w > width)
            width = w + kCheckRoom;
    }
    m_preview.setRowSize(rowSize(width));
}

} // namespace quillon
