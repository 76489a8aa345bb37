// Help's keyboard table: the keys of a grid cell, then every entry of the
// window's menus that has keys, with its keys as the menus show them, so
// that the table cannot fall behind the menus. A window of its own, which a
// person may keep open beside the grid.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QAction;
class QTableWidget;

namespace quorlen {

class KeyboardHelp : public QDialog {
  Q_OBJECT

 public:
  // A menu entry, and the submenu it is in (empty for none).
  struct Entry {
    QString submenu;
    const QAction* action;
  };
  KeyboardHelp(const std::vector<Entry>& entries, QWidget* parent);

  QTableWidget* table() const { return table_; }

 private:
  QTableWidget* table_ = nullptr;
};

}  // namespace quorlen
