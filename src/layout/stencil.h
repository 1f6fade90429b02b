// Template documents laid out once, so that their text can be written again and again with
// other values in their holes.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "layout/doc.h"
#include "layout/render.h"
#include "support/padded_text.h"

namespace brackwen {

// A template document laid out once at the start of a line at indentation 0: literal runs, each
// but the last followed by a hole. Its layout never depends on what fills the holes (laying out
// fails with `std::logic_error` otherwise), so written with any values it is exactly the
// document's text with those values.
class Stencil {
 public:
  // The hole number of the last run, which no hole follows.
  static constexpr int kNoHole = -1;

  // Lays out `doc` on `page`; its holes stand for texts of any length and are numbered below
  // `slots`, and a hole numbered otherwise fails with `std::logic_error`.
  static Stencil lay_out(const Doc& doc, const PageShape& page, int slots);

  // How many literal runs it has; at least one.
  std::size_t run_count() const noexcept { return runs_.size(); }
  // The literal run `i`.
  PaddedText literal(std::size_t i) const noexcept { return text_of(runs_[i]); }
  // The hole after the literal run `i`, or `kNoHole` after the last.
  int hole(std::size_t i) const noexcept { return runs_[i].hole; }
  // The holes in text order.
  std::vector<int> holes() const;
  // The text before the hole `slot` and the text after it, each a stencil of its own; fails with
  // `std::logic_error` unless `slot` is a hole of this stencil exactly once.
  std::pair<Stencil, Stencil> split_at(int slot) const;

  // The length of the text with `value` in every hole.
  std::size_t length(PaddedText value) const noexcept { return literal_length_ + hole_total_ * value.size(); }
  // The length of the text with `values[h]` in each hole h; `values` has a text for each of the
  // slots that the stencil was laid out with.
  std::size_t length(std::span<const PaddedText> values) const noexcept {
    std::size_t length = literal_length_;
    const std::size_t* const counts = hole_counts_.data();
    for (std::size_t slot = 0; slot < values.size(); ++slot) length += counts[slot] * values[slot].size();
    return length;
  }

  // Puts the text at `to`, with `fill(hole, at)` putting the text of each hole at `at` and giving
  // its end. Gives the end of the text; it may write up to `kTextPadding` bytes past that end.
  template <class Fill>
  char* put(char* to, Fill&& fill) const {
    for (const Run& run : runs_) {
      to = put_padded(to, text_of(run));
      if (run.hole != kNoHole) to = fill(run.hole, to);
    }
    return to;
  }

  // Whether both have the same literal runs and the same holes.
  friend bool operator==(const Stencil& a, const Stencil& b) noexcept;

 private:
  // A literal run, where it is kept in `literals_`, and the hole after it.
  struct Run {
    std::size_t offset, length;
    int hole;
  };
  // A stencil without runs, for holes numbered below `slots`.
  explicit Stencil(int slots) : hole_counts_(static_cast<std::size_t>(slots)) {}
  // Appends the literal run `literal` and the hole after it.
  void add_run(std::string_view literal, int hole);
  // Pads the literal runs; nothing is added after.
  void finish();
  // The text of the literal run `run`.
  PaddedText text_of(const Run& run) const noexcept { return PaddedText::within(literals_, run.offset, run.length); }

  std::string literals_;  // every literal run, then the padding
  std::vector<Run> runs_;
  std::size_t literal_length_ = 0;        // the length of all literal runs
  std::vector<std::size_t> hole_counts_;  // how many times each hole number occurs
  std::size_t hole_total_ = 0;            // how many holes there are
};

}  // namespace brackwen
