#include "app/practice_window.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <random>
#include <utility>

namespace quorlen {

PracticeDialog::PracticeDialog(QWidget* parent, const PracticeChoice& last) : QDialog(parent) {
  setObjectName(QStringLiteral("practice"));
  setWindowTitle(QStringLiteral("New puzzle to practise"));
  bands_ = new QComboBox(this);
  bands_->setObjectName(QStringLiteral("bands"));
  bands_->setAccessibleName(QStringLiteral("Rating"));
  bands_->addItem(QStringLiteral("Any rating"));
  for (const PracticeBand& band : practice_bands()) {
    bands_->addItem(QString::fromLatin1(band.name));
    if (last.band == band.band) bands_->setCurrentIndex(bands_->count() - 1);
  }
  techniques_ = new QComboBox(this);
  techniques_->setObjectName(QStringLiteral("techniques"));
  techniques_->setAccessibleName(QStringLiteral("Hardest technique"));
  techniques_->addItem(QStringLiteral("Any technique"), -1);
  for (int t = 0; t < logic::kTechniqueCount; ++t) {
    const auto technique = static_cast<logic::Technique>(t);
    if (!can_be_hardest(technique)) continue;
    techniques_->addItem(QString::fromLatin1(logic::technique_name(technique)), t);
    if (last.technique == technique) techniques_->setCurrentIndex(techniques_->count() - 1);
  }

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Rating:"), bands_);
  form->addRow(QStringLiteral("&Hardest technique:"), techniques_);
  auto* note =
      new QLabel(QStringLiteral("The rating is Sudoku Explainer's, from 1.0 for the easiest; the "
                                "technique, the hardest step the puzzle needs as Quorlen solves it."),
                 this);
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Pose"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);
}

PracticeChoice PracticeDialog::choice() const {
  PracticeChoice choice;
  if (bands_->currentIndex() > 0)
    choice.band = practice_bands()[static_cast<std::size_t>(bands_->currentIndex() - 1)].band;
  if (const int t = techniques_->currentData().toInt(); t >= 0)
    choice.technique = static_cast<logic::Technique>(t);
  return choice;
}

PracticeMaker::PracticeMaker(QWidget* window) : QObject(window), window_(window) {}

PracticeMaker::~PracticeMaker() {
  if (work_) work_->stop = true;
  if (thread_.joinable()) thread_.join();
}

void PracticeMaker::cancel() {
  if (work_) work_->stop = true;
  work_.reset();
  hide_progress();
}

void PracticeMaker::hide_progress() {
  if (progress_ == nullptr || !progress_->isVisible()) return;
  const bool active = progress_->isActiveWindow();
  progress_->hide();
  // The keys go back to the window, where the person was before.
  if (active) window_->activateWindow();
}

void PracticeMaker::make(const PracticeChoice& choice, std::function<void(const PracticeEntry&)> done) {
  cancel();
  // The one given up stops within a rating: waiting for it keeps one thread.
  if (thread_.joinable()) thread_.join();
  if (progress_ == nullptr) {
    progress_ = new QProgressDialog(window_);
    progress_->setObjectName(QStringLiteral("making"));
    progress_->setWindowTitle(QStringLiteral("New puzzle to practise"));
    progress_->setWindowModality(Qt::NonModal);
    progress_->setRange(0, 0);  // no telling how long: a busy bar
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    connect(progress_, &QProgressDialog::canceled, this, &PracticeMaker::cancel);
  }
  progress_->setLabelText(
      QStringLiteral("No puzzle of the practice bank fits: making one. This may take a "
                     "minute; the window stays usable."));
  progress_->setAccessibleDescription(progress_->labelText());
  progress_->show();

  auto work = std::make_shared<Work>();
  work_ = work;
  const std::uint64_t seed = std::random_device{}();
  thread_ = std::thread([this, work, choice, seed, done = std::move(done)] {
    std::mt19937_64 random(seed);
    logic::Workspace rating_work;
    std::optional<PracticeEntry> entry;
    while (!entry && !work->stop) {
      const auto puzzle = make_puzzle(practice_request(choice), random, [&] { return work->stop.load(); });
      if (puzzle) entry = rate_for_practice(puzzle->givens, rating_work);
    }
    if (!entry || work->stop) return;
    QMetaObject::invokeMethod(
        this,
        [this, work, entry = *entry, done] {
          if (work != work_) return;  // given up after it was made
          work_.reset();
          hide_progress();
          done(entry);
        },
        Qt::QueuedConnection);
  });
}

}  // namespace quorlen
