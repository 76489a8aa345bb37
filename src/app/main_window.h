// The window `Sudoku`: the design's controls (DesignArea) with the digit
// pad under them (BoardArea), a menu bar above and a status line below;
// it shows the window logic's view state and forwards clicks and typing to
// its handlers.
//
// All state lives in Sudoku and its View; the widgets are only a picture of
// it. After every handler, and before any modal box, sync() brings every
// widget up to date. Handlers change the View, never a widget.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <optional>
#include <random>
#include <vector>

#include "app/cell_keys.h"
#include "app/print_actions.h"
#include "app/qt_platform.h"
#include "ui/keeping.h"
#include "ui/step_picture.h"
#include "ui/sudoku.h"

class QAction;
class QLineEdit;
class QMenu;
class QMimeData;
class QTimer;

namespace quorlen {

class BoardArea;
class CellEdit;
class DesignArea;
class DigitPad;
class HintPanel;
class KeyboardHelp;
class SidePanel;
class PracticeMaker;
class StatusLine;
class StepsWindow;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(PlatformHooks hooks = {}, QWidget* parent = nullptr);

  const Sudoku& sudoku() const { return sudoku_; }
  QLineEdit* cell(int index) const;
  // The design's client area, the pad and the status line.
  DesignArea* design_area() const { return design_; }
  BoardArea* board_area() const { return board_; }
  DigitPad* digit_pad() const { return pad_; }
  StatusLine* status_line() const { return status_; }
  // The area to the right of the design's client area where the hint and
  // the Steps view show (see SidePanel): hidden while none of its parts
  // shows. Showing it widens the window by its width, so that no cell is
  // covered; hiding it gives the window back the size it had.
  SidePanel* side_panel() const { return side_; }

  // A step's picture drawn on the grid in place of what the cells show:
  // its digits, its candidates in the notes' place, its pattern, struck
  // and placed candidates marked, each cell's accessible description
  // telling the same. It stays until clear_picture(), which gives back
  // exactly what the grid showed; sync() keeps it.
  void show_picture(const StepPicture& picture);
  void clear_picture();
  const std::optional<StepPicture>& picture() const { return picture_; }

  // Fills the enabled cells from a puzzle as if each were typed.
  void type_puzzle(const DigitGrid& digits);
  // A puzzle, or a game in progress, read from a text as Paste reads it
  // and posed; false (and no change) when the text holds neither, and with
  // `say_why` a message saying what is wrong with it.
  bool read_text(const QString& text, bool say_why);
  QString copy_puzzle() const;

  // What outlasts the window: the last game, kept as it is played for
  // Continue, the statistics and the play options. The program asks for
  // it; the tests and the screenshot leave it out.
  void keep_between_runs(const KeptFiles& files = kept_files());
  // Continue and Open game, as the menu and the command line start them.
  void continue_game();
  void open_game(const QString& path);

  // Brings every widget up to date with the View.
  void sync();

  // New, then Load of `path`: a file given to the program when it starts.
  void open_file(const QString& path);
  // A new puzzle of `level`, as the menu makes it.
  void new_puzzle(Level level);
  // "New puzzle to practise...": asks for a rating band and a technique and
  // poses a puzzle that has them, from the practice bank when it holds
  // one, else made in the background.
  void practise();
  // What the practice bank was read from and what it holds: read when
  // first asked for.
  PracticeBank& practice_bank();
  PracticeMaker* practice_maker() const { return practice_maker_; }

  // Runs `action` once the window is on the screen (at once if it is), so
  // that a message box it shows opens over the window, not where the
  // window was before the desktop placed it.
  void when_shown(std::function<void()> action);

  // The actions of the window's menus (see menu_groups for where each
  // shows). They belong to the window, so their shortcuts work wherever
  // the focus is; the options are checkable.
  struct MenuActions {
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* copy = nullptr;
    QAction* copy_progress = nullptr;
    QAction* paste = nullptr;
    std::array<QAction*, kLevelCount> new_puzzle{};
    QAction* practise = nullptr;
    QAction* continue_game = nullptr;
    QAction* open_game = nullptr;
    QAction* save_game = nullptr;
    QAction* statistics = nullptr;
    QAction* count = nullptr;
    QAction* check = nullptr;
    QAction* pause = nullptr;  // checked while paused
    QAction* notes_mode = nullptr;
    QAction* fill_notes = nullptr;
    QAction* clear_notes = nullptr;
    QAction* repeats = nullptr;
    QAction* highlighting = nullptr;
    QAction* protect_givens = nullptr;
    QAction* high_contrast = nullptr;
    QAction* clock_shown = nullptr;
    QAction* hint = nullptr;
    QAction* apply_hint = nullptr;
    QAction* close_hint = nullptr;  // enabled while the hint shows
    QAction* steps = nullptr;       // checked while the steps show
    QAction* keyboard = nullptr;
    QAction* about = nullptr;
    QAction* quit = nullptr;
    QAction* open_menu = nullptr;  // Shift+F10, the menu key's twin; not an entry
  };
  const MenuActions& menu_actions() const { return menu_actions_; }

  // The window's menus, in the menu bar's order: a group is a menu of the
  // menu bar and a section of the right-click menu, so that an entry added
  // to a group shows in both. An entry is an action, a submenu of actions,
  // or a separator (neither); one marked bar_only shows in the menu bar
  // alone. The right-click menu shows the groups by their context_place
  // (Edit first, as such menus begin), leaving out a group whose place is -1.
  // It keeps to what acts on the grid, each entry with a letter of its own:
  // the game files, Statistics, Quit and Help are the menu bar's.
  struct MenuEntry {
    QAction* action = nullptr;
    const char* submenu = nullptr;  // its title, with the actions below
    std::vector<QAction*> actions = {};
    bool bar_only = false;
  };
  struct MenuGroup {
    const char* title;
    int context_place;
    std::vector<MenuEntry> entries;
  };
  std::vector<MenuGroup> menu_groups() const;

  // The Steps view in the side panel, while the steps show; null before
  // they first show.
  StepsWindow* steps_window() const { return steps_window_; }
  // The hint in the side panel, hidden while no hint shows.
  HintPanel* hint_panel() const { return hint_panel_; }
  // Help's keyboard table; null before it first shows.
  KeyboardHelp* keyboard_help() const { return keyboard_help_; }

 protected:
  // Right-click outside the cells: the window's menu.
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A ".sud" file dropped on the window is loaded, as Load of it would; a
  // game file is opened, and a text that holds a puzzle is read as Paste
  // reads it; anything else is refused.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // The last game is saved as the window closes.
  void closeEvent(QCloseEvent* event) override;

 private:
  void connect_design();
  void build_menu_actions();
  QAction* add_action(const char* text, const QList<QKeySequence>& keys, std::function<void()> act);
  void build_menu_bar();
  // The window's entries, added to a right-click menu (the window's and
  // each cell's), group after group.
  void add_menu_entries(QMenu* menu);
  // The menu with the window's entries, over the window or a cell.
  void show_menu(QWidget* over, QContextMenuEvent* event);
  // What the menu key does: the menu of the focused cell, or the window's.
  void open_menu_by_key();
  void show_keyboard_help();
  // The Steps view shown, brought up to date, or hidden, as the steps show
  // or not (window_steps.cpp); while the steps by hand are worked out, it
  // asks now and then whether they are done.
  void sync_steps();
  // The step by hand chosen drawn on the grid, or the drawing taken away
  // when the view closes; before the cells are brought up to date.
  void sync_steps_picture();
  // The hint's panel and its picture on the grid as the window logic has them.
  void sync_hint();
  void run(void (Sudoku::*handler)());
  void cell_edited(int index, const QString& text);
  void cell_intent(int index, CellIntent intent);
  // A digit (0: Clear) of the pad, into the cell the person is at.
  void pad_entry(int digit);
  // The clipboard's puzzle into the grid; other text into the focused cell,
  // as if typed there.
  void paste_clipboard();
  void play_options_changed();
  void sync_cell(int index, std::uint8_t marks, const std::string& description);
  // What a drop would bring: a local ".sud" file while Load could take it,
  // a local game file, or a text that holds a puzzle.
  struct Droppable {
    enum Kind { none, sud_file, game_file, text } kind = none;
    QString value;  // the file's path, or the text
  };
  Droppable droppable(const QMimeData* mime) const;
  // The last game saved when it is time (see Sudoku::autosave_in).
  void schedule_autosave();
  void show_statistics();
  // The window widened for the side panel that showed, or given back the
  // size it had before, if the person left it as it was widened.
  void fit_side_panel(bool shown);

  QtPlatform platform_;
  Sudoku sudoku_;
  DesignArea* design_ = nullptr;
  DigitPad* pad_ = nullptr;
  BoardArea* board_ = nullptr;
  StatusLine* status_ = nullptr;
  SidePanel* side_ = nullptr;
  std::optional<StepPicture> picture_;  // drawn over the grid while set
  bool hint_picture_ = false;           // and it is the hint's
  HintPanel* hint_panel_ = nullptr;
  QRect unwidened_;                // the window's place before the side panel widened it
  std::optional<QRect> widened_;   // and after, while the panel shows
  QTimer* clock_ = nullptr;        // the status line's time, while it runs
  QTimer* rating_poll_ = nullptr;  // the status line's rating, while it is worked out
  MenuActions menu_actions_;
  int shown_selection_ = -1;  // the selected cell that the focus was last given to
  PrintActions* print_actions_ = nullptr;
  StepsWindow* steps_window_ = nullptr;
  QTimer* path_timer_ = nullptr;          // asks whether the steps by hand are worked out
  QPointer<QWidget> focus_before_steps_;  // where the focus goes back when the view closes
  bool steps_picture_ = false;            // the picture drawn is the Steps view's
  KeyboardHelp* keyboard_help_ = nullptr;
  std::optional<PracticeBank> practice_bank_;
  PracticeChoice practice_choice_;  // the one made last, which the dialog offers again
  PracticeMaker* practice_maker_ = nullptr;
  std::mt19937_64 practice_random_{std::random_device{}()};
  QTimer* autosave_timer_ = nullptr;
  bool keeping_ = false;  // the last game, the statistics and the options outlast the window
  std::vector<std::function<void()>> on_shown_;  // what waits for the window to be on the screen
};

}  // namespace quorlen
