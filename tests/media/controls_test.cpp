// The race's bindings: the game's own, a key or pad control moved from one action to another, the
// twin Ctrl and Shift keys, and the controls file read over the defaults.

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "media/controls.h"

namespace {

// Keys go from codes to scancodes through SDL's keyboard layout, which the video subsystem loads.
class ControlsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    static void TearDownTestSuite() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

    // The actions held with these keys down (by scancode) and these pad controls held.
    static std::bitset<kRaceActionCount> HeldBy(const TControls& controls,
                                                std::initializer_list<SDL_Scancode> keys,
                                                std::initializer_list<PadControl> pad = {}) {
        std::array<Uint8, SDL_NUM_SCANCODES> down{};
        for (SDL_Scancode key : keys) down[key] = 1;
        PadControls held;
        for (PadControl control : pad) held.set(control);
        return controls.HeldActions(down.data(), static_cast<int>(down.size()), held);
    }
    static std::bitset<kRaceActionCount> Only(RaceAction action) {
        return std::bitset<kRaceActionCount>().set(static_cast<size_t>(IndexOf(action)));
    }
    static ActionBinding Binding(SDL_Keycode first, SDL_Keycode second,
                                 std::optional<PadControl> pad) {
        return ActionBinding{{first, second}, pad};
    }
};

// The game's own bindings, key by key and control by control, as the help page and the README
// give them: each holds its one action, Ctrl and Shift of either side included.
struct DefaultKey {
    SDL_Scancode key;
    std::optional<RaceAction> action;
};
constexpr DefaultKey kDefaultKeys[] = {
    {SDL_SCANCODE_UP, RaceAction::Accelerate},   {SDL_SCANCODE_DOWN, RaceAction::Brake},
    {SDL_SCANCODE_LEFT, RaceAction::Left},       {SDL_SCANCODE_RIGHT, RaceAction::Right},
    {SDL_SCANCODE_SPACE, RaceAction::Handbrake}, {SDL_SCANCODE_Z, RaceAction::Fire},
    {SDL_SCANCODE_LCTRL, RaceAction::Fire},      {SDL_SCANCODE_RCTRL, RaceAction::Fire},
    {SDL_SCANCODE_X, RaceAction::Nitro},         {SDL_SCANCODE_LSHIFT, RaceAction::Nitro},
    {SDL_SCANCODE_RSHIFT, RaceAction::Nitro},    {SDL_SCANCODE_H, RaceAction::Horn},
    {SDL_SCANCODE_P, RaceAction::Pause},         {SDL_SCANCODE_ESCAPE, RaceAction::Leave},
    {SDL_SCANCODE_RETURN, std::nullopt},         {SDL_SCANCODE_C, std::nullopt},
    {SDL_SCANCODE_LALT, std::nullopt},           {SDL_SCANCODE_W, std::nullopt},
};
struct DefaultPad {
    PadControl control;
    std::optional<RaceAction> action;
};
constexpr DefaultPad kDefaultPad[] = {
    {kPadRightTrigger, RaceAction::Accelerate},
    {kPadLeftTrigger, RaceAction::Brake},
    {kPadDpadLeft, RaceAction::Left},
    {kPadStickLeft, RaceAction::Left},
    {kPadDpadRight, RaceAction::Right},
    {kPadStickRight, RaceAction::Right},
    {kPadX, RaceAction::Handbrake},
    {kPadA, RaceAction::Fire},
    {kPadB, RaceAction::Nitro},
    {kPadY, RaceAction::Horn},
    {kPadStart, RaceAction::Pause},
    {kPadBack, RaceAction::Leave},
    {kPadDpadUp, std::nullopt},
    {kPadStickDown, std::nullopt},
    {kPadLeftShoulder, std::nullopt},
};

TEST_F(ControlsTest, TheGamesOwnBindingsHoldOneActionEach) {
    const TControls controls;
    for (const DefaultKey& row : kDefaultKeys)
        EXPECT_EQ(HeldBy(controls, {row.key}),
                  row.action ? Only(*row.action) : std::bitset<kRaceActionCount>())
            << SDL_GetScancodeName(row.key);
    for (const DefaultPad& row : kDefaultPad)
        EXPECT_EQ(HeldBy(controls, {}, {row.control}),
                  row.action ? Only(*row.action) : std::bitset<kRaceActionCount>())
            << "control " << row.control;
}

// A new key goes first and pushes the first to second place; the old second gives way. A key
// taken from another action leaves it, and the other action's keys close up.
TEST_F(ControlsTest, AKeyMovesAndTheThirdKeyOfAnActionGivesWay) {
    TControls controls;
    EXPECT_EQ(controls.BindKey(RaceAction::Fire, SDLK_f), std::nullopt);
    EXPECT_EQ(controls.Of(RaceAction::Fire), Binding(SDLK_f, SDLK_z, kPadA));
    // Fire let go of Ctrl: neither side fires now.
    EXPECT_TRUE(HeldBy(controls, {SDL_SCANCODE_LCTRL}).none());
    EXPECT_TRUE(HeldBy(controls, {SDL_SCANCODE_RCTRL}).none());

    EXPECT_EQ(controls.BindKey(RaceAction::Accelerate, SDLK_f), RaceAction::Fire);
    EXPECT_EQ(controls.Of(RaceAction::Fire), Binding(SDLK_z, SDLK_UNKNOWN, kPadA));
    EXPECT_EQ(controls.Of(RaceAction::Accelerate), Binding(SDLK_f, SDLK_UP, kPadRightTrigger));
    EXPECT_EQ(HeldBy(controls, {SDL_SCANCODE_F}), Only(RaceAction::Accelerate));
    // A key the action has already changes nothing, not even its place.
    EXPECT_EQ(controls.BindKey(RaceAction::Accelerate, SDLK_UP), std::nullopt);
    EXPECT_EQ(controls.Of(RaceAction::Accelerate), Binding(SDLK_f, SDLK_UP, kPadRightTrigger));
    // Taking the only key leaves the action with none.
    EXPECT_EQ(controls.BindKey(RaceAction::Horn, SDLK_z), RaceAction::Fire);
    EXPECT_EQ(controls.Of(RaceAction::Fire), Binding(SDLK_UNKNOWN, SDLK_UNKNOWN, kPadA));
    EXPECT_EQ(controls.Of(RaceAction::Horn), Binding(SDLK_z, SDLK_h, kPadY));
}

// Right Shift answers for nitro only while it is bound to nothing: bound elsewhere, the two sides
// part; once nitro lets go of Left Shift, Left Shift is free and follows its twin to the horn.
TEST_F(ControlsTest, TheOtherSidesKeyFollowsOnlyWhileItIsFree) {
    TControls controls;
    EXPECT_EQ(controls.BindKey(RaceAction::Horn, SDLK_RSHIFT), std::nullopt);
    EXPECT_EQ(HeldBy(controls, {SDL_SCANCODE_LSHIFT}), Only(RaceAction::Nitro));
    EXPECT_EQ(HeldBy(controls, {SDL_SCANCODE_RSHIFT}), Only(RaceAction::Horn));
    controls.BindKey(RaceAction::Nitro, SDLK_n);  // nitro: N, X
    EXPECT_EQ(HeldBy(controls, {SDL_SCANCODE_LSHIFT}), Only(RaceAction::Horn));
    EXPECT_EQ(HeldBy(controls, {SDL_SCANCODE_RSHIFT}), Only(RaceAction::Horn));
    // Keys that are no Ctrl, Shift, Alt or GUI have no twin.
    controls.BindKey(RaceAction::Pause, SDLK_LALT);
    EXPECT_EQ(HeldBy(controls, {SDL_SCANCODE_RALT}), Only(RaceAction::Pause));
    EXPECT_TRUE(HeldBy(controls, {SDL_SCANCODE_KP_ENTER}).none());
}

TEST_F(ControlsTest, APadControlMovesAndTheStickAlwaysSteers) {
    TControls controls;
    EXPECT_EQ(controls.BindPad(RaceAction::Horn, kPadA), RaceAction::Fire);
    EXPECT_EQ(controls.Of(RaceAction::Fire).Pad, std::nullopt);
    EXPECT_EQ(HeldBy(controls, {}, {kPadA}), Only(RaceAction::Horn));
    EXPECT_TRUE(HeldBy(controls, {}, {kPadY}).none());
    // The d-pad's left taken by fire: the stick still steers, and cannot be bound.
    EXPECT_EQ(controls.BindPad(RaceAction::Fire, kPadDpadLeft), RaceAction::Left);
    EXPECT_EQ(HeldBy(controls, {}, {kPadStickLeft}), Only(RaceAction::Left));
    EXPECT_EQ(controls.BindPad(RaceAction::Nitro, kPadStickRight), std::nullopt);
    EXPECT_EQ(controls.Of(RaceAction::Nitro).Pad, kPadB);
}

struct ReadCase {
    const char* name;
    std::string text;
    std::vector<int> badLines;
    // The bindings that differ from the game's own afterwards.
    std::vector<std::pair<RaceAction, ActionBinding>> changed;
};

class ControlsFileTest : public ControlsTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ControlsFileTest, ReadsOverTheGamesOwnAndNamesEachBadLine) {
    const ReadCase& c = GetParam();
    std::vector<ControlsProblem> problems;
    const TControls read = ParseControls(c.text, problems);
    std::vector<int> lines;
    for (const ControlsProblem& problem : problems) lines.push_back(problem.Line);
    EXPECT_EQ(lines, c.badLines);
    TControls expected;
    for (const auto& [action, binding] : c.changed) expected.Set(action, binding);
    for (int i = 0; i < kRaceActionCount; ++i)
        EXPECT_EQ(read.Of(ActionAt(i)), expected.Of(ActionAt(i))) << ActionName(ActionAt(i));
    // Whatever was read is written and read back alike, without a problem.
    std::vector<ControlsProblem> again;
    EXPECT_EQ(ParseControls(FormatControls(read), again), read);
    EXPECT_TRUE(again.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ControlsFileTest,
    ::testing::Values(
        ReadCase{"Empty", "", {}, {}},
        // A named action takes the whole line: no pad part, no pad control.
        ReadCase{"OneLine",
                 "fire=F,Left Ctrl;a\r\naccelerate = W \n",
                 {},
                 {{RaceAction::Fire, {{SDLK_f, SDLK_LCTRL}, kPadA}},
                  {RaceAction::Accelerate, {{SDLK_w, SDLK_UNKNOWN}, std::nullopt}}}},
        ReadCase{"AnyCaseAndComments",
                 "# mine\n\nFIRE=left ctrl;A\rleave=;back\n",
                 {},
                 {{RaceAction::Fire, {{SDLK_LCTRL, SDLK_UNKNOWN}, kPadA}},
                  {RaceAction::Leave, {{SDLK_UNKNOWN, SDLK_UNKNOWN}, kPadBack}}}},
        // The game's own bindings give way to a key or control that the file names.
        ReadCase{"DefaultsGiveWay",
                 "horn=Z;start\n",
                 {},
                 {{RaceAction::Horn, {{SDLK_z, SDLK_UNKNOWN}, kPadStart}},
                  {RaceAction::Fire, {{SDLK_LCTRL, SDLK_UNKNOWN}, kPadA}},
                  {RaceAction::Pause, {{SDLK_p, SDLK_UNKNOWN}, std::nullopt}}}},
        // SDL names keys ",", ";" and "Keypad ,": the separators that leave two names divide.
        ReadCase{"PunctuationKeys",
                 "fire=,,;;x\nnitro=Keypad ,,.\nhorn==\n",
                 {},
                 {{RaceAction::Fire, {{SDLK_COMMA, SDLK_SEMICOLON}, kPadX}},
                  {RaceAction::Nitro, {{SDLK_KP_COMMA, SDLK_PERIOD}, std::nullopt}},
                  {RaceAction::Horn, {{SDLK_EQUALS, SDLK_UNKNOWN}, std::nullopt}},
                  {RaceAction::Handbrake, {{SDLK_SPACE, SDLK_UNKNOWN}, std::nullopt}}}},
        // Each bad line once; its action keeps what it had, the good lines stand.
        ReadCase{"Damaged",
                 "accelerate=W\n"
                 "brake=Esc\n"  // SDL names it "Escape"
                 "jump=Space\n"
                 "fire=F,G,H\n"
                 "nitro=N;q\n"
                 "horn\n"
                 "accelerate=S\n"
                 "pause=W\n"
                 "left=A;dpleft\n"
                 "right=D;leftx\n"
                 "horn=Y;dpleft\n"
                 "leave=Q" +
                     std::string(300, ' ') + "\n",
                 {2, 3, 4, 5, 6, 7, 8, 10, 11, 12},
                 {{RaceAction::Accelerate, {{SDLK_w, SDLK_UNKNOWN}, std::nullopt}},
                  {RaceAction::Left, {{SDLK_a, SDLK_UNKNOWN}, kPadDpadLeft}}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
