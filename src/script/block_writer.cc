#include "script/block_writer.h"

#include <array>
#include <stdexcept>
#include <utility>
#include <vector>

#include "layout/stencil.h"
#include "script/blocks.h"
#include "script/script_page.h"
#include "support/decimal_counter.h"
#include "support/text_appender.h"
#include "support/text_sink.h"

namespace brackwen {
namespace {

// The holes of the block templates.
enum Slot : int { kIndex, kRead, kDstN, kSrcN, kLb, kUb, kThird, kLength };
constexpr std::size_t kSlots = 8;

// The block templates of both variants, laid out once. Both begin with the same text, the
// marker line, up to the point where the block reads its override and the variants part.
class BlockStencils {
 public:
  BlockStencils() : BlockStencils(split_at_read(true), split_at_read(false)) {}

  // Appends the block with the index text `index`: the text up to the read, then reads the
  // override with `read()` and writes its variant's text, taking the text of a buffer-size
  // hole from `size(slot)` when the writing reaches it.
  template <class Read, class Size>
  void write(TextAppender& out, PaddedText index, Read&& read, Size&& size) const {
    const auto put_index = [index](int, char* to) { return put_padded(to, index); };
    out.advance_to(before_read_.put(out.room(before_read_.length(index)), put_index));
    const OverrideText o = read();
    const Stencil& after_read = after_read_[o.encoder ? 0 : 1];
    std::array<PaddedText, kSlots> values{};
    values[kIndex] = index;
    values[kLb] = o.values[0];
    values[kUb] = o.values[1];
    values[kThird] = o.values[2];
    values[kLength] = o.values[3];
    // Room for all but the buffer sizes, which are asked for where they are written.
    const std::size_t length = after_read.length(values);
    char* const end = after_read.put(out.room(length), [&](int slot, char* to) {
      if (slot != kDstN && slot != kSrcN) return put_padded(to, values[static_cast<std::size_t>(slot)]);
      out.advance_to(to);
      const PaddedText text = size(slot);
      return put_padded(out.room(text.size() + length), text);
    });
    out.advance_to(end);
  }

 private:
  // The parts of both templates before and after the read.
  BlockStencils(std::pair<Stencil, Stencil> encoder, std::pair<Stencil, Stencil> decoder)
      : before_read_(std::move(encoder.first)), after_read_{std::move(encoder.second), std::move(decoder.second)} {
    if (before_read_ != decoder.first) throw std::logic_error("block templates part before the read");
    for (const int slot : before_read_.holes()) {
      if (slot != kIndex) throw std::logic_error("a block template needs more than its index before the read");
    }
  }

  static std::pair<Stencil, Stencil> split_at_read(bool encoder) {
    return Stencil::lay_out(block_template(encoder), kScriptPage, kSlots).split_at(kRead);
  }

  static Doc block_template(bool encoder) {
    const FieldValues fields{ArgumentValue::hole(kLb), ArgumentValue::hole(kUb), ArgumentValue::hole(kThird),
                             ArgumentValue::hole(kLength)};
    const Doc statements =
        gen_override(ArgumentValue::hole(kDstN), ArgumentValue::hole(kSrcN), encoder, fields, hole(kIndex)).statements;
    return vcat({marker_line(hole(kIndex)), beside(hole(kRead), statements), empty()});
  }

  Stencil before_read_;    // the marker line, with the index in each hole
  Stencil after_read_[2];  // the statements and the empty line of an encoder's block and a decoder's
};

// The state of the one walk over the distinct overrides that the blocks and names share.
struct Walk {
  std::shared_ptr<BufferSize> dst_n, src_n;
  std::shared_ptr<DistinctOverrides> overrides;
  std::size_t produced = 0;  // how many distinct overrides the walk has produced

  // Whether the override with index `index` exists, producing it if needed.
  bool reach(std::size_t index) {
    while (produced <= index) {
      if (!overrides->advance()) return false;
      ++produced;
    }
    return true;
  }
};

// Writes the blocks joined by line breaks, taking each next override before writing a block.
class BlocksWriter : public PartWriter {
 public:
  explicit BlocksWriter(std::shared_ptr<Walk> walk) : walk_(std::move(walk)) {}

  // Each block goes to the sink as soon as it is complete, before the next input is read.
  PartEnd write(BufferedSink& sink) override {
    static const BlockStencils stencils;
    if (!walk_->reach(0)) return {0, false};
    // The next override is sought, which may read the input and write out the sink, only while
    // the appender holds no room: before the first block and after each one is finished.
    TextAppender out(sink);
    for (;; ++next_index_) {
      const bool more = walk_->reach(next_index_ + 1);
      try {
        write_block(stencils, out);
      } catch (...) {
        out.finish();
        throw;
      }
      if (more) out.append("\n");
      out.finish();
      index_.step();
      if (!more) return {0, true};
    }
  }

 private:
  // Numbers are copied from the texts they are kept as; none is made for the block.
  void write_block(const BlockStencils& stencils, TextAppender& out) {
    Walk& walk = *walk_;
    stencils.write(
        out, index_.text(), [&] { return walk.overrides->at(next_index_); },
        [&](int slot) { return slot == kDstN ? walk.dst_n->decimal() : walk.src_n->decimal(); });
  }

  std::shared_ptr<Walk> walk_;
  std::size_t next_index_ = 0;  // the index of the next block
  DecimalCounter index_;        // its text
};

// The main names of the blocks, in index order.
class MainNames : public ResultNames {
 public:
  explicit MainNames(std::shared_ptr<Walk> walk)
      : walk_(std::move(walk)), names_{name_stencil(true), name_stencil(false)} {}

  bool more() override { return walk_->reach(next_); }

  std::size_t append_next(TextAppender& out) override {
    const PaddedText before_index = names_[walk_->overrides->is_enc_int(next_++) ? 0 : 1].literal(0);
    const PaddedText index = index_text_.text();
    char* const p = out.room(before_index.size() + index.size());
    out.advance_to(put_padded(put_padded(p, before_index), index));
    index_text_.step();
    return before_index.size() + index.size();
  }

 private:
  // The result name of an encoder's or a decoder's block: its first literal run, then its index.
  static Stencil name_stencil(bool encoder) {
    Stencil name = Stencil::lay_out(main_name(encoder, hole(kIndex)), kScriptPage, kSlots);
    if (name.holes() != std::vector<int>{kIndex} || !name.literal(1).empty()) {
      throw std::logic_error("a result name must end with its index");
    }
    return name;
  }

  std::shared_ptr<Walk> walk_;
  Stencil names_[2];  // of an encoder's block and a decoder's
  std::size_t next_ = 0;
  DecimalCounter index_text_;  // the text of `next_`
};

}  // namespace

ScriptBody gen_blocks(std::shared_ptr<BufferSize> dst_n, std::shared_ptr<BufferSize> src_n,
                      std::shared_ptr<DistinctOverrides> overrides) {
  auto walk = std::make_shared<Walk>(Walk{std::move(dst_n), std::move(src_n), std::move(overrides)});
  return {written(std::make_shared<BlocksWriter>(walk)), std::make_shared<MainNames>(walk)};
}

}  // namespace brackwen
