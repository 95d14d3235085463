#include "persist/save_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <system_error>

#include "persist/save_text.h"
#include "persist/small_file.h"
#include "persist/table_signature.h"

namespace {

constexpr const char* kOptionsName = "options";
constexpr const char* kHighScoresName = "hs";
constexpr const char* kSavingSuffix = ".saving";

class SaveWriter {
public:
    SaveWriter(const std::filesystem::path& folder, const SaveStepHook& hook)
        : folder_(folder), hook_(hook) {}

    bool Save(const TGameOptions& options, const THighScoreTable& table) {
        std::error_code error;
        std::filesystem::create_directories(folder_, error);
        if (error) return Fail(folder_, error.message());

        if (!WriteComplete(kOptionsName, FormatOptionsFile(options, table), SaveStep::WriteOptions))
            return false;
        if (!WriteComplete(kHighScoresName, FormatHighScoreFile(table),
                           SaveStep::WriteHighScores)) {
            Discard(kOptionsName);
            return false;
        }
        if (!Replace(kOptionsName, SaveStep::ReplaceOptions)) {
            Discard(kOptionsName);
            Discard(kHighScoresName);
            return false;
        }
        // From here on "hs.saving" stays whatever happens: it is the half of the save that the
        // new options file already vouches for, and the loader takes it from there.
        if (!Replace(kHighScoresName, SaveStep::ReplaceHighScores)) return false;
        return SyncFolder();
    }

private:
    std::filesystem::path Final(const char* name) const { return folder_ / name; }
    std::filesystem::path Temporary(const char* name) const {
        return folder_ / (std::string(name) + kSavingSuffix);
    }

    bool Step(SaveStep step) const { return !hook_ || hook_(step); }

    bool Fail(const std::filesystem::path& path, const std::string& reason) const {
        std::fprintf(stderr, "zarvex2: cannot save %s: %s; the previous saves are kept\n",
                     path.c_str(), reason.c_str());
        return false;
    }

    void Discard(const char* name) const { unlink(Temporary(name).c_str()); }

    // Writes the whole text to the temporary file and flushes it to the disk.
    bool WriteComplete(const char* name, std::string_view text, SaveStep step) {
        const std::filesystem::path path = Temporary(name);
        // Made fresh: a link planted as "options.saving" or "hs.saving" is removed, never
        // written through (truncating and filling an existing file would have overwritten
        // whatever file the link points to).
        const int fd = CreateFreshFile(path);
        if (fd < 0) return Fail(path, std::strerror(errno));
        const std::size_t half = text.size() / 2;
        int reason = 0;
        if (!WriteAllTo(fd, text.substr(0, half)))
            reason = errno;
        else if (!Step(step))
            reason = ENOSPC;
        else if (!WriteAllTo(fd, text.substr(half)))
            reason = errno;
        else if (fsync(fd) != 0)
            reason = errno;
        if (close(fd) != 0 && reason == 0) reason = errno;
        if (reason != 0) {
            unlink(path.c_str());
            return Fail(path, std::strerror(reason));
        }
        return true;
    }

    bool Replace(const char* name, SaveStep step) {
        if (!Step(step)) return Fail(Final(name), std::strerror(EIO));
        if (std::rename(Temporary(name).c_str(), Final(name).c_str()) != 0)
            return Fail(Final(name), std::strerror(errno));
        return true;
    }

    // Makes the renames themselves durable.
    bool SyncFolder() {
        if (!Step(SaveStep::SyncFolder)) return Fail(folder_, std::strerror(EIO));
        const int fd = open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return Fail(folder_, std::strerror(errno));
        const int reason = fsync(fd) == 0 ? 0 : errno;
        close(fd);
        if (reason != 0) return Fail(folder_, std::strerror(reason));
        return true;
    }

    std::filesystem::path folder_;
    const SaveStepHook& hook_;
};

}  // namespace

// A file that is malformed, too large or no regular file gives the defaults of a missing one.
// Departs from the original rule, which stops on a file it cannot read (docs/departures.md).
TLoadReport LoadSaves(const std::filesystem::path& folder, TGameOptions& options,
                      THighScoreTable& table) {
    TLoadReport report;

    table.ResetTable();
    if (const auto text = ReadSmallFile(folder / kHighScoresName, kSaveReadLimit)) {
        report.TableRead = true;
        const THighScoreTable read = ParseHighScoreFile(*text);
        for (int i = 1; i <= 10; ++i) table.Slot(i) = read.Slot(i);
    }

    TOptionsFile stored;
    if (const auto text = ReadSmallFile(folder / kOptionsName, kSaveReadLimit)) {
        report.OptionsRead = true;
        stored = ParseOptionsFile(*text);
    }
    options = stored.Options;
    report.StoredSignature = stored.TableSignature;

    if (TableSignature(table) == stored.TableSignature) return report;

    const auto unfinished =
        ReadSmallFile(folder / (std::string(kHighScoresName) + kSavingSuffix), kSaveReadLimit);
    if (unfinished) {
        const THighScoreTable saved = ParseHighScoreFile(*unfinished);
        if (TableSignature(saved) == stored.TableSignature) {
            for (int i = 1; i <= 10; ++i) table.Slot(i) = saved.Slot(i);
            report.TableFromUnfinishedSave = true;
            return report;
        }
    }
    table.ResetTable();
    report.TableRestored = true;
    return report;
}

// Departs from the original rule, which writes over the old files: a crash or a full disk in the
// middle would leave half a file and the table's signature would then throw the scores away
// (docs/departures.md).
bool WriteSaves(const std::filesystem::path& folder, const TGameOptions& options,
                const THighScoreTable& table, const SaveStepHook& hook) {
    return SaveWriter(folder, hook).Save(options, table);
}
