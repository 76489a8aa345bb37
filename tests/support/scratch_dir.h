// Files for tests that read and write puzzle files.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorlen::testing {

// A fresh empty folder, removed with everything in it at the end of the test.
struct ScratchDir {
  std::filesystem::path path;

  ScratchDir() {
    std::string name = std::filesystem::temp_directory_path() / "quorlen-test-XXXXXX";
    if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("cannot create " + name);
    path = name;
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  std::filesystem::path operator/(std::string_view name) const { return path / name; }
};

inline std::filesystem::path write_bytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

inline std::string read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace quorlen::testing
