#include <gtest/gtest.h>

#include "core/imagens.h"

TEST(Imagem, CentroPadrao) {
  IMGGRY g(3, 4);
  EXPECT_EQ(g.lc, 1);
  EXPECT_EQ(g.cc, 1);
}
