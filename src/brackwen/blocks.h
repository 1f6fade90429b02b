// The block of statements that verifies one distinct override, and the walk over all of them.
#pragma once

#include <cstddef>
#include <memory>

#include "brackwen/doc.h"
#include "brackwen/script.h"
#include "brackwen/templates.h"
#include "override/override.h"

namespace brackwen {

using tarnwick::override::Override;

// The distinct overrides of the input in input order, produced one at a time.
class DistinctOverrides {
 public:
  virtual ~DistinctOverrides() = default;
  // Seeks the next distinct override; false when the input holds no further one.
  virtual bool advance() = 0;
  // The distinct override with index `index`, one that `advance` has produced; it is read
  // from its line now if it has not been read yet.
  virtual const Override& at(std::size_t index) = 0;
};

// The two statements of a block, with the name that its main statement binds.
struct OverrideStatements {
  Doc main_name;
  Doc statements;
};

// The marker line of the block with index `index`: print "XXX index";
Doc marker_line(const Integer& index);

// The result name of the main statement of the block of `o` with index `index`.
Doc main_name(const Override& o, const Integer& index);

// The copy statement and the main statement of the block of `o` with index `index`.
OverrideStatements gen_override(const ArgumentValue& dst_n, const ArgumentValue& src_n, const Override& o,
                                const Integer& index);

// The result names and the blocks of the distinct overrides, from one walk over them. An entry
// of either sequence takes the next override without examining it; a block reads its override
// when its statements are reached, after its marker line.
BlockSequences gen_blocks(ArgumentValue dst_n, ArgumentValue src_n, std::shared_ptr<DistinctOverrides> overrides);

}  // namespace brackwen
