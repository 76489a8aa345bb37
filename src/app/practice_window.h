// "New puzzle to practise...": the dialog that asks for a rating band and a
// technique, and the maker that meets a choice the practice bank cannot on
// a thread of its own, with a progress line and Cancel, while the window
// stays usable.
#pragma once

#include <QDialog>
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "ui/practice.h"

class QComboBox;
class QProgressDialog;

namespace quorlen {

class PracticeDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens on `last`, the choice made the time before.
  PracticeDialog(QWidget* parent, const PracticeChoice& last);

  PracticeChoice choice() const;
  QComboBox* bands() const { return bands_; }
  QComboBox* techniques() const { return techniques_; }

 private:
  QComboBox* bands_ = nullptr;
  QComboBox* techniques_ = nullptr;
};

// Makes one puzzle at a time in the background. A new request, Cancel, or
// the maker's end gives up the one under way, which stops within one
// rating of the generator; its puzzle is never posed.
class PracticeMaker : public QObject {
  Q_OBJECT

 public:
  explicit PracticeMaker(QWidget* window);
  ~PracticeMaker() override;

  // Starts making a puzzle for `choice`; `done` gets it on the window's
  // thread unless it was cancelled first.
  void make(const PracticeChoice& choice, std::function<void(const PracticeEntry&)> done);
  void cancel();
  bool busy() const { return work_ != nullptr; }
  // The progress line with its Cancel button, while a puzzle is being made.
  QProgressDialog* progress() const { return progress_; }

 private:
  void hide_progress();

  struct Work {
    std::atomic<bool> stop{false};
  };

  QWidget* window_;
  QProgressDialog* progress_ = nullptr;
  std::shared_ptr<Work> work_;  // the one under way, null while none is
  std::thread thread_;
};

}  // namespace quorlen
