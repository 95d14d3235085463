#include "media/game_pad.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

bool TGamePad::Usable(int deviceIndex) const {
    if (deviceIndex < 0 || deviceIndex >= SDL_NumJoysticks()) return false;
    if (!SDL_IsGameController(deviceIndex)) return false;
    return !virtualOnly_ || SDL_JoystickIsVirtual(deviceIndex) == SDL_TRUE;
}

bool TGamePad::Open(int deviceIndex) {
    if (!Usable(deviceIndex)) return false;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) return false;
    controller_ = controller;
    id_ = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    return true;
}

bool TGamePad::OpenFirst() {
    if (InUse()) return false;
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i)
        if (Open(i)) return true;
    return false;
}

bool TGamePad::DeviceAdded(int deviceIndex) {
    if (InUse()) return false;
    return Open(deviceIndex);
}

bool TGamePad::DeviceRemoved(SDL_JoystickID id) {
    if (!IsTheOneInUse(id)) return false;
    Close();
    // The pulled-out pad may still be listed while its removal is being reported; it is closed
    // and detached, so it is not opened again.
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) != id && Open(i)) break;
    return true;
}

void TGamePad::Close() {
    if (controller_ != nullptr) SDL_GameControllerClose(controller_);
    controller_ = nullptr;
    id_ = -1;
}

void TGamePad::Read(PadState& state) const {
    state.Clear();
    if (controller_ == nullptr) return;
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        state.SetButton(button,
                        SDL_GameControllerGetButton(
                            controller_, static_cast<SDL_GameControllerButton>(button)) != 0);
    }
    for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis) {
        state.SetAxis(axis, SDL_GameControllerGetAxis(controller_,
                                                      static_cast<SDL_GameControllerAxis>(axis)));
    }
}

void TGamePad::Rumble(double strength, int ms) {
    if (controller_ == nullptr || ms <= 0) return;
    const double s = std::clamp(strength, 0.0, 1.0);
    const auto motor = static_cast<Uint16>(std::lround(s * 0xFFFF));
    // A pad without motors answers with an error; the game goes on without the shake.
    SDL_GameControllerRumble(controller_, motor, motor, static_cast<Uint32>(ms));
}

std::string PadMappingPath(const std::string& dataDir) {
    std::filesystem::path data(dataDir);
    if (!data.has_filename()) data = data.parent_path();  // "Data/" is the folder "Data"
    return (data.parent_path() / "gamecontrollerdb.txt").string();
}

int LoadPadMappings(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return 0;
    return SDL_GameControllerAddMappingsFromFile(path.c_str());
}
