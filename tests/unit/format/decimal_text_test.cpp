#include <gtest/gtest.h>

#include "format/decimal_text.h"

namespace {

TEST(DecimalText, AsStdToStringWrites) {
  for (const std::uint32_t number : {0u, 7u, 10u, 100u, 20261209u, 4294967295u}) {
    EXPECT_EQ(format::DecimalText(number), std::to_string(number));
  }
}

}  // namespace
