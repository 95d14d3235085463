// The game's web side: the addresses, the links handed to the desktop and the score sending.

#include "shell/online.h"

#include <cstdlib>

#include "shell/form.h"

std::string ScoreServerAddress() {
    const char* chosen = std::getenv("ZARVEX2_SCORE_SERVER");
    std::string base = chosen != nullptr && *chosen != '\0' ? chosen : "http://localhost:8642";
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base;
}

std::string MakerHomePage() {
    return ScoreServerAddress() + "/";
}

std::string OnlineTablePage() {
    return ScoreServerAddress() + "/cgi/version.pl?prg=Zarvex2&show&type=0";
}

void TMForm::OpenLink(const std::string& address) {
    if (config_.openLink) {
        config_.openLink(address);
        return;
    }
    // A headless game has no desktop to show a page on; a failure to open says nothing.
    if (!config_.headless) SDL_OpenURL(address.c_str());
}

// The sending itself comes with the save library; until then a result goes nowhere, which is
// what a failed send looks like to the player.
void TMForm::SubmitScore() {}
