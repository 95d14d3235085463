#pragma once
// The game controller in use: the first one connected, given up when it is pulled out (the next
// connected one then takes over), its rumble, and the mapping file for pads SDL does not know.
// Only SDL's game-controller layer is used, so every pad it knows reads alike (A, B, X, Y, the
// d-pad, the left stick and the triggers).

#include <SDL.h>

#include <string>

#include "media/pad_state.h"

class TGamePad {
public:
    TGamePad() = default;
    ~TGamePad() { Close(); }
    TGamePad(const TGamePad&) = delete;
    TGamePad& operator=(const TGamePad&) = delete;

    // With virtualOnly, pads on the machine are passed over and only SDL's virtual ones are used:
    // a replay or a test then never depends on what is plugged in.
    void SetVirtualOnly(bool virtualOnly) { virtualOnly_ = virtualOnly; }

    // When no pad is in use, opens the first connected one that may be used; true when it did.
    bool OpenFirst();
    // A controller was connected (SDL's device index); it is taken when no pad is in use. True
    // when it was taken.
    bool DeviceAdded(int deviceIndex);
    // A controller was pulled out (its instance id). True when it was the one in use; the first
    // other connected pad, if any, is then taken in its place.
    bool DeviceRemoved(SDL_JoystickID id);
    void Close();

    bool InUse() const { return controller_ != nullptr; }
    // Events of the other pads are ignored: only the one in use plays.
    bool IsTheOneInUse(SDL_JoystickID id) const { return controller_ != nullptr && id == id_; }
    SDL_JoystickID InstanceId() const { return id_; }
    // The buttons and axes of the pad in use as they are now (all at rest without one): a pad
    // that takes over plays from its present state, not from its next event.
    void Read(PadState& state) const;

    // Both motors at strength (0 to 1) for ms milliseconds, replacing a pulse still running.
    // Nothing without a pad, or on a pad without motors.
    void Rumble(double strength, int ms);

private:
    bool Usable(int deviceIndex) const;
    bool Open(int deviceIndex);

    SDL_GameController* controller_ = nullptr;
    SDL_JoystickID id_ = -1;
    bool virtualOnly_ = false;
};

// The mapping file lies beside the Data folder: "gamecontrollerdb.txt" in the working directory
// for the game's own "Data".
std::string PadMappingPath(const std::string& dataDir);
// Adds the mappings of the file when there is one: the number of mappings read, 0 without a
// file, -1 when SDL cannot read it (SDL_GetError tells why).
int LoadPadMappings(const std::string& path);
