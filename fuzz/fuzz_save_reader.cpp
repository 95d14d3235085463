// Feeds arbitrary bytes to the readers of the files the game finds beside it: the options file,
// the high-score file and the exit link. Reading must never crash or allocate without bound, and
// whatever was read must survive being written and read again unchanged.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persist/save_text.h"
#include "persist/table_signature.h"
#include "persist/web_links.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const TOptionsFile options = ParseOptionsFile(text);
    const THighScoreTable table = ParseHighScoreFile(text);
    const TOptionsFile rewritten = ParseOptionsFile(FormatOptionsFile(options.Options, table));
    if (rewritten.Options.FullScreen != options.Options.FullScreen ||
        rewritten.Options.Music != options.Options.Music ||
        rewritten.Options.Sound != options.Options.Sound ||
        rewritten.Options.Country != options.Options.Country ||
        rewritten.TableSignature != TableSignature(table))
        __builtin_trap();

    const THighScoreTable again = ParseHighScoreFile(FormatHighScoreFile(table));
    for (int i = 1; i <= 10; ++i)
        if (again.Slot(i).Name != table.Slot(i).Name || again.Slot(i).Score != table.Slot(i).Score)
            __builtin_trap();

    if (const auto link = ExitLinkFromText(text); link && !IsWebAddress(*link)) __builtin_trap();
    return 0;
}
