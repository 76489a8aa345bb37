// Test cases written as text: the `.txt` files of a folder under tests/data,
// where a case starts at a line "== name" and holds the lines that follow
// (but blank ones and comments, which start with '#'). A line is words, or
// texts in double quotes with C escapes (\" \\ \r \n \t \xNN).
#pragma once

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace quorlen::testing {

struct TextCase {
  std::string name;
  std::string file;
  std::vector<std::pair<int, std::string>> lines;  // number, text
};

inline void PrintTo(const TextCase& c, std::ostream* out) { *out << c.file << ": " << c.name; }

inline std::vector<std::string> words_of(const std::string& line) {
  std::vector<std::string> words;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == ' ') continue;
    const bool quoted = line[i] == '"';
    std::string word;
    for (i += quoted; i < line.size() && line[i] != (quoted ? '"' : ' '); ++i) {
      if (!quoted || line[i] != '\\') {
        word += line[i];
      } else if (const char c = line[++i]; c == 'x') {
        word += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
        i += 2;
      } else {
        word += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
      }
    }
    words.push_back(word);
  }
  return words;
}

inline std::vector<TextCase> load_text_cases(const std::filesystem::path& folder) {
  std::vector<TextCase> cases;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".txt") continue;
    std::ifstream in(entry.path());
    int number = 0;
    for (std::string line; std::getline(in, line);) {
      ++number;
      if (line.starts_with("== ")) {
        cases.push_back({line.substr(3), entry.path().filename().string(), {}});
      } else if (!line.empty() && line.front() != '#' && !cases.empty()) {
        cases.back().lines.emplace_back(number, line);
      }
    }
  }
  return cases;
}

}  // namespace quorlen::testing
