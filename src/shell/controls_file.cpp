#include "shell/controls_file.h"

#include <string>
#include <system_error>
#include <vector>

#include "persist/small_file.h"

namespace {

// Far more than ten actions' lines need; the rest of a larger file is not read.
constexpr std::size_t kControlsReadLimit = 64 * 1024;

}  // namespace

TControls ReadControlsFile(const std::filesystem::path& path, std::ostream& report) {
    const std::optional<std::string> text = ReadSmallFile(path, kControlsReadLimit);
    if (!text) return TControls();
    std::vector<ControlsProblem> problems;
    TControls controls = ParseControls(*text, problems);
    const int count = static_cast<int>(problems.size());
    for (int i = 0; i < count && i < kControlsReportLimit; ++i)
        report << "Zarvex 2: " << path.string() << " line " << problems[static_cast<size_t>(i)].Line
               << ": " << problems[static_cast<size_t>(i)].Message << "\n";
    if (count > kControlsReportLimit)
        report << "Zarvex 2: " << path.string() << ": " << count - kControlsReportLimit
               << " more bad lines passed over\n";
    return controls;
}

bool WriteControlsFile(const std::filesystem::path& path, const TControls& controls,
                       std::ostream& report) {
    std::string error;
    std::error_code made;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), made);
    if (made) {
        error = path.parent_path().string() + ": " + made.message();
    } else if (WriteSmallFile(path, FormatControls(controls), error)) {
        return true;
    }
    report << "Zarvex 2: cannot keep the controls: " << error << "\n";
    return false;
}
