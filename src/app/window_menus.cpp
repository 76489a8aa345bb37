// The window's actions and its menus: the menu bar, the right-click menu of
// the window and of each cell, and Help.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>

#include "app/keyboard_help.h"
#include "app/main_window.h"
#include "app/settings.h"

namespace quorlen {

QAction* MainWindow::add_action(const char* text, const QList<QKeySequence>& keys,
                                std::function<void()> act) {
  auto* action = new QAction(QString::fromUtf8(text), this);
  action->setShortcuts(keys);
  action->setShortcutVisibleInContextMenu(true);
  connect(action, &QAction::triggered, this, std::move(act));
  addAction(action);
  return action;
}

void MainWindow::build_menu_actions() {
  MenuActions& a = menu_actions_;
  a.undo = add_action("&Undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { run(&Sudoku::mnuUndo_Click); });
  a.redo = add_action("&Redo",
                      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
                      [this] { run(&Sudoku::mnuRedo_Click); });
  // Ctrl+C and Ctrl+V work on the grid wherever the focus is; a cell that
  // has the focus handles them itself (see CellEdit).
  a.copy = add_action("&Copy", QKeySequence::keyBindings(QKeySequence::Copy),
                      [this] { QApplication::clipboard()->setText(copy_puzzle()); });
  a.copy_progress = add_action(
      "Cop&y with progress", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
      [this] { QApplication::clipboard()->setText(QString::fromStdString(sudoku_.copy_progress())); });
  a.paste =
      add_action("&Paste", QKeySequence::keyBindings(QKeySequence::Paste), [this] { paste_clipboard(); });
  static constexpr const char* kLevelEntries[kLevelCount] = {"&Easy", "&Medium", "&Difficult",
                                                             "&Very Difficult"};
  for (int i = 0; i < kLevelCount; ++i) {
    a.new_puzzle[i] =
        add_action(kLevelEntries[i], {QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i))},
                   [this, level = static_cast<Level>(i)] { new_puzzle(level); });
  }
  a.practise = add_action("New pu&zzle to practise\u2026", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)},
                          [this] { practise(); });
  a.continue_game = add_action("Continue the last ga&me", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R)},
                               [this] { continue_game(); });
  a.open_game = add_action("&Open game\u2026", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
                           [this] { run(&Sudoku::mnuOpenGame_Click); });
  a.save_game = add_action("Save &game\u2026", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
                           [this] { run(&Sudoku::mnuSaveGame_Click); });
  a.statistics = add_action("St&atistics\u2026", {}, [this] { show_statistics(); });
  // The Shift twin of Check's key: the other question asked of the grid.
  a.count = add_action("Count &solutions", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
                       [this] { run(&Sudoku::mnuCountSolutions_Click); });
  a.check =
      add_action("Chec&k", {QKeySequence(Qt::CTRL | Qt::Key_E)}, [this] { run(&Sudoku::mnuCheck_Click); });
  // P alone, as game programs have it: in a cell it no longer empties the
  // cell as other letters do.
  a.pause = add_action("P&ause", {QKeySequence(Qt::Key_P), QKeySequence(Qt::Key_Pause)},
                       [this] { run(&Sudoku::mnuPause_Click); });
  a.notes_mode =
      add_action("No&tes mode", {QKeySequence(Qt::CTRL | Qt::Key_M)}, [this] { play_options_changed(); });
  a.fill_notes = add_action("&Fill in notes", {}, [this] { run(&Sudoku::mnuFillNotes_Click); });
  a.clear_notes = add_action("C&lear notes", {}, [this] { run(&Sudoku::mnuClearNotes_Click); });
  a.repeats = add_action("Mark repeated &digits", {}, [this] { play_options_changed(); });
  a.highlighting =
      add_action("&Highlight row, column, box and digit", {}, [this] { play_options_changed(); });
  a.protect_givens = add_action("Protect &givens", {}, [this] { play_options_changed(); });
  a.high_contrast = add_action("High c&ontrast", {}, [this] { play_options_changed(); });
  a.clock_shown = add_action("Show the ti&me played", {}, [this] { play_options_changed(); });
  a.hint = add_action("Sho&w a hint", {QKeySequence(Qt::CTRL | Qt::Key_H)},
                      [this] { run(&Sudoku::mnuHint_Click); });
  a.apply_hint = add_action("&Apply the hint", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H)},
                            [this] { run(&Sudoku::mnuApplyHint_Click); });
  a.close_hint =
      add_action("Close the h&int", {QKeySequence(Qt::Key_Escape)}, [this] { run(&Sudoku::close_hint); });
  a.steps = add_action("Steps of the Sol&ve", {QKeySequence(Qt::CTRL | Qt::Key_T)},
                       [this] { run(&Sudoku::mnuSteps_Click); });
  a.keyboard = add_action("&Keyboard", {QKeySequence(Qt::Key_F1)}, [this] { show_keyboard_help(); });
  a.about = add_action("&About Quorlen", {}, [this] {
    platform_.message_box("Quorlen " QUORLEN_VERSION
                          "\n\nSolves 9x9 Sudoku puzzles, makes new ones and prints them."
                          "\n\nFree software under the MIT licence.");
  });
  a.quit = add_action("&Quit", QKeySequence::keyBindings(QKeySequence::Quit), [this] { close(); });
  a.open_menu = add_action("", {QKeySequence(Qt::SHIFT | Qt::Key_F10)}, [this] { open_menu_by_key(); });
  for (QAction* option : {a.pause, a.notes_mode, a.repeats, a.highlighting, a.protect_givens, a.high_contrast,
                          a.clock_shown, a.steps})
    option->setCheckable(true);
}

std::vector<MainWindow::MenuGroup> MainWindow::menu_groups() const {
  const MenuActions& a = menu_actions_;
  const std::vector<QAction*> levels(a.new_puzzle.begin(), a.new_puzzle.end());
  return {
      {"&Game",
       1,
       {{nullptr, "&New puzzle", levels},
        {a.practise},
        {a.continue_game, nullptr, {}, true},
        {a.open_game, nullptr, {}, true},
        {a.save_game, nullptr, {}, true},
        {nullptr, nullptr, {}, true},
        {a.statistics, nullptr, {}, true},
        {},
        {print_actions_->print_action()},
        {print_actions_->export_action()},
        {nullptr, nullptr, {}, true},
        {a.quit, nullptr, {}, true}}},
      {"&Edit", 0, {{a.undo}, {a.redo}, {}, {a.copy}, {a.copy_progress}, {a.paste}}},
      {"&Play",
       3,
       {{a.pause},
        {},
        {a.notes_mode},
        {a.fill_notes},
        {a.clear_notes},
        {},
        {a.repeats},
        {a.highlighting},
        {a.protect_givens},
        {a.high_contrast},
        {a.clock_shown}}},
      {"&Learn",
       2,
       // Every letter of "Apply the hint" has an entry of the right-click menu
       // already; the hint's panel has the button, and Ctrl+Shift+H works anywhere.
       {{a.count},
        {a.check},
        {},
        {a.hint},
        {a.apply_hint, nullptr, {}, true},
        {a.close_hint, nullptr, {}, true},
        {a.steps}}},
      {"&Help", -1, {{a.keyboard}, {a.about}}},
  };
}

namespace {

void add_entries(QMenu* menu, const std::vector<MainWindow::MenuEntry>& entries, bool in_bar) {
  for (const MainWindow::MenuEntry& entry : entries) {
    if (entry.bar_only && !in_bar) continue;
    if (entry.action != nullptr) {
      menu->addAction(entry.action);
    } else if (entry.submenu != nullptr) {
      QMenu* submenu = menu->addMenu(QString::fromUtf8(entry.submenu));
      for (QAction* action : entry.actions) submenu->addAction(action);
    } else {
      menu->addSeparator();
    }
  }
}

}  // namespace

void MainWindow::build_menu_bar() {
  for (const MenuGroup& group : menu_groups()) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(group.title));
    add_entries(menu, group.entries, true);
  }
}

void MainWindow::add_menu_entries(QMenu* menu) {
  std::vector<MenuGroup> groups = menu_groups();
  std::erase_if(groups, [](const MenuGroup& group) { return group.context_place < 0; });
  std::sort(groups.begin(), groups.end(),
            [](const MenuGroup& a, const MenuGroup& b) { return a.context_place < b.context_place; });
  for (const MenuGroup& group : groups) {
    if (!menu->isEmpty()) menu->addSeparator();
    add_entries(menu, group.entries, false);
  }
}

void MainWindow::play_options_changed() {
  const MenuActions& a = menu_actions_;
  PlayOptions options;
  options.notes_mode = a.notes_mode->isChecked();
  options.repeats_shown = a.repeats->isChecked();
  options.highlighting = a.highlighting->isChecked();
  options.protect_givens = a.protect_givens->isChecked();
  options.high_contrast = a.high_contrast->isChecked();
  options.clock_shown = a.clock_shown->isChecked();
  sudoku_.set_play_options(options);
  if (keeping_) save_play_options(options);
  sync();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) { show_menu(this, event); }

// A menu opened by the keyboard starts at its first entry, which a screen
// reader then reads out, as it reads each entry the arrows reach.
void MainWindow::show_menu(QWidget* over, QContextMenuEvent* event) {
  QMenu menu(over);
  menu.setAccessibleName(over == this ? QStringLiteral("Menu")
                                      : over->accessibleName() + QStringLiteral(" menu"));
  add_menu_entries(&menu);
  if (event->reason() == QContextMenuEvent::Keyboard)
    QTimer::singleShot(0, &menu, [&menu] {
      for (QAction* entry : menu.actions()) {
        if (entry->isEnabled() && !entry->isSeparator()) return menu.setActiveAction(entry);
      }
    });
  menu.exec(event->globalPos());
}

// As Qt sends the menu key's event: to the focused widget, at its cursor.
// A widget without a menu of its own passes it on to the window.
void MainWindow::open_menu_by_key() {
  QWidget* focused = QApplication::focusWidget();
  QWidget* over = focused != nullptr && isAncestorOf(focused) ? focused : this;
  const QPoint at = over->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
  QContextMenuEvent event(QContextMenuEvent::Keyboard, at, over->mapToGlobal(at));
  QApplication::sendEvent(over, &event);
}

void MainWindow::show_keyboard_help() {
  if (keyboard_help_ == nullptr) {
    std::vector<KeyboardHelp::Entry> entries;
    for (const MenuGroup& group : menu_groups()) {
      for (const MenuEntry& entry : group.entries) {
        if (entry.action != nullptr) entries.push_back({{}, entry.action});
        for (QAction* action : entry.actions) entries.push_back({QString::fromUtf8(entry.submenu), action});
      }
    }
    keyboard_help_ = new KeyboardHelp(entries, this);
  }
  keyboard_help_->show();
  keyboard_help_->raise();
  keyboard_help_->activateWindow();
}

}  // namespace quorlen
