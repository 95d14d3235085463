// Feeds arbitrary bytes to the reader of the controls file beside the saves. Reading must never
// crash or allocate without bound; what it reads must keep every key and pad control on one action
// at most, with names the game can write; and what it writes must read back the same, without a
// problem.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>
#include <vector>

#include "media/controls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<ControlsProblem> problems;
    const TControls read = ParseControls(text, problems);

    size_t lines = 1;
    for (const char c : text) lines += c == '\n' || c == '\r' ? 1 : 0;
    for (const ControlsProblem& problem : problems)
        if (problem.Line < 1 || static_cast<size_t>(problem.Line) > lines ||
            problem.Message.empty())
            __builtin_trap();

    std::set<SDL_Keycode> keys;
    std::set<int> pads;
    for (int i = 0; i < kRaceActionCount; ++i) {
        const ActionBinding& binding = read.Of(ActionAt(i));
        if (binding.Keys[0] == SDLK_UNKNOWN && binding.Keys[1] != SDLK_UNKNOWN) __builtin_trap();
        for (const SDL_Keycode key : binding.Keys) {
            if (key == SDLK_UNKNOWN) continue;
            if (!IsNameableKey(key) || !keys.insert(key).second) __builtin_trap();
        }
        if (binding.Pad &&
            (!IsBindablePadControl(*binding.Pad) || !pads.insert(*binding.Pad).second))
            __builtin_trap();
    }

    std::vector<ControlsProblem> again;
    if (!(ParseControls(FormatControls(read), again) == read) || !again.empty()) __builtin_trap();
    return 0;
}
