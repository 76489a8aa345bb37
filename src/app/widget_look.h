// How the window's widgets take the design's colours: palettes that a
// desktop theme cannot override, and the buttons' flat face.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

#include "app/window_design.h"

namespace quorlen {

inline void set_colour(QPalette& palette, QPalette::ColorRole role, const QColor& colour) {
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, role, colour);
  }
}

// Text colours leave the disabled look to the style, so a disabled control
// still reads as disabled.
inline void set_text_colour(QPalette& palette, QPalette::ColorRole role, const QColor& colour) {
  palette.setColor(QPalette::Active, role, colour);
  palette.setColor(QPalette::Inactive, role, colour);
}

// A flat face in the design's colour with a raised edge (sunken while
// pressed, and darker too while checked, framed dark while focused), as
// buttons of that colour were drawn; styles that shade the face from the
// palette would lighten it.
// The edge is 2 pixels of the design, scaled.
inline QString button_style(const design::Scale& scale) {
  const QColor face = design::button_face();
  return QStringLiteral(
             "QPushButton { background-color: %1; border: %6px solid;"
             " border-color: %2 %3 %3 %2; }"
             "QPushButton:pressed { border-color: %3 %2 %2 %3; }"
             "QPushButton:checked { background-color: %7; border-color: %3 %2 %2 %3; }"
             "QPushButton:focus { border-color: %4; }"
             "QPushButton:disabled { color: %5; }")
      .arg(face.name(), face.lighter(125).name(), face.darker(160).name(), face.darker(250).name(),
           QColor(128, 128, 128).name(), QString::number(scale.px(2)), face.darker(120).name());
}

}  // namespace quorlen
