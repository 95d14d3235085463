// The game's web side: the links handed to the desktop and the score sending.

#include <utility>

#include "persist/score_record.h"
#include "persist/score_submit.h"
#include "persist/web_links.h"
#include "shell/form.h"

void FormComponents::OpenLink(const std::string& address) {
    // Only web addresses reach the desktop, whatever asked for them. Departs from the original
    // rule, which hands anything to the desktop's "open" (docs/departures.md).
    if (!IsWebAddress(address)) return;
    if (config_.openLink) {
        config_.openLink(address);
        return;
    }
    // A headless game has no desktop to show a page on; a failure to open says nothing.
    if (!config_.headless) SDL_OpenURL(address.c_str());
}

namespace {

// The request is bounded in time and any failure is silent: the game goes on to the high scores
// whether the result arrived or not.
std::function<void(const std::string&)>& DefaultScoreSender() {
    static std::function<void(const std::string&)> sender = [](const std::string& address) {
        SendSubmission(address);
    };
    return sender;
}

}  // namespace

void SetDefaultScoreSender(std::function<void(const std::string&)> sender) {
    DefaultScoreSender() = std::move(sender);
}

void TMForm::SubmitScore() {
    // A replay never sends a score (nor reaches the sending window: its race ends at the name).
    if (Watch.Active) return;
    const std::string address = SubmissionAddress(
        ScoreServerBase(), EncodeScoreRecord(ScoreRecord(Screens.EnteredName, RaceScreen.Race.Score,
                                                         Options.Country)));
    if (config_.submitScore) {
        config_.submitScore(address);
    } else {
        DefaultScoreSender()(address);
    }
}
