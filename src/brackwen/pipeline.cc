#include "brackwen/pipeline.h"

#include <unordered_set>
#include <utility>
#include <vector>

#include "brackwen/blocks.h"
#include "brackwen/failure.h"
#include "override/lexer.h"
#include "override/ordering.h"
#include "override/reader.h"

namespace brackwen {
namespace {

using tarnwick::override::Integer;
using tarnwick::override::Override;

// Whether only white space follows `end` in `text`.
bool only_white_space_after(std::u32string_view text, std::size_t end) {
  return tarnwick::override::skip_white_space(text, end) == text.size();
}

// The distinct overrides of the lines of an input. The first line is taken without being read;
// every later line is read when it is examined and compared with the kept overrides.
class DistinctLines : public DistinctOverrides {
 public:
  DistinctLines(std::shared_ptr<LineSource> input, LocaleDecoder decoder)
      : input_(std::move(input)), decoder_(decoder), index_(16, Hasher{&kept_}, Equal{&kept_}) {}

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
      kept_.push_back(read_line(*line));
      if (index_.insert(kept_.size() - 1).second) return true;
      kept_.pop_back();
    }
    return false;
  }

  const Override& at(std::size_t index) override {
    read_first_line();
    return kept_.at(index);
  }

 private:
  // Looks the kept overrides up by their position.
  struct Hasher {
    const std::vector<Override>* kept;
    std::size_t operator()(std::size_t i) const noexcept { return tarnwick::override::override_hash((*kept)[i]); }
  };
  struct Equal {
    const std::vector<Override>* kept;
    bool operator()(std::size_t i, std::size_t j) const noexcept {
      return tarnwick::override::override_equal((*kept)[i], (*kept)[j]);
    }
  };

  void read_first_line() {
    if (!unread_first_line_) return;
    kept_.push_back(read_line(*unread_first_line_));
    index_.insert(0);
    unread_first_line_.reset();
  }

  Override read_line(std::string_view line) {
    if (!decoder_.decode(line, characters_)) throw Failure("standard input: invalid byte sequence");
    return read_whole<Override>(characters_);
  }

  std::shared_ptr<LineSource> input_;
  LocaleDecoder decoder_;
  bool first_line_taken_ = false;
  std::optional<std::string> unread_first_line_;
  std::vector<Override> kept_;
  std::unordered_set<std::size_t, Hasher, Equal> index_;
  std::u32string characters_;
};

ArgumentValue read_on_demand(std::shared_ptr<BufferSize> size) {
  return ArgumentValue(std::function<const Integer&()>([size] () -> const Integer& { return size->value(); }));
}

}  // namespace

template <>
Integer read_whole(std::u32string_view text) {
  const auto read = tarnwick::override::read_integer(text, 0);
  if (!read || !only_white_space_after(text, read->end)) throw Failure(kNoParse);
  return read->value;
}

template <>
Override read_whole(std::u32string_view text) {
  auto read = tarnwick::override::read_override(text, 0);
  if (!read || !only_white_space_after(text, read->rest)) throw Failure(kNoParse);
  return std::move(read->value);
}

BufferSize::BufferSize(std::string name, std::string argument, LocaleDecoder decoder)
    : name_(std::move(name)), argument_(std::move(argument)), decoder_(decoder) {}

const Integer& BufferSize::value() {
  if (!value_) {
    std::u32string characters;
    if (!decoder_.decode(argument_, characters)) throw Failure(name_ + ": invalid byte sequence");
    value_ = std::make_unique<Integer>(read_whole<Integer>(characters));
  }
  return *value_;
}

BlockSequences override_pipeline(std::string_view dst_n, std::string_view src_n,
                                 std::shared_ptr<LineSource> input, LocaleDecoder decoder) {
  return gen_blocks(read_on_demand(std::make_shared<BufferSize>("DST_N", std::string(dst_n), decoder)),
                    read_on_demand(std::make_shared<BufferSize>("SRC_N", std::string(src_n), decoder)),
                    std::make_shared<DistinctLines>(std::move(input), decoder));
}

Doc gen_script(std::string_view dst_n, std::string_view src_n, std::shared_ptr<LineSource> input,
               LocaleDecoder decoder) {
  return assemble_script(override_pipeline(dst_n, src_n, std::move(input), decoder));
}

}  // namespace brackwen
