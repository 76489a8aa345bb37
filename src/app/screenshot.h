// A picture of the window after a solve, made without a screen.
#pragma once

#include <QString>

namespace quorlen {

// New, paste `puzzle` into the grid, Freeze, Solve; then saves the window's
// client area as an image in `file`. The Solve message goes to standard
// output instead of a box. Returns the process exit status.
int save_screenshot(const QString& file, const QString& puzzle);

}  // namespace quorlen
