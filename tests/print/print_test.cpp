// The printed page: notes in their places and digits of every ink in their
// cells, read back from the PDF with poppler. quorlen-print itself is run
// with the cases of tests/data/cli (print.txt, print_faults.txt).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QGuiApplication>

#include "support/pdf_pages.h"
#include "support/scratch_dir.h"

namespace quorlen {
namespace {

// Notes go in empty cells only, digit d in the d-th of nine small places;
// the text runs cell by cell, row by row, as a reader program copies it
// and a screen reader reads it, whoever's digits they are. The sheet is turned.
TEST(Page, NotesAndDigits) {
  testing::ScratchDir dir;
  Booklet page;
  PrintedGrid& grid = page.puzzles.emplace_back();
  grid.caption = "Notes";
  grid.cells[grid_index(0, 0)] = {5, Ink::given, 0x3fe};
  grid.cells[grid_index(0, 1)] = {0, Ink::person, 0x3fe};
  grid.cells[grid_index(4, 4)] = {9, Ink::solver, 0};
  grid.cells[grid_index(8, 7)] = {7, Ink::person, 0};
  grid.cells[grid_index(8, 8)] = {0, Ink::solver, 0b1001000010};
  const QByteArray pdf =
      booklet_pdf(page, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, {}), "x");
  const std::string path = (dir / "page.pdf").string();
  testing::write_bytes(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
  EXPECT_EQ(testing::pdf_transcript(path, 1), "page\nNotes\t5" + std::string(39, '.') + "9" +
                                                  std::string(38, '.') + "7.\t9:123456789 80:169\n");
  // Row 1: 5 and the notes 1 to 9; row 5: 9; row 9: 7 and the notes 1, 6, 9.
  EXPECT_EQ(testing::output_of("pdftotext -raw " + path + " - | tr -cd 0-9"), "512345678997169");
  EXPECT_NE(testing::output_of("pdfinfo " + path).find("842 x 595 pts (A4)"), std::string::npos);
}

}  // namespace
}  // namespace quorlen

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);  // no display for the PDF writer
  const QGuiApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
