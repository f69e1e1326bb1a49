#include "proc/rot90.h"

#include <gtest/gtest.h>

TEST(Rot90, QuartoDeVoltaAntiHorario) {
  IMGFLT img(2, 3, {1, 2, 3, 4, 5, 6});
  img.backg = 9.5f;
  const IMGFLT r = rot90(img);
  ASSERT_EQ(r.nl(), 3);
  ASSERT_EQ(r.nc(), 2);
  const float esperado[6] = {3, 6, 2, 5, 1, 4};
  for (int i = 0; i < 6; i++) EXPECT_EQ(r.data[i], esperado[i]) << "pixel " << i;
  EXPECT_EQ(r.backg, 9.5f);
  // The default centre (0, 1) lands on (3 - 1 - 1, 0).
  EXPECT_EQ(r.lc, 1);
  EXPECT_EQ(r.cc, 0);
}

// The centre follows the pixel it names through every turn; four turns give the image back.
TEST(Rot90, QuatroVoltasSaoIdentidade) {
  IMGFLT img(3, 5);
  for (int i = 0; i < img.n(); i++) img.data[i] = static_cast<FLT>(i * 1.5 - 4);
  img.lc = 0;
  img.cc = 4;
  const FLT nocentro = img.lin[img.lc][img.cc];
  IMGFLT r = img;
  for (int volta = 1; volta <= 4; volta++) {
    r = rot90(r);
    EXPECT_EQ(r.lin[r.lc][r.cc], nocentro) << "volta " << volta;
    if (volta == 2) {  // half a turn reflects through the middle
      for (int l = 0; l < 3; l++)
        for (int c = 0; c < 5; c++) EXPECT_EQ(r.lin[l][c], img.lin[2 - l][4 - c]);
    }
  }
  ASSERT_EQ(r.nl(), 3);
  ASSERT_EQ(r.nc(), 5);
  for (int i = 0; i < img.n(); i++) EXPECT_EQ(r.data[i], img.data[i]) << "pixel " << i;
  EXPECT_EQ(r.lc, 0);
  EXPECT_EQ(r.cc, 4);
}
