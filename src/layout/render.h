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

// A sink for template documents, which takes their holes between their texts.
class HoleSink : public TextSink {
 public:
  // Receives the hole `slot`.
  virtual void write_hole(int slot) = 0;
};

// Writes the text of `doc` laid out on `page` to `sink`, with no line feed after the last line.
// Written parts write their text when the rendering reaches them, and whatever was written
// before a part that throws stays written. A hole fails with `std::logic_error`.
void render(const Doc& doc, const PageShape& page, BufferedSink& sink);
// Writes the template `doc` laid out on `page`, holes included, to `sink`; a written part fails
// with `std::logic_error`.
void render(const Doc& doc, const PageShape& page, HoleSink& sink);

}  // namespace brackwen
