// The block of statements that verifies one distinct override, as a document.
#pragma once

#include "layout/doc.h"
#include "script/templates.h"

namespace brackwen {

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

}  // namespace brackwen
