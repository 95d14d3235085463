#include "persist/save_files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "persist/save_text.h"
#include "persist/table_signature.h"
#include "persist/temp_folder.h"
#include "persist/window_file.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool IsDefaultTable(const THighScoreTable& table) {
    for (int i = 1; i <= 10; ++i)
        if (table.Slot(i).Name != "ANONYMOUS" || table.Slot(i).Score != 5500 - 500 * i)
            return false;
    return true;
}

struct Saves {
    TGameOptions Options;
    THighScoreTable Table;
};

// Two clearly different saves: what was on the disk, and what the game wants to write.
Saves OldSaves() {
    Saves saves;
    saves.Options.Country = "Oldland";
    saves.Table.Slot(1) = {"OLDTIMER", 9999};
    return saves;
}

Saves NewSaves() {
    Saves saves;
    saves.Options.FullScreen = 1;
    saves.Options.Music = 0;
    saves.Options.Country = "Newland";
    saves.Table.Slot(1) = {"NEWCOMER", 12345};
    saves.Table.Slot(2) = {"SECOND", 6000};
    return saves;
}

Saves Load(const std::filesystem::path& folder, TLoadReport* report = nullptr) {
    Saves saves;
    const TLoadReport got = LoadSaves(folder, saves.Options, saves.Table);
    if (report != nullptr) *report = got;
    return saves;
}

void ExpectSame(const Saves& got, const Saves& want) {
    EXPECT_EQ(got.Options.FullScreen, want.Options.FullScreen);
    EXPECT_EQ(got.Options.Music, want.Options.Music);
    EXPECT_EQ(got.Options.Sound, want.Options.Sound);
    EXPECT_EQ(got.Options.Country, want.Options.Country);
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(got.Table.Slot(i).Name, want.Table.Slot(i).Name) << "slot " << i;
        EXPECT_EQ(got.Table.Slot(i).Score, want.Table.Slot(i).Score) << "slot " << i;
    }
}

TEST(SaveFiles, FirstStartWithAnEmptyFolderGivesTheDefaults) {
    TempFolder temp;
    for (const auto& folder : {temp.Path(), temp.Path() / "Data" / "Save"}) {
        TLoadReport report;
        const Saves saves = Load(folder, &report);
        EXPECT_EQ(saves.Options.FullScreen, 0);
        EXPECT_EQ(saves.Options.Music, 1);
        EXPECT_EQ(saves.Options.Sound, 1);
        EXPECT_EQ(saves.Options.Country, "_______");
        EXPECT_TRUE(IsDefaultTable(saves.Table));
        EXPECT_FALSE(report.OptionsRead);
        EXPECT_FALSE(report.TableRead);
    }
}

TEST(SaveFiles, SavesAreWrittenAndReadBackCreatingTheFolder) {
    TempFolder temp;
    const auto folder = temp.Path() / "Data" / "Save";
    const Saves saved = NewSaves();
    ASSERT_TRUE(WriteSaves(folder, saved.Options, saved.Table));
    EXPECT_EQ(ReadFile(folder / "options"), FormatOptionsFile(saved.Options, saved.Table));
    EXPECT_EQ(ReadFile(folder / "hs"), FormatHighScoreFile(saved.Table));
    EXPECT_FALSE(std::filesystem::exists(folder / "options.saving"));
    EXPECT_FALSE(std::filesystem::exists(folder / "hs.saving"));

    TLoadReport report;
    ExpectSame(Load(folder, &report), saved);
    EXPECT_TRUE(report.OptionsRead && report.TableRead);
    EXPECT_FALSE(report.TableRestored || report.TableFromUnfinishedSave);
}

TEST(SaveFiles, AChangedScoreDigitBringsTheDefaultTableBack) {
    TempFolder temp;
    const Saves saved = NewSaves();
    ASSERT_TRUE(WriteSaves(temp.Path(), saved.Options, saved.Table));
    std::string hs = ReadFile(temp.Path() / "hs");
    const auto at = hs.find("12345");
    ASSERT_NE(at, std::string::npos);
    hs[at + 4] = '6';
    WriteFile(temp.Path() / "hs", hs);

    TLoadReport report;
    const Saves loaded = Load(temp.Path(), &report);
    EXPECT_TRUE(IsDefaultTable(loaded.Table));
    EXPECT_TRUE(report.TableRestored);
    EXPECT_EQ(loaded.Options.Country, "Newland");  // the options themselves stand
}

TEST(SaveFiles, ATableWithoutItsOptionsFileIsReset) {
    TempFolder temp;
    const Saves saved = NewSaves();
    ASSERT_TRUE(WriteSaves(temp.Path(), saved.Options, saved.Table));
    std::filesystem::remove(temp.Path() / "options");
    TLoadReport report;
    EXPECT_TRUE(IsDefaultTable(Load(temp.Path(), &report).Table));
    EXPECT_TRUE(report.TableRead);
    EXPECT_TRUE(report.TableRestored);
}

TEST(SaveFiles, AHandWrittenTwoReadsAsSet) {
    TempFolder temp;
    const Saves saved = OldSaves();
    ASSERT_TRUE(WriteSaves(temp.Path(), saved.Options, saved.Table));
    std::string options = ReadFile(temp.Path() / "options");
    ASSERT_EQ(options.substr(0, 9), "0\r\n1\r\n1\r\n");
    options.replace(0, 9, "2\r\n0\r\n7\r\n");
    WriteFile(temp.Path() / "options", options);
    const Saves loaded = Load(temp.Path());
    EXPECT_EQ(loaded.Options.FullScreen, 1);
    EXPECT_EQ(loaded.Options.Music, 0);
    EXPECT_EQ(loaded.Options.Sound, 1);
    EXPECT_EQ(loaded.Table.Slot(1).Name, "OLDTIMER");
}

// Names whose letters add up past 127 give signature bytes above 127: they are written as single
// bytes and compare equal when read back.
TEST(SaveFiles, SignatureBytesAboveOneHundredTwentySevenRoundTrip) {
    TempFolder temp;
    TGameOptions options;
    THighScoreTable table;
    for (int i = 1; i <= 10; ++i) table.Slot(i).Name = "zzzzzzzzzzzz";
    const std::string signature = TableSignature(table);
    int high = 0;
    for (const char c : signature) high += static_cast<unsigned char>(c) > 127;
    ASSERT_GT(high, 0);
    ASSERT_TRUE(WriteSaves(temp.Path(), options, table));
    const std::string file = ReadFile(temp.Path() / "options");
    EXPECT_NE(file.find(signature + "\r\n"), std::string::npos);

    TLoadReport report;
    const Saves loaded = Load(temp.Path(), &report);
    EXPECT_EQ(report.StoredSignature, signature);
    EXPECT_FALSE(report.TableRestored);
    EXPECT_EQ(loaded.Table.Slot(10).Name, "zzzzzzzzzzzz");
}

// A line of a gigabyte (a sparse file, so the test costs no disk) is neither read into memory
// nor read to its end: the reader looks at the start of the file only.
TEST(SaveFiles, AGigabyteLineIsNotReadIn) {
    TempFolder temp;
    const Saves saved = OldSaves();
    ASSERT_TRUE(WriteSaves(temp.Path(), saved.Options, saved.Table));
    const auto hs = temp.Path() / "hs";
    WriteFile(hs, "OLDTIMER\r\n");
    ASSERT_EQ(truncate(hs.c_str(), 1LL << 30), 0);
    {
        std::ofstream tail(hs, std::ios::binary | std::ios::app);
        tail << "\r\n9999\r\n";
    }
    const auto options = temp.Path() / "options";
    ASSERT_EQ(truncate(options.c_str(), 1LL << 40), 0);  // a terabyte of zeros after the lines

    TLoadReport report;
    const Saves loaded = Load(temp.Path(), &report);
    EXPECT_TRUE(report.TableRead);
    EXPECT_EQ(loaded.Options.Country, "Oldland");
    // The score line is the gigabyte of zeros: the slot's default score, so the table is reset.
    EXPECT_TRUE(report.TableRestored);
}

TEST(SaveFiles, APipeOrAFolderInPlaceOfASaveCountsAsMissing) {
    TempFolder temp;
    ASSERT_EQ(mkfifo((temp.Path() / "hs").c_str(), 0644), 0);  // opening it must not wait
    std::filesystem::create_directory(temp.Path() / "options");
    TLoadReport report;
    const Saves loaded = Load(temp.Path(), &report);
    EXPECT_FALSE(report.TableRead);
    EXPECT_FALSE(report.OptionsRead);
    EXPECT_TRUE(IsDefaultTable(loaded.Table));
}

TEST(SaveFiles, AFolderThatCannotBeMadeIsReportedAndTouchesNothing) {
    TempFolder temp;
    WriteFile(temp.Path() / "Data", "a file where the folder should be");
    const Saves saved = NewSaves();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteSaves(temp.Path() / "Data" / "Save", saved.Options, saved.Table));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot save"), std::string::npos);
    EXPECT_EQ(ReadFile(temp.Path() / "Data"), "a file where the folder should be");
}

// A link planted where a save puts its temporary file ("options.saving", "hs.saving", or the
// window's "window.saving") is replaced, never written through: the file it points to keeps its
// bytes, and the save itself is complete.
class PlantedLink : public testing::TestWithParam<const char*> {};

TEST_P(PlantedLink, IsNeverWrittenThrough) {
    TempFolder temp;
    const std::filesystem::path victim = temp.Path() / "victim";
    WriteFile(victim, "precious");
    const std::filesystem::path saves = temp.Path() / "Save";
    std::filesystem::create_directory(saves);
    std::filesystem::create_symlink(victim, saves / GetParam());

    const Saves saved = NewSaves();
    ASSERT_TRUE(WriteSaves(saves, saved.Options, saved.Table));
    ASSERT_TRUE(WriteWindowFile(saves, TWindowSize{1000, 700, false}));

    EXPECT_EQ(ReadFile(victim), "precious");
    ExpectSame(Load(saves), saved);
    const auto window = ReadWindowFile(saves);
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(window->Width, 1000);
    EXPECT_FALSE(std::filesystem::is_symlink(saves / GetParam()));
}

INSTANTIATE_TEST_SUITE_P(TemporaryNames, PlantedLink,
                         testing::Values("options.saving", "hs.saving", "window.saving"));

// A stale "hs.saving" only counts when the options file signs it.
TEST(SaveFiles, AStrayUnfinishedTableIsIgnoredUnlessSigned) {
    TempFolder temp;
    const Saves old = OldSaves();
    ASSERT_TRUE(WriteSaves(temp.Path(), old.Options, old.Table));
    WriteFile(temp.Path() / "hs.saving", FormatHighScoreFile(NewSaves().Table));
    WriteFile(temp.Path() / "hs", "edited\r\n1\r\n");

    TLoadReport report;
    EXPECT_TRUE(IsDefaultTable(Load(temp.Path(), &report).Table));
    EXPECT_TRUE(report.TableRestored);
    EXPECT_FALSE(report.TableFromUnfinishedSave);
}

// A save stopped at each of its steps, by a failing disk or by the process being killed there:
// the next start finds either the complete old saves or the complete new ones.
struct Interruption {
    SaveStep Step;
    bool NewSavesWin;  // the new options were already in place
};

class SaveInterrupted : public testing::TestWithParam<Interruption> {
protected:
    void SetUp() override {
        const Saves old = OldSaves();
        ASSERT_TRUE(WriteSaves(temp.Path(), old.Options, old.Table));
    }

    void ExpectOutcome() {
        TLoadReport report;
        const Saves loaded = Load(temp.Path(), &report);
        ExpectSame(loaded, GetParam().NewSavesWin ? NewSaves() : OldSaves());
        EXPECT_FALSE(report.TableRestored);
    }

    TempFolder temp;
};

TEST_P(SaveInterrupted, AFailureThereKeepsCompleteSavesAndIsReported) {
    const Saves saves = NewSaves();
    const SaveStep stop = GetParam().Step;
    testing::internal::CaptureStderr();
    const bool saved = WriteSaves(temp.Path(), saves.Options, saves.Table,
                                  [stop](SaveStep step) { return step != stop; });
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(saved);
    EXPECT_NE(message.find("cannot save"), std::string::npos) << message;
    ExpectOutcome();
    if (!GetParam().NewSavesWin) {
        EXPECT_FALSE(std::filesystem::exists(temp.Path() / "options.saving"));
        EXPECT_FALSE(std::filesystem::exists(temp.Path() / "hs.saving"));
    }
}

TEST_P(SaveInterrupted, AKillThereKeepsCompleteSaves) {
    const Saves saves = NewSaves();
    const SaveStep stop = GetParam().Step;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        WriteSaves(temp.Path(), saves.Options, saves.Table, [stop](SaveStep step) {
            if (step == stop) raise(SIGKILL);
            return true;
        });
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    ExpectOutcome();
}

std::string StepName(const testing::TestParamInfo<Interruption>& info) {
    static const char* const names[] = {"WriteOptions", "WriteHighScores", "ReplaceOptions",
                                        "ReplaceHighScores", "SyncFolder"};
    return names[static_cast<int>(info.param.Step)];
}

INSTANTIATE_TEST_SUITE_P(EveryStep, SaveInterrupted,
                         testing::Values(Interruption{SaveStep::WriteOptions, false},
                                         Interruption{SaveStep::WriteHighScores, false},
                                         Interruption{SaveStep::ReplaceOptions, false},
                                         Interruption{SaveStep::ReplaceHighScores, true},
                                         Interruption{SaveStep::SyncFolder, true}),
                         StepName);

// The second rename refused for real ("hs" is a folder): the new options are in place and the
// complete "hs.saving" beside them still gives the new table.
TEST(SaveFiles, ARefusedSecondRenameStillLoadsTheNewTable) {
    TempFolder temp;
    std::filesystem::create_directory(temp.Path() / "hs");
    WriteFile(temp.Path() / "hs" / "keep", "x");
    const Saves saves = NewSaves();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteSaves(temp.Path(), saves.Options, saves.Table));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot save"), std::string::npos);
    TLoadReport report;
    ExpectSame(Load(temp.Path(), &report), saves);
    EXPECT_TRUE(report.TableFromUnfinishedSave);
}

}  // namespace
