#include "brackwen/pipeline.h"

#include <string>
#include <utility>

#include "input/buffer_size.h"
#include "input/distinct_lines.h"
#include "script/block_writer.h"

namespace brackwen {

ScriptBody override_pipeline(std::string_view dst_n, std::string_view src_n, std::shared_ptr<LineSource> input,
                             LocaleDecoder decoder, std::uint64_t hash_seed) {
  return gen_blocks(std::make_shared<BufferSize>(std::string(dst_n), decoder),
                    std::make_shared<BufferSize>(std::string(src_n), decoder),
                    std::make_shared<DistinctLines>(std::move(input), decoder, hash_seed));
}

Doc gen_script(std::string_view dst_n, std::string_view src_n, std::shared_ptr<LineSource> input, LocaleDecoder decoder,
               std::uint64_t hash_seed) {
  return assemble_script(override_pipeline(dst_n, src_n, std::move(input), decoder, hash_seed));
}

}  // namespace brackwen
