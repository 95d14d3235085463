// The high-score screen: its caption, the table the game writes the ten rows into, and the
// three buttons on the left.

#include <cmath>
#include <string>

#include "assetgen/menus/menu_parts.h"
#include "assetgen/menus/menu_style.h"

namespace menuart {

namespace {

constexpr int kTableWidth = 526;
constexpr int kTableHeight = 401;
// Row i (1..10): the game centres the name at (256, 21 + 36i) and the score at (446, 17 + 36i).
constexpr double kNameX = 256;
constexpr double kScoreX = 446;
constexpr double kRankX = 45;
constexpr double kRowPitch = 36;
// The game centres a text on the line box of its face, which reaches lower than the capitals and
// figures: in the display face the names' capitals (16 pt) stand about 1.5 px above their centre,
// the scores' figures (22 pt) 3.5 px. The fields around them are centred on the letters as they
// stand.
double NameInkCentre(int row) {
    return 21 + kRowPitch * row - 1.5;
}
double ScoreInkCentre(int row) {
    return 17 + kRowPitch * row - 3.5;
}
// The window shows the screen only down to y 592 and right to x 792: the frame ends there.
constexpr double kTableRight = 792 - 274 - 1;
constexpr double kTableBottom = 592 - 199 - 1;

// "HSCaption": the screen's title, centred where the other screens write theirs, in their look:
// the regular display face in chrome, outlined and leaning as the game dresses the titles
// "OPTIONS" and "HELP" (the text canvas's chrome look).
ImageEntry BuildCaption() {
    Canvas canvas(398, 92);
    cairo_t* cr = canvas.Cr();
    const double size = FitTextSize(cr, "HIGH SCORES", 380, 70, 104, kDisplayRegular);
    ChromeText(cr, "HIGH SCORES", 199, 45, size, Look::Normal, 3, 0.06, kDisplayRegular);
    return SingleImage(Picture::HSCaption, canvas);
}

// A rank badge: gold, silver and bronze discs for the first three places.
void DrawRank(cairo_t* cr, int rank, double cy) {
    const std::string text = std::to_string(rank);
    if (rank <= 3) {
        static const uint32_t kMedal[3][2] = {
            {0xFFE58A, 0xC98A16}, {0xF4F6F9, 0x8A93A3}, {0xF0B487, 0x8E4E22}};
        cairo_arc(cr, kRankX, cy, 14, 0, 2 * M_PI);
        SetColour(cr, kInk);
        cairo_fill(cr);
        cairo_arc(cr, kRankX, cy, 12.5, 0, 2 * M_PI);
        VerticalGradient(cr, cy - 13, cy + 13,
                         {{0, kMedal[rank - 1][0]}, {1, kMedal[rank - 1][1]}});
        cairo_fill(cr);
        cairo_arc(cr, kRankX, cy, 9.5, 0, 2 * M_PI);
        VerticalGradient(cr, cy - 10, cy + 10,
                         {{0, kMedal[rank - 1][1]}, {1, kMedal[rank - 1][0]}});
        cairo_fill(cr);
        SolidText(cr, text, kRankX, cy, 19, 0x1A1208, 0x1A1208, 0);
    } else {
        ChromeText(cr, text, kRankX, cy, 24, Look::Normal, 2);
    }
}

// "HSTable": a panel with headings, a rank column and ten dark fields each for the names and the
// scores, every field with a lit rim so that each row stands out on the panel's gradient.
ImageEntry BuildTable() {
    Canvas canvas(kTableWidth, kTableHeight);
    cairo_t* cr = canvas.Cr();
    const double right = kTableRight;
    const double bottom = kTableBottom;
    BackdropFringe(
        cr, [&](cairo_t* c) { RoundedRect(c, 1, 1, right - 1, bottom - 1, 12); }, 2);
    DrawPanel(cr, 1, 1, right - 1, bottom - 1, 12);

    // Headings.
    SolidText(cr, "NO.", kRankX, 20, 22, 0xFFD27A, kAccent, 1.5);
    SolidText(cr, "NAME", kNameX, 20, 22, 0xFFD27A, kAccent, 1.5);
    SolidText(cr, "SCORE", kScoreX, 20, 22, 0xFFD27A, kAccent, 1.5);
    Divider(cr, 10, 36, right - 20, kAccent, 0.7);

    for (int row = 1; row <= 10; ++row) {
        const double name = NameInkCentre(row);
        const double score = ScoreInkCentre(row);
        DrawWell(cr, 84, name - 10, kScoreX - 66 - 84, 20, 4);
        DrawWell(cr, kScoreX - 60, score - 13, 120, 26, 4);
        DrawRank(cr, row, (name + score) / 2);
    }
    return SingleImage(Picture::HSTable, canvas);
}

}  // namespace

void AddHighScoreImages(std::vector<ImageEntry>& images) {
    images.push_back(BuildCaption());
    images.push_back(BuildTable());
    images.push_back(TwoStatePlateButton(Picture::HS_Clear, {"CLEAR TABLE"}, 26));
    images.push_back(TwoStatePlateButton(Picture::HS_View, {"VIEW ONLINE"}, 26));
    images.push_back(TwoStatePlateButton(Picture::HS_Back, {"BACK"}, 24));
}

}  // namespace menuart
