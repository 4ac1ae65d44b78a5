// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/models/ListRowSizes.h"

#include "ui/models/FolderListModel.h"
#include "ui/models/PreviewListModel.h"

#include "workspace/Workspace.h"

#include <QListView>
#include <QStyle>

#include <algorithm>

namespace quillon {

namespace {

// Room for the check box in front of a preview name.
constexpr int kCheckRoom = 20;
constexpr int kMinimumWidth = 40;
// One slice of measuring: short enough that the window stays responsive.
constexpr qint64 kSliceMs = 8;
// Names measured between two looks at the clock.
constexpr std::size_t kClockGrain = 512;

} // namespace

ListRowSizes::ListRowSizes(const Workspace& workspace, FolderListModel& folders,
                           PreviewListModel& preview, const QListView& view, QObject* parent)
    : QObject(parent)
    , m_workspace(workspace)
    , m_folders(folders)
    , m_preview(preview)
    , m_view(view) {
    m_nextSlice.setSingleShot(true);
    m_nextSlice.setInterval(0);
    connect(&m_nextSlice, &QTimer::timeout, this, &ListRowSizes::measureSlice);
}

ListRowSizes::~ListRowSizes() = default;

// HorScrollBar1 / HorScrollBarFolder. The folder names change only with the
// lists, so a press measures the preview alone.
QSize ListRowSizes::rowSize(int contentWidth) const {
    const int frame = m_view.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * 2;
    return {contentWidth + frame, m_view.fontMetrics().height() + 2};
}

// One slice for both lists: the window's thread runs it while it takes the
// new lists over, without painting.
void ListRowSizes::remeasureAll() {
    m_folderProgress = Progress{0, kMinimumWidth, true};
    m_previewProgress = Progress{0, kMinimumWidth, true};
    measureSlice();
}

void ListRowSizes::remeasurePreviewNames() {
    m_previewProgress = Progress{0, kMinimumWidth, true};
    measureSlice();
}

// The first slice runs at once, so a folder of ordinary size has its sizes
// before the next paint.
void ListRowSizes::measureSlice() {
    // A new measure per round follows a change of font.
    if (!m_measure)
        m_measure = std::make_unique<NameWidth>(m_view.fontMetrics());
    QElapsedTimer slice;
    slice.start();
    const bool foldersDone = measureFolders(slice);
    const bool previewDone = foldersDone && measurePreview(slice);
    if (foldersDone && previewDone)
        m_measure.reset();
    else
        m_nextSlice.start();
}

bool ListRowSizes::measureFolders(const QElapsedTimer& slice) {
    Progress& p = m_folderProgress;
    if (!p.running)
        return true;
    const NameList& names = m_workspace.folderList().names;
    Name name;
    for (; p.next < names.size(); ++p.next) {
        if (p.next % kClockGrain == 0 && slice.elapsed() >= kSliceMs)
            return false;
        names.decodeInto(p.next, name);
        p.width = std::max(p.width, m_measure->width(name));
    }
    p.running = false;
    m_folders.setRowSize(rowSize(p.width));
    return true;
}

bool ListRowSizes::measurePreview(const QElapsedTimer& slice) {
    Progress& p = m_previewProgress;
    if (!p.running)
        return true;
    const PreviewList& preview = m_workspace.preview();
    const std::size_t count = std::min(preview.size(), m_workspace.folderList().names.size());
    Name name;
    for (; p.next < count; ++p.next) {
        if (p.next % kClockGrain == 0 && p.next > 0 && slice.elapsed() >= kSliceMs)
            return false;
        preview.names.decodeInto(p.next, name);
        const int w = m_measure->width(name);
        if (w > p.width)
            p.width = w + kCheckRoom;
    }
    p.running = false;
    m_preview.setRowSize(rowSize(p.width));
    return true;
}

} // namespace quillon
