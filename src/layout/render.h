// Rendering documents to text.
#pragma once

#include "layout/doc.h"
#include "support/text_sink.h"

namespace brackwen {

// The page a document is laid out on: its width and the share of it a line's text may take
// beyond the line's indentation.
struct PageShape {
  int width = 80;
  double ribbon_fraction = 0.4;
};

// Writes the text of `doc` laid out on `page` to `sink`, with no line feed after the last line.
// Written parts write their text when the rendering reaches them, and whatever was written
// before a part that throws stays written.
void render(const Doc& doc, const PageShape& page, TextSink& sink);

// Renders the script document on a page 80 columns wide with ribbon fraction 0.4.
void render_script(const Doc& doc, TextSink& sink);

}  // namespace brackwen
