#include "persist/game_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

#ifndef ZARVEX_INSTALLED_DATA_FROM_PROGRAM
#define ZARVEX_INSTALLED_DATA_FROM_PROGRAM "../share/games/zarvex2"
#endif
const char* const kInstalledDataFromProgram = ZARVEX_INSTALLED_DATA_FROM_PROGRAM;

namespace {

bool HoldsData(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / kDataMarker, error);
}

// The player may keep files here: an existing folder that can be written and entered, or, when
// it does not exist yet, a parent that can.
bool Writable(const fs::path& folder) {
    std::error_code error;
    if (fs::exists(folder, error)) {
        return fs::is_directory(folder, error) && access(folder.c_str(), W_OK | X_OK) == 0;
    }
    const fs::path parent = folder.parent_path();
    return fs::is_directory(parent, error) && access(parent.c_str(), W_OK | X_OK) == 0;
}

std::string Getenv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

FolderEnvironment CurrentFolderEnvironment() {
    FolderEnvironment environment;
    std::error_code error;
    environment.workingDir = fs::current_path(error);
    environment.program = fs::read_symlink("/proc/self/exe", error);
    if (error) environment.program.clear();
    environment.xdgDataHome = Getenv("XDG_DATA_HOME");
    environment.home = Getenv("HOME");
    if (environment.home.empty()) {
        if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
            environment.home = entry->pw_dir;
    }
    return environment;
}

fs::path UserDataFolder(const FolderEnvironment& environment) {
    // The base directory standard counts a relative $XDG_DATA_HOME as unset.
    const fs::path xdg(environment.xdgDataHome);
    if (xdg.is_absolute()) return xdg / "zarvex2";
    const fs::path home(environment.home);
    if (home.is_absolute()) return home / ".local" / "share" / "zarvex2";
    return {};
}

FolderSearch FindGameFolders(const FolderEnvironment& environment) {
    FolderSearch search;
    const fs::path portable = environment.workingDir / "Data";
    search.lookedAt.push_back(portable);
    GameFolders folders;
    if (HoldsData(portable)) {
        folders.data = portable;
        folders.portable = true;
    } else if (!environment.program.empty()) {
        const fs::path installed =
            (environment.program.parent_path() / kInstalledDataFromProgram).lexically_normal();
        search.lookedAt.push_back(installed);
        if (HoldsData(installed)) folders.data = installed;
    }
    if (folders.data.empty()) return search;

    const auto writable = environment.writable ? environment.writable : Writable;
    if (folders.portable && writable(portable / "Save")) {
        folders.saves = portable / "Save";
        folders.userFiles = environment.workingDir;
    } else if (const fs::path user = UserDataFolder(environment); !user.empty()) {
        folders.saves = user / "Save";
        folders.userFiles = user;
    }
    search.folders = folders;
    return search;
}

std::string NoDataMessage(const FolderSearch& search) {
    std::string message = "The game's data is not found: ";
    message += kDataMarker;
    message += search.lookedAt.size() == 1 ? " is not in " : " is in none of ";
    for (size_t i = 0; i < search.lookedAt.size(); ++i) {
        if (i > 0) message += i + 1 == search.lookedAt.size() ? " and " : ", ";
        message += search.lookedAt[i].string();
    }
    if (search.lookedAt.size() == 1) {
        message += " (the program's own folder could not be told)";
    }
    return message;
}
