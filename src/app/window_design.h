// The design of the window `Sudoku`: every place and size in twips, as the
// form was laid out, with the colours and fonts of its controls.
//
// 15 twips make one pixel at 96 dots per inch; Qt's logical pixels are those
// pixels, so a high-DPI screen scales the whole design evenly. A window
// made larger draws the design larger still, through a Scale.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <array>
#include <cmath>

#include "ui/sudoku.h"

namespace quorlen::design {

constexpr int kTwipsPerPixel = 15;

constexpr QRect twips_rect(int left, int top, int width, int height) {
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

inline constexpr const char* kCaption = "Quorlen - By Marrowby";
inline constexpr int kClientWidth = 11325 / kTwipsPerPixel;  // 755
inline constexpr int kClientHeight = 8670 / kTwipsPerPixel;  // 578

// The design drawn `factor` times its size (never less than 1). Every
// length of the design is a whole number of pixels; scaled, an edge goes
// to the nearest pixel, so that controls that meet or overlap by a pixel
// still meet or overlap by a scaled pixel. At 1 it changes nothing.
struct Scale {
  double factor = 1.0;

  int px(int pixels) const { return static_cast<int>(std::lround(pixels * factor)); }
  double length(double pixels) const { return pixels * factor; }
  QRect rect(const QRect& design) const {
    const int left = px(design.left());
    const int top = px(design.top());
    return {left, top, px(design.left() + design.width()) - left, px(design.top() + design.height()) - top};
  }
  QFont font(QFont design) const {
    design.setPointSizeF(design.pointSizeF() * factor);
    return design;
  }
  friend bool operator==(const Scale&, const Scale&) = default;
};

inline QColor background() { return {255, 224, 192}; }
inline QColor dark_box() { return {255, 192, 128}; }
inline QColor button_face() { return {255, 192, 128}; }
inline QColor frame_colour() { return {255, 128, 0}; }
inline QColor legend_colour() { return {192, 64, 0}; }

// Text1(k): the grid runs down the screen columns, 1200 twips across and
// 600 down, so neighbouring cells overlap by one pixel.
constexpr QRect cell_rect(int index) {
  return twips_rect(240 + 1200 * (index / 9), 1560 + 600 * (index % 9), 1215, 615);
}

// The corner boxes and the centre box are dark; the four edge boxes show the
// window's own colour.
inline QColor cell_background(int index) {
  const int box_col = index / 27;
  const int box_row = index % 9 / 3;
  return (box_col + box_row) % 2 == 0 ? dark_box() : background();
}

// Each button with the handler its click runs and the View flag that
// enables it, in the order Tab visits them.
struct ButtonDesign {
  const char* name;
  const char* caption;
  QRect rect;
  void (Sudoku::*click)();
  bool View::*enabled;
};

inline constexpr std::array<ButtonDesign, 6> kButtons{{
    {"cmdNew", "New", twips_rect(120, 360, 1335, 495), &Sudoku::cmdNew_Click, &View::cmdNew},
    {"cmdLoad", "Load", twips_rect(2040, 360, 1335, 495), &Sudoku::cmdLoad_Click, &View::cmdLoad},
    {"cmdSave", "Save", twips_rect(3600, 360, 1335, 495), &Sudoku::cmdSave_Click, &View::cmdSave},
    {"cmdFreeze", "Freeze", twips_rect(5640, 360, 1335, 495), &Sudoku::cmdFreeze_Click, &View::cmdFreeze},
    {"cmdRestart", "Restart", twips_rect(7080, 360, 1455, 495), &Sudoku::cmdRestart_Click, &View::cmdRestart},
    {"CmdSolve", "Solve", twips_rect(9600, 360, 1095, 495), &Sudoku::CmdSolve_Click, &View::CmdSolve},
}};

// Drawn frames: the pen of each is centred on the outline, as the form draws
// its shapes, which keeps every frame clear of the controls inside it.
struct FrameDesign {
  const char* name;
  QRect rect;
  int border;  // pixels
};

inline constexpr std::array<FrameDesign, 4> kFrames{{
    {"Shape2", twips_rect(1920, 240, 3135, 735), 5},     // Load and Save
    {"Shape3", twips_rect(5520, 240, 3135, 735), 5},     // Freeze and Restart
    {"Shape4", twips_rect(9120, 240, 2055, 735), 5},     // Solve
    {"Shape1", twips_rect(120, 1440, 11055, 5655), 10},  // the grid
}};

// Line1: the divider between Load and Save, from (3480, 240) to (3480, 960).
inline constexpr QLine kLine1{3480 / kTwipsPerPixel, 240 / kTwipsPerPixel, 3480 / kTwipsPerPixel,
                              960 / kTwipsPerPixel};
inline constexpr int kLine1Border = 5;

inline constexpr QRect kLabel1 = twips_rect(1680, 7320, 9135, 375);
inline constexpr QRect kCheck2 = twips_rect(8040, 7320, 1455, 495);
inline constexpr QRect kLabel3 = twips_rect(9240, 7800, 855, 495);
inline constexpr QRect kLabel4 = twips_rect(10200, 7800, 1095, 495);
inline constexpr QRect kLabel2 = twips_rect(1560, 8040, 8775, 375);

inline constexpr const char* kCheck2Caption = "Save to File";
inline constexpr const char* kLabel3Caption = "Guessed?";
inline constexpr const char* kLabel2Caption =
    "Difficulty : 0 Easy;     1 Medium;     2 Difficult;     >=3 Very Difficult";

// The play aids, drawn over the cells: notes in small dark digits; marks
// in a red of their own, darker than the givens' red, so that the digits
// keep their colours (a repeated digit framed, a wrong one underlined);
// highlighting as a cool tint over the box's colour.
inline QColor note_colour() { return {72, 48, 24}; }
inline QColor mark_colour() { return {200, 0, 0}; }
inline constexpr int kRepeatFrame = 3;  // pixels
inline QRectF wrong_bar(const QRect& cell, const Scale& scale) {
  return {cell.center().x() - scale.length(11), cell.bottom() - scale.length(9), scale.length(23),
          scale.length(3)};
}

// The focused cell is framed at its edge, at once visible whatever the cell
// shows; a near black, clear of the marks' red and the pointers' green.
inline QColor focus_colour() { return {40, 20, 0}; }
inline constexpr int kFocusFrame = 2;  // pixels

// The hint's cell and the step shown are framed in a green that no digit
// has: around the digit, inside a repeat's frame; a guess's frame is
// dashed. In the list of steps a guess is bold on a violet tint.
inline QColor pointer_colour() { return {0, 130, 60}; }
inline constexpr int kPointerFrame = 2;  // pixels
inline constexpr int kPointerInset = 5;  // pixels from the edge of a cell with a digit
inline QColor guess_tint() { return {232, 222, 255}; }

inline constexpr int kStepsWidth = 640;  // the steps window's, beside the main window

// A step drawn on the grid (a hint's, or one of the Steps view): the
// pattern's cells framed in the pointers' green along their edge, its
// candidates on a light green disc, a struck candidate in a dark red with
// a stroke through it, a placed digit at the size of a digit in a dark
// green, in place of the candidates. Each is told by its shape as well as
// its colour, and every digit stands at least 4.5:1 against either box.
inline QColor pattern_disc() { return {150, 220, 150}; }
inline QColor struck_colour() { return {160, 0, 0}; }
inline QColor placed_colour() { return {0, 90, 40}; }
inline constexpr int kPatternFrame = 2;  // pixels

// The side panel beside the design's client area, where the hint and the
// Steps view show: its width at the design's scale. With the design's 755
// it fits a 1280 pixels wide screen with room for the window's frame.
inline constexpr int kSidePanelWidth = 380;

// High contrast: the digits' colours darkened until each stands at least
// 4.5:1 against every background a cell can show it on (either box,
// highlighted, and the darker shade of a selected digit). The givens'
// red becomes a dark red and the solver's blue a dark blue; the person's
// black stays.
inline QColor high_contrast_given() { return {110, 0, 0}; }
inline QColor high_contrast_solver() { return {0, 0, 160}; }

// The colour a digit is drawn in: the view's, or its high-contrast twin.
inline QColor digit_colour(Rgb colour, bool high_contrast) {
  if (high_contrast && colour == kGivenColour) return high_contrast_given();
  if (high_contrast && colour == kSolverBlue) return high_contrast_solver();
  return {colour.red, colour.green, colour.blue};
}

// A selected digit shows on its box made darker.
inline QColor selection_shade(const QColor& box) { return box.darker(125); }

inline QColor shaded(const QColor& box, Shade shade) {
  const double tint = shade == Shade::digit ? 0.45 : shade == Shade::unit ? 0.22 : 0.0;
  const QColor cool(150, 190, 255);
  const auto mix = [tint](int from, int to) { return static_cast<int>(from + (to - from) * tint + 0.5); };
  return {mix(box.red(), cool.red()), mix(box.green(), cool.green()), mix(box.blue(), cool.blue())};
}

// Arial, as the design names it; fontconfig maps it to Liberation Sans, its
// metric twin, where Arial itself is missing.
inline QFont arial(double points, bool bold) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

inline QFont cell_font() { return arial(13.5, true); }
inline QFont button_font() { return arial(14.25, false); }
inline QFont label_font() { return arial(12, true); }
inline QFont note_font() { return arial(7.5, false); }

// The form's default font was the old system's 8 pt sans serif; Arial at
// that size stands in for it (fontconfig would otherwise pick any sans).
inline QFont default_font() { return arial(8.25, false); }

}  // namespace quorlen::design
