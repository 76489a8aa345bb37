#include "logic/step.h"

#include <array>
#include <cctype>

namespace quorlen::logic {
namespace {

constexpr std::array<const char*, kTechniqueCount> kNames = {
    "Full House",
    "Hidden Single",
    "Direct Pointing",
    "Direct Claiming",
    "Direct Hidden Pair",
    "Naked Single",
    "Direct Hidden Triplet",
    "Pointing",
    "Claiming",
    "Naked Pair",
    "X-Wing",
    "Hidden Pair",
    "Naked Triplet",
    "Swordfish",
    "Hidden Triplet",
    "Skyscraper",
    "2-String Kite",
    "Turbot Fish",
    "Empty Rectangle",
    "Grouped 2 Strong Links",
    "XY-Wing",
    "XYZ-Wing",
    "Unique Rectangle",
    "Unique Loop",
    "Naked Quad",
    "Jellyfish",
    "Hidden Quad",
    "3 Strong Links",
    "Grouped 3 Strong Links",
    "WXYZ-Wing",
    "BUG",
    "4 Strong Links",
    "Grouped 4 Strong Links",
    "VWXYZ-Wing",
    "Aligned Pair Exclusion",
    "UVWXYZ-Wing",
    "Bidirectional X-Cycle",
    "Bidirectional Y-Cycle",
    "Bidirectional Cycle",
    "Forcing X-Chain",
    "Forcing Chain",
    "TUVWXYZ-Wing",
    "Aligned Triplet Exclusion",
    "Nishio Forcing Chains",
    "Cell Forcing Chains",
    "Region Forcing Chains",
    "Dynamic Contradiction Forcing Chains",
    "Dynamic Double Forcing Chains",
    "Dynamic Cell Forcing Chains",
    "Dynamic Region Forcing Chains",
};

constexpr std::array<const char*, 5> kLevelSuffix = {
    "", " (+)", " (+ Forcing Chains)", " (+ Multiple Forcing Chains)", " (+ Dynamic Forcing Chains)"};

std::string folded(std::string_view name) {
  std::string out;
  for (const char c : name) {
    if (c == ' ' || c == '-' || c == '_') continue;
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

}  // namespace

const char* technique_name(Technique technique) { return kNames[static_cast<std::size_t>(technique)]; }

std::string step_name(const Step& step) {
  std::string name = technique_name(step.technique);
  switch (step.technique) {
    case Technique::unique_rectangle:
    case Technique::unique_loop:
    case Technique::bug:
      name += " type " + std::to_string(step.kind);
      break;
    default:
      break;
  }
  if (step.level < kLevelSuffix.size()) name += kLevelSuffix[step.level];
  return name;
}

bool technique_by_name(std::string_view name, Technique& technique) {
  const std::string wanted = folded(name);
  for (int i = 0; i < kTechniqueCount; ++i) {
    if (folded(kNames[static_cast<std::size_t>(i)]) == wanted) {
      technique = static_cast<Technique>(i);
      return true;
    }
  }
  return false;
}

std::string rating_text(int tenths) {
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace quorlen::logic
