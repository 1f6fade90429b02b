#include "brackwen/doc.h"

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

// The entries of a sequence, the first behind `first_prefix` and every other behind `prefix`.
class PrefixedSequence : public DocSequence {
 public:
  PrefixedSequence(std::shared_ptr<DocSequence> source, Doc first_prefix, Doc prefix)
      : source_(std::move(source)), first_prefix_(std::move(first_prefix)), prefix_(std::move(prefix)) {}
  std::optional<Doc> next() override {
    std::optional<Doc> entry = source_->next();
    if (!entry) return std::nullopt;
    Doc prefix = started_ ? prefix_ : first_prefix_;
    started_ = true;
    return beside(std::move(prefix), std::move(*entry));
  }

 private:
  std::shared_ptr<DocSequence> source_;
  Doc first_prefix_, prefix_;
  bool started_ = false;
};

// The entries of a cursor, taken from it one by one.
class CursorSequence : public DocSequence {
 public:
  explicit CursorSequence(std::shared_ptr<SequenceCursor> cursor) : cursor_(std::move(cursor)) {}
  std::optional<Doc> next() override { return cursor_->take(); }

 private:
  std::shared_ptr<SequenceCursor> cursor_;
};

class VectorSequence : public DocSequence {
 public:
  explicit VectorSequence(std::vector<Doc> docs) : docs_(std::move(docs)) {}
  std::optional<Doc> next() override {
    if (next_ == docs_.size()) return std::nullopt;
    return std::move(docs_[next_++]);
  }

 private:
  std::vector<Doc> docs_;
  std::size_t next_ = 0;
};

class ChainedSequence : public DocSequence {
 public:
  ChainedSequence(std::shared_ptr<DocSequence> first, std::shared_ptr<DocSequence> rest)
      : first_(std::move(first)), rest_(std::move(rest)) {}
  std::optional<Doc> next() override {
    if (first_) {
      if (std::optional<Doc> entry = first_->next()) return entry;
      first_.reset();
    }
    return rest_->next();
  }

 private:
  std::shared_ptr<DocSequence> first_, rest_;
};

// The broken-or-flat layout of a list of at least two entries, given with their prefixes.
Doc enclosed_list(Doc prefixed_entries) {
  return align(beside(group(std::move(prefixed_entries)), text("]")));
}

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

Doc vcat(std::shared_ptr<DocSequence> docs) {
  return make(SequenceNode{std::make_shared<SequenceCursor>(std::move(docs))});
}

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
  return enclosed_list(vcat(std::move(prefixed)));
}

Doc list(std::shared_ptr<DocSequence> entries) {
  auto cursor = std::make_shared<SequenceCursor>(std::move(entries));
  return lazy([cursor] {
    if (cursor->peek(0) == nullptr) return text("[]");
    if (cursor->peek(1) == nullptr) return beside(text("["), beside(*cursor->take(), text("]")));
    auto prefixed = std::make_shared<PrefixedSequence>(std::make_shared<CursorSequence>(cursor),
                                                       text("["), text(","));
    return enclosed_list(vcat(std::move(prefixed)));
  });
}

Doc lazy(std::function<Doc()> make_doc) {
  return make(LazyNode{std::make_shared<LazyNode::Cell>(LazyNode::Cell{std::move(make_doc), {}})});
}

Doc hole(int slot) { return make(HoleNode{slot}); }

Doc written(std::shared_ptr<PartWriter> writer) { return make(WrittenNode{std::move(writer)}); }

std::shared_ptr<DocSequence> sequence_of(std::vector<Doc> docs) {
  return std::make_shared<VectorSequence>(std::move(docs));
}

std::shared_ptr<DocSequence> chain(std::shared_ptr<DocSequence> first,
                                   std::shared_ptr<DocSequence> rest) {
  return std::make_shared<ChainedSequence>(std::move(first), std::move(rest));
}

const Doc* SequenceCursor::peek(std::size_t ahead) {
  while (taken_ahead_.size() <= ahead && !ended_) {
    std::optional<Doc> entry = source_->next();
    if (!entry) {
      ended_ = true;
      break;
    }
    taken_ahead_.push_back(std::move(*entry));
  }
  return ahead < taken_ahead_.size() ? &taken_ahead_[ahead] : nullptr;
}

std::optional<Doc> SequenceCursor::take() {
  if (peek(0) == nullptr) return std::nullopt;
  Doc entry = std::move(taken_ahead_.front());
  taken_ahead_.pop_front();
  return entry;
}

const Doc& LazyNode::force() const {
  if (!cell->made) {
    cell->made = cell->make();
    cell->make = nullptr;
  }
  return *cell->made;
}

}  // namespace brackwen
