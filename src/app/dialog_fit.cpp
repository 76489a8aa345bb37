#include "app/dialog_fit.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QTreeView>

namespace quorlen {

void widen_for_title(QMessageBox& box) {
  // The title beside the icon and the buttons of most title bars; the box
  // sizes itself to its layout's minimum width.
  constexpr int kTitleBarWidth = 240;
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(kTitleBarWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
}

void fit_columns(QFileDialog& dialog) {
  dialog.resize(dialog.sizeHint().expandedTo(QSize(760, 460)));
  // The dialog sizes the columns after sample texts shorter than the
  // headings and dates of many languages; the names take what remains.
  auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (files == nullptr) return;
  QHeaderView* header = files->header();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(0, QHeaderView::Stretch);
}

}  // namespace quorlen
