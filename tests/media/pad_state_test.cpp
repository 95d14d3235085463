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

// The bindings as a player reads them, written out apart from the game's table.
struct Expected {
    PadControl control;
    int menu;
    int race;
};
constexpr Expected kExpected[] = {
    {kPadA, kStateEnter, kStateZ},     // click / fire
    {kPadB, kStateEsc, kStateX},       // back / nitro
    {kPadX, kStateN, kStateSpace},     // No / handbrake
    {kPadY, kStateY, kStateH},         // Yes / horn
    {kPadBack, kStateEsc, kStateEsc},  // back / leave the race
    {kPadStart, -1, kStateP},          // pause
    {kPadDpadUp, kStateUp, -1},
    {kPadDpadDown, kStateDown, -1},
    {kPadDpadLeft, kStateLeft, kStateLeft},  // steer in the race
    {kPadDpadRight, kStateRight, kStateRight},
    {kPadStickLeft, kStateLeft, kStateLeft},
    {kPadStickRight, kStateRight, kStateRight},
    {kPadStickUp, kStateUp, -1},
    {kPadStickDown, kStateDown, -1},
    {kPadLeftTrigger, -1, kStateDown},  // brake, reverse
    {kPadRightTrigger, -1, kStateUp},   // accelerate
};

TEST(PadBindingTest, EveryControlHoldsItsStateInEachMode) {
    static_assert(std::size(kExpected) == kPadControlCount);
    for (const Expected& row : kExpected) {
        EXPECT_EQ(PadBinding(row.control, PadMode::Menu), row.menu) << "control " << row.control;
        EXPECT_EQ(PadBinding(row.control, PadMode::Race), row.race) << "control " << row.control;
    }
}

TEST(PadBindingTest, NoButtonDoesRaceThingsInTheMenusOrAnswersWindowsInTheRace) {
    for (int control = 0; control < kPadControlCount; ++control) {
        const int menu = PadBinding(static_cast<PadControl>(control), PadMode::Menu);
        const int race = PadBinding(static_cast<PadControl>(control), PadMode::Race);
        for (int raceOnly : {kStateZ, kStateX, kStateSpace, kStateH, kStateP})
            EXPECT_NE(menu, raceOnly) << "control " << control;
        for (int menuOnly : {kStateEnter, kStateY, kStateN})
            EXPECT_NE(race, menuOnly) << "control " << control;
    }
}

}  // namespace
