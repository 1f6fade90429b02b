// The whole script: header, blocks and the final list statement.
#pragma once

#include <memory>

#include "brackwen/doc.h"

namespace brackwen {

// The two sequences the script is made of, taken one entry at a time; entry k of both belongs
// to the override with index k.
struct BlockSequences {
  std::shared_ptr<DocSequence> result_names;
  std::shared_ptr<DocSequence> blocks;
};

// The script document: the header line, an empty line, the blocks, and the statement that binds
// `enc_dec_ovs` to the fixed overrides and the result names. Nothing is taken from either
// sequence until the rendering reaches it.
Doc assemble_script(BlockSequences body);

}  // namespace brackwen
