#include "layout/render.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

namespace brackwen {
namespace {

template <class... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

// A document still to be written, with the indentation its line breaks write and whether it
// is laid out on one line.
struct Frame {
  Doc doc;
  int indentation;
  bool flat;
};

// A document looked at ahead of the writing, when deciding whether a group fits its line.
struct Probe {
  const Doc* doc;
  bool flat;
};

// Lays out a document and writes it to a `Sink`: a `BufferedSink`, which written parts write to,
// or a `HoleSink`, which takes holes.
template <class Sink>
class Renderer {
 public:
  Renderer(const PageShape& page, Sink& sink)
      : width_(page.width),
        ribbon_(std::max(0, std::min(page.width, static_cast<int>(std::lround(page.width * page.ribbon_fraction))))),
        sink_(sink) {}

  void run(const Doc& doc) {
    stack_.push_back(Frame{doc, 0, false});
    while (!stack_.empty()) {
      Frame frame = std::move(stack_.back());
      stack_.pop_back();
      if (frame.doc.node() != nullptr) step(frame);
    }
  }

 private:
  // Writes or expands one document.
  void step(const Frame& frame) {
    const int indentation = frame.indentation;
    const bool flat = frame.flat;
    std::visit(Overloaded{
                   [&](const TextNode& n) { write(n.text); },
                   [&](const LineNode& n) {
                     if (flat) {
                       write(n.flat);
                     } else {
                       break_line(indentation);
                     }
                   },
                   [&](const CatNode& n) {
                     stack_.push_back(Frame{n.right, indentation, flat});
                     stack_.push_back(Frame{n.left, indentation, flat});
                   },
                   [&](const NestNode& n) {
                     stack_.push_back(Frame{n.body, indentation + n.columns, flat});
                   },
                   [&](const AlignNode& n) {
                     stack_.push_back(Frame{n.body, column_, flat});
                   },
                   [&](const GroupNode& n) {
                     if (!flat && !column_known_) {
                       throw std::logic_error("the layout of a group depends on the length of a hole before it");
                     }
                     const bool one_line =
                         flat || fits(std::min(width_ - column_, ribbon_ - column_ + line_indentation_), n.body);
                     stack_.push_back(Frame{n.body, indentation, one_line});
                   },
                   [&](const HoleNode& n) {
                     if constexpr (kTakesHoles) {
                       sink_.write_hole(n.slot);
                       column_known_ = false;
                     } else {
                       throw std::logic_error("a hole in a document rendered as text");
                     }
                   },
                   [&](const WrittenNode& n) {
                     if constexpr (kTakesHoles) {
                       throw std::logic_error("a written part in a template document");
                     } else {
                       if (column_ != 0 || indentation != 0 || !column_known_) {
                         throw std::logic_error("a written part must begin a line at indentation 0");
                       }
                       const PartEnd end = n.writer->write(sink_);
                       column_ = end.column;
                       if (end.broke_line) line_indentation_ = 0;
                     }
                   },
               },
               frame.doc.node()->kind);
  }

  void write(std::string_view text) {
    sink_.write(text);
    column_ += static_cast<int>(text.size());
  }

  void break_line(int indentation) {
    static constexpr std::string_view kBlanks = "                                                                ";
    sink_.write("\n");
    for (int left = indentation; left > 0;) {
      const int n = std::min<int>(left, static_cast<int>(kBlanks.size()));
      sink_.write(kBlanks.substr(0, static_cast<std::size_t>(n)));
      left -= n;
    }
    column_ = indentation;
    line_indentation_ = indentation;
    column_known_ = true;
  }

  // Whether `body` laid out on one line, with what follows it up to the next line break,
  // takes at most `room` characters.
  // A hole measured on the way makes a "yes" depend on the hole's length, which is an error.
  bool fits(int room, const Doc& body) {
    const bool answer = measure(room, body);
    if (answer && measured_hole_) {
      throw std::logic_error("the layout of a group depends on the length of a hole in it or after it");
    }
    return answer;
  }

  bool measure(int room, const Doc& body) {
    measured_hole_ = false;
    if (room < 0) return false;
    std::vector<Probe> probes{Probe{&body, true}};
    std::size_t next_frame = stack_.size();
    for (;;) {
      if (probes.empty()) {
        if (next_frame == 0) return true;
        const Frame& frame = stack_[--next_frame];
        probes.push_back(Probe{&frame.doc, frame.flat});
      }
      const Probe probe = probes.back();
      probes.pop_back();
      const Doc::Node* node = probe.doc->node();
      if (node == nullptr) continue;
      const bool ends_line = std::visit(
          Overloaded{
              [&](const TextNode& n) {
                room -= static_cast<int>(n.text.size());
                return false;
              },
              [&](const LineNode& n) {
                if (!probe.flat) return true;
                room -= static_cast<int>(n.flat.size());
                return false;
              },
              [&](const CatNode& n) {
                probes.push_back(Probe{&n.right, probe.flat});
                probes.push_back(Probe{&n.left, probe.flat});
                return false;
              },
              [&](const NestNode& n) { return push_body(probes, n.body, probe.flat); },
              [&](const AlignNode& n) { return push_body(probes, n.body, probe.flat); },
              // A group further on breaks at its first line break unless laid out flat; either
              // way the text up to that break is the same, so it is measured as it stands.
              [&](const GroupNode& n) { return push_body(probes, n.body, probe.flat); },
              [&](const HoleNode&) {
                measured_hole_ = true;
                return false;
              },
              [&](const WrittenNode&) -> bool { throw std::logic_error("a written part cannot be measured"); },
          },
          node->kind);
      if (ends_line) return true;
      if (room < 0) return false;
    }
  }

  static bool push_body(std::vector<Probe>& probes, const Doc& body, bool flat) {
    probes.push_back(Probe{&body, flat});
    return false;
  }

  static constexpr bool kTakesHoles = std::is_base_of_v<HoleSink, Sink>;

  const int width_;
  const int ribbon_;
  Sink& sink_;
  std::vector<Frame> stack_;
  int column_ = 0;
  int line_indentation_ = 0;
  bool column_known_ = true;  // false after a hole, up to the next line break
  bool measured_hole_ = false;
};

}  // namespace

void render(const Doc& doc, const PageShape& page, BufferedSink& sink) { Renderer(page, sink).run(doc); }

void render(const Doc& doc, const PageShape& page, HoleSink& sink) { Renderer(page, sink).run(doc); }

}  // namespace brackwen
