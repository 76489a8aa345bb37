// Sizes for Qt's own message box and file dialog, which open too small to
// show what they hold.
#pragma once

class QFileDialog;
class QMessageBox;

namespace quorlen {

// A box with a short text is as narrow as that text, and its title bar then
// cuts the title: this gives it room for the title.
void widen_for_title(QMessageBox& box);

// Large enough to show the file list's columns whole, each as wide as its
// heading and its entries.
void fit_columns(QFileDialog& dialog);

}  // namespace quorlen
