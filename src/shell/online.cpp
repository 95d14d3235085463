// The online score table: sending a result from the "Sending results..." window.

#include "persist/score_submit.h"
#include "persist/web_links.h"
#include "shell/form.h"

// The request is bounded in time and any failure is silent: the game goes on to the high scores
// whether the result arrived or not.
void TMForm::SubmitScore() {
    ::SubmitScore(ScoreServerBase(), Screens.EnteredName, Race.Score, Options.Country);
}
