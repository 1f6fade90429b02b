// Layout and rendering of documents.
#include "layout/render.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "layout/doc.h"
#include "support/string_sink.h"

namespace brackwen {
namespace {

std::string rendered(const Doc& doc, PageShape page = {}) {
  StringSink sink;
  render(doc, page, sink);
  return sink.text();
}

TEST(RenderTest, ListFitsOrBreaksCountingTheTextAfterItOnItsLine) {
  struct Case {
    const char* name;
    Doc doc;
    std::string expected;
  };
  const Case cases[] = {
      {"fits the ribbon", beside(list({text("a"), text("b")}), text(";")), "[a,b];"},
      // 30 characters with the ";" fit a ribbon of 32 columns...
      {"fills the ribbon", beside(list({text(std::string(13, 'a')), text(std::string(14, 'b'))}), text(";")),
       "[" + std::string(13, 'a') + "," + std::string(14, 'b') + "];"},
      // ...and one more character after the list breaks it.
      {"text after it breaks it", beside(list({text(std::string(13, 'a')), text(std::string(14, 'b'))}), text(";;;;")),
       "[" + std::string(13, 'a') + "\n," + std::string(14, 'b') + "];;;;"},
      {"a line break after it ends the measure",
       above(beside(list({text("a"), text("b")}), text("x")), text(std::string(60, 'z'))),
       "[a,b]x\n" + std::string(60, 'z')},
      {"one entry never breaks", list({text(std::string(100, 'a'))}), "[" + std::string(100, 'a') + "]"},
      {"no entries", list(std::vector<Doc>{}), "[]"},
      {"breaks to the column of the bracket",
       beside(text("xy "), list({text(std::string(20, 'a')), text(std::string(20, 'b')), text("c")})),
       "xy [" + std::string(20, 'a') + "\n   ," + std::string(20, 'b') + "\n   ,c]"},
  };
  for (const Case& c : cases) EXPECT_EQ(rendered(c.doc), c.expected) << c.name;
}

TEST(RenderTest, RibbonCountsFromTheIndentationOfTheLine) {
  // On a line that a break indented by 40, a list may take 32 columns; at 60 only the 20 left
  // on the page. The first line of a text has indentation 0, whatever blanks open it.
  const Doc entries = list({text(std::string(14, 'a')), text(std::string(14, 'b'))});
  const std::string one_line = "[" + std::string(14, 'a') + "," + std::string(14, 'b') + "]";
  const std::string broken = "[" + std::string(14, 'a') + "\n" + "%," + std::string(14, 'b') + "]";
  const auto at = [](int n, std::string s) {
    const std::size_t mark = s.find('%');
    if (mark != std::string::npos) s.replace(mark, 1, std::string(static_cast<std::size_t>(n), ' '));
    return std::string(static_cast<std::size_t>(n), ' ') + "x\n" + std::string(static_cast<std::size_t>(n), ' ') + s;
  };
  EXPECT_EQ(rendered(indent(40, vcat({text("x"), entries}))), at(40, one_line));
  EXPECT_EQ(rendered(indent(60, vcat({text("x"), entries}))), at(60, broken));
  EXPECT_EQ(rendered(indent(10, entries)), std::string(10, ' ') + "[" + std::string(14, 'a') + "\n" +
                                               std::string(10, ' ') + "," + std::string(14, 'b') + "]");
}

TEST(RenderTest, IndentCountsFromTheColumnWhereItBegins) {
  const Doc inner = indent(2, vcat({text("a"), text("b")}));
  EXPECT_EQ(rendered(inner), "  a\n  b");
  EXPECT_EQ(rendered(beside(text("xyz"), inner)), "xyz  a\n     b");
  EXPECT_EQ(rendered(indent(2, vcat({text("p"), indent(2, vcat({text("q"), text("r")}))}))), "  p\n    q\n    r");
}

TEST(RenderTest, EmptyInAVerticalJoinKeepsALineOfItsOwn) {
  EXPECT_EQ(rendered(vcat({text("a"), empty(), text("b")})), "a\n\nb");
  EXPECT_EQ(rendered(vcat({text("a"), empty()})), "a\n");
  EXPECT_EQ(rendered(indent(2, vcat({text("a"), empty(), text("b")}))), "  a\n  \n  b");
  EXPECT_EQ(rendered(vcat(std::vector<Doc>{})), "");
}

TEST(RenderTest, JoinsAndSeparators) {
  EXPECT_EQ(rendered(hsep({text("a"), text("b"), text("c")})), "a b c");
  EXPECT_EQ(rendered(hcat({text("a"), text("b"), text("c")})), "abc");
  EXPECT_EQ(rendered(vsep({text("a"), text("b")})), "a\nb");
  EXPECT_EQ(rendered(parens(dquotes(text("x")))), "(\"x\")");
  // Flattened inside a list, `line` becomes a blank and `linebreak` nothing.
  EXPECT_EQ(rendered(list({vsep({text("a"), text("b")}), vcat({text("c"), text("d")})})), "[a b,cd]");
}

// A written part of fixed text that records what the sink held when it was reached, and that
// fails after writing its text when told to.
class FixedPart : public PartWriter {
 public:
  FixedPart(std::string text, PartEnd end, bool fails = false) : text_(std::move(text)), end_(end), fails_(fails) {}
  PartEnd write(BufferedSink& sink) override {
    seen_ = static_cast<StringSink&>(sink).text();
    sink.write(text_);
    if (fails_) throw std::runtime_error("cannot write the rest");
    return end_;
  }
  // The text written before this part, once it is reached.
  const std::string& seen() const { return seen_; }

 private:
  std::string text_;
  PartEnd end_;
  bool fails_;
  std::string seen_;
};

TEST(RenderTest, WrittenPartIsWrittenWhereTheRenderingReachesIt) {
  auto part = std::make_shared<FixedPart>("x\nyz", PartEnd{2, true});
  EXPECT_EQ(rendered(vcat({text("before"), written(part), text("after")})), "before\nx\nyz\nafter");
  EXPECT_EQ(part->seen(), "before\n");
  // The line goes on from the column where the part ends: a list that would fit at column 0
  // breaks after a part that ends at column 60.
  const Doc entries = list({text(std::string(13, 'a')), text(std::string(14, 'b'))});
  EXPECT_EQ(rendered(beside(written(std::make_shared<FixedPart>(std::string(60, 'x'), PartEnd{60, false})), entries)),
            std::string(60, 'x') + "[" + std::string(13, 'a') + "\n" + std::string(60, ' ') + "," +
                std::string(14, 'b') + "]");
}

TEST(RenderTest, FailingWrittenPartKeepsWhatWasWritten) {
  StringSink sink;
  const Doc doc =
      vcat({text("before"), written(std::make_shared<FixedPart>("partial", PartEnd{7, false}, true)), text("after")});
  EXPECT_THROW(render(doc, PageShape{}, sink), std::runtime_error);
  EXPECT_EQ(sink.text(), "before\npartial");
}

TEST(RenderTest, WrittenPartMustBeginALineAtIndentationZeroAndIsNeverMeasured) {
  const auto part = [] { return written(std::make_shared<FixedPart>("p", PartEnd{1, false})); };
  EXPECT_THROW(rendered(beside(text("x"), part())), std::logic_error);
  EXPECT_THROW(rendered(indent(2, vcat({text("x"), part()}))), std::logic_error);
  // A group before it on its line would need its length to decide its layout.
  EXPECT_THROW(rendered(beside(group(vsep({text("a"), text("b")})), part())), std::logic_error);
  // A line break between them ends the group's measure first.
  EXPECT_EQ(rendered(above(group(vsep({text("a"), text("b")})), part())), "a b\np");
}

// A sink for template documents that shows each hole as <slot>.
class ShownHoles : public HoleSink {
 public:
  void write(std::string_view text) override { text_.append(text); }
  void write_hole(int slot) override {
    text_.push_back('<');
    text_.append(std::to_string(slot));
    text_.push_back('>');
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

TEST(RenderTest, HolesAreForTemplatesAndWrittenPartsForText) {
  ShownHoles holes;
  render(vcat({text("a"), hole(1)}), PageShape{}, holes);
  EXPECT_EQ(holes.text(), "a\n<1>");
  EXPECT_THROW(rendered(vcat({text("a"), hole(1)})), std::logic_error);
  EXPECT_THROW(render(written(std::make_shared<FixedPart>("p", PartEnd{1, false})), PageShape{}, holes),
               std::logic_error);
}

}  // namespace
}  // namespace brackwen
