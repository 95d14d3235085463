#include "frontend/menu_backdrop.h"

#include "frontend/menu_host.h"
#include "frontend/screen_values.h"
#include "sprites/scroll_background.h"

void CreateMenuBackground(MenuHost& host) {
    auto* background = new TScrollBackground(&host.Engine(), Picture::MMBG, 1, 1);
    host.Screens().MenuBackground = background;
}

void DrawScreenTitle(MenuHost& host, const std::string& title) {
    host.SetFont(15);
    host.DrawText(title, 563, 148, true, true);
}
