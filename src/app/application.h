// What the program `quorlen` sets up before its window: the answers that
// need no display, and the application's name, look and icon.
#pragma once

#include <optional>

namespace quorlen {

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
