// The program's main path: the input pipeline joined to the script, from the argument texts and
// the input lines to the script document.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "io/line_source.h"
#include "io/locale_text.h"
#include "script/script.h"

namespace brackwen {

// The blocks and result names of the script for the buffer-size texts `dst_n` and `src_n` and
// the lines of `input`: the input's distinct overrides in input order, numbered from 0. Nothing
// is read until the rendering reaches the blocks, and then only as far as it needs. Duplicates
// are found by a hash keyed by `hash_seed`.
ScriptBody override_pipeline(std::string_view dst_n, std::string_view src_n, std::shared_ptr<LineSource> input,
                             LocaleDecoder decoder, std::uint64_t hash_seed);

// The script document for the two buffer-size texts and the lines of `input`; `hash_seed`
// as for `override_pipeline`.
Doc gen_script(std::string_view dst_n, std::string_view src_n, std::shared_ptr<LineSource> input, LocaleDecoder decoder,
               std::uint64_t hash_seed);

}  // namespace brackwen
