// The block of statements that verifies one distinct override, and the walk over all of them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "layout/doc.h"
#include "override/override.h"
#include "script/buffer_size.h"
#include "script/override_text.h"
#include "script/script.h"
#include "script/templates.h"

namespace brackwen {

// The distinct overrides of the input in input order, produced one at a time.
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

// The values a block writes besides its index and buffer size, known or holes.
struct FieldValues {
  ArgumentValue lb, ub, third, length;
};

// The two statements of a block, with the name that its main statement binds.
struct OverrideStatements {
  Doc main_name;
  Doc statements;
};

// The marker line of the block with the given index: print "XXX index";
Doc marker_line(const Doc& index_text);

// The result name of the main statement of a block of an encoder or a decoder override.
Doc main_name(bool encoder, const Doc& index_text);

// The copy statement and the main statement of the block of an encoder or a decoder override.
OverrideStatements gen_override(const ArgumentValue& dst_n, const ArgumentValue& src_n, bool encoder,
                                const FieldValues& fields, const Doc& index_text);
// The same for the override `o` with index `index`; like `gen_block`, only a reference for tests.
OverrideStatements gen_override(const ArgumentValue& dst_n, const ArgumentValue& src_n,
                                const tarnwick::override::Override& o, const tarnwick::override::Integer& index);

// The block of the override `o` with index `index`: its marker line, its statements, an empty line.
// The program writes its blocks from stencils of the templates instead; this whole document,
// with the result name from `gen_override`, is the reference that its tests compare the written
// script against.
Doc gen_block(const ArgumentValue& dst_n, const ArgumentValue& src_n, const tarnwick::override::Override& o,
              const tarnwick::override::Integer& index);

// The blocks and the result names of the distinct overrides, from one walk over them. The
// override after a block is sought before the block is written; a block reads its override
// after its marker line, and a buffer size where its first statement writes it.
ScriptBody gen_blocks(std::shared_ptr<BufferSize> dst_n, std::shared_ptr<BufferSize> src_n,
                      std::shared_ptr<DistinctOverrides> overrides);

}  // namespace brackwen
