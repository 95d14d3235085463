#include "virtual_pads.h"

#include <algorithm>
#include <cstdlib>

namespace {

// SDL's game-controller layer scales a trigger bound to a whole joystick axis so: in single
// precision, truncated.
int TriggerSeenFor(int raw) {
    const float normalised = static_cast<float>(raw - SDL_JOYSTICK_AXIS_MIN) /
                             static_cast<float>(SDL_JOYSTICK_AXIS_MAX - SDL_JOYSTICK_AXIS_MIN);
    return static_cast<int>(normalised * static_cast<float>(SDL_JOYSTICK_AXIS_MAX));
}

bool IsTrigger(int axis) {
    return axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
}

int DeviceIndexOf(SDL_JoystickID id) {
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id) return i;
    return -1;
}

}  // namespace

int VirtualTriggerRaw(int value) {
    value = std::clamp(value, 0, static_cast<int>(SDL_JOYSTICK_AXIS_MAX));
    // Each trigger step spans about two raw steps; look around the estimate for an exact one.
    const int estimate = 2 * value + SDL_JOYSTICK_AXIS_MIN;
    int best = std::clamp(estimate, static_cast<int>(SDL_JOYSTICK_AXIS_MIN),
                          static_cast<int>(SDL_JOYSTICK_AXIS_MAX));
    for (int raw = estimate - 4; raw <= estimate + 4; ++raw) {
        if (raw < SDL_JOYSTICK_AXIS_MIN || raw > SDL_JOYSTICK_AXIS_MAX) continue;
        if (TriggerSeenFor(raw) == value) return raw;
        if (std::abs(TriggerSeenFor(raw) - value) < std::abs(TriggerSeenFor(best) - value))
            best = raw;
    }
    return best;
}

int VirtualPads::Add() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = kVirtualPadAxes;
    desc.nbuttons = kVirtualPadButtons;
    desc.button_mask = (1u << kVirtualPadButtons) - 1;
    desc.axis_mask = (1u << kVirtualPadAxes) - 1;
    desc.name = "Zarvex 2 replay pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) return 0;
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    if (joystick == nullptr) {
        SDL_JoystickDetachVirtual(index);
        return 0;
    }
    // The triggers rest at the bottom of their joystick axis, before SDL reads them at all.
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MIN);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MIN);
    pads_.push_back({joystick, SDL_JoystickInstanceID(joystick)});
    return static_cast<int>(pads_.size());
}

VirtualPads::Pad* VirtualPads::Find(int pad) {
    if (pad < 1 || pad > static_cast<int>(pads_.size())) return nullptr;
    Pad& found = pads_[static_cast<size_t>(pad) - 1];
    return found.joystick != nullptr ? &found : nullptr;
}

const VirtualPads::Pad* VirtualPads::Find(int pad) const {
    return const_cast<VirtualPads*>(this)->Find(pad);
}

bool VirtualPads::Connected(int pad) const {
    return Find(pad) != nullptr;
}

int VirtualPads::FirstConnected() const {
    for (int pad = 1; pad <= static_cast<int>(pads_.size()); ++pad)
        if (Connected(pad)) return pad;
    return 0;
}

bool VirtualPads::Remove(int pad) {
    Pad* found = Find(pad);
    if (found == nullptr) return false;
    const int index = DeviceIndexOf(found->id);
    if (index >= 0) SDL_JoystickDetachVirtual(index);
    SDL_JoystickClose(found->joystick);
    found->joystick = nullptr;
    return true;
}

void VirtualPads::RemoveAll() {
    for (int pad = 1; pad <= static_cast<int>(pads_.size()); ++pad) Remove(pad);
    pads_.clear();
}

bool VirtualPads::SetButton(int pad, int button, bool down) {
    Pad* found = Find(pad);
    if (found == nullptr || button < 0 || button >= kVirtualPadButtons) return false;
    return SDL_JoystickSetVirtualButton(found->joystick, button,
                                        down ? SDL_PRESSED : SDL_RELEASED) == 0;
}

bool VirtualPads::SetAxis(int pad, int axis, int value) {
    Pad* found = Find(pad);
    if (found == nullptr || axis < 0 || axis >= kVirtualPadAxes) return false;
    const int raw = IsTrigger(axis) ? VirtualTriggerRaw(value)
                                    : std::clamp(value, static_cast<int>(SDL_JOYSTICK_AXIS_MIN),
                                                 static_cast<int>(SDL_JOYSTICK_AXIS_MAX));
    return SDL_JoystickSetVirtualAxis(found->joystick, axis, static_cast<Sint16>(raw)) == 0;
}
