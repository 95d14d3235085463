#pragma once
// The replay's pads: SDL virtual joysticks with the game-controller layout, which SDL turns into
// game controllers like any pad plugged in. Moving their buttons and axes makes SDL report the
// same events a real pad would; the runner hands those to the game's own event handler.

#include <SDL.h>

#include <vector>

class VirtualPads {
public:
    VirtualPads() = default;
    ~VirtualPads() { RemoveAll(); }
    VirtualPads(const VirtualPads&) = delete;
    VirtualPads& operator=(const VirtualPads&) = delete;

    // Connects a new pad, at rest; its number (from 1, in the order added), or 0 when SDL cannot
    // make one.
    int Add();
    // Pulls a pad out; false when it is not connected.
    bool Remove(int pad);
    void RemoveAll();
    // The first pad still connected, or 0.
    int FirstConnected() const;
    bool Connected(int pad) const;

    // button: SDL_GameControllerButton; axis: SDL_GameControllerAxis with the value the game is
    // to read (sticks -32768 to 32767, triggers 0 to 32767). False without that pad.
    bool SetButton(int pad, int button, bool down);
    bool SetAxis(int pad, int axis, int value);

private:
    struct Pad {
        SDL_Joystick* joystick = nullptr;
        SDL_JoystickID id = -1;
    };
    Pad* Find(int pad);
    const Pad* Find(int pad) const;

    std::vector<Pad> pads_;  // pad n at n - 1; a removed pad keeps its place, closed
};

// The buttons and axes of a virtual pad.
constexpr int kVirtualPadButtons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
constexpr int kVirtualPadAxes = SDL_CONTROLLER_AXIS_MAX;

// The raw joystick value that SDL's game-controller layer reads as the trigger value given
// (0 to 32767): the virtual trigger spans the whole joystick range, which SDL scales down.
int VirtualTriggerRaw(int value);
