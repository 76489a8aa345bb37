#include "app/qt_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <utility>

#include "app/dialog_fit.h"

namespace quorlen {
namespace {

// "Sudoku files (*.sud)" -> "sud": a name typed without an extension gets
// the one the filter names, as users of a save dialog expect.
QString default_suffix(const QString& filter) {
  static const QRegularExpression pattern(QStringLiteral(R"(\*\.(\w+))"));
  const QRegularExpressionMatch match = pattern.match(filter);
  return match.hasMatch() ? match.captured(1) : QString();
}

// Telling a file's type or icon can mean reading its first bytes. Under
// /proc, /sys and /dev a read can block for good (/proc/kmsg, as root) or
// act on the system, and the dialog looks up every file of a folder that
// its name box completes: there, files get the plain icon and type, from
// nothing but what kind of entry they are.
class KernelTreeIconProvider : public QFileIconProvider {
 public:
  using QFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override {
    if (!in_kernel_tree(info)) return QFileIconProvider::icon(info);
    return icon(info.isDir() ? QFileIconProvider::Folder : QFileIconProvider::File);
  }
  QString type(const QFileInfo& info) const override {
    if (!in_kernel_tree(info) || !info.isFile()) return QFileIconProvider::type(info);
    return QCoreApplication::translate("QAbstractFileIconProvider", "File");
  }

 private:
  static bool in_kernel_tree(const QFileInfo& info) {
    for (const QString& path : {info.absoluteFilePath(), info.canonicalFilePath()}) {
      for (const char* tree : {"/proc/", "/sys/", "/dev/"})
        if (path.startsWith(QLatin1String(tree))) return true;
    }
    return false;
  }
};

// A message box centred over the window. QDialog places a box before its
// first show event, in which a QMessageBox only then takes the size of its
// text, so the box would sit off centre, the more so the longer the text.
class CentredMessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    if (const QWidget* over = parentWidget()) {
      QRect frame = frameGeometry();
      frame.moveCenter(over->window()->frameGeometry().center());
      move(frame.topLeft());
    }
  }
};

}  // namespace

QString to_qstring(const std::filesystem::path& path) {
#ifdef _WIN32
  return QString::fromStdWString(path.native());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

std::filesystem::path to_path(const QString& path) {
#ifdef _WIN32
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QtPlatform::QtPlatform(QWidget* parent, PlatformHooks hooks, std::function<void()> before_modal)
    : parent_(parent), hooks_(std::move(hooks)), before_modal_(std::move(before_modal)) {}

void QtPlatform::message_box(const std::string& text) {
  if (before_modal_) before_modal_();
  if (hooks_.message_box) {
    hooks_.message_box(text);
    return;
  }
  CentredMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kTitle), QString::fromStdString(text),
                        QMessageBox::Ok, parent_);
  // The texts carry blanks and file names that must show as they are.
  box.setTextFormat(Qt::PlainText);
  widen_for_title(box);
  box.exec();
}

FileDialogResult QtPlatform::file_dialog(const FileDialogRequest& request) {
  if (before_modal_) before_modal_();
  if (hooks_.file_dialog) return hooks_.file_dialog(request);

  const bool saving = request.kind == FileDialogKind::save;
  const QString filter = QString::fromStdString(request.filter);
  KernelTreeIconProvider icons;  // outlives the dialog, which uses it to the end
  QFileDialog dialog(parent_, QString::fromStdString(request.title), to_qstring(request.initial_dir), filter);
  dialog.setIconProvider(&icons);
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (saving) dialog.setDefaultSuffix(default_suffix(filter));
  fit_columns(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {false, {}, kCancelled};
  }
  return {true, to_path(dialog.selectedFiles().front()), {}};
}

std::filesystem::path QtPlatform::program_directory() const {
  if (!hooks_.program_directory.empty()) return hooks_.program_directory;
  return to_path(QCoreApplication::applicationDirPath());
}

std::filesystem::path QtPlatform::documents_directory() const {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return to_path(!documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath());
}

std::chrono::steady_clock::time_point QtPlatform::now() const {
  return hooks_.clock ? hooks_.clock() : Platform::now();
}

}  // namespace quorlen
