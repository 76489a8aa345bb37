// libFuzzer target: arbitrary bytes as the content of a ".sud" file.
//
// Besides crashes and sanitizer reports, it checks what Load relies on: a
// file either fails with a message or gives 81 values 0..9, and a grid that
// loaded reads back the same after Save wrote it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/sud_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const quorlen::FileResult<quorlen::DigitGrid> read = quorlen::parse_sud(bytes, "fuzz.sud");
  if (!read) {
    if (read.error().message.find("\"fuzz.sud\"") == std::string::npos) std::abort();
    return 0;
  }
  for (const std::uint8_t value : read.value()) {
    if (value > 9) std::abort();
  }
  const quorlen::FileResult<quorlen::DigitGrid> again =
      quorlen::parse_sud(quorlen::format_sud(read.value()), "fuzz.sud");
  if (!again || again.value() != read.value()) std::abort();
  return 0;
}
