// quorlen-print [--per-page N] [--solutions] [--rating] [--paper PAPER] [--title TEXT] [-o FILE.pdf] [--]
//               [FILE ...]
#include <poll.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QPageLayout>
#include <cerrno>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

#include "cli/booklet_puzzles.h"
#include "cli/command_line.h"
#include "files/file_result.h"
#include "files/replace_file.h"
#include "logic/step.h"
#include "print/booklet.h"

namespace {

constexpr std::string_view kUsageLine =
    "usage: quorlen-print [--per-page N] [--solutions] [--rating] [--paper PAPER] [--title TEXT]\n"
    "                     [-o FILE.pdf] [--] [FILE ...]\n";

constexpr std::string_view kHelp =
    "\n"
    "Prints the puzzles of each FILE (standard input when there is none, or\n"
    "for \"-\") in one PDF: each puzzle a grid under a caption with its\n"
    "number and its level as the Solve command rates it, the pages numbered.\n"
    "Puzzles are read as quorlen-solve reads them: lines of 81 cells row by\n"
    "row (1-9 for a given, 0 or . for an empty cell), any text after them\n"
    "skipped, so quorlen-generate's lines feed straight in; a FILE whose name\n"
    "ends in .sud is one puzzle file. A puzzle without exactly one solution\n"
    "is reported on standard error and not printed.\n"
    "\n"
    "  --per-page N       puzzles a page: 1, 2, 4 or 6 (default 1)\n"
    "  --solutions        the solutions too, smaller, on pages of their own\n"
    "                     after the puzzles, in the same order, numbered alike\n"
    "  --rating           each caption ends in the puzzle's rating as a person\n"
    "                     solves it (ER), as quorlen-solve rates it\n"
    "  --paper PAPER      a4 or letter (default a4)\n"
    "  --title TEXT       a title at the top of the first page\n"
    "  -o, --output FILE  write the PDF to FILE, which is replaced only once\n"
    "                     the new one is whole (default: standard output,\n"
    "                     unless that is a terminal)\n"
    "  --                 what follows is a FILE, even if it starts with -\n"
    "  -h, --help         show this text\n"
    "  --version          show the version\n"
    "\n"
    "Exit status: 0 when every puzzle was printed; 1 when the PDF could not\n"
    "be written (standard error says why, and an earlier FILE is left as it\n"
    "was); 2 when an input line, file or puzzle was refused (the others are\n"
    "printed), when there was no puzzle at all, or for a wrong command line.\n";

constexpr quorlen::Program kProgram{"quorlen-print", kUsageLine};

struct Options {
  quorlen::Booklet booklet;
  bool solutions = false;
  bool rating = false;
  QPageSize::PageSizeId paper = QPageSize::A4;
  std::string output;  // empty: standard output
  std::vector<std::string> inputs;
};

// Qt's warnings (the offscreen platform's about XDG_RUNTIME_DIR, say) mean
// nothing to someone printing puzzles; what Qt calls critical is told.
void tell_critical(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    quorlen::tell(STDERR_FILENO, kProgram.name, message.toStdString());
}

quorlen::PrintedGrid printed(const quorlen::DigitGrid& digits, const quorlen::DigitGrid& givens,
                             const QString& caption) {
  quorlen::PrintedGrid grid;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    grid.cells[i].digit = digits[i];
    grid.cells[i].ink = givens[i] != 0 ? quorlen::Ink::given : quorlen::Ink::solver;
  }
  grid.caption = caption;
  return grid;
}

// All of `bytes` to standard output, waiting where another program left it
// non-blocking.
quorlen::FileResult<> write_standard_output(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd ready{STDOUT_FILENO, POLLOUT, 0};
      ::poll(&ready, 1, -1);
    } else if (written == 0 || errno != EINTR) {
      return quorlen::os_error("standard output", written == 0 ? EIO : errno);
    }
  }
  return {};
}

int print_booklet(Options& options) {
  const quorlen::BookletPuzzles read =
      quorlen::read_booklet_puzzles(options.inputs, STDIN_FILENO, kProgram.name, options.rating);
  if (read.puzzles.empty()) {
    quorlen::tell(STDERR_FILENO, kProgram.name, "no puzzle to print, nothing written");
    return quorlen::kInputRefused;
  }
  quorlen::Booklet& booklet = options.booklet;
  for (std::size_t i = 0; i < read.puzzles.size(); ++i) {
    const quorlen::BookletPuzzle& puzzle = read.puzzles[i];
    const QString number = QString::number(i + 1);
    const QString level = QString::fromUtf8(quorlen::level_name(puzzle.level));
    QString caption = QStringLiteral(u"Puzzle %1 \u00b7 %2").arg(number, level);
    if (options.rating)
      caption += QStringLiteral(u" \u00b7 ER %1")
                     .arg(QString::fromStdString(quorlen::logic::rating_text(puzzle.er)));
    booklet.puzzles.push_back(printed(puzzle.givens, puzzle.givens, caption));
    if (options.solutions)
      booklet.solutions.push_back(
          printed(puzzle.solution, puzzle.givens, QStringLiteral("Solution %1").arg(number)));
  }

  // No display, no window: off screen, whatever QT_QPA_PLATFORM says. It
  // names the platform of the desktop's Qt programs, which a PDF needs none
  // of, and one that cannot start here (xcb without a display) would abort
  // this program before it printed anything.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(tell_critical);
  int qt_argc = 1;
  char* qt_argv[] = {const_cast<char*>("quorlen-print"), nullptr};
  const QGuiApplication application(qt_argc, qt_argv);

  const QByteArray pdf =
      quorlen::booklet_pdf(booklet, QPageLayout(QPageSize(options.paper), QPageLayout::Portrait, QMarginsF()),
                           booklet.title.isEmpty() ? QStringLiteral("Sudoku") : booklet.title);
  if (pdf.isEmpty()) return kProgram.complain("the PDF could not be made", quorlen::kOutputFailed);
  const std::string_view bytes(pdf.constData(), static_cast<std::size_t>(pdf.size()));
  const quorlen::FileResult<> written =
      options.output.empty() ? write_standard_output(bytes) : quorlen::replace_file(options.output, bytes);
  if (!written) return kProgram.complain(written.error().message, quorlen::kOutputFailed);
  return read.refused ? quorlen::kInputRefused : quorlen::kAllWentThrough;
}

}  // namespace

int main(int argc, char** argv) {
  quorlen::prepare_standard_descriptors();
  Options options;
  for (quorlen::Arguments args(argc, argv, {"--help", "-h", "--version", "--solutions", "--rating"},
                               {"--per-page", "--paper", "--title", "-o", "--output"});
       const auto arg = args.next();) {
    const std::string_view name = arg->name;
    const std::string_view value = arg->value;
    if (!arg->error.empty()) return kProgram.usage_error(arg->error);
    if (arg->operand) {
      options.inputs.emplace_back(name);
    } else if (name == "--help" || name == "-h") {
      return kProgram.print(std::string(kUsageLine) + std::string(kHelp));
    } else if (name == "--version") {
      return kProgram.print("quorlen-print " QUORLEN_VERSION "\n");
    } else if (name == "--solutions") {
      options.solutions = true;
    } else if (name == "--rating") {
      options.rating = true;
    } else if (name == "--per-page") {
      if (value != "1" && value != "2" && value != "4" && value != "6")
        return kProgram.usage_error("--per-page needs 1, 2, 4 or 6");
      options.booklet.per_page = value[0] - '0';
    } else if (name == "--paper") {
      if (value != "a4" && value != "letter") return kProgram.usage_error("--paper needs a4 or letter");
      options.paper = value == "a4" ? QPageSize::A4 : QPageSize::Letter;
    } else if (name == "--title") {
      // One line of text: a control character (a line end, a terminal's
      // escape) is a blank. The page draws it so anyway; the PDF's title,
      // which pdfinfo and reader programs show as it stands, would hold it.
      options.booklet.title = QString::fromLocal8Bit(value.data(), static_cast<qsizetype>(value.size()));
      for (QChar& c : options.booklet.title) {
        if (c.category() == QChar::Other_Control) c = u' ';
      }
    } else if (name == "-o" || name == "--output") {
      if (value.empty())
        return kProgram.usage_error(std::string(name) + " needs a file name, not an empty one");
      options.output = value;
    }
  }
  // Checked before any input is read: a PDF is no text for a terminal.
  if (options.output.empty() && ::isatty(STDOUT_FILENO))
    return kProgram.usage_error("standard output is a terminal: give -o FILE.pdf, or redirect it");
  try {
    return print_booklet(options);
  } catch (const std::exception& e) {
    return kProgram.complain(e.what(), quorlen::kOutputFailed);
  }
}
