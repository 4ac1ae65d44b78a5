// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CaseConversion.h"
#include "engine/Name.h"
#include "engine/ReplacePlan.h"
#include "engine/ReplaceSettings.h"
#include "workspace/disk/FileSystem.h"
#include "workspace/disk/ProgressReporter.h"
#include "workspace/disk/SystemEnvironment.h"
#include "workspace/fields/FieldCache.h"
#include "workspace/fields/FieldSource.h"
#include "workspace/fields/MissingFields.h"
#include "workspace/folder/FolderReader.h"
#include "workspace/folder/ReloadOrder.h"
#include "workspace/names/NameList.h"
#include "workspace/press/UndoCopy.h"
#include "workspace/save/SaveCallbacks.h"
#include "workspace/save/SavePlan.h"
#include "workspace/undo/UndoLastSave.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillon {

/// The folder list: the on-disk names of the listed files and where they
/// were read from.
struct FolderList {
    NameList names;
    /// The folder last read (raw bytes); saving resolves names against it.
    std::string directory;
    /// The mask text last read with.
    Name mask = U"*.*";
    /// The folder's other entries at that reading, where kept.
    std::optional<NameList> outside;
};

/// The preview list: the proposed names and their check marks, both
/// index-paired with the folder list.
struct PreviewList {
    NameList names;
    std::vector<bool> checked;

    std::size_t size() const { return names.size(); }
    bool empty() const { return names.empty(); }
};

/// How rebuildPreview rewrites the preview names; the values are the
/// codes callers pass around.
enum class PreviewRebuild : std::uint8_t {
    Reload = 0,      ///< a fresh preview of the folder list: every entry checked, case applied
    CaseReapply = 1, ///< checked entries converted again (mode None: back to the disk name)
    Undo = 2,        ///< names taken back from the undo copy
    Reset = 255,     ///< every entry back to its disk name with case applied, checked
};

class UndoHistory;

/// Told about changes to the lists so that views can follow them.
class WorkspaceObserver {
public:
    virtual ~WorkspaceObserver() = default;
    /// The folder and preview lists are about to be replaced (entry count may change).
    virtual void listsAboutToReset() {}
    virtual void listsReset() {}
    /// Preview names were rewritten in place; the count is unchanged.
    virtual void previewNamesChanged() {}
    /// Check marks of entries first..last (inclusive) changed.
    virtual void checksChanged(std::size_t first, std::size_t last) {
        (void)first;
        (void)last;
    }
    /// "Undo" became possible or impossible.
    virtual void undoAvailabilityChanged(bool available) { (void)available; }
};

/// The orders of a list of chosen entries (Workspace::loadChosen).
enum class ChosenOrder : std::uint8_t {
    Name,     ///< as the name-sorted folder list
    Created,  ///< as the date-sorted folder list
    Taken,    ///< see ReloadOrder
    Modified, ///< see ReloadOrder
    Natural,  ///< see ReloadOrder
};

/// One run of numbers that presses on several lists share: the list after
/// another goes on where it stopped (see Workspace::apply).
struct SharedNumbering {
    /// The entries of every list together, which automatic padding reads.
    std::size_t entryCount = 0;
    /// Numbers the lists before took; apply adds those it takes.
    std::uint64_t taken = 0;
};

/// Outcome of a load command.
struct LoadResult {
    /// 0, or the errno value that kept the folder from being read.
    int error = 0;
    bool ok() const { return error == 0; }
};

/// The three index-paired lists (folder, preview, undo) and the commands
/// that rebuild them. Entry i of each list belongs to the same file.
class Workspace final {
public:
    explicit Workspace(FileSystem& fs);

    void setObserver(WorkspaceObserver* observer) { m_observer = observer; }
    /// The disk every later command works on. A copy handed to another
    /// thread takes a file system of its own (FileSystem::makeTwin): one
    /// keeps state between calls that two threads must not share.
    void setFileSystem(FileSystem& fs) { m_fs = fs; }
    FileSystem& fileSystem() const { return m_fs; }
    /// Hears reading, sorting and the rewriting of every preview name; null
    /// for none.
    void setProgressReporter(ProgressReporter* progress) { m_progress = progress; }
    /// The user's history of saves: every save adds to it, and "Undo Last
    /// Save" takes from it first. Null for none.
    void setHistory(UndoHistory* history) { m_history = history; }
    /// The clock and process id a save uses; the process's own by default.
    void setEnvironment(const Environment& env) { m_env = &env; }

    const FolderList& folderList() const { return m_folder; }
    const PreviewList& preview() const { return m_preview; }
    /// False while any command rebuilds or rewrites the lists.
    bool previewReady() const { return m_previewReady; }
    bool undoAvailable() const { return m_hasUndo; }

    CaseMode caseMode() const { return m_caseMode; }
    const SmartCaseOptions& smartOptions() const { return m_smartOptions; }
    /// The case mode that loads, Reset and case re-application use.
    void setCaseMode(CaseMode mode, const SmartCaseOptions& options);
    /// The part of each name that loads, Reset and case re-application
    /// convert; the whole name (Both) unless set.
    void setCaseScope(Scope scope) { m_caseScope = scope; }
    /// Whether the loads by name and by date list the folder's subfolders
    /// (and links to folders) beside its files, so that saving renames
    /// them as entries; off unless set.
    void setListFolders(bool listFolders) { m_listFolders = listFolders; }
    /// Whether a press keeps the names from before it, for "Undo" and for a
    /// press that gives up to change nothing; on unless set. Off, a press
    /// that gives up leaves the preview part way: for a caller that then
    /// drops the list, such as a run of the command line, which saves a copy
    /// of every name a press changes.
    void setKeepPressUndo(bool keep) { m_keepPressUndo = keep; }
    /// Whether the loads by name and by date keep the entries they leave
    /// out, so that saveConflicts need not list the folder again; off
    /// unless set. For a caller that checks right after loading, such as a
    /// run of the command line: the checks then see the folder as loaded.
    void setKeepOutsideEntries(bool keep) { m_keepOutside = keep; }
    /// Whether a save shows the folder it leaves in the lists; on unless
    /// set. Off, a save leaves both lists empty: for a caller that reports
    /// from the lists as they were before saving and then ends, such as a
    /// run of the command line.
    void setListAfterSave(bool list) { m_listAfterSave = list; }

    /// Reads folder with mask into the folder list (sorted by
    /// name, undo script left out) and rebuilds the preview list. An empty
    /// folder path, or a folder that cannot be read, empties both lists.
    LoadResult reload(const std::string& folder, NameView mask);
    /// The workspace side of the Load command: drops the undo copy, then
    /// reload.
    LoadResult load(const std::string& folder, NameView mask);
    /// Reload sorted by creation date and time; the whole mask is one
    /// pattern and hidden files are listed. An empty folder path changes nothing.
    LoadResult loadByDate(const std::string& folder, NameView mask);
    /// Reload in order, oldest first for the dates, ties by name; like the
    /// name reload the mask splits at ";" and hidden files are left out. A
    /// stop while reading fields changes nothing (fieldReadingStopped).
    LoadResult loadInOrder(const std::string& folder, NameView mask, ReloadOrder order);

    /// Lists the entries of chosen (raw bytes, no folder part) that folder
    /// holds, whatever their name or type, each once and sorted by order, in
    /// place of a folder read; the undo script and what a killed save left
    /// are left out. Drops the undo copy. A stop while reading fields changes
    /// nothing (fieldReadingStopped).
    LoadResult loadChosen(const std::string& folder, const NameList& chosen, ChosenOrder order);

    /// Where "<field>" tokens and the orders by date read fields from; null
    /// reads nothing, so every such field is missing.
    void setFieldSource(FieldSource* source) { m_fieldSource = source; }
    /// Asked now and then while fields are read: true stops the reading, and
    /// the press or reload that wanted them changes nothing.
    void setStopRequest(std::function<bool()> shouldStop) { m_shouldStop = std::move(shouldStop); }
    /// Per preview entry, the fields the last press needed and the file
    /// lacked (none: it had them all), and whether the file could not be
    /// read at all; empty when the last press had no tokens, and after a
    /// reload, a reset or an undo.
    const std::vector<MissingFields>& missingFields() const { return m_missing; }
    /// How many entries the last press left with their name for want of a field.
    std::size_t keptForMissingFields() const;
    /// The last press or ordered reload was stopped while reading fields.
    bool fieldReadingStopped() const { return m_fieldsStopped; }
    /// Files whose fields were read from the disk, not the cache, so far.
    std::size_t fieldFilesRead() const { return m_fieldFilesRead; }
    /// The fields of wanted of every listed file, index-paired with the
    /// folder list (empty when stopped).
    std::vector<metadata::FileFields> readListedFields(FieldSet wanted);
    /// The fields of wanted that the file of folder list entry index holds:
    /// from the cache where it holds them all, else read from the file
    /// without keeping them, so that it may be asked while another thread
    /// copies the workspace. None for an index past the list.
    metadata::FileFields entryFields(std::size_t index, FieldSet wanted) const;

    /// Rewrites the preview names by mode (Reload, Reset, CaseReapply,
    /// Undo). The operation modes run through apply, which
    /// has the compiled plan they need; passed here they change nothing.
    void rebuildPreview(PreviewRebuild mode);

    /// Drops the undo copy ("Undo" becomes impossible).
    void dropUndo();

    /// One press of "OK": copies the preview names into the undo list, then
    /// compiles settings and rewrites every checked entry from its source
    /// name (the pre-press preview name with "Cumulate", else the on-disk
    /// name), in ascending order; with settings.numberDuplicates, then
    /// numbers the names saving would find equal (see numberEqualNames). A
    /// refusal drops the undo copy, changes no name and is returned; the
    /// caller shows refusalMessage(code).
    /// With shared, the numbers go on from the lists pressed before (see
    /// SharedNumbering), and shared counts those taken here.
    /// A regular expression that the match engine gives up on for some
    /// name refuses the whole press (RefusalCode::ExpressionTooCostly) and
    /// refusedName() names the file.
    std::optional<RefusalCode> apply(const ReplaceSettings& settings,
                                     SharedNumbering* shared = nullptr);
    /// The on-disk name (raw bytes) of the entry the last refused press
    /// gave up on.
    const std::string& refusedName() const { return m_refusedName; }

    /// "Undo": puts back the names from before the last press of "OK" (check
    /// marks stay) and drops the copy. Does nothing without a copy.
    void undo();

    /// "Save": renames every file of the folder list to the preview name at
    /// its index, in list order, after the checks (nothing to save, lists out
    /// of step, not ready, duplicate or invalid new names) and the user's
    /// confirmation. With "Create an undo file." the undo script is written
    /// before the first rename and rewritten afterwards with only the renames
    /// that happened. A file is never renamed over another. Ends by reading
    /// the saved folder again with mask.
    SaveResult save(NameView mask, const SaveCallbacks& ask);

    /// What saving now would meet, without touching the disk: every new
    /// name that is refused or held by a file that stays (ascending), and
    /// in refusal the notice a save would stop with before renaming (the
    /// lists, duplicates, invalid names, or a file that is not Quillon's
    /// undo script under its name when one is to be written).
    std::vector<SaveConflict> saveConflicts(bool createUndoFile,
                                            std::optional<SaveNotice>& refusal);

    /// True when the folder shown holds Quillon's undo script.
    bool hasUndoRecord();

    /// Takes back the last save into the folder shown, from the undo
    /// script it left (see undoLastSave), then reads the folder again.
    UndoResult undoLastSave(NameView mask, const SaveCallbacks& ask);

    /// The single-file rename confirmed: preview entry index takes name (its
    /// check mark stays), the undo copy is dropped, and with updateCase the
    /// entry is converted with the selected case mode.
    void renameEntry(std::size_t index, NameView name, bool updateCase);

    /// Moves the folder names and the preview list out and leaves both lists
    /// empty, without telling the observer: for a caller done with the
    /// workspace that wants the names without a copy.
    void releaseLists(NameList& folderNames, PreviewList& preview);

    void selectAll();
    void unselectAll();
    void invertAll();
    void setChecked(std::size_t index, bool checked);

private:
    void clearLists();
    /// Makes names the folder list and rebuilds the preview list from it.
    void installFolderList(NameList names, const std::string& folder, NameView mask,
                           std::optional<NameList> outside = std::nullopt);
    void setAllChecks(bool checked);
    /// Entry i of the preview takes name; with an undo copy held, the name
    /// it had goes there first.
    void setPreviewName(std::size_t i, NameView name);
    void setPreviewBytes(std::size_t i, std::string_view bytes);
    void releaseUndo();
    void keepWholeUndoCopy();
    /// False when the plan gave up on an entry (see replaceGaveUp), whose
    /// name m_refusedName then holds; the loop stops there.
    bool runEntryLoop(const ReplacePlan& plan, bool fromPreviewNames, ReplaceCounter& counter);
    /// "Number equal names" over the preview names (see numberEqualNames).
    void numberEqualPreviewNames();
    std::optional<SaveNoticeKind> saveListsRefusal() const;
    std::optional<SaveNotice> newNamesRefusal() const;
    void saveLocked(bool createUndoFile, const SaveCallbacks& ask, SaveResult& result,
                    std::optional<FolderListing>& after);
    static bool savedWhole(const SaveResult& result);
    std::optional<FolderListing> listingAfterSave(const FolderListing& before, const SavePlan& plan,
                                                  const std::string& folder);
    /// The name-sorted list of a folder whose listing is known.
    void showListing(const FolderListing& listing, const std::string& folder, NameView mask);
    void installSorted(FolderReadResult read, const std::string& folder, NameView mask);
    /// True where it dropped the undo script from names.
    bool dropUndoScript(NameList& names, const std::string& folder);
    /// Reads the fields of entries; false when stopped.
    bool readFieldsInto(const std::vector<std::size_t>& entries, FieldSet wanted,
                        const std::string& folder, const NameList& names,
                        std::vector<metadata::FileFields>& out);
    bool readPressFields(const ReplacePlan& plan);
    NameList ordered(const NameList& names, const std::string& folder, ReloadOrder order,
                     bool& stopped);

    std::reference_wrapper<FileSystem> m_fs;
    WorkspaceObserver* m_observer = nullptr;
    ProgressReporter* m_progress = nullptr;
    std::string m_refusedName;
    UndoHistory* m_history = nullptr;
    const Environment* m_env = &systemEnvironment();
    FolderList m_folder;
    PreviewList m_preview;
    UndoCopy m_undo;
    /// Reused by the loops over every entry, so that a million names cost no
    /// million allocations of their own.
    Name m_scratch;
    std::string m_scratchBytes;
    /// A press of "OK" made a copy that "Undo" can restore (also of an empty list).
    bool m_hasUndo = false;
    bool m_previewReady = false;
    CaseMode m_caseMode = CaseMode::Smart;
    Scope m_caseScope = Scope::Both;
    bool m_listFolders = false;
    bool m_keepPressUndo = true;
    bool m_keepOutside = false;
    bool m_listAfterSave = true;
    SmartCaseOptions m_smartOptions;
    FieldSource* m_fieldSource = nullptr;
    std::function<bool()> m_shouldStop;
    FieldCache m_fieldCache;
    /// The fields of the checked entries while a press with tokens runs.
    std::vector<metadata::FileFields> m_pressFields;
    FieldValues m_scratchValues;
    std::vector<MissingFields> m_missing;
    bool m_fieldsStopped = false;
    std::size_t m_fieldFilesRead = 0;
};

} // namespace quillon
