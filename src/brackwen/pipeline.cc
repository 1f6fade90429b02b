#include "brackwen/pipeline.h"

#include <optional>
#include <string>
#include <utility>

#include "brackwen/blocks.h"
#include "brackwen/buffer_size.h"
#include "brackwen/failure.h"
#include "brackwen/override_index.h"
#include "brackwen/read_whole.h"
#include "override/canonical_reader.h"

namespace brackwen {
namespace {

using tarnwick::override::Override;

// The distinct overrides of the lines of an input. The first line is taken without being read;
// every later line is read when it is examined, and kept unless it equals a kept override.
class DistinctLines : public DistinctOverrides {
 public:
  DistinctLines(std::shared_ptr<LineSource> input, LocaleDecoder decoder)
      : input_(std::move(input)), decoder_(decoder) {}

  bool advance() override {
    if (!first_line_taken_) {
      const std::optional<std::string_view> line = input_->next_line();
      if (!line) return false;
      first_line_taken_ = true;
      unread_first_line_ = std::string(*line);
      return true;
    }
    while (const std::optional<std::string_view> line = input_->next_line()) {
      read_first_line();
      std::optional<Prepared> prepared = std::move(next_);
      next_.reset();
      if (prepared ? keep(std::move(*prepared)) : keep(read_line(*line))) {
        prepare_next();
        return true;
      }
    }
    return false;
  }

  const Override& at(std::size_t index) override {
    read_first_line();
    for (const auto& held : recent_) {
      if (held && held->first == index) return held->second;
    }
    decoded_.emplace(kept_[index]);
    return *decoded_;
  }

  bool is_enc_int(std::size_t index) override {
    read_first_line();
    return kept_.is_enc_int(index);
  }

 private:
  void read_first_line() {
    if (!unread_first_line_) return;
    keep(read_line(*unread_first_line_));
    unread_first_line_.reset();
  }

  // A line read ahead of its turn, with its override's hash for the index.
  struct Prepared {
    Override o;
    std::uint32_t hash;
  };

  // Keeps `o` unless an equal override is kept; blocks ask for the last few kept, so those
  // are also held whole.
  bool keep(Override&& o) {
    const std::uint32_t hash = kept_.prepare(o);
    return keep(Prepared{std::move(o), hash});
  }
  bool keep(Prepared&& prepared) {
    if (!kept_.insert(prepared.o, prepared.hash)) return false;
    recent_[kept_.size() % kRecent].emplace(kept_.size() - 1, std::move(prepared.o));
    return true;
  }

  // While the block before it is written, reads the next line ahead when it is at hand and in
  // the printer's own form, so that its place in the index is fetched in the meantime. Reading
  // that form cannot fail, so this changes nothing that can be seen.
  void prepare_next() {
    if (!decoder_.ascii_is_itself()) return;
    const std::optional<std::string_view> line = input_->peek_line_at_hand();
    if (!line) return;
    std::optional<Override> o = tarnwick::override::read_canonical_override(*line);
    if (!o) return;
    const std::uint32_t hash = kept_.prepare(*o);
    next_.emplace(Prepared{std::move(*o), hash});
  }

  Override read_line(std::string_view line) {
    if (decoder_.ascii_is_itself()) {
      if (std::optional<Override> o = tarnwick::override::read_canonical_override(line)) return std::move(*o);
    }
    if (!decoder_.decode(line, characters_)) throw Failure("standard input: invalid byte sequence");
    return read_whole<Override>(characters_);
  }

  std::shared_ptr<LineSource> input_;
  LocaleDecoder decoder_;
  bool first_line_taken_ = false;
  std::optional<std::string> unread_first_line_;
  OverrideIndex kept_;
  std::optional<Prepared> next_;  // the next line, read ahead
  std::optional<Override> decoded_;  // the last override that `at` took from the index
  static constexpr std::size_t kRecent = 2;
  std::optional<std::pair<std::size_t, Override>> recent_[kRecent];
  std::u32string characters_;
};

}  // namespace

ScriptBody override_pipeline(std::string_view dst_n, std::string_view src_n, std::shared_ptr<LineSource> input,
                             LocaleDecoder decoder) {
  return gen_blocks(std::make_shared<BufferSize>(std::string(dst_n), decoder),
                    std::make_shared<BufferSize>(std::string(src_n), decoder),
                    std::make_shared<DistinctLines>(std::move(input), decoder));
}

Doc gen_script(std::string_view dst_n, std::string_view src_n, std::shared_ptr<LineSource> input,
               LocaleDecoder decoder) {
  return assemble_script(override_pipeline(dst_n, src_n, std::move(input), decoder));
}

}  // namespace brackwen
