// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeFileSystem.h"
#include "workspace/Workspace.h"
#include "workspace/names/NaturalOrder.h"

#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

using namespace quillon;
using metadata::FileFields;
using quillon::test::FakeFileSystem;

namespace {

using Names = std::vector<std::string>;

// Fixed fields per name, with a count of the reads that reached "the file".
class FixedFields final : public FieldSource {
public:
    struct File {
        FileFields fields;
        std::int64_t version = 1;
    };
    std::map<std::string, File, std::less<>> files;
    mutable std::atomic<int> reads{0};
    std::function<void()> onRead;

    std::unique_ptr<FolderFields> openFolder(const std::string&) override {
        return std::make_unique<Reader>(*this);
    }

private:
    class Reader final : public FolderFields {
    public:
        explicit Reader(const FixedFields& source)
            : m_source(source) {}
        int identify(std::string_view name, metadata::FileIdentity& out) const override {
            const auto it = m_source.files.find(name);
            if (it == m_source.files.end())
                return ENOENT;
            out = {std::hash<std::string_view>()(name), 10, it->second.version, true};
            return 0;
        }
        FileFields read(std::string_view name, const metadata::FileIdentity&,
                        FieldSet wanted) const override {
            ++m_source.reads;
            if (m_source.onRead)
                m_source.onRead();
            FileFields f = m_source.files.find(name)->second.fields;
            f.restrictTo(wanted);
            return f;
        }

    private:
        const FixedFields& m_source;
    };
};

FileFields song(const char* artist, const char* title) {
    FileFields f;
    if (artist)
        f.setText(Field::Artist, artist);
    if (title)
        f.setText(Field::Title, title);
    return f;
}

FileFields dated(std::optional<metadata::DateTime> taken, metadata::DateTime modified) {
    FileFields f;
    if (taken)
        f.setDate(Field::Taken, *taken);
    f.setDate(Field::Modified, modified);
    return f;
}

class FieldReadingTest : public testing::Test {
protected:
    FieldReadingTest()
        : m_ws(m_fs) {
        m_ws.setCaseMode(CaseMode::None, {});
        m_settings.caseMode = CaseMode::None;
        m_ws.setFieldSource(&m_source);
    }

    void add(const std::string& name, FileFields fields) {
        m_fs.addFile(name);
        m_source.files[name] = {std::move(fields), 1};
    }
    std::optional<RefusalCode> press(const char* from, const char* to) {
        m_settings.find = decodeName(from);
        m_settings.replaceWith = decodeName(to);
        return m_ws.apply(m_settings);
    }
    Names names(const NameList& list) const { return Names(list.begin(), list.end()); }

    FakeFileSystem m_fs;
    FixedFields m_source;
    Workspace m_ws;
    ReplaceSettings m_settings;
};

} // namespace

TEST_F(FieldReadingTest, APressFillsTokensAndCountsTheFilesThatKeepTheirName) {
    add("1.mp3", song("AC/DC", "Back in Black"));
    add("2.mp3", song(nullptr, "No Artist"));
    add("3.mp3", song("Ärzte", "Schrei"));
    add("4.txt", {});
    ASSERT_TRUE(m_ws.load("/f", U"*.*").ok());
    m_ws.setChecked(3, false);
    EXPECT_FALSE(press("*", "<artist> - <title>"));
    EXPECT_EQ(names(m_ws.preview().names),
              (Names{"AC-DC - Back in Black.mp3", "2.mp3", "Ärzte - Schrei.mp3", "4.txt"}));
    EXPECT_EQ(m_ws.keptForMissingFields(), 1U);
    const FieldSet artist = Field::Artist;
    EXPECT_EQ(m_ws.missingFields(), (std::vector<MissingFields>{{}, {artist}, {}, {}}));
    EXPECT_EQ(m_source.reads.load(), 3); // the unchecked file is not read
}

TEST_F(FieldReadingTest, ASecondPressReadsNothingAndAChangedFileIsReadAgain) {
    add("a.mp3", song("A", "T"));
    add("b.mp3", song("B", "U"));
    ASSERT_TRUE(m_ws.load("/f", U"*.*").ok());
    m_settings.cumulate = false;
    EXPECT_FALSE(press("*", "<artist>"));
    EXPECT_EQ(m_source.reads.load(), 2);
    EXPECT_FALSE(press("*", "<artist> <title>"));
    EXPECT_EQ(m_source.reads.load(), 4); // a field not read before
    EXPECT_FALSE(press("*", "<title> <artist>"));
    ASSERT_TRUE(m_ws.load("/f", U"*.*").ok());
    EXPECT_FALSE(press("*", "<title>"));
    EXPECT_EQ(m_source.reads.load(), 4);
    m_source.files["b.mp3"] = {song("New", "V"), 2};
    EXPECT_FALSE(press("*", "<artist>"));
    EXPECT_EQ(m_source.reads.load(), 5);
    EXPECT_EQ(names(m_ws.preview().names), (Names{"A.mp3", "New.mp3"}));
    EXPECT_EQ(m_ws.fieldFilesRead(), 5U);
}

// The window works on a copy of the workspace for each command: the copy
// finds what the original read, and what the copy reads stays its own.
TEST_F(FieldReadingTest, ACopyFindsWhatWasReadAndKeepsItsOwnReadsToItself) {
    add("a.mp3", song("A", "T"));
    ASSERT_TRUE(m_ws.load("/f", U"*.*").ok());
    m_settings.cumulate = false;
    EXPECT_FALSE(press("*", "<artist>"));
    Workspace copy = m_ws;
    const auto pressCopy = [&](const char32_t* with) {
        ReplaceSettings s = m_settings;
        s.replaceWith = with;
        copy.apply(s);
    };
    pressCopy(U"<artist>");
    EXPECT_EQ(m_source.reads.load(), 1);
    pressCopy(U"<title>");
    pressCopy(U"<title>");
    EXPECT_EQ(m_source.reads.load(), 2);
    EXPECT_FALSE(press("*", "<title>"));
    EXPECT_EQ(m_source.reads.load(), 3);
}

TEST_F(FieldReadingTest, NoTokenReadsNoFile) {
    add("a.mp3", song("A", "T"));
    ASSERT_TRUE(m_ws.load("/f", U"*.*").ok());
    EXPECT_FALSE(press("*", "x /1/"));
    EXPECT_FALSE(press("/1/.", "/1/"));
    EXPECT_EQ(m_source.reads.load(), 0);
    EXPECT_TRUE(m_ws.missingFields().empty());
}

TEST_F(FieldReadingTest, AStopWhileReadingChangesNoName) {
    for (int i = 0; i < 300; ++i)
        add("f" + std::to_string(i) + ".mp3", song("A", "T"));
    ASSERT_TRUE(m_ws.load("/f", U"*.*").ok());
    std::atomic<bool> stop{false};
    // Slow reads, so the stop comes long before the last one.
    m_source.onRead = [&stop] {
        stop = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    };
    m_ws.setStopRequest([&stop] { return stop.load(); });
    EXPECT_FALSE(press("*", "<artist>"));
    EXPECT_TRUE(m_ws.fieldReadingStopped());
    EXPECT_FALSE(m_ws.undoAvailable());
    EXPECT_EQ(m_ws.preview().names, m_ws.folderList().names);
    EXPECT_LT(m_source.reads.load(), 300);
}

TEST_F(FieldReadingTest, TheNewOrdersKeepEqualKeysInNameOrderAndLeaveHiddenFilesOut) {
    const metadata::DateTime early{2001, 1, 1, 10, 0, 0};
    const metadata::DateTime late{2020, 6, 1, 10, 0, 0};
    add("b.jpg", dated(late, early));
    add("a.jpg", dated(std::nullopt, late));
    add("c.jpg", dated(early, late));
    add("D.jpg", dated(late, late));
    add(".hidden.jpg", dated(early, early));
    add("track 10.mp3", dated(std::nullopt, early));
    add("track 2.mp3", dated(std::nullopt, early));
    ASSERT_TRUE(m_ws.loadInOrder("/f", U"*.*", ReloadOrder::Taken).ok());
    EXPECT_EQ(names(m_ws.folderList().names),
              (Names{"c.jpg", "track 10.mp3", "track 2.mp3", "a.jpg", "b.jpg", "D.jpg"}));
    ASSERT_TRUE(m_ws.loadInOrder("/f", U"*.*", ReloadOrder::Modified).ok());
    EXPECT_EQ(names(m_ws.folderList().names),
              (Names{"b.jpg", "track 10.mp3", "track 2.mp3", "a.jpg", "c.jpg", "D.jpg"}));
    ASSERT_TRUE(m_ws.loadInOrder("/f", U"*.mp3;*.jpg", ReloadOrder::Natural).ok());
    EXPECT_EQ(names(m_ws.folderList().names),
              (Names{"a.jpg", "b.jpg", "c.jpg", "D.jpg", "track 2.mp3", "track 10.mp3"}));
    EXPECT_EQ(names(m_ws.preview().names), names(m_ws.folderList().names));
}

TEST_F(FieldReadingTest, OneEntrysFieldsComeFromTheCacheOrAreReadWithoutKeeping) {
    add("a.mp3", song("A", "T"));
    add("b.mp3", song(nullptr, "U"));
    ASSERT_TRUE(m_ws.load("/f", U"*.*").ok());
    m_ws.setChecked(1, false);
    EXPECT_FALSE(press("*", "<artist>"));
    ASSERT_EQ(m_source.reads.load(), 1);
    EXPECT_EQ(m_ws.entryFields(0, Field::Artist).text(Field::Artist), "A");
    EXPECT_EQ(m_source.reads.load(), 1);
    // More than the cache holds: read, and read again, since nothing is kept.
    for (int round = 0; round < 2; ++round)
        EXPECT_EQ(m_ws.entryFields(0, FieldSet(Field::Artist) | Field::Title).text(Field::Title),
                  "T");
    EXPECT_EQ(m_ws.entryFields(1, Field::Title).text(Field::Title), "U");
    EXPECT_EQ(m_source.reads.load(), 4);
    EXPECT_TRUE(m_ws.entryFields(2, Field::Title).present().empty());
}

TEST_F(FieldReadingTest, AResetOrARenameForgetsTheEntriesThatKeptTheirName) {
    add("a.mp3", song(nullptr, "T"));
    ASSERT_TRUE(m_ws.load("/f", U"*.*").ok());
    EXPECT_FALSE(press("*", "<artist>"));
    EXPECT_EQ(m_ws.keptForMissingFields(), 1U);
    m_ws.rebuildPreview(PreviewRebuild::CaseReapply);
    EXPECT_EQ(m_ws.keptForMissingFields(), 1U);
    m_ws.rebuildPreview(PreviewRebuild::Reset);
    EXPECT_EQ(m_ws.keptForMissingFields(), 0U);
    EXPECT_FALSE(press("*", "<artist>"));
    m_ws.renameEntry(0, U"Given.mp3", false);
    EXPECT_EQ(m_ws.keptForMissingFields(), 0U);
}

namespace {

// Abandons the work at its first step of reading fields, as a cancelled
// window command does.
class AbandoningReporter final : public ProgressReporter {
public:
    struct Abandoned {};
    std::atomic<bool> thrown{false};

    void begin(WorkStage stage, std::size_t) override { m_fields = stage == WorkStage::Fields; }
    void step(std::size_t) override {
        if (!m_fields)
            return;
        thrown = true;
        throw Abandoned{};
    }
    void end() override {}

private:
    bool m_fields = false;
};

} // namespace

// The steps come every percent, so a cancel reaches the readers early, and
// they stop at once.
TEST_F(FieldReadingTest, AbandonedReadingStopsTheReadersAtOnce) {
    const int count = 1000;
    for (int i = 0; i < count; ++i)
        add("f" + std::to_string(i) + ".mp3", song("A", "T"));
    ASSERT_TRUE(m_ws.load("/f", U"*.*").ok());
    AbandoningReporter reporter;
    // Reads past a fifth wait for the reporter's first step; a reader that
    // waits in vain gives up for all, so that a fault fails the count below
    // rather than hanging.
    std::atomic<bool> gaveUp{false};
    m_source.onRead = [this, &reporter, &gaveUp] {
        if (m_source.reads.load() <= count / 5)
            return;
        for (int wait = 0; wait < 2000 && !reporter.thrown && !gaveUp; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        gaveUp = !reporter.thrown;
        // A read takes a while, as a real file's does: while the cancel
        // unwinds to the batch, only a few more can start, however loaded
        // the machine.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    m_ws.setProgressReporter(&reporter);
    EXPECT_THROW(press("*", "<artist>"), AbandoningReporter::Abandoned);
    EXPECT_FALSE(gaveUp.load());
    EXPECT_LT(m_source.reads.load(), count / 2);
}

TEST(NaturalOrder, NumbersCompareAsNumbers) {
    const std::pair<NameView, NameView> less[] = {
        {U"track 2", U"track 10"},
        {U"a2b", U"a10"},
        {U"2", U"02"},
        {U"a", U"B"},
        {U"B", U"b"},
        {U"x9", U"x0000000000000000000010"},
        {U"", U"0"},
        {U"été 2", U"ÉTÉ 10"},
        {U"a1b", U"a1c"},
    };
    for (const auto& [a, b] : less) {
        EXPECT_TRUE(naturalLess(a, b)) << encodeName(a) << " < " << encodeName(b);
        EXPECT_FALSE(naturalLess(b, a)) << encodeName(b) << " !< " << encodeName(a);
    }
    EXPECT_FALSE(naturalLess(U"same 1", U"same 1"));
}
