// Standard output as a sink: text written in place is complete before anything is written out.
#include "io/output_stream.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace brackwen {
namespace {

#ifndef NDEBUG
TEST(OutputStreamDeathTest, WritingOutWhileTextIsWrittenInPlaceIsRefusedInDebugBuilds) {
  const int null_fd = open("/dev/null", O_WRONLY);
  ASSERT_GE(null_fd, 0);
  OutputStream out(null_fd, false);
  out.write("before");
  char* const room = out.reserve(8);
  room[0] = 'x';
  EXPECT_DEATH(out.flush(), "");
  out.commit(1);
  out.flush();
  close(null_fd);
}
#endif

}  // namespace
}  // namespace brackwen
