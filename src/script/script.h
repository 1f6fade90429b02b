// The whole script: header, blocks and the final list statement.
#pragma once

#include <cstddef>
#include <memory>

#include "layout/doc.h"

namespace brackwen {

class TextAppender;

// The result names of the blocks in index order, one at a time: the final list here takes them,
// the block writer (block_writer.cc) gives them.
class ResultNames {
 public:
  virtual ~ResultNames() = default;
  // Whether another name follows.
  virtual bool more() = 0;
  // Appends the next name, which `more` has found, to `out`; returns its length.
  virtual std::size_t append_next(TextAppender& out) = 0;
};

// What the script holds between its header and its final statement, and the names that the
// final statement collects; entry k of both belongs to the override with index k.
struct ScriptBody {
  Doc blocks;
  std::shared_ptr<ResultNames> result_names;
};

// The script document: the header line, an empty line, the blocks, and the statement that binds
// `enc_dec_ovs` to the fixed overrides and the result names. Nothing is taken from the body until
// the rendering reaches it.
Doc assemble_script(ScriptBody body);

}  // namespace brackwen
