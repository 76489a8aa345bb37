// The View drawn from a game: what every control shows. The one place where
// the game's facts become texts, colours and enabled states.
#pragma once

#include "game/game.h"
#include "ui/path_browser.h"
#include "ui/steps_browser.h"
#include "view/view.h"

namespace quorlen {

// Every cell, button and label as `game` has them; the session's parts of
// the view ("Save to File", the options, the selected cell) stay as they are.
void show_game(const Game& game, View& view);

// The grid as a picture of the step chosen in `steps`: the Solve's digits
// alone, in the colours Solve gives them, the step's cell marked; the
// person's notes and marks are not part of it.
void show_step(const StepsBrowser& steps, View& view);

// The grid as it stood before the person's step chosen in `path`: the
// givens and the digits the steps before placed, in the Solve's colours;
// the candidates and the step's marks are the step picture's.
void show_path_step(const PathBrowser& path, View& view);

}  // namespace quorlen
