// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/Workspace.h"

#include <QObject>

namespace quillon {

/// Turns the workspace's notices into Qt signals, so that the list models
/// and the window follow the lists without the window passing them on.
class WorkspaceSignals final : public QObject, public WorkspaceObserver {
    Q_OBJECT
public:
    using QObject::QObject;

    void listsAboutToReset() override { emit aboutToReset(); }
    void listsReset() override { emit reset(); }
    void previewNamesChanged() override { emit namesChanged(); }
    void checksChanged(std::size_t first, std::size_t last) override;
    void undoAvailabilityChanged(bool available) override { emit undoAvailable(available); }

signals:
    void aboutToReset();
    void reset();
    void namesChanged();
    void checksChangedIn(int first, int last);
    void undoAvailable(bool available);
};

} // namespace quillon
