#include "layout/doc.h"

#include <utility>

namespace brackwen {
namespace {

template <class Kind>
Doc make(Kind kind) {
  return Doc(std::make_shared<const Doc::Node>(Doc::Node{std::move(kind)}));
}

// Joins the documents pairwise with `join`, from the right; `empty` for none.
Doc fold(std::vector<Doc> docs, Doc (*join)(Doc, Doc)) {
  if (docs.empty()) return empty();
  Doc result = std::move(docs.back());
  for (std::size_t i = docs.size() - 1; i-- > 0;) result = join(std::move(docs[i]), std::move(result));
  return result;
}

Doc blank_separated(Doc a, Doc b) { return beside(std::move(a), beside(text(" "), std::move(b))); }

Doc line_separated(Doc a, Doc b) { return beside(std::move(a), beside(line(), std::move(b))); }

}  // namespace

Doc text(std::string s) {
  if (s.empty()) return empty();
  return make(TextNode{std::move(s)});
}

Doc empty() { return Doc(); }

Doc beside(Doc a, Doc b) {
  if (a.node() == nullptr) return b;
  if (b.node() == nullptr) return a;
  return make(CatNode{std::move(a), std::move(b)});
}

Doc above(Doc a, Doc b) { return beside(std::move(a), beside(linebreak(), std::move(b))); }

Doc linebreak() { return make(LineNode{""}); }

Doc line() { return make(LineNode{" "}); }

Doc hcat(std::vector<Doc> docs) { return fold(std::move(docs), beside); }

Doc hsep(std::vector<Doc> docs) { return fold(std::move(docs), blank_separated); }

Doc vcat(std::vector<Doc> docs) { return fold(std::move(docs), above); }

Doc vsep(std::vector<Doc> docs) { return fold(std::move(docs), line_separated); }

Doc nest(int columns, Doc d) { return make(NestNode{columns, std::move(d)}); }

Doc align(Doc d) { return make(AlignNode{std::move(d)}); }

Doc group(Doc d) { return make(GroupNode{std::move(d)}); }

Doc indent(int columns, Doc d) {
  return align(nest(columns, beside(text(std::string(static_cast<std::size_t>(columns), ' ')), std::move(d))));
}

Doc parens(Doc d) { return beside(text("("), beside(std::move(d), text(")"))); }

Doc dquotes(Doc d) { return beside(text("\""), beside(std::move(d), text("\""))); }

Doc list(std::vector<Doc> entries) {
  if (entries.empty()) return text("[]");
  if (entries.size() == 1) return beside(text("["), beside(std::move(entries.front()), text("]")));
  std::vector<Doc> prefixed;
  prefixed.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    prefixed.push_back(beside(text(i == 0 ? "[" : ","), std::move(entries[i])));
  }
  return align(beside(group(vcat(std::move(prefixed))), text("]")));
}

Doc hole(int slot) { return make(HoleNode{slot}); }

Doc written(std::shared_ptr<PartWriter> writer) { return make(WrittenNode{std::move(writer)}); }

}  // namespace brackwen
