// A fresh empty folder for one test, and whole-file reads and writes in it.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorlen::testing {

// Made under the system's temporary folder with a unique name, and removed
// with everything in it when the test ends.
struct ScratchDir {
  std::filesystem::path path;

  ScratchDir() {
    std::string name = std::filesystem::temp_directory_path() / "quorlen-test-XXXXXX";
    if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("cannot create " + name);
    path = name;
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, ignored);
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
