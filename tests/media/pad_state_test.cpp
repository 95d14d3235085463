// The pad's controls through their dead zones, and the table that binds them to input states.

#include <gtest/gtest.h>

#include "media/input_states.h"
#include "media/pad_state.h"

namespace {

struct AxisEdge {
    int axis;
    int value;
    PadControl control;  // the control that value would hold
    bool held;
};

// Every axis at both sides of its dead zone: the zone's own edge is still at rest.
constexpr AxisEdge kAxisEdges[] = {
    {SDL_CONTROLLER_AXIS_LEFTX, -8000, kPadStickLeft, false},
    {SDL_CONTROLLER_AXIS_LEFTX, -8001, kPadStickLeft, true},
    {SDL_CONTROLLER_AXIS_LEFTX, -32768, kPadStickLeft, true},
    {SDL_CONTROLLER_AXIS_LEFTX, 8000, kPadStickRight, false},
    {SDL_CONTROLLER_AXIS_LEFTX, 8001, kPadStickRight, true},
    {SDL_CONTROLLER_AXIS_LEFTX, 32767, kPadStickRight, true},
    {SDL_CONTROLLER_AXIS_LEFTY, -8000, kPadStickUp, false},
    {SDL_CONTROLLER_AXIS_LEFTY, -8001, kPadStickUp, true},
    {SDL_CONTROLLER_AXIS_LEFTY, 8000, kPadStickDown, false},
    {SDL_CONTROLLER_AXIS_LEFTY, 8001, kPadStickDown, true},
    {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 8000, kPadLeftTrigger, false},
    {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 8001, kPadLeftTrigger, true},
    {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 8000, kPadRightTrigger, false},
    {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 8001, kPadRightTrigger, true},
    {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767, kPadRightTrigger, true},
};

TEST(PadStateTest, AxesCountOnlyBeyondTheirDeadZone) {
    for (const AxisEdge& edge : kAxisEdges) {
        PadState pad;
        pad.SetAxis(edge.axis, edge.value);
        const PadControls held = pad.Held();
        EXPECT_EQ(held[edge.control], edge.held) << "axis " << edge.axis << " at " << edge.value;
        // Nothing else moves with it.
        EXPECT_EQ(held.count(), edge.held ? 1u : 0u)
            << "axis " << edge.axis << " at " << edge.value;
    }
    // The right stick is not bound: pushed all the way it holds nothing.
    PadState pad;
    pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTX, -32768);
    pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTY, 32767);
    EXPECT_TRUE(pad.Held().none());
}

// The menus' bindings as a player reads them, written out apart from the game's table; every
// control that is not listed holds nothing in the menus (the race reads the player's bindings).
struct Expected {
    PadControl control;
    int menu;
};
constexpr Expected kExpected[] = {
    {kPadA, kStateEnter},
    {kPadB, kStateEsc},
    {kPadX, kStateN},
    {kPadY, kStateY},
    {kPadBack, kStateEsc},
    {kPadDpadUp, kStateUp},
    {kPadDpadDown, kStateDown},
    {kPadDpadLeft, kStateLeft},
    {kPadDpadRight, kStateRight},
    {kPadStickLeft, kStateLeft},
    {kPadStickRight, kStateRight},
    {kPadStickUp, kStateUp},
    {kPadStickDown, kStateDown},
};

TEST(PadBindingTest, EveryControlHoldsItsMenuStateAndNoRaceKey) {
    for (int control = 0; control < kPadControlCount; ++control) {
        int expected = -1;
        for (const Expected& row : kExpected)
            if (row.control == control) expected = row.menu;
        const int menu = PadMenuBinding(static_cast<PadControl>(control));
        EXPECT_EQ(menu, expected) << "control " << control;
        for (int raceOnly : {kStateZ, kStateX, kStateSpace, kStateH, kStateP})
            EXPECT_NE(menu, raceOnly) << "control " << control;
    }
}

// Every button SDL knows and both triggers go by SDL's own name and back; the stick's directions
// have no name, and a name must be exactly one (any case, no sign SDL's axis reader forgives).
TEST(PadBindingTest, ControlsGoBySdlsNamesBothWays) {
    int named = 0;
    for (int i = 0; i < kPadControlCount; ++i) {
        const auto control = static_cast<PadControl>(i);
        const std::string_view name = PadControlName(control);
        const bool stick = control == kPadStickLeft || control == kPadStickRight ||
                           control == kPadStickUp || control == kPadStickDown;
        EXPECT_EQ(name.empty(), stick) << "control " << i;
        if (name.empty()) continue;
        ++named;
        EXPECT_EQ(PadControlFromName(name), control) << name;
    }
    EXPECT_EQ(named, SDL_CONTROLLER_BUTTON_MAX + 2);
    EXPECT_EQ(PadControlName(kPadRightTrigger), "righttrigger");
    EXPECT_EQ(PadControlName(kPadDpadLeft), "dpleft");
    EXPECT_EQ(PadControlFromName("LeftShoulder"), kPadLeftShoulder);
    for (const char* wrong :
         {"+lefttrigger", "-righttrigger", "leftx", "lefty", "", "a ", "trigger"})
        EXPECT_FALSE(PadControlFromName(wrong).has_value()) << "'" << wrong << "'";
    EXPECT_EQ(PadControlOfButton(SDL_CONTROLLER_BUTTON_INVALID), std::nullopt);
    EXPECT_EQ(PadControlOfTrigger(SDL_CONTROLLER_AXIS_LEFTX), std::nullopt);
}

}  // namespace
