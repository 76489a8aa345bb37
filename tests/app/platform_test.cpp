// The real message box and file dialogs, closed by a timer as a person would.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/qt_platform.h"

using quorlen::FileDialogKind;
using quorlen::FileDialogRequest;
using quorlen::QtPlatform;

namespace {

// Runs `act` on the modal window once it is up; closes it if `act` did not,
// so that a failed check cannot leave the test waiting.
void when_modal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    QVERIFY(modal);
    act(modal);
    if (modal->isVisible()) modal->close();
  });
}

}  // namespace

class PlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void message_box_has_title_text_and_ok_only() {
    int syncs = 0;
    QtPlatform platform(nullptr, {}, [&syncs] { ++syncs; });
    QString title, text;
    QList<QAbstractButton*> buttons;
    when_modal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box);
      title = box->windowTitle();
      text = box->text();
      buttons = box->buttons();
      QCOMPARE(box->textFormat(), Qt::PlainText);
      box->button(QMessageBox::Ok)->click();
    });
    platform.message_box("   Validation failed for row 3 - <b>");
    QCOMPARE(syncs, 1);
    QCOMPARE(title, QString("Quorlen"));
    QCOMPARE(text, QString("   Validation failed for row 3 - <b>"));
    QCOMPARE(buttons.size(), 1);
  }

  void file_dialog_shows_the_request_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("accept");
    QTest::newRow("open, cancelled") << int(FileDialogKind::open) << " Open Sudoku "
                                     << "Soduku Files (*.sud)" << false;
    QTest::newRow("save, chosen") << int(FileDialogKind::save) << " Save Soduku "
                                  << "Sudoku files (*.sud)" << true;
  }

  void file_dialog_shows_the_request() {
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(QString, filter);
    QFETCH(bool, accept);
    QTemporaryDir folder;
    QtPlatform platform(nullptr, {}, {});
    FileDialogRequest request;
    request.kind = FileDialogKind(kind);
    request.title = title.toStdString();
    request.filter = filter.toStdString();
    request.initial_dir = quorlen::to_path(folder.path());
    when_modal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      QVERIFY(dialog);
      QCOMPARE(dialog->windowTitle(), title);
      QCOMPARE(dialog->nameFilters(), QStringList{filter});
      QCOMPARE(dialog->directory().absolutePath(), QDir(folder.path()).absolutePath());
      if (accept) {
        // A name typed without its extension gets ".sud".
        dialog->selectFile(folder.filePath("mine"));
        QMetaObject::invokeMethod(dialog, "accept");
      } else {
        dialog->reject();
      }
    });
    const quorlen::FileDialogResult result = platform.file_dialog(request);
    QCOMPARE(result.ok, accept);
    if (accept) {
      QCOMPARE(quorlen::to_qstring(result.path), folder.filePath("mine.sud"));
    } else {
      QCOMPARE(QString::fromStdString(result.error), QString("Cancel was selected."));
    }
  }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
