#include "layout/stencil.h"

#include <algorithm>
#include <stdexcept>

namespace brackwen {
namespace {

// Collects literal runs and the holes between them.
class StencilSink : public HoleSink {
 public:
  void write(std::string_view text) override { literal_.append(text); }
  void write_hole(int slot) override {
    runs_.emplace_back(std::move(literal_), slot);
    literal_.clear();
  }
  // The runs in text order, the last followed by no hole.
  std::vector<std::pair<std::string, int>> finish() {
    runs_.emplace_back(std::move(literal_), Stencil::kNoHole);
    return std::move(runs_);
  }

 private:
  std::string literal_;
  std::vector<std::pair<std::string, int>> runs_;
};

}  // namespace

Stencil Stencil::lay_out(const Doc& doc, const PageShape& page, int slots) {
  StencilSink sink;
  render(doc, page, sink);
  Stencil stencil(slots);
  for (const auto& [literal, hole] : sink.finish()) {
    if (hole != kNoHole && (hole < 0 || hole >= slots)) {
      throw std::logic_error("a template has a hole numbered " + std::to_string(hole) + " of " + std::to_string(slots) +
                             " slots");
    }
    stencil.add_run(literal, hole);
  }
  stencil.finish();
  return stencil;
}

std::vector<int> Stencil::holes() const {
  std::vector<int> holes;
  for (const Run& run : runs_) {
    if (run.hole != kNoHole) holes.push_back(run.hole);
  }
  return holes;
}

std::pair<Stencil, Stencil> Stencil::split_at(int slot) const {
  const auto is_slot = [slot](const Run& run) { return run.hole == slot; };
  const auto at = std::find_if(runs_.begin(), runs_.end(), is_slot);
  if (slot == kNoHole || at == runs_.end() || std::find_if(at + 1, runs_.end(), is_slot) != runs_.end()) {
    throw std::logic_error("a template does not have the hole " + std::to_string(slot) + " once");
  }
  const int slots = static_cast<int>(hole_counts_.size());
  Stencil before(slots), after(slots);
  for (auto run = runs_.begin(); run != at; ++run) before.add_run(text_of(*run), run->hole);
  before.add_run(text_of(*at), kNoHole);
  for (auto run = at + 1; run != runs_.end(); ++run) after.add_run(text_of(*run), run->hole);
  before.finish();
  after.finish();
  return {std::move(before), std::move(after)};
}

bool operator==(const Stencil& a, const Stencil& b) noexcept {
  if (a.run_count() != b.run_count()) return false;
  for (std::size_t i = 0; i < a.run_count(); ++i) {
    if (a.literal(i) != b.literal(i) || a.hole(i) != b.hole(i)) return false;
  }
  return true;
}

void Stencil::add_run(std::string_view literal, int hole) {
  runs_.push_back(Run{literals_.size(), literal.size(), hole});
  literals_.append(literal);
  literal_length_ += literal.size();
  if (hole == kNoHole) return;
  ++hole_total_;
  ++hole_counts_[static_cast<std::size_t>(hole)];
}

void Stencil::finish() { literals_.append(kTextPadding, '\0'); }

}  // namespace brackwen
