// The replay's pad events: how scripts spell them, what a bad one is told, and a whole game played
// from the menu into the race with a scripted pad, the same on every run.

#include <gtest/gtest.h>

#include <sstream>

#include "runner_fixture.h"
#include "sprites/player.h"

namespace {

bool Parse(const std::string& text, std::vector<ScriptEvent>& events, std::string& error) {
    std::istringstream script(text);
    return ParseInputScript(script, events, error);
}

TEST(PadScriptTest, PadEventsReadWithSdlNamesAndAnOptionalPadNumber) {
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(
        Parse("5 pad add\n"
              "6 pad down dpup\n"
              "7 pad axis righttrigger 32767\n"
              "8 pad axis leftx -32768\n"
              "9 pad add\n"
              "10 pad up start 2\n"
              "11 pad remove 1\n"
              "12 pad axis lefttrigger 0\n",  // pad 2 is now the first connected
              events, error))
        << error;
    ASSERT_EQ(events.size(), 8u);
    using Action = ScriptEvent::PadAction;
    EXPECT_EQ(events[0].kind, ScriptEvent::Kind::Pad);
    EXPECT_EQ(events[0].padAction, Action::Add);
    EXPECT_EQ(events[1].padAction, Action::Down);
    EXPECT_EQ(events[1].padButton, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(events[1].pad, 0);
    EXPECT_EQ(events[2].padAxis, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    EXPECT_EQ(events[2].padValue, 32767);
    EXPECT_EQ(events[3].padValue, -32768);
    EXPECT_EQ(events[5].padAction, Action::Up);
    EXPECT_EQ(events[5].padButton, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(events[5].pad, 2);
    EXPECT_EQ(events[6].padAction, Action::Remove);
    EXPECT_EQ(events[6].pad, 1);
}

TEST(PadScriptTest, BadPadEventsNameTheirLine) {
    const char* bad[] = {
        "pad\n",                          // no action
        "pad shake\n",                    // no such action
        "pad down q\n",                   // no such button
        "pad down misc1\n",               // a button the replay's pads do not have
        "pad down\n",                     // no button
        "pad axis rightz 5\n",            // no such axis
        "pad axis leftx\n",               // no value
        "pad axis leftx 12x\n",           // not a number
        "pad axis leftx 32768\n",         // beyond a stick
        "pad axis lefty -32769\n",        //
        "pad axis lefttrigger -1\n",      // a trigger rests at 0
        "pad axis righttrigger 32768\n",  //
        "pad down a 0\n",                 // pads count from 1
        "pad down a two\n",               //
        "pad add 1\n",                    // added pads get the next number
        "pad down a 2\n",                 // only pad 1 is connected
    };
    for (const char* line : bad) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(Parse(std::string("1 pad add\n2 ") + line, events, error)) << line;
        EXPECT_NE(error.find("line 2"), std::string::npos) << line << ": " << error;
    }
}

TEST(PadScriptTest, EventsForAPadNotConnectedAtThatPointAreRefused) {
    const char* bad[] = {
        "1 pad down a\n",                               // before any pad
        "1 pad add\n2 pad remove\n3 pad up a\n",        // after the only one left
        "1 pad add\n2 pad remove 1\n3 pad remove 1\n",  // pulled out twice
        "1 pad add\n2 pad add\n3 pad remove 2\n4 pad axis leftx 5 2\n",
        "5 pad add\n3 pad down a\n",  // frames decide the order, not lines
    };
    for (const char* text : bad) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(Parse(text, events, error)) << text;
        EXPECT_NE(error.find("connected"), std::string::npos) << text << ": " << error;
    }
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_TRUE(
        Parse("1 pad add\n2 pad add\n3 pad remove\n4 pad down a\n4 pad up a 2\n", events, error))
        << error;
}

// From the main menu into the race and along the road, with the pad only.
constexpr const char* kPadGame =
    "50 pad add\n"
    "55 pad down a\n"  // Start Game is selected on the main menu
    "56 pad up a\n"
    "58 pad down dpright\n"  // the Back button, then back to Start
    "59 pad up dpright\n"
    "60 pad axis leftx -30000\n"
    "61 pad axis leftx 0\n"
    "62 pad down a\n"  // Start: the race
    "64 pad up a\n"
    "100 pad axis righttrigger 32767\n"  // during the level banner: counts once the race runs
    "320 pad axis leftx -9000\n"
    "330 pad axis leftx 0\n"
    "380 pad down start\n"
    "381 pad up start\n"
    "400 pad down start\n"
    "401 pad up start\n"
    "450 pad axis righttrigger 0\n"
    "451 pad axis lefttrigger 20000\n"
    "470 pad remove\n";

TEST(PadScriptTest, AScriptedPadGameIsTheSameOnEveryRun) {
    std::vector<std::string> states[2];
    for (auto& run : states) {
        auto runner = MakeTestRunner();
        std::vector<ScriptEvent> script;
        std::string error;
        ASSERT_TRUE(Parse(kPadGame, script, error)) << error;
        runner->SetScript(script);
        for (int frame : {57, 63, 300, 390, 449, 469, 470}) {
            runner->RunUntil(frame);
            run.push_back(runner->StateJson());
            if (frame == 300) {
                ASSERT_NE(runner->Form().RaceScreen.Race.Player, nullptr);
                EXPECT_GT(runner->Form().RaceScreen.Race.Player->CarSpeed,
                          0);  // the trigger drives
            }
        }
        // The pad did play: the start-game screen, the race, driving, the pause and its end.
        const TMForm& form = runner->Form();
        EXPECT_NE(run[0].find("\"ScreenState\":2"), std::string::npos) << run[0];
        EXPECT_NE(run[1].find("\"ScreenState\":6"), std::string::npos) << run[1];
        EXPECT_NE(run[3].find("\"WindowKind\":5"), std::string::npos) << run[3];
        EXPECT_NE(run[4].find("\"WindowKind\":0"), std::string::npos) << run[4];
        EXPECT_EQ(form.Screens.ScreenState, GameScreen::Race);
        EXPECT_EQ(form.Screens.WindowKind, ModalWindow::Pause);  // the pad was pulled out
    }
    EXPECT_EQ(states[0], states[1]);
}

}  // namespace
