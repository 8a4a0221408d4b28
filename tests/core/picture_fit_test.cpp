#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <vector>

#include "media/picture_fit.h"

TEST(SwapNibbles, ExchangesTheHalvesOfEveryByte) {
  std::vector<uint8_t> bytes = {0x12, 0xF0, 0x00, 0x77, 0xFF, 0x0A};
  SwapNibbles(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0x21, 0x0F, 0x00, 0x77, 0xFF, 0xA0}));
}

TEST(SwapNibbles, IsItsOwnInverseOverEveryByte) {
  std::vector<uint8_t> bytes(256);
  for (int i = 0; i < 256; ++i) bytes[i] = static_cast<uint8_t>(i);
  SwapNibbles(bytes.data(), bytes.size());
  SwapNibbles(bytes.data(), bytes.size());
  for (int i = 0; i < 256; ++i) EXPECT_EQ(bytes[i], i);
}

TEST(FitToBox, KeepsTheAspectRatioOnTheLimitingSide) {
  struct Case {
    int w, h, box_w, box_h, want_w, want_h;
  };
  const Case cases[] = {
      {520, 390, 260, 260, 260, 195},  // shrunk, width limits
      {130, 65, 260, 260, 260, 130},   // enlarged until it touches the box
      {700, 500, 260, 260, 260, 185},  // 500 x 260/700 = 185.71 truncated
      {390, 520, 260, 260, 195, 260},  // height limits
      {260, 260, 260, 260, 260, 260},  // exactly the box: kept
      {260, 100, 260, 260, 260, 100},  // exactly the box's width: kept
      {49, 49, 1, 1, 1, 1},            // would be 0 x 0 in double precision
      {3, 3, 1, 1, 1, 1},
      {1, 1000, 260, 260, 0, 260},     // a side below one pixel truncates to 0
      {300, 200, 260, 130, 195, 130},  // 260 x 130 box, height limits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " in " << c.box_w << " x " << c.box_h);
    int w = -1, h = -1;
    FitToBox(c.w, c.h, c.box_w, c.box_h, &w, &h);
    EXPECT_EQ(w, c.want_w);
    EXPECT_EQ(h, c.want_h);
  }
}

TEST(FitToBox, EmptyPictureGivesNothing) {
  int w = -1, h = -1;
  FitToBox(0, 10, 260, 260, &w, &h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  FitToBox(10, -5, 260, 260, &w, &h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
}

TEST(FitToBox, UsesTheX87ExtendedFormat) {
  // The arithmetic above depends on it; a platform where long double is
  // double would shift some sizes by a pixel.
  EXPECT_EQ(LDBL_MANT_DIG, 64);
}
