#include "core/memoria.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "core/imagens.h"

// Small blocks come from malloc, not zeroed; large ones whole, zeroed when they say so. Images
// of either kind start at zero, and a large image moves, copies and frees like a small one.
TEST(Memoria, BlocosGrandesZeradosEPequenosDoMalloc) {
  bool zerados = true;
  void* p = alocapixels(1000, zerados);
  ASSERT_NE(p, nullptr);
  EXPECT_FALSE(zerados);
  liberapixels(p, 1000);

  // Under the address sanitizer large blocks come from malloc too, and are not zeroed.
  const size_t grande = (size_t(10) << 20) + 12345;
  unsigned char* q = static_cast<unsigned char*>(alocapixels(grande, zerados));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(q) % 16, 0u);
  if (zerados) {
    for (size_t i = 0; i < grande; i += 4093) ASSERT_EQ(q[i], 0) << i;
    EXPECT_EQ(q[grande - 1], 0);
  }
  std::memset(q, 7, grande);
  liberapixels(q, grande);
}

TEST(Memoria, ImagensGrandesComecamEmZero) {
  for (const int lado : {10, 2048}) {
    SCOPED_TRACE(lado);
    IMGCPX a(lado, lado);
    for (int i = 0; i < a.n(); i += 997) ASSERT_EQ(a.data[i], CPXF()) << i;
    a.data[a.n() - 1] = CPXF(1, 2);
    IMGCPX b = a;
    EXPECT_EQ(b.data[b.n() - 1], CPXF(1, 2));
    IMGCPX c = std::move(a);
    EXPECT_EQ(c.data[c.n() - 1], CPXF(1, 2));
    c = IMGCPX(3, 3);
    EXPECT_EQ(c.data[8], CPXF());
  }
}
