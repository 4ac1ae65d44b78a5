// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace quillon {

class CommandRunner;
class FileLists;
class FolderListModel;
class ListRowSizes;
class OldNewListModel;
class PreviewListModel;
class ReplaceGroup;

/// The two lists over the workspace: their models, the row sizes that set
/// the views' horizontal scroll range, and what the workspace's notices do
/// to them. The notices come from the command runner, which tells them once
/// a command's result is the workspace.
class ListWiring final : public QObject {
    Q_OBJECT
public:
    ListWiring(CommandRunner& runner, QObject* parent);

    FolderListModel* folderModel() const { return m_folderModel; }
    PreviewListModel* previewModel() const { return m_previewModel; }
    OldNewListModel* oldNewModel() const { return m_oldNewModel; }
    /// Both models that take checks: off while a command works.
    void setEditable(bool editable);

    /// Once the views and the replace group exist: sizes their rows and lets
    /// the notices reach them.
    void attach(FileLists& lists, ReplaceGroup& replace);

private:
    void listsReset();

    CommandRunner& m_runner;
    // The preview's model first: it hears each notice first, as it always has.
    PreviewListModel* m_previewModel = nullptr;
    FolderListModel* m_folderModel = nullptr;
    OldNewListModel* m_oldNewModel = nullptr;
    FileLists* m_lists = nullptr;
    ListRowSizes* m_rowSizes = nullptr;
};

} // namespace quillon
