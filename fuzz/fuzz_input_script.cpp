// Feeds arbitrary bytes to the replay runner's input-script reader. Reading must never crash,
// and a script it accepts must hold only events the runner can deliver: frames from 1 in
// ascending order, known keys, pad buttons and axes in range, and pad events only for pads that
// are connected at that point of the script.

#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "input_script.h"
#include "virtual_pads.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<ScriptEvent> events;
    std::string error;
    if (!ParseInputScript(in, events, error)) {
        if (error.empty()) __builtin_trap();  // a refusal always says why
        return 0;
    }
    using Kind = ScriptEvent::Kind;
    using Action = ScriptEvent::PadAction;
    int previousFrame = 1;
    std::set<int> connected;
    int added = 0;
    for (const ScriptEvent& event : events) {
        if (event.frame < previousFrame || event.line < 1) __builtin_trap();
        previousFrame = event.frame;
        if ((event.kind == Kind::Down || event.kind == Kind::Up) &&
            (event.key <= SDL_SCANCODE_UNKNOWN || event.key >= SDL_NUM_SCANCODES))
            __builtin_trap();
        if (event.kind != Kind::Pad) continue;
        if (event.padAction == Action::Add) {
            connected.insert(++added);
            continue;
        }
        const int pad = event.pad != 0 ? event.pad : (connected.empty() ? 0 : *connected.begin());
        if (connected.count(pad) == 0) __builtin_trap();
        if (event.padAction == Action::Remove) connected.erase(pad);
        if ((event.padAction == Action::Down || event.padAction == Action::Up) &&
            (event.padButton < 0 || event.padButton >= kVirtualPadButtons))
            __builtin_trap();
        if (event.padAction == Action::Axis &&
            (event.padAxis < 0 || event.padAxis >= kVirtualPadAxes ||
             event.padValue < SDL_JOYSTICK_AXIS_MIN || event.padValue > SDL_JOYSTICK_AXIS_MAX))
            __builtin_trap();
    }
    return 0;
}
