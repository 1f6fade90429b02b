// The walk over the distinct overrides that writes their blocks and names their results.
#pragma once

#include <memory>

#include "input/buffer_size.h"
#include "input/distinct_overrides.h"
#include "script/script.h"

namespace brackwen {

// The blocks and the result names of the distinct overrides, from one walk over them. The
// override after a block is sought before the block is written; a block reads its override
// after its marker line, and a buffer size where its first statement writes it.
ScriptBody gen_blocks(std::shared_ptr<BufferSize> dst_n, std::shared_ptr<BufferSize> src_n,
                      std::shared_ptr<DistinctOverrides> overrides);

}  // namespace brackwen
