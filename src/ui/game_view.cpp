#include "ui/game_view.h"

namespace quorlen {
namespace {

constexpr Rgb kInks[] = {kBlack, kGivenColour, kSolverBlue};  // by CellInk

CellView cell_view(int digit, DigitOwner owner, Rgb colour, bool enabled) {
  CellView cell;
  if (digit != 0) cell.text.assign(1, static_cast<char>('0' + digit));
  cell.owner = owner;
  cell.colour = colour;
  cell.enabled = enabled;
  return cell;
}

// The digits of `grid`, in red where `givens` has one and in the Solve's
// blue elsewhere; no notes, no marks.
void show_digits(const DigitGrid& grid, const DigitGrid& givens, View& view) {
  for (int index = 0; index < View::kCells; ++index) {
    const auto i = static_cast<std::size_t>(index);
    const bool given = grid[i] != 0 && givens[i] != 0;
    const DigitOwner owner = grid[i] == 0 ? DigitOwner::none : given ? DigitOwner::given : DigitOwner::solver;
    const Rgb colour = grid[i] == 0 ? kBlack : given ? kGivenColour : kSolverBlue;
    view.set_cell(index, cell_view(grid[i], owner, colour, view.cell(index).enabled));
  }
}

}  // namespace

void show_game(const Game& game, View& view) {
  for (int index = 0; index < View::kCells; ++index) {
    const GameCell& c = game.cells[static_cast<std::size_t>(index)];
    CellView cell = cell_view(c.digit, c.owner, kInks[static_cast<int>(c.ink)], game.controls.cells);
    cell.notes = c.notes;
    cell.marks = c.wrong ? kMarkWrong : 0;
    view.set_cell(index, std::move(cell));
  }
  const Controls& k = game.controls;
  view.cmdLoad = k.load;
  view.cmdSave = k.save;
  view.cmdFreeze = k.freeze;
  view.cmdRestart = k.restart;
  view.CmdSolve = k.solve;
  view.Label1 = game.label1;
  view.Label4 = game.label4;
}

void show_step(const StepsBrowser& steps, View& view) {
  show_digits(steps.grid(), steps.steps().givens, view);
  const Placement& shown = steps.placement();
  const bool guess = shown.why.reason == Reason::guess;
  view.set_cell_marks(shown.index, static_cast<std::uint8_t>(kMarkStep | (guess ? kMarkGuess : 0)));
}

void show_path_step(const PathBrowser& path, View& view) {
  show_digits(path.before().digits(), path.path().start.digits(), view);
}

}  // namespace quorlen
