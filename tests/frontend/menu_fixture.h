#pragma once
// The game headless from start-up, for walking the menu screens: input goes through the game's
// own event handler (as script events), sounds and web links are noted, and every text the
// screens draw can be logged.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "replay_runner.h"
#include "shell/form.h"
#include "sprites/menu_button.h"
#include "support/sound_log.h"
#include "support/test_assets.h"

// The main menu's intro lasts this many frames.
constexpr int kIntroFrames = 46;

class MenuTest : public ::testing::Test {
protected:
    // realAudio: the dummy audio device with the real music player (for music checks) instead
    // of the recording mixer. saveDir: where the saves (and the controls) are kept; none without.
    void StartGame(bool realAudio = false, const std::string& saveDir = "") {
        runner.reset();  // one game at a time: SDL starts and stops with it
        ReplayOptions options;
        options.saveDir = saveDir;
        if (!realAudio) options.openAudio = [log = sounds] { return MakeRecordingAudio(log); };
        options.openLink = [log = links](const std::string& address) { log->push_back(address); };
        runner = std::make_unique<ReplayRunner>(options);
        std::string error;
        ASSERT_TRUE(runner->StartWith(TestImageList1(), TestImageList2(), TestWaves(), error))
            << error;
        form = &runner->Form();
        form->MenuHostAdapter.TextLog = &texts;
    }
    void SetUp() override { StartGame(); }

    // Plays script lines "N EVENT" where N counts frames from now (1: before the next frame),
    // then runs until the last event's frame has run, and `after` frames more.
    void Play(const std::string& lines, int after = 0) {
        std::istringstream in(lines);
        std::vector<ScriptEvent> events;
        std::string error;
        ASSERT_TRUE(ParseInputScript(in, events, error)) << error;
        const int now = runner->Frame();
        int last = now;
        for (ScriptEvent& event : events) {
            event.frame += now;
            last = std::max(last, event.frame);
        }
        runner->SetScript(events);
        runner->RunUntil(last + after);
    }
    // A key goes down before the next frame and up after it: one hit. The game only sees a key
    // come up in a frame, so a press right after the last one waits a frame first.
    void Press(const std::string& key) {
        if (runner->Frame() == releasedAt_) runner->RunFrame();
        runner->KeyDown(key);
        runner->RunFrame();
        runner->KeyUp(key);
        releasedAt_ = runner->Frame();
    }
    void RunFrames(int n) {
        for (int i = 0; i < n; ++i) runner->RunFrame();
    }
    void SkipIntro() { RunFrames(kIntroFrames + 1); }
    // The mouse over the middle of a button, then a click.
    void ClickOn(int button) {
        const TMenuButton* target = form->Screens.Button(button);
        ASSERT_NE(target, nullptr) << "button " << button;
        const int x = static_cast<int>(target->X) + target->HitBoxWidth() / 2;
        const int y = static_cast<int>(target->Y) + target->HitBoxHeight() / 2;
        Play("1 move " + std::to_string(x) + " " + std::to_string(y) + "\n1 click\n");
    }
    // The texts drawn in the next frame.
    std::vector<DrawnText> TextsOfNextFrame() {
        texts.clear();
        runner->RunFrame();
        return texts;
    }

    std::shared_ptr<SoundLog> sounds = std::make_shared<SoundLog>();
    std::shared_ptr<std::vector<std::string>> links = std::make_shared<std::vector<std::string>>();
    std::vector<DrawnText> texts;
    std::unique_ptr<ReplayRunner> runner;
    TMForm* form = nullptr;

private:
    int releasedAt_ = -1;
};
