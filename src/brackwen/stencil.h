// Template documents laid out once, so that their text can be written again and again with
// other values in their holes.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "brackwen/doc.h"
#include "brackwen/text_sink.h"

namespace brackwen {

// The text of a template document laid out at the start of a line at indentation 0, on the
// script's page: literal runs, each followed by a hole or by nothing. Laying out fails with
// `std::logic_error` when the layout would depend on the length of a hole's text, so the
// stencil written with any values is exactly the text of the document with those values.
class Stencil {
 public:
  // A hole number that marks the last piece, which no hole follows.
  static constexpr int kNoHole = -1;
  // A literal run and the hole after it.
  struct Piece {
    std::string literal;
    int hole;
  };

  // Lays out `doc`, whose holes stand for texts of any length.
  static Stencil lay_out(const Doc& doc);

  // The pieces in text order.
  std::span<const Piece> pieces() const noexcept { return pieces_; }

  // Appends the text to `out`, with `fill(hole, out)` appending the text of each hole.
  template <class Out, class Fill>
  void write(Out& out, Fill&& fill) const {
    for (const Piece& piece : pieces_) {
      out.append(piece.literal);
      if (piece.hole != kNoHole) fill(piece.hole, out);
    }
  }

 private:
  std::vector<Piece> pieces_;
};

}  // namespace brackwen
