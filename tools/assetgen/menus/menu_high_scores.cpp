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
double RowCentre(int row) {
    return 19 + kRowPitch * row;
}

// "HSCaption": the screen's title, centred where the other screens write theirs.
ImageEntry BuildCaption() {
    Canvas canvas(398, 92);
    cairo_t* cr = canvas.Cr();
    const double size = FitTextSize(cr, "HIGH SCORES", 386, 66, 100);
    ChromeText(cr, "HIGH SCORES", 199, 44, size, Look::Normal, 3, 0.06);
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

// "HSTable": a panel with headings, a rank column and ten plain dark bands for names and scores.
ImageEntry BuildTable() {
    Canvas canvas(kTableWidth, kTableHeight);
    cairo_t* cr = canvas.Cr();
    const double right = 514;  // the panel ends clear of the screen's last columns
    const double bottom = 399;
    BackdropFringe(
        cr, [&](cairo_t* c) { RoundedRect(c, 1, 1, right - 1, bottom - 1, 12); }, 2);
    DrawPanel(cr, 1, 1, right - 1, bottom - 1, 12);

    // Headings.
    SolidText(cr, "NO.", kRankX, 20, 22, 0xFFD27A, kAccent, 1.5);
    SolidText(cr, "NAME", kNameX, 20, 22, 0xFFD27A, kAccent, 1.5);
    SolidText(cr, "SCORE", kScoreX, 20, 22, 0xFFD27A, kAccent, 1.5);
    Divider(cr, 10, 36, right - 20, kAccent, 0.7);

    // Bands: rank cell, name band and score band, alternating gently.
    for (int row = 1; row <= 10; ++row) {
        const double top = RowCentre(row) - 16;
        const uint32_t shade = row % 2 ? 0x151820 : 0x1A1E27;
        RoundedRect(cr, 12, top, 66, 32, 5);
        SetColour(cr, Mix(shade, kAccent, 0.06));
        cairo_fill(cr);
        RoundedRect(cr, 84, top, kScoreX - 66 - 84, 32, 5);
        SetColour(cr, shade);
        cairo_fill(cr);
        // The score sits 4 px above the name in each row.
        RoundedRect(cr, kScoreX - 60, top - 2, 120, 32, 5);
        SetColour(cr, shade);
        cairo_fill(cr);
        DrawRank(cr, row, RowCentre(row));
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
