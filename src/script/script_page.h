// The page that the script is laid out on.
#pragma once

#include "layout/doc.h"
#include "layout/render.h"
#include "support/text_sink.h"

namespace brackwen {

// 80 columns, of which a line's text may take 0.4 beyond its indentation.
inline constexpr PageShape kScriptPage{80, 0.4};

// Writes the text of `doc` laid out on the script's page to `sink`, as `render` does.
inline void render_script(const Doc& doc, BufferedSink& sink) { render(doc, kScriptPage, sink); }

}  // namespace brackwen
