// The walk over the distinct overrides that writes their blocks and names their results.
#pragma once

#include <cstddef>
#include <memory>

#include "script/buffer_size.h"
#include "script/override_text.h"
#include "script/script.h"

namespace brackwen {

// The distinct overrides of the input in input order, one at a time: the blocks' walk here takes
// them, the input pipeline produces them.
class DistinctOverrides {
 public:
  virtual ~DistinctOverrides() = default;
  // Seeks the next distinct override; false when the input holds no further one.
  virtual bool advance() = 0;
  // The distinct override with index `index`, one that `advance` has produced, as the script
  // writes it; it is read from its line now if it has not been read yet.
  virtual OverrideText at(std::size_t index) = 0;
  // Whether that override is an `Override_enc_int`.
  virtual bool is_enc_int(std::size_t index) = 0;
};

// The blocks and the result names of the distinct overrides, from one walk over them. The
// override after a block is sought before the block is written; a block reads its override
// after its marker line, and a buffer size where its first statement writes it.
ScriptBody gen_blocks(std::shared_ptr<BufferSize> dst_n, std::shared_ptr<BufferSize> src_n,
                      std::shared_ptr<DistinctOverrides> overrides);

}  // namespace brackwen
