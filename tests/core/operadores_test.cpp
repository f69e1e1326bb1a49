#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/imagens.h"

namespace {

struct CASO {
  std::string nome;
  std::function<void()> confere;
};

// One pixel case: 1 x 2 operands whose pixel (0, 1) and backg hold a and b; the result has
// their size and holds esperado in that pixel and in its backg.
template <class I, class F>
CASO caso(const char* nome, F op, typename I::PIXEL a, typename I::PIXEL b,
          typename I::PIXEL esperado) {
  return {std::string(I::NOME) + " " + nome, [=] {
            I x(1, 2), y(1, 2);
            x(0, 1) = a;
            x.backg = a;
            y(0, 1) = b;
            y.backg = b;
            I r = op(x, y);
            ASSERT_EQ(r.nl(), 1);
            ASSERT_EQ(r.nc(), 2);
            EXPECT_EQ(r(0, 1), esperado);
            EXPECT_EQ(r.backg, esperado);
          }};
}

#define OPERADOR(SIMB) [](const auto& p, const auto& q) { return p SIMB q; }
#define FUNCAO(F) [](const auto& p, const auto& q) { return F(p, q); }

}  // namespace

TEST(Operadores, PixelEBackg) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<CASO> casos = {
      caso<IMGGRY>("add", FUNCAO(add), 200, 100, 255),
      caso<IMGGRY>("add", FUNCAO(add), 100, 50, 150),
      caso<IMGGRY>("add", FUNCAO(add), 255, 255, 255),
      caso<IMGGRY>("sub", FUNCAO(sub), 100, 200, 0),
      caso<IMGGRY>("sub", FUNCAO(sub), 200, 50, 150),
      caso<IMGGRY>("&&", OPERADOR(&&), 30, 200, 30),
      caso<IMGGRY>("||", OPERADOR(||), 30, 200, 200),
      caso<IMGCOR>("&&", OPERADOR(&&), COR(1, 200, 30), COR(100, 2, 30), COR(1, 2, 30)),
      caso<IMGCOR>("||", OPERADOR(||), COR(1, 200, 30), COR(100, 2, 30), COR(100, 200, 30)),
      caso<IMGFLT>("+", OPERADOR(+), 1.5f, 0.25f, 1.75f),
      caso<IMGFLT>("-", OPERADOR(-), 1.5f, 0.25f, 1.25f),
      caso<IMGFLT>("*", OPERADOR(*), 1.5f, 0.25f, 0.375f),
      caso<IMGFLT>("/", OPERADOR(/), 1.5f, 0.25f, 6.0f),
      caso<IMGFLT>("/", OPERADOR(/), 1.0f, 0.0f, inf),
      caso<IMGFLT>("&&", OPERADOR(&&), -2.0f, 0.5f, -2.0f),
      caso<IMGFLT>("||", OPERADOR(||), -2.0f, 0.5f, 0.5f),
      caso<IMGDBL>("+", OPERADOR(+), 1.5, 0.25, 1.75),
      caso<IMGDBL>("-", OPERADOR(-), 1.5, 0.25, 1.25),
      caso<IMGDBL>("*", OPERADOR(*), 1.5, 0.25, 0.375),
      caso<IMGDBL>("/", OPERADOR(/), 1.5, 0.25, 6.0),
      caso<IMGCPX>("+", OPERADOR(+), CPXF(1, 2), CPXF(3, -1), CPXF(4, 1)),
      caso<IMGCPX>("-", OPERADOR(-), CPXF(1, 2), CPXF(3, -1), CPXF(-2, 3)),
      caso<IMGCPX>("*", OPERADOR(*), CPXF(1, 2), CPXF(3, -1), CPXF(5, 5)),
      caso<IMGCPX>("/", OPERADOR(/), CPXF(-1, 3), CPXF(1, 1), CPXF(1, 2)),
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.nome);
    k.confere();
  }
}

TEST(Operadores, ElementoAElemento) {
  IMGFLT a(2, 3, {1, 2, 3, 4, 5, 6});
  IMGFLT b(2, 3, {10, 20, 30, 40, 50, 60});
  IMGFLT r = b - a;
  for (int i = 0; i < 6; i++) EXPECT_EQ(r.data[i], 9.0f * (i + 1)) << i;
}

TEST(Operadores, EBinario) {
  IMGBIN a(2, 40, true), b(2, 40, true);
  a(0, 0) = false;
  b(1, 39) = false;
  b.backg = false;
  IMGBIN r = a && b;
  for (int l = 0; l < 2; l++)
    for (int c = 0; c < 40; c++)
      EXPECT_EQ(static_cast<bool>(r(l, c)), !((l == 0 && c == 0) || (l == 1 && c == 39)))
          << l << "," << c;
  EXPECT_FALSE(r.backg);
}

TEST(OperadoresDeathTest, TamanhosDiferentes) {
  // Same pixel count, other shape: the rows and columns are compared, not n.
  struct FATAL {
    std::function<void()> op;
    const char* msg;
  };
  const FATAL casos[] = {
      {[] { IMGFLT(2, 3) + IMGFLT(3, 2); },
       "Erro IMGFLT::operator\\+ - As imagens nao tem o mesmo tamanho"},
      {[] { IMGFLT(2, 3) - IMGFLT(2, 4); },
       "Erro IMGFLT::operator- - As imagens nao tem o mesmo tamanho"},
      {[] { IMGFLT(2, 3) * IMGFLT(2, 4); },
       "Erro IMGFLT::operator\\* - As imagens nao tem o mesmo tamanho"},
      {[] { IMGFLT(2, 3) / IMGFLT(2, 4); },
       "Erro IMGFLT::operator/ - As imagens nao tem o mesmo tamanho"},
      {[] { IMGFLT(2, 3) && IMGFLT(2, 4); },
       "Erro IMGFLT::operator&& - As imagens nao tem o mesmo tamanho"},
      {[] { IMGFLT(2, 3) || IMGFLT(2, 4); },
       "Erro IMGFLT::operator\\|\\| - As imagens nao tem o mesmo tamanho"},
      {[] { IMGDBL(2, 3) + IMGDBL(3, 2); },
       "Erro IMGDBL::operator\\+ - As imagens nao tem o mesmo tamanho"},
      {[] { IMGCPX(2, 3) / IMGCPX(3, 2); },
       "Erro IMGCPX::operator/ - As imagens nao tem o mesmo tamanho"},
      {[] { add(IMGGRY(2, 3), IMGGRY(3, 2)); },
       "Erro IMGGRY::add - As imagens nao tem o mesmo tamanho"},
      {[] { sub(IMGGRY(2, 3), IMGGRY(2, 2)); },
       "Erro IMGGRY::sub - As imagens nao tem o mesmo tamanho"},
      {[] { IMGGRY(2, 3) && IMGGRY(3, 2); },
       "Erro IMGGRY::operator&& - As imagens nao tem o mesmo tamanho"},
      {[] { IMGGRY(2, 3) || IMGGRY(3, 2); },
       "Erro IMGGRY::operator\\|\\| - As imagens nao tem o mesmo tamanho"},
      {[] { IMGCOR(2, 3) || IMGCOR(3, 2); },
       "Erro IMGCOR::operator\\|\\| - As imagens nao tem o mesmo tamanho"},
      {[] { IMGBIN(2, 3) && IMGBIN(3, 2); },
       "Erro IMGBIN::operator&& - As imagens nao tem o mesmo tamanho"},
  };
  for (const FATAL& k : casos) EXPECT_EXIT(k.op(), ::testing::ExitedWithCode(1), k.msg);
}
