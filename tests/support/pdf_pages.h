// A PDF of printed grids read back as a reader program finds it: the words
// of poppler's `pdftotext -bbox`, put in their places by the page layout.
#pragma once

#include <QRectF>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <utility>

#include "board/units.h"
#include "print/booklet.h"

namespace quorlen::testing {

// What `command` writes, standard error too.
inline std::string output_of(const std::string& command) {
  std::string output;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  for (int c; pipe != nullptr && (c = std::fgetc(pipe)) != EOF;) output += static_cast<char>(c);
  if (pipe != nullptr) ::pclose(pipe);
  return output;
}

// The pages as a person reads them: a line "page N: TITLE" for each (the
// number and the title as printed, where there are any), then "CAPTION\tGRID"
// for each grid, its 81 cells row by row with '.' for an empty one, and its
// notes after a tab, "CELL:DIGITS" for each cell (its grid index) that has
// any, '!' for a note in the wrong place of its cell; then any words found
// elsewhere after "elsewhere:". Puzzle pages hold `per_page` grids; from the
// page headed "Solutions" on, the pages hold the solutions.
inline std::string pdf_transcript(const std::filesystem::path& pdf, int per_page) {
  std::istringstream lines(output_of("pdftotext -bbox '" + pdf.string() + "' -"));
  std::string transcript, title, number, elsewhere;
  std::map<int, std::string> captions, grids;
  std::map<int, std::map<int, std::string>> notes;
  QSizeF size;
  bool solutions = false;
  const auto end_page = [&] {
    if (size.isEmpty()) return;
    transcript += "page" + (number.empty() ? "" : " " + number) + (title.empty() ? "" : ": " + title) + "\n";
    for (auto& [slot, grid] : grids) {
      transcript += captions[slot] + "\t" + grid;
      std::string between = "\t";
      for (auto [index, digits] : notes[slot]) {
        std::sort(digits.begin(), digits.end());
        transcript += std::exchange(between, " ") + std::to_string(index) + ":" + digits;
      }
      transcript += "\n";
    }
    if (!elsewhere.empty()) transcript += "elsewhere:" + elsewhere + "\n";
    title = number = elsewhere = "";
    captions.clear(), grids.clear(), notes.clear();
  };
  for (std::string line; std::getline(lines, line);) {
    double a = 0, b = 0, c = 0, d = 0;
    char text[1024] = "";
    if (std::sscanf(line.c_str(), " <page width=\"%lf\" height=\"%lf\"", &a, &b) == 2) {
      end_page();
      size = {a, b};
    }
    if (std::sscanf(line.c_str(), " <word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\">%1023[^<]", &a,
                    &b, &c, &d, text) != 5)
      continue;
    const QRectF box(QPointF(a, b), QPointF(c, d));
    const std::string word = text;
    const auto add = [&word](std::string& to) { to += (to.empty() ? "" : " ") + word; };
    solutions |= word == "Solutions" && PageLayout(size, 1, 1).title().contains(box.center());
    const PageLayout layout(size, 1, solutions ? kSolutionsPerPage : per_page);
    if (layout.title().contains(box.center())) add(title);
    if (layout.page_number().contains(box.center())) add(number);
    int slot = 0;
    while (slot < layout.grids() && !layout.caption(slot).united(layout.grid(slot)).contains(box.center()))
      ++slot;
    if (slot == layout.grids()) {
      if (!layout.title().contains(box.center()) && !layout.page_number().contains(box.center()))
        add(elsewhere);
    } else if (!layout.grid(slot).contains(box.center())) {
      add(captions[slot]);
    } else {
      const QRectF square = layout.grid(slot);
      const QPointF at = (box.center() - square.topLeft()) / (square.width() / 9);
      const int row = static_cast<int>(at.y()), col = static_cast<int>(at.x());
      std::string& grid = grids.try_emplace(slot, 81, '.').first->second;
      const int place = 3 * static_cast<int>(3 * (at.y() - row)) + static_cast<int>(3 * (at.x() - col));
      if (box.height() > 0.45 * square.width() / 9)
        grid[static_cast<std::size_t>(9 * row + col)] = word.size() == 1 ? word[0] : '?';
      else
        notes[slot][grid_index(row, col)] += word == std::to_string(place + 1) ? word : "!";
    }
  }
  end_page();
  return transcript;
}

}  // namespace quorlen::testing
