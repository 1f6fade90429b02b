// Laying out template documents once, and writing them with values in their holes.
#include "layout/stencil.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace brackwen {
namespace {

// `doc` laid out on the default page, with holes numbered below `slots`.
Stencil lay_out(const Doc& doc, int slots) { return Stencil::lay_out(doc, PageShape{}, slots); }

// The literal runs of `stencil`, with each hole shown as <slot>.
std::string runs_of(const Stencil& stencil) {
  std::string text;
  for (std::size_t i = 0; i < stencil.run_count(); ++i) {
    text += stencil.literal(i);
    if (stencil.hole(i) == Stencil::kNoHole) continue;
    text.push_back('<');
    text.append(std::to_string(stencil.hole(i)));
    text.push_back('>');
  }
  return text;
}

// The text that `put` writes with `values[h]` in each hole h, checked against `length`.
std::string written(const Stencil& stencil, const std::vector<std::string>& values) {
  std::vector<std::string> padded;
  std::vector<PaddedText> texts;
  for (const std::string& value : values) padded.push_back(value + std::string(kTextPadding, '#'));
  for (std::size_t i = 0; i < values.size(); ++i) texts.push_back(PaddedText::within(padded[i], 0, values[i].size()));
  std::string out(stencil.length(texts) + kTextPadding, '\0');
  char* const end = stencil.put(
      out.data(), [&](int slot, char* to) { return put_padded(to, texts[static_cast<std::size_t>(slot)]); });
  out.resize(static_cast<std::size_t>(end - out.data()));
  EXPECT_EQ(out.size(), stencil.length(texts)) << out;
  return out;
}

TEST(StencilTest, HolesSplitTheLaidOutText) {
  const Doc doc = vcat({hcat({text("a"), hole(3), text("b")}), indent(2, vcat({hole(1), text("c")}))});
  const Stencil stencil = lay_out(doc, 4);
  EXPECT_EQ(runs_of(stencil), "a<3>b\n  <1>\n  c");
  EXPECT_EQ(stencil.holes(), (std::vector<int>{3, 1}));
}

TEST(StencilTest, PutsEveryValueExactly) {
  const Doc doc = vcat({hcat({text("a"), hole(3), text("b")}), indent(2, vcat({hole(1), text("c")})), hole(3)});
  const Stencil stencil = lay_out(doc, 4);
  // Values shorter and longer than the words and runs that the copy moves at once.
  for (const std::size_t n : {0, 1, 15, 16, 17, 31, 32, 33, 255, 256, 257, 1000}) {
    const std::string one(n, 'x'), three(n + 3, 'y');
    EXPECT_EQ(written(stencil, {"", one, "", three}), "a" + three + "b\n  " + one + "\n  c\n" + three) << n;
  }
  // The same value in every hole.
  const Stencil twice = lay_out(hcat({text("a"), hole(0), text("bc"), hole(0)}), 1);
  EXPECT_EQ(twice.length(PaddedString("xyz").text()), 9u);
  EXPECT_EQ(written(twice, {"xyz"}), "axyzbcxyz");
}

TEST(StencilTest, AListThatBreaksBeforeItsHolesIsFixed) {
  const Doc doc = list({text(std::string(40, 'f')), hole(0), hole(1)});
  EXPECT_EQ(runs_of(lay_out(doc, 2)), "[" + std::string(40, 'f') + "\n,<0>\n,<1>]");
}

TEST(StencilTest, ALayoutThatDependsOnAHoleIsRefused) {
  // Whether the list fits depends on the length of what fills the hole in it...
  EXPECT_THROW(lay_out(list({text("a"), hole(0)}), 1), std::logic_error);
  // ...or of a hole after it on its line...
  EXPECT_THROW(lay_out(beside(list({text("a"), text("b")}), hole(0)), 1), std::logic_error);
  // ...or of a hole before it on its line, which moves its column.
  EXPECT_THROW(lay_out(beside(hole(0), list({text("a"), text("b")})), 1), std::logic_error);
  // A line break between them makes it independent again.
  EXPECT_EQ(runs_of(lay_out(above(hole(0), list({text("a"), text("b")})), 1)), "<0>\n[a,b]");
}

TEST(StencilTest, AHoleNumberedPastTheSlotsIsRefused) {
  EXPECT_EQ(runs_of(lay_out(hcat({hole(0), hole(1)}), 2)), "<0><1>");
  EXPECT_THROW(lay_out(hcat({hole(0), hole(2)}), 2), std::logic_error);
  EXPECT_THROW(lay_out(hole(-2), 2), std::logic_error);
}

TEST(StencilTest, SplitsAtAHoleThatOccursOnce) {
  const Stencil stencil = lay_out(hcat({text("a"), hole(0), text("b"), hole(1), text("c"), hole(0)}), 2);
  const auto [before, after] = stencil.split_at(1);
  EXPECT_EQ(runs_of(before), "a<0>b");
  EXPECT_EQ(runs_of(after), "c<0>");
  EXPECT_EQ(written(before, {"x"}), "axb");
  EXPECT_EQ(before, lay_out(hcat({text("a"), hole(0), text("b")}), 2));
  EXPECT_NE(before, lay_out(hcat({text("a"), hole(1), text("b")}), 2));
  EXPECT_NE(before, lay_out(hcat({text("a"), hole(0), text("B")}), 2));
  // A hole that occurs twice, or not at all, has no one place to split at.
  EXPECT_THROW(stencil.split_at(0), std::logic_error);
  EXPECT_THROW(before.split_at(1), std::logic_error);
  EXPECT_THROW(stencil.split_at(Stencil::kNoHole), std::logic_error);
}

}  // namespace
}  // namespace brackwen
