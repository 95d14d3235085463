#include <gtest/gtest.h>

#include <array>
#include <set>

#include "media/input_states.h"

namespace {

TEST(InputStatesTest, BindingsCoverTheGameKeysOnly) {
    EXPECT_EQ(TInputStates::BindingOf(kStateUp), SDL_SCANCODE_UP);
    EXPECT_EQ(TInputStates::BindingOf(kStateDown), SDL_SCANCODE_DOWN);
    EXPECT_EQ(TInputStates::BindingOf(kStateLeft), SDL_SCANCODE_LEFT);
    EXPECT_EQ(TInputStates::BindingOf(kStateRight), SDL_SCANCODE_RIGHT);
    EXPECT_EQ(TInputStates::BindingOf(kStateH), SDL_SCANCODE_H);
    EXPECT_EQ(TInputStates::BindingOf(kStateP), SDL_SCANCODE_P);
    EXPECT_EQ(TInputStates::BindingOf(kStateY), SDL_SCANCODE_Y);
    EXPECT_EQ(TInputStates::BindingOf(kStateN), SDL_SCANCODE_N);
    EXPECT_EQ(TInputStates::BindingOf(kStateEsc), SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(TInputStates::BindingOf(kStateSpace), SDL_SCANCODE_SPACE);
    EXPECT_EQ(TInputStates::BindingOf(kStateEnter), SDL_SCANCODE_RETURN);
    EXPECT_EQ(TInputStates::BindingOf(kStateZ), SDL_SCANCODE_Z);
    EXPECT_EQ(TInputStates::BindingOf(kStateX), SDL_SCANCODE_X);
    EXPECT_EQ(TInputStates::BindingOf(kStateC), SDL_SCANCODE_C);
    EXPECT_EQ(TInputStates::BindingOf(kStateV), SDL_SCANCODE_V);
    EXPECT_EQ(TInputStates::BindingOf(kStateB), SDL_SCANCODE_B);
    EXPECT_EQ(TInputStates::BindingOf(20), SDL_SCANCODE_1);
    EXPECT_EQ(TInputStates::BindingOf(24), SDL_SCANCODE_5);
    EXPECT_EQ(TInputStates::BindingOf(28), SDL_SCANCODE_9);
    EXPECT_EQ(TInputStates::BindingOf(kStateDigit0), SDL_SCANCODE_0);

    std::set<SDL_Scancode> keys;
    int bound = 0;
    for (int state = -1; state <= kInputStateCount; ++state) {
        const SDL_Scancode key = TInputStates::BindingOf(state);
        const bool unbound = state < 0 || (state >= 4 && state <= 7) || state >= 30;
        EXPECT_EQ(key == SDL_SCANCODE_UNKNOWN, unbound) << "state " << state;
        if (!unbound) {
            keys.insert(key);
            ++bound;
        }
    }
    EXPECT_EQ(bound, 26);
    EXPECT_EQ(keys.size(), 26u) << "two states share a key";
}

TEST(InputStatesTest, RefreshFollowsTheHeldKeys) {
    std::array<Uint8, SDL_NUM_SCANCODES> keys{};
    keys[SDL_SCANCODE_UP] = 1;
    keys[SDL_SCANCODE_Z] = 1;
    keys[SDL_SCANCODE_0] = 1;
    keys[SDL_SCANCODE_LCTRL] = 1;  // read by the window's key events, not here
    TInputStates states;
    states.Refresh(keys.data(), static_cast<int>(keys.size()));
    EXPECT_TRUE(states.Active(kStateUp));
    EXPECT_TRUE(states.Active(kStateZ));
    EXPECT_TRUE(states.Active(kStateDigit0));
    int active = 0;
    for (int state = 0; state < kInputStateCount; ++state) active += states.Active(state) ? 1 : 0;
    EXPECT_EQ(active, 3);
    EXPECT_FALSE(states.Active(-1));
    EXPECT_FALSE(states.Active(kInputStateCount));

    keys[SDL_SCANCODE_UP] = 0;
    states.Refresh(keys.data(), static_cast<int>(keys.size()));
    EXPECT_FALSE(states.Active(kStateUp));
    EXPECT_TRUE(states.Active(kStateZ));
    states.Clear();
    EXPECT_FALSE(states.Active(kStateZ));
}

TEST(InputStatesTest, ShortKeyTableLeavesHigherKeysUp) {
    std::array<Uint8, SDL_SCANCODE_Z + 1> keys{};
    keys[SDL_SCANCODE_Z] = 1;
    TInputStates states;
    states.Refresh(keys.data(), static_cast<int>(keys.size()));
    EXPECT_TRUE(states.Active(kStateZ));
    EXPECT_FALSE(states.Active(kStateUp));  // the arrows lie beyond the table
    states.Refresh(nullptr, 0);
    EXPECT_FALSE(states.Active(kStateZ));
}

}  // namespace
