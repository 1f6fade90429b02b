// Documents: text laid out in lines, with indentation and lists that break when they do not fit.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brackwen {

class Doc;
class BufferedSink;

// Where a written part ends: the column after its last character, and whether it broke a line.
struct PartEnd {
  int column;
  bool broke_line;
};

// A part of a document that its own code writes, for long runs of text of a fixed layout. It
// begins a line at indentation 0, and no group before it on its line can measure it.
class PartWriter {
 public:
  virtual ~PartWriter() = default;
  // Writes the part to `sink`.
  virtual PartEnd write(BufferedSink& sink) = 0;
};

// An immutable document, shared by copy. The default document is `empty()`.
class Doc {
 public:
  struct Node;
  Doc() = default;
  explicit Doc(std::shared_ptr<const Node> node) : node_(std::move(node)) {}
  // The node, or null for the empty document.
  const Node* node() const noexcept { return node_.get(); }

 private:
  std::shared_ptr<const Node> node_;
};

// A piece of text on one line (the empty document for the empty string); it holds no line break.
Doc text(std::string s);
// Nothing.
Doc empty();
// `a`, then `b` directly after it on the same line (a <> b).
Doc beside(Doc a, Doc b);
// `a`, then `b` beginning on the line after the end of `a` (a <$$> b).
Doc above(Doc a, Doc b);
// A line break that vanishes when its group is laid out on one line.
Doc linebreak();
// A line break that becomes one blank when its group is laid out on one line.
Doc line();
// The documents one after another.
Doc hcat(std::vector<Doc> docs);
// The documents separated by one blank.
Doc hsep(std::vector<Doc> docs);
// The documents joined by `linebreak`; `empty` for none.
Doc vcat(std::vector<Doc> docs);
// The documents joined by `line`; `empty` for none.
Doc vsep(std::vector<Doc> docs);
// `d` with its following lines indented by `columns` relative to the current column.
Doc nest(int columns, Doc d);
// `d` with its following lines beginning at the column where `d` begins.
Doc align(Doc d);
// `d` laid out on one line when that fits, as it stands otherwise.
Doc group(Doc d);
// `columns` blanks, then `d`, every further line of `d` beginning `columns` to the right of the
// column where the indentation began.
Doc indent(int columns, Doc d);
// "(", `d`, ")".
Doc parens(Doc d);
// A double quote, `d`, a double quote.
Doc dquotes(Doc d);
// "[", the entries separated by ",", "]": on one line when that fits, otherwise every entry
// after the first on a line of its own, beginning with "," in the column of the "[".
Doc list(std::vector<Doc> entries);

// A hole of a template document: a text of unknown length, filled in each time the laid-out
// template is written (see `Stencil`).
Doc hole(int slot);
// The part that `writer` writes when the rendering reaches it. A document holding one can be
// rendered only once.
Doc written(std::shared_ptr<PartWriter> writer);

// The node kinds that documents are made of.
struct TextNode {
  std::string text;
};
struct LineNode {
  std::string flat;  // what the break becomes on a one-line layout
};
struct CatNode {
  Doc left, right;
};
struct NestNode {
  int columns;
  Doc body;
};
struct AlignNode {
  Doc body;
};
struct GroupNode {
  Doc body;
};
struct HoleNode {
  int slot;
};
struct WrittenNode {
  std::shared_ptr<PartWriter> writer;
};

struct Doc::Node {
  std::variant<TextNode, LineNode, CatNode, NestNode, AlignNode, GroupNode, HoleNode, WrittenNode> kind;
};

}  // namespace brackwen
