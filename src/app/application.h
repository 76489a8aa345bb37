// What the program `quorlen` sets up before its window: the answers that
// need no display, and the application's name, look and icon.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "solver/difficulty.h"

namespace quorlen {

// What `quorlen` was asked to do.
struct WindowOptions {
  std::optional<std::string> screenshot;  // --screenshot IMAGE
  std::optional<std::string> puzzle;      // --puzzle PUZZLE: posed, or for the screenshot
  std::optional<Level> level;             // --new-puzzle LEVEL
  std::optional<std::string> file;        // FILE: a ".sud" file, or a game file
  bool continue_game = false;             // --continue
};

// Whether FILE names a game file rather than a ".sud" file.
bool is_game_file(std::string_view file);

// The options, or what is wrong with the command line (error not empty),
// quoting what was given. Read before QApplication, which without a
// display would abort; Qt's own options (-platform NAME and the rest Qt
// documents, with one dash or two) are left to Qt.
struct WindowCommandLine {
  WindowOptions options;
  std::string error;
};
WindowCommandLine read_command_line(int argc, char** argv);

// --help and --version, answered before QApplication (which needs a
// display) is made: the exit status when one was given, else nothing.
std::optional<int> answer_without_display(int argc, char** argv);

// With --screenshot and no platform chosen (QT_QPA_PLATFORM unset or
// empty), chooses the offscreen one: a picture needs no display.
void offscreen_for_screenshot(int argc, char** argv);

// The usage text of `quorlen`, as --help and a wrong command line show it.
const char* usage_text();

// Sets up the application's look the same way for the window and its
// pictures: its name, the Fusion style, the icon and the desktop entry.
void configure_application();

}  // namespace quorlen
