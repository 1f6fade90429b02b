#include "brackwen/stencil.h"

#include "brackwen/render.h"

namespace brackwen {
namespace {

// Collects literal runs and the holes between them.
class StencilSink : public TextSink {
 public:
  void write(std::string_view text) override { literal_.append(text); }
  void write_hole(int slot) override {
    pieces_.push_back(Stencil::Piece{std::move(literal_), slot});
    literal_.clear();
  }
  std::vector<Stencil::Piece> finish() {
    pieces_.push_back(Stencil::Piece{std::move(literal_), Stencil::kNoHole});
    return std::move(pieces_);
  }

 private:
  std::string literal_;
  std::vector<Stencil::Piece> pieces_;
};

}  // namespace

Stencil Stencil::lay_out(const Doc& doc) {
  StencilSink sink;
  render_script(doc, sink);
  Stencil stencil;
  stencil.pieces_ = sink.finish();
  return stencil;
}

}  // namespace brackwen
