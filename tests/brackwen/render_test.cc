// Layout and rendering of documents.
#include "brackwen/render.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brackwen/doc.h"

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
      {"text after it breaks it",
       beside(list({text(std::string(13, 'a')), text(std::string(14, 'b'))}), text(";;;;")),
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
  EXPECT_EQ(rendered(indent(10, entries)),
            std::string(10, ' ') + "[" + std::string(14, 'a') + "\n" + std::string(10, ' ') + "," +
                std::string(14, 'b') + "]");
}

TEST(RenderTest, IndentCountsFromTheColumnWhereItBegins) {
  const Doc inner = indent(2, vcat({text("a"), text("b")}));
  EXPECT_EQ(rendered(inner), "  a\n  b");
  EXPECT_EQ(rendered(beside(text("xyz"), inner)), "xyz  a\n     b");
  EXPECT_EQ(rendered(indent(2, vcat({text("p"), indent(2, vcat({text("q"), text("r")}))}))),
            "  p\n    q\n    r");
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

// Yields numbered entries and records how many it has been asked for.
class CountingSequence : public DocSequence {
 public:
  CountingSequence(int size, std::vector<int>& taken_at, const StringSink& sink)
      : size_(size), taken_at_(taken_at), sink_(sink) {}
  std::optional<Doc> next() override {
    if (next_ == size_) return std::nullopt;
    taken_at_.push_back(static_cast<int>(sink_.text().size()));
    return text("entry" + std::to_string(next_++));
  }

 private:
  int size_;
  int next_ = 0;
  std::vector<int>& taken_at_;
  const StringSink& sink_;
};

TEST(RenderTest, SequenceEntriesAreTakenOneAheadOfTheText) {
  StringSink sink;
  std::vector<int> taken_at;
  render(vcat({text("head"), vcat(std::make_shared<CountingSequence>(3, taken_at, sink)), text("tail")}),
         PageShape{}, sink);
  EXPECT_EQ(sink.text(), "head\nentry0\nentry1\nentry2\ntail");
  // Entries 0 and 1 are taken right after "head\n"; entry k + 1 before entry k is written.
  EXPECT_EQ(taken_at, (std::vector<int>{5, 5, 12}));
}

TEST(RenderTest, LazyDocumentIsMadeWhenReachedAndItsFailureKeepsWhatWasWritten) {
  StringSink sink;
  int made = 0;
  const Doc later = lazy([&] {
    ++made;
    if (sink.text() != "before\n") throw std::runtime_error("made too early");
    throw std::runtime_error("cannot make it");
    return text("never");
  });
  EXPECT_THROW(render(vcat({text("before"), later, text("after")}), PageShape{}, sink), std::runtime_error);
  EXPECT_EQ(sink.text(), "before\n");
  EXPECT_EQ(made, 1);
}

TEST(RenderTest, ListOverASequenceBreaksWithoutTakingMoreThanItMeasures) {
  StringSink sink;
  std::vector<int> taken_at;
  const Doc fixed = text(std::string(40, 'f'));
  render(beside(list(chain(sequence_of({fixed}), std::make_shared<CountingSequence>(2, taken_at, sink))),
                text(";")),
         PageShape{}, sink);
  EXPECT_EQ(sink.text(), "[" + std::string(40, 'f') + "\n,entry0\n,entry1];");
  EXPECT_EQ(taken_at, (std::vector<int>{0, 42}));
}

}  // namespace
}  // namespace brackwen
