// Laying out template documents once.
#include "brackwen/stencil.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace brackwen {
namespace {

std::string pieces_of(const Stencil& stencil) {
  std::string text;
  for (const Stencil::Piece& piece : stencil.pieces()) {
    text += piece.literal;
    if (piece.hole == Stencil::kNoHole) continue;
    text.push_back('<');
    text.append(std::to_string(piece.hole));
    text.push_back('>');
  }
  return text;
}

TEST(StencilTest, HolesSplitTheLaidOutText) {
  const Doc doc = vcat({hcat({text("a"), hole(3), text("b")}), indent(2, vcat({hole(1), text("c")}))});
  EXPECT_EQ(pieces_of(Stencil::lay_out(doc)), "a<3>b\n  <1>\n  c");
  std::string written;
  Stencil::lay_out(doc).write(written, [](int slot, std::string& out) { out += std::string(static_cast<std::size_t>(slot), '#'); });
  EXPECT_EQ(written, "a###b\n  #\n  c");
}

TEST(StencilTest, AListThatBreaksBeforeItsHolesIsFixed) {
  const Doc doc = list({text(std::string(40, 'f')), hole(0), hole(1)});
  EXPECT_EQ(pieces_of(Stencil::lay_out(doc)), "[" + std::string(40, 'f') + "\n,<0>\n,<1>]");
}

TEST(StencilTest, ALayoutThatDependsOnAHoleIsRefused) {
  // Whether the list fits depends on the length of what fills the hole in it...
  EXPECT_THROW(Stencil::lay_out(list({text("a"), hole(0)})), std::logic_error);
  // ...or of a hole after it on its line...
  EXPECT_THROW(Stencil::lay_out(beside(list({text("a"), text("b")}), hole(0))), std::logic_error);
  // ...or of a hole before it on its line, which moves its column.
  EXPECT_THROW(Stencil::lay_out(beside(hole(0), list({text("a"), text("b")}))), std::logic_error);
  // A line break between them makes it independent again.
  EXPECT_EQ(pieces_of(Stencil::lay_out(above(hole(0), list({text("a"), text("b")})))), "<0>\n[a,b]");
}

}  // namespace
}  // namespace brackwen
