#pragma once
// A virtual pad of the test's own, with motors that note every shake they are asked for: SDL
// turns it into a game controller as it would a pad plugged in.

#include <SDL.h>

#include <vector>

struct TestPad {
    struct Shake {
        Uint16 low;
        Uint16 high;
    };

    TestPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
        desc.button_mask = (1u << desc.nbuttons) - 1;
        desc.axis_mask = (1u << desc.naxes) - 1;
        desc.name = "test pad";
        desc.userdata = this;
        desc.Rumble = [](void* self, Uint16 low, Uint16 high) {
            static_cast<TestPad*>(self)->shakes.push_back({low, high});
            return 0;
        };
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        if (index >= 0) id = SDL_JoystickGetDeviceInstanceID(index);
    }
    ~TestPad() { Remove(); }
    TestPad(const TestPad&) = delete;
    TestPad& operator=(const TestPad&) = delete;

    // Its device index now (indices move as pads come and go), or -1 once it is removed.
    int Index() const {
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) return i;
        return -1;
    }
    void Remove() {
        const int index = Index();
        if (index >= 0) SDL_JoystickDetachVirtual(index);
    }

    SDL_JoystickID id = -1;
    std::vector<Shake> shakes;
};
