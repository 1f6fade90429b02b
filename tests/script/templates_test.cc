// Statement templates in the shapes that no block builds.
#include "script/templates.h"

#include <gtest/gtest.h>

#include "script/script_page.h"
#include "support/string_sink.h"

namespace brackwen {
namespace {

using tarnwick::override::Integer;

std::string rendered(const Doc& doc) {
  StringSink sink;
  render_script(doc, sink);
  return sink.text();
}

TEST(TemplatesTest, StatementWithoutArgumentsOrOverrides) {
  const Doc call = verify_call(text("f"), {}, text("f_spec"), {});
  EXPECT_EQ(rendered(verify_stmt(text("r"), call)),
            "r <-\n"
            "  llvm_verify m\n"
            "    \"f\"\n"
            "    []\n"
            "    (f_spec);");
}

TEST(TemplatesTest, ArgumentLinesAreNeverWrapped) {
  const Integer huge = Integer::from_digits(std::string(120, '9'), 10).negated();
  const Doc call = verify_call(text("f"), {text("o")}, text("s"), {huge, Integer(0)});
  EXPECT_EQ(rendered(verify_stmt(ov_name(text("s"), integer_text(Integer(12))), call)),
            "s_ov_12 <-\n"
            "  llvm_verify m\n"
            "    \"f\"\n"
            "    [o]\n"
            "    (s\n"
            "      (eval_int {{ -" +
                std::string(120, '9') +
                " : [32] }})\n"
                "      (eval_int {{ 0 : [32] }}));");
}

TEST(TemplatesTest, TwoShortOverridesFitOnOneLine) {
  // Names no block uses: short enough for the one-line form of the list.
  const Doc call = verify_call(text("f"), {text("a"), text("b")}, text("s"), {Integer(1)});
  EXPECT_EQ(rendered(verify_stmt(text("r"), call)),
            "r <-\n"
            "  llvm_verify m\n"
            "    \"f\"\n"
            "    [a,b]\n"
            "    (s\n"
            "      (eval_int {{ 1 : [32] }}));");
}

}  // namespace
}  // namespace brackwen
