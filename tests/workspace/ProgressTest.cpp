// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeFileSystem.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>

using namespace quillon;
using quillon::test::FakeFileSystem;

namespace {

using Stages = std::vector<WorkStage>;

// Keeps every stage heard and fails on calls out of order.
class RecordingReporter final : public ProgressReporter {
public:
    struct Heard {
        WorkStage stage;
        std::size_t total;
        std::vector<std::size_t> steps;
        bool ended = false;
    };

    void begin(WorkStage stage, std::size_t total) override {
        EXPECT_TRUE(heard.empty() || heard.back().ended) << "stages nest";
        heard.push_back({stage, total, {}});
    }
    void step(std::size_t done) override {
        ASSERT_FALSE(heard.empty() || heard.back().ended) << "step outside a stage";
        heard.back().steps.push_back(done);
    }
    void end() override {
        ASSERT_FALSE(heard.empty() || heard.back().ended) << "end outside a stage";
        heard.back().ended = true;
    }

    Stages stages() const {
        Stages out;
        for (const Heard& h : heard)
            out.push_back(h.stage);
        return out;
    }

    std::vector<Heard> heard;
};

struct ProgressCase {
    const char* label;
    std::size_t files;
    std::function<void(Workspace&)> command;
    Stages expected;
};

void PrintTo(const ProgressCase& c, std::ostream* os) {
    *os << c.label;
}

void press(Workspace& ws) {
    ReplaceSettings settings;
    settings.caseMode = CaseMode::None;
    settings.find = U"file";
    settings.replaceWith = U"item";
    ASSERT_FALSE(ws.apply(settings));
}

SaveCallbacks sayYes() {
    SaveCallbacks ask;
    ask.confirm = [](bool&) {
        return true;
    };
    return ask;
}

const Stages kLoad{WorkStage::Reading, WorkStage::Sorting, WorkStage::Preview};

class ProgressTable : public testing::TestWithParam<ProgressCase> {};

TEST_P(ProgressTable, StagesRunFromBeginToTheirTotal) {
    const ProgressCase& c = GetParam();
    FakeFileSystem fs;
    for (std::size_t i = 0; i < c.files; ++i)
        fs.addFile("file " + std::to_string(i) + ".txt");
    Workspace ws(fs);
    ws.setCaseMode(CaseMode::None, {});
    ASSERT_TRUE(ws.load("/f", U"*.*").ok());
    RecordingReporter reporter;
    ws.setProgressReporter(&reporter);

    c.command(ws);
    EXPECT_EQ(reporter.stages(), c.expected);
    for (const auto& h : reporter.heard) {
        EXPECT_TRUE(h.ended);
        ASSERT_FALSE(h.steps.empty());
        EXPECT_TRUE(std::is_sorted(h.steps.begin(), h.steps.end()));
        EXPECT_EQ(h.steps.back(), h.total);
        // Coarse: a handful of steps per stage, not one per entry.
        EXPECT_LE(h.steps.size(), h.total / kProgressGrain + 2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ProgressTable,
    testing::Values(ProgressCase{"load", 10000, [](Workspace& ws) { ws.load("/f", U"*.*"); },
                                 kLoad},
                    ProgressCase{"load by date", 10000,
                                 [](Workspace& ws) { ws.loadByDate("/f", U"*.*"); }, kLoad},
                    ProgressCase{"press", 10000, press, {WorkStage::Preview}},
                    ProgressCase{"case switch",
                                 10000,
                                 [](Workspace& ws) {
                                     ws.setCaseMode(CaseMode::Uppercase, {});
                                     ws.rebuildPreview(PreviewRebuild::CaseReapply);
                                 },
                                 {WorkStage::Preview}},
                    ProgressCase{"press, then save and its reload",
                                 5000,
                                 [](Workspace& ws) {
                                     press(ws);
                                     ASSERT_EQ(ws.save(U"*.*", sayYes()).status, SaveStatus::Saved);
                                 },
                                 {WorkStage::Preview, WorkStage::Preparing, WorkStage::Reading,
                                  WorkStage::Sorting, WorkStage::Preview}},
                    ProgressCase{"small folder",
                                 kProgressThreshold - 1,
                                 [](Workspace& ws) {
                                     ws.load("/f", U"*.*");
                                     press(ws);
                                 },
                                 {}}),
    [](const testing::TestParamInfo<ProgressCase>& info) {
        std::string name = info.param.label;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
        return name;
    });

} // namespace
