// The high-score screen: its rows, Clear with its question, View online and the ways back.

#include <cstdlib>
#include <vector>

#include "menu_fixture.h"

namespace {

class HighScoresTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        SkipIntro();
        for (int i = 1; i <= 10; ++i) {
            form->HighScores.Slot(i).Name = "P" + std::to_string(i);
            form->HighScores.Slot(i).Score = 1234567 - i;
        }
        form->HighScores.Slot(3).Name = "";
        OpenHighScores();
    }
    void OpenHighScores() {
        ClickOn(kEntryHighScores);
        ASSERT_EQ(form->Screens.ScreenState, GameScreen::HighScores);
    }
};

TEST_F(HighScoresTest, RowsShowNamesAndPlainScoresAtTheirPlaces) {
    const std::vector<DrawnText> drawn = TextsOfNextFrame();
    ASSERT_EQ(drawn.size(), 20u);
    for (int i = 1; i <= 10; ++i) {
        const DrawnText& name = drawn[2 * (i - 1)];
        const DrawnText& score = drawn[2 * (i - 1) + 1];
        EXPECT_EQ(name.font, 2);
        EXPECT_EQ(name.text, i == 3 ? "" : "P" + std::to_string(i));
        EXPECT_EQ(name.x, 530);
        EXPECT_EQ(name.y, 220 + 36 * i);
        EXPECT_TRUE(name.centreX && name.centreY);
        EXPECT_EQ(score.font, 17);
        EXPECT_EQ(score.text, std::to_string(1234567 - i));
        EXPECT_EQ(score.x, 720);
        EXPECT_EQ(score.y, 216 + 36 * i);
        EXPECT_TRUE(score.centreX && score.centreY);
    }
    // On the surface: the text's colour lies around a name's centre, and none where the empty
    // name would be.
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(form->Components.MDXDraw.ReadPixels(pixels));
    auto inkAround = [&](int cx, int cy) {
        int ink = 0;
        for (int y = cy - 8; y <= cy + 8; ++y)
            for (int x = cx - 40; x <= cx + 40; ++x) {
                const uint32_t p = pixels[static_cast<size_t>(y) * 800 + x];
                const int r = (p >> 16) & 0xFF;
                if (r > 0xC0) ++ink;  // E6DADA over the dark table
            }
        return ink;
    };
    EXPECT_GT(inkAround(530, 220 + 36 * 2), 20);
    EXPECT_EQ(inkAround(530, 220 + 36 * 3), 0);
    EXPECT_GT(inkAround(720, 216 + 36 * 3), 20);
}

TEST_F(HighScoresTest, UpAndDownStopAtTheEndsAndEscLeavesFromEveryButton) {
    EXPECT_EQ(form->Screens.SelectedButton, kHighScoresBack);
    for (const int expected : {2, 1, 1}) {
        Press("Up");
        EXPECT_EQ(form->Screens.SelectedButton, expected);
    }
    for (const int expected : {2, 3, 3}) {
        Press("Down");
        EXPECT_EQ(form->Screens.SelectedButton, expected);
    }
    for (int from = 1; from <= 3; ++from) {
        form->Screens.SelectedButton = from;
        Press("Esc");
        EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu) << from;
        EXPECT_EQ(form->Screens.SelectedButton, kEntryHighScores) << from;
        EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
        OpenHighScores();
    }
}

TEST_F(HighScoresTest, ClearAsksFirstAndYesBringsTheDefaultTable) {
    ClickOn(kHighScoresClear);
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::ClearTable);
    // The rows are not drawn while the question is open.
    EXPECT_TRUE(TextsOfNextFrame().empty());
    Play("1 type \\r\n");  // No is preselected
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_EQ(form->HighScores.Slot(1).Name, "P1");
    EXPECT_EQ(form->Screens.SelectedButton, kHighScoresClear);
    Play("1 type \\r\n");  // Clear again, and Yes
    Press("Y");
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::HighScores);
    const std::vector<DrawnText> drawn = TextsOfNextFrame();
    ASSERT_EQ(drawn.size(), 20u);
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(drawn[2 * (i - 1)].text, "ANONYMOUS");
        EXPECT_EQ(drawn[2 * (i - 1) + 1].text, std::to_string(5500 - 500 * i));
    }
}

TEST_F(HighScoresTest, ViewOpensTheOnlineTableOfTheChosenServer) {
    ClickOn(kHighScoresView);
    setenv("ZARVEX2_SCORE_SERVER", "http://scores.example:9000/", 1);
    Play("1 type \\r\n");
    unsetenv("ZARVEX2_SCORE_SERVER");
    ASSERT_EQ(links->size(), 2u);
    EXPECT_EQ((*links)[0], "http://localhost:8642/cgi/version.pl?prg=Zarvex2&show&type=0");
    EXPECT_EQ((*links)[1], "http://scores.example:9000/cgi/version.pl?prg=Zarvex2&show&type=0");
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::HighScores);
}

}  // namespace
