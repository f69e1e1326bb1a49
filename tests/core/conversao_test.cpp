#include <gtest/gtest.h>

#include <cmath>
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

// One conversion case: a 2 x 3 source whose pixel (1, 2) and backg hold v; the target, both
// constructed from it and assigned to a target of the same size, must hold esperado there.
template <class D, class S>
CASO caso(typename S::PIXEL v, typename D::PIXEL esperado) {
  std::string nome = std::string(S::NOME) + " -> " + D::NOME;
  return {nome, [=] {
            typedef typename D::PIXEL P;
            S s(2, 3);
            s(1, 2) = v;
            s.backg = v;
            D construida(s);
            D atribuida(2, 3);
            atribuida = s;
            for (const D* d : {&construida, &atribuida}) {
              EXPECT_EQ(static_cast<P>((*d)(1, 2)), esperado);
              EXPECT_EQ(d->backg, esperado);
            }
          }};
}

const float NaN = std::numeric_limits<float>::quiet_NaN();
const float INF = std::numeric_limits<float>::infinity();
const COR BRANCO(255, 255, 255), PRETO(0, 0, 0);

}  // namespace

TEST(Conversao, Regras) {
  const std::vector<CASO> casos = {
      caso<IMGGRY, IMGFLT>(0.999f, 254),
      caso<IMGGRY, IMGFLT>(1.0f, 255),
      caso<IMGGRY, IMGFLT>(1.5f, 255),
      caso<IMGGRY, IMGFLT>(-0.1f, 0),
      caso<IMGGRY, IMGFLT>(0.5f, 127),
      caso<IMGGRY, IMGFLT>(NaN, 0),
      caso<IMGGRY, IMGDBL>(0.999, 254),
      caso<IMGGRY, IMGDBL>(2.0, 255),
      caso<IMGGRY, IMGDBL>(-1.0, 0),
      caso<IMGGRY, IMGSHT>(-5, 0),
      caso<IMGGRY, IMGSHT>(300, 255),
      caso<IMGGRY, IMGSHT>(255, 255),
      caso<IMGGRY, IMGSHT>(77, 77),
      caso<IMGGRY, IMGCOR>(COR(1, 1, 0), 1),
      caso<IMGGRY, IMGCOR>(COR(255, 255, 254), 255),
      caso<IMGGRY, IMGCOR>(COR(1, 0, 0), 0),
      caso<IMGGRY, IMGCOR>(COR(10, 20, 31), 20),
      caso<IMGGRY, IMGBIN>(true, 255),
      caso<IMGGRY, IMGBIN>(false, 0),
      caso<IMGBIN, IMGGRY>(128, true),
      caso<IMGBIN, IMGGRY>(127, false),
      caso<IMGBIN, IMGCOR>(COR(128, 127, 128), true),
      caso<IMGBIN, IMGCOR>(COR(127, 128, 127), false),
      caso<IMGBIN, IMGFLT>(0.5f, true),
      caso<IMGBIN, IMGFLT>(0.49f, false),
      caso<IMGBIN, IMGFLT>(NaN, true),
      caso<IMGBIN, IMGFLT>(-INF, false),
      caso<IMGBIN, IMGCPX>(CPXF(0.3f, 0.4f), true),
      caso<IMGBIN, IMGCPX>(CPXF(-0.5f, 0.0f), true),
      caso<IMGBIN, IMGCPX>(CPXF(0.3f, 0.39f), false),
      caso<IMGCOR, IMGBIN>(true, BRANCO),
      caso<IMGCOR, IMGBIN>(false, PRETO),
      caso<IMGCOR, IMGGRY>(9, COR(9, 9, 9)),
      caso<IMGCOR, IMGFLT>(0.999f, COR(254, 254, 254)),
      caso<IMGCOR, IMGFLT>(1.5f, BRANCO),
      caso<IMGCOR, IMGFLT>(-0.1f, PRETO),
      caso<IMGSHT, IMGGRY>(200, 200),
      caso<IMGFLT, IMGBIN>(true, 1.0f),
      caso<IMGFLT, IMGBIN>(false, 0.0f),
      caso<IMGFLT, IMGGRY>(51, 0.2f),
      caso<IMGFLT, IMGCOR>(COR(51, 51, 51), 0.2f),
      caso<IMGFLT, IMGCOR>(BRANCO, 1.0f),
      caso<IMGFLT, IMGDBL>(0.1, 0.1f),
      caso<IMGDBL, IMGBIN>(true, 1.0),
      caso<IMGDBL, IMGGRY>(51, 0.2),
      caso<IMGDBL, IMGCOR>(COR(255, 0, 0), 1.0 / 3),
      caso<IMGDBL, IMGFLT>(0.1f, static_cast<double>(0.1f)),
      caso<IMGCPX, IMGBIN>(true, CPXF(1, 0)),
      caso<IMGCPX, IMGBIN>(false, CPXF(0, 0)),
      caso<IMGCPX, IMGGRY>(51, CPXF(0.2f, 0)),
      caso<IMGCPX, IMGCOR>(COR(51, 51, 51), CPXF(0.2f, 0)),
      caso<IMGCPX, IMGFLT>(0.25f, CPXF(0.25f, 0)),
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.nome);
    k.confere();
  }
}

TEST(Conversao, CadaPixelNoSeuLugar) {
  // 37 columns: the bit image's rows span two words.
  IMGGRY g(3, 37);
  for (int i = 0; i < g.n(); i++) g.data[i] = static_cast<BYTE>((i * 37) % 256);
  IMGBIN b(g);
  IMGGRY volta(b);
  for (int l = 0; l < g.nl(); l++)
    for (int c = 0; c < g.nc(); c++) {
      EXPECT_EQ(static_cast<bool>(b(l, c)), g(l, c) >= 128) << l << "," << c;
      EXPECT_EQ(volta(l, c), g(l, c) >= 128 ? 255 : 0) << l << "," << c;
    }
}

TEST(Conversao, AlvoDeOutroTamanhoTomaOTamanhoDaFonte) {
  IMGFLT f(2, 5, 1.0f);
  IMGGRY g(7, 7, 3);
  g = f;
  EXPECT_EQ(g.nl(), 2);
  EXPECT_EQ(g.nc(), 5);
  EXPECT_EQ(g(1, 4), 255);
  IMGBIN vazia;
  vazia = IMGGRY(0, 4);
  EXPECT_EQ(vazia.n(), 0);
  EXPECT_EQ(vazia.nc(), 0);  // an image without pixels is 0 x 0
}
