// The complete search's state and its narrowing: per digit, a bitboard of
// the cells that may still hold it. A search copies the state at each guess
// (124 bytes) and drops the copy on the way back.
#pragma once

#include <array>
#include <cstdint>

#include "board/puzzle.h"
#include "board/units.h"

namespace quorlen::bitboard {

// --- Where each cell's bit lives -------------------------------------------
//
// The grid runs down the columns, so grid indexes 27s .. 27s+26 are the
// three columns of stack s (three boxes on top of each other). A set of
// cells is three 27-bit words, one per stack; a cell's bit in its stack's
// word is its grid index minus 27s. Inside a word, local column c holds bits
// 9c .. 9c+8 (top to bottom), a box the three 3-bit pieces of its rows in
// each column, and row r the bits r, 9+r and 18+r.
//
// Every mask is made from the unit table of board/units.h; the shifts the
// search uses in its inner loops are checked against it in bitboard.cpp.

using Cells = std::array<std::uint32_t, 3>;

constexpr int stack_of(int index) { return index / 27; }
constexpr std::uint32_t bit_of(int index) { return std::uint32_t{1} << (index % 27); }

struct Layout {
  std::array<Cells, 27> unit{};   // by unit number minus one, as kCellUnitIndexes gives it
  std::array<Cells, 81> peers{};  // the other cells of a cell's three units
};

constexpr Layout make_layout() {
  Layout t;
  for (int unit = 1; unit <= 27; ++unit) {
    for (int pos = 1; pos <= 9; ++pos) {
      const int index = kUnitCells[unit][pos] - 1;
      t.unit[unit - 1][stack_of(index)] |= bit_of(index);
    }
  }
  for (int index = 0; index < 81; ++index) {
    for (const int u : kCellUnitIndexes[index + 1]) {
      for (int s = 0; s < 3; ++s) t.peers[index][s] |= t.unit[u][s];
    }
    t.peers[index][stack_of(index)] &= ~bit_of(index);
  }
  return t;
}

inline constexpr Layout kLayout = make_layout();

inline constexpr std::uint32_t kColumnBits = 0x1FF;         // local column 0 of a stack
inline constexpr std::uint32_t kBoxBits = 0x1C0E07;         // the top box of a stack
inline constexpr std::uint32_t kRowSpread = 0x40201;        // times a 9-bit row set: the rows in all columns
inline constexpr std::uint32_t kAllCells = (1u << 27) - 1;  // a whole stack

// Per digit, the cells that may still hold it, a placed digit's cell
// included; the cells not placed yet; the digits whose places changed since
// their last narrowing.
struct State {
  std::array<Cells, 9> places{};
  Cells open{kAllCells, kAllCells, kAllCells};
  std::uint32_t dirty = 0x1FF;

  State() {
    for (Cells& p : places) p = {kAllCells, kAllCells, kAllCells};
  }
};
static_assert(sizeof(State) <= 128, "a guess copies the state: keep it small");

// Puts digit d (0..8) on a cell, given as its stack and its bit there: the
// other digits leave the cell, d leaves the cell's peers. False when the
// cell cannot hold d.
bool place(State& s, int d, int stack, std::uint32_t bit);

inline bool place(State& s, int d, int index) { return place(s, d, stack_of(index), bit_of(index)); }

// Singles in cells and in units and the box/line rules, until none
// applies. False on a contradiction.
bool propagate(State& s);

// The givens placed and narrowed; false when a digit is out of range, the
// givens repeat a digit, or the narrowing finds no solution.
bool start(const DigitGrid& grid, State& s);

inline bool solved(const State& s) { return (s.open[0] | s.open[1] | s.open[2]) == 0; }

// The digits of a solved state.
DigitGrid grid_of(const State& s);

}  // namespace quorlen::bitboard
