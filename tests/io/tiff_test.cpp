// TIFF files: layouts and compressions written straight through libtiff, orientations, pages,
// our writers read back, densities, hostile headers.
#include "io/tiff.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "apoio.h"
#include "core/relato.h"
#include "fixturas.h"
#include "imagens_teste.h"
#include "io/densidade.h"
#include "io/leimp.h"
#include "io/pnm.h"
#include "memoria.h"

namespace {

constexpr uint32_t NL = 21, NC = 35;  // odd sizes: partial tiles, strips and bytes

unsigned valor(uint32_t i, int s, int b) { return (i * 7 + s * 13) % (1u << b); }

TIFFTESTE forma(uint16_t bits, uint16_t spp, uint16_t foto, uint16_t comp) {
  TIFFTESTE f;
  f.nc = NC, f.nl = NL, f.bits = bits, f.spp = spp, f.foto = foto, f.comp = comp;
  for (uint32_t i = 0; i < NL * NC; i++)
    for (int s = 0; s < spp; s++) f.amostras.push_back(valor(i, s, bits));
  return f;
}

BYTE oito(unsigned v, int b) {
  return b == 16 ? static_cast<BYTE>((v * 255 + 32767) / 65535)
                 : static_cast<BYTE>(v * 255 / ((1u << b) - 1));
}

struct CASO {
  std::string nome;
  TIFFTESTE f;
  std::function<COR(uint32_t i)> esperado;
};

std::vector<CASO> casos() {
  std::vector<CASO> c;
  struct {
    const char* nome;
    uint16_t comp;
  } comps[] = {{"sem compressao", COMPRESSION_NONE},
               {"packbits", COMPRESSION_PACKBITS},
               {"lzw", COMPRESSION_LZW},
               {"deflate", COMPRESSION_ADOBE_DEFLATE}};
  for (auto k : comps)
    for (uint16_t b : {1, 2, 4, 8, 16}) {
      for (uint16_t foto : {PHOTOMETRIC_MINISBLACK, PHOTOMETRIC_MINISWHITE})
        c.push_back({std::string(k.nome) + " cinza " + std::to_string(b) +
                         (foto == PHOTOMETRIC_MINISWHITE ? " min-is-white" : ""),
                     forma(b, 1, foto, k.comp), [b, foto](uint32_t i) {
                       BYTE v = oito(valor(i, 0, b), b);
                       if (foto == PHOTOMETRIC_MINISWHITE) v = 255 - v;
                       return COR(v, v, v);
                     }});
    }
  for (uint16_t b : {8, 16})
    c.push_back({"rgb " + std::to_string(b), forma(b, 3, PHOTOMETRIC_RGB, COMPRESSION_LZW),
                 [b](uint32_t i) {
                   return COR(oito(valor(i, 0, b), b), oito(valor(i, 1, b), b),
                              oito(valor(i, 2, b), b));
                 }});
  for (uint16_t comp : {COMPRESSION_CCITTFAX3, COMPRESSION_CCITTFAX4, COMPRESSION_CCITTRLE})
    c.push_back({"ccitt " + std::to_string(comp), forma(1, 1, PHOTOMETRIC_MINISWHITE, comp),
                 [](uint32_t i) {
                   BYTE v = valor(i, 0, 1) ? 0 : 255;
                   return COR(v, v, v);
                 }});
  TIFFTESTE pal = forma(4, 1, PHOTOMETRIC_PALETTE, COMPRESSION_NONE);
  for (int k = 0; k < 16; k++) {
    pal.mapa[0].push_back(static_cast<uint16_t>(k * 16 * 257));
    pal.mapa[1].push_back(static_cast<uint16_t>((255 - k) * 257));
    pal.mapa[2].push_back(static_cast<uint16_t>(k * 5 * 257));
  }
  c.push_back({"paleta", pal, [](uint32_t i) {
                 unsigned k = valor(i, 0, 4);
                 return COR(static_cast<BYTE>(k * 16), static_cast<BYTE>(255 - k),
                            static_cast<BYTE>(k * 5));
               }});
  TIFFTESTE tiles = forma(8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_ADOBE_DEFLATE);
  tiles.tw = 16, tiles.th = 16;
  c.push_back({"tiles cinza", tiles, [](uint32_t i) {
                 BYTE v = static_cast<BYTE>(valor(i, 0, 8));
                 return COR(v, v, v);
               }});
  TIFFTESTE tbits = forma(1, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_PACKBITS);
  tbits.tw = 16, tbits.th = 32;
  c.push_back({"tiles 1 bit", tbits, [](uint32_t i) {
                 BYTE v = valor(i, 0, 1) ? 255 : 0;
                 return COR(v, v, v);
               }});
  TIFFTESTE faixas = forma(8, 3, PHOTOMETRIC_RGB, COMPRESSION_PACKBITS);
  faixas.rps = 4;
  c.push_back({"faixas de 4 linhas", faixas, [](uint32_t i) {
                 return COR(static_cast<BYTE>(valor(i, 0, 8)), static_cast<BYTE>(valor(i, 1, 8)),
                            static_cast<BYTE>(valor(i, 2, 8)));
               }});
  TIFFTESTE alfa = forma(8, 4, PHOTOMETRIC_RGB, COMPRESSION_LZW);
  alfa.extras = 1;
  c.push_back({"rgba sobre branco", alfa, [](uint32_t i) {
                 auto s = [i](int k) {
                   unsigned a = valor(i, 3, 8), v = valor(i, k, 8);
                   return static_cast<BYTE>(std::min(255u, (v * a + 127) / 255 + 255 - a));
                 };
                 return COR(s(0), s(1), s(2));
               }});
  return c;
}

TEST(TifLeitura, CadaFormaECompressao) {
  DIRTEMP d;
  for (const CASO& c : casos()) {
    SCOPED_TRACE(c.nome);
    const std::string nome = d / "f.tif";
    ASSERT_TRUE(gravatif(c.f, nome));
    const IMGCOR cor = lido<IMGCOR>(nome);
    const IMGGRY gry = lido<IMGGRY>(nome);
    ASSERT_EQ(cor.nl(), static_cast<int>(NL));
    ASSERT_EQ(cor.nc(), static_cast<int>(NC));
    int ndif = 0;
    for (uint32_t i = 0; i < NL * NC; i++) {
      const COR e = c.esperado(i);
      const bool alfa = c.f.extras != 0;  // libtiff's own premultiplication may round apart
      auto perto = [alfa](int a, int b) { return std::abs(a - b) <= (alfa ? 1 : 0); };
      if (!perto(cor.data[i].r, e.r) || !perto(cor.data[i].g, e.g) || !perto(cor.data[i].b, e.b) ||
          !perto(gry.data[i], IMGGRY(IMGCOR(1, 1, {e})).data[0]))
        ADD_FAILURE() << "pixel " << i << " " << int(cor.data[i].r) << " vs " << int(e.r)
                      << (++ndif > 3 ? "" : "");
      if (ndif > 3) break;
    }
  }
}

TEST(TifLeitura, JpegEmTiff) {
  DIRTEMP d;
  for (uint16_t foto : {PHOTOMETRIC_MINISBLACK, PHOTOMETRIC_YCBCR}) {
    SCOPED_TRACE(foto);
    TIFFTESTE f = forma(8, foto == PHOTOMETRIC_YCBCR ? 3 : 1, foto, COMPRESSION_JPEG);
    f.nc = 64, f.nl = 32, f.rps = 16;
    f.amostras.clear();
    for (uint32_t i = 0; i < f.nc * f.nl; i++)
      for (int s = 0; s < f.spp; s++) f.amostras.push_back(90);
    ASSERT_TRUE(gravatif(f, d / "j.tif"));
    const IMGGRY g = lido<IMGGRY>(d / "j.tif");
    ASSERT_EQ(g.nl(), 32);
    ASSERT_EQ(g.nc(), 64);
    for (int i = 0; i < g.n(); i++) ASSERT_NEAR(g.data[i], 90, 2) << i;
  }
}

// A 2 x 3 page stored in each orientation reads as the page meant to be seen.
TEST(TifLeitura, OrientacaoRespeitada) {
  // The page as seen: rows 1 2 3 / 4 5 6.
  const std::vector<std::vector<unsigned>> guardado = {{},
                                                       {1, 2, 3, 4, 5, 6},
                                                       {3, 2, 1, 6, 5, 4},
                                                       {6, 5, 4, 3, 2, 1},
                                                       {4, 5, 6, 1, 2, 3},
                                                       {1, 4, 2, 5, 3, 6},
                                                       {3, 6, 2, 5, 1, 4},
                                                       {6, 3, 5, 2, 4, 1},
                                                       {4, 1, 5, 2, 6, 3}};
  DIRTEMP d;
  for (uint16_t o = 1; o <= 8; o++)
    for (bool rgba : {false, true}) {
      SCOPED_TRACE(std::to_string(o) + (rgba ? " rgba" : ""));
      TIFFTESTE f =
          forma(8, rgba ? 4 : 1, rgba ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE);
      const bool deitado = o >= 5;
      f.nl = deitado ? 3 : 2, f.nc = deitado ? 2 : 3, f.orient = o, f.extras = rgba;
      f.amostras.clear();
      for (unsigned v : guardado[o])
        for (int s = 0; s < f.spp; s++) f.amostras.push_back(s == 3 ? 255 : v * 10);
      ASSERT_TRUE(gravatif(f, d / "o.tif"));
      const IMGGRY g = lido<IMGGRY>(d / "o.tif");
      EXPECT_EQ(pixels(g), (std::vector<int>{10, 20, 30, 40, 50, 60}));
      EXPECT_EQ(g.nl(), 2);
    }
}

TEST(TifEscrita, VoltaIgualEmCadaClasse) {
  DIRTEMP d;
  IMGBIN b(33, 70, true);
  for (int i = 0; i < b.n(); i++)
    if (i % 3 == 0 || i % 7 == 0) b.poe(i / 70, i % 70, false);
  const IMGGRY g = cinza(33, 70);
  const IMGCOR c = colorida(33, 70);
  imp(b, (d / "b.tif").c_str(), 200);
  imp(g, (d / "g.tif").c_str());
  imp(c, (d / "c.tif").c_str());
  imppbmb(b, (d / "b.pbm").c_str());
  imppgmb(g, (d / "g.pgm").c_str());
  impppmb(c, (d / "c.ppm").c_str());
  EXPECT_TRUE(iguais(lido<IMGBIN>(d / "b.tif"), b));
  for (const char* f : {"b", "g", "c"}) {
    SCOPED_TRACE(f);
    const std::string tif = d / (std::string(f) + ".tif");
    const std::string pnm = d / (std::string(f) + (f[0] == 'b'   ? ".pbm"
                                                   : f[0] == 'g' ? ".pgm"
                                                                 : ".ppm"));
    EXPECT_EQ(pixels(lido<IMGGRY>(tif)), pixels(lido<IMGGRY>(pnm)));
    EXPECT_EQ(pixels(lido<IMGCOR>(tif)), pixels(lido<IMGCOR>(pnm)));
    EXPECT_EQ(valores(lido<IMGSHT>(tif)), valores(lido<IMGSHT>(pnm)));
    EXPECT_EQ(valores(lido<IMGFLT>(tif)), valores(lido<IMGFLT>(pnm)));
    EXPECT_EQ(valores(lido<IMGCPX>(tif)), valores(lido<IMGCPX>(pnm)));
  }
  // Writing leaves the image as it was (libtiff's predictor works in place on what it is given).
  EXPECT_EQ(pixels(g), pixels(cinza(33, 70)));
  // A bilevel page is CCITT G4, min-is-white, with its density.
  TIFF* t = TIFFOpen((d / "b.tif").c_str(), "r");
  ASSERT_TRUE(t);
  uint16_t comp = 0, foto = 9;
  TIFFGetField(t, TIFFTAG_COMPRESSION, &comp);
  TIFFGetField(t, TIFFTAG_PHOTOMETRIC, &foto);
  TIFFClose(t);
  EXPECT_EQ(comp, COMPRESSION_CCITTFAX4);
  EXPECT_EQ(foto, PHOTOMETRIC_MINISWHITE);
  EXPECT_EQ(densidade((d / "b.tif").c_str()).x, 200);
  EXPECT_FALSE(densidade((d / "g.tif").c_str()).conhecida());
}

TEST(TifPaginas, ContaLeEAnexa) {
  DIRTEMP d;
  const std::string nome = d / "p.tif";
  IMGBIN b(40, 50, true);
  b.poe(0, 0, false);
  imptif(b, nome.c_str(), 200);
  imptif(cinza(30, 20), nome.c_str(), 300, true);
  imptif(colorida(10, 11), nome.c_str(), 0, true);
  EXPECT_EQ(npaginastif(nome.c_str()), 3);
  EXPECT_TRUE(iguais(lido<IMGBIN>(nome), b));  // le reads the first page
  IMGGRY g;
  letif(g, nome.c_str(), 1);
  EXPECT_EQ(pixels(g), pixels(cinza(30, 20)));
  IMGCOR c;
  letif(c, nome.c_str(), 2);
  EXPECT_EQ(pixels(c), pixels(colorida(10, 11)));
  EXPECT_EQ(densidade(nome.c_str(), 1).x, 300);
  EXPECT_FALSE(densidade(nome.c_str(), 2).conhecida());
  for (int k : {3, -1})
    EXPECT_EXIT(letif(g, nome.c_str(), k), ::testing::ExitedWithCode(1),
                relato("Erro LeTif - Pagina inexistente", nome));
  // Appending to what is not a TIFF is refused without touching it.
  escrevearquivo(d / "x.tif", "nao e tiff");
  EXPECT_EXIT(imptif(b, (d / "x.tif").c_str(), 0, true), ::testing::ExitedWithCode(1),
              "^Erro ImpTif - Abertura de \\(.*\\) .*x\\.tif\n$");
  EXPECT_EQ(learquivo(d / "x.tif"), "nao e tiff");
}

// A TIFF of one 8-bit grey strip claiming nc x nl pixels, its data offset past the header.
std::string cabecalhotif(uint32_t nc, uint32_t nl, uint16_t comp, uint32_t nbytes) {
  std::string s("II*\0\x08\0\0\0", 8);
  auto p16 = [&s](uint16_t v) { s += static_cast<char>(v), s += static_cast<char>(v >> 8); };
  auto p32 = [&s](uint32_t v) {
    for (int k = 0; k < 4; k++) s += static_cast<char>(v >> (8 * k));
  };
  const uint16_t n = 8;
  p16(n);
  auto e = [&](uint16_t tag, uint16_t tipo, uint32_t v) {
    p16(tag), p16(tipo), p32(1);
    if (tipo == 3)
      p16(static_cast<uint16_t>(v)), p16(0);
    else
      p32(v);
  };
  const uint32_t dados = 8 + 2 + 12 * n + 4;
  e(256, 4, nc), e(257, 4, nl), e(258, 3, 8), e(259, 3, comp), e(262, 3, 1), e(273, 4, dados),
      e(278, 4, nl), e(279, 4, nbytes);
  p32(0);
  return s + std::string(64, '\0');
}

TEST(TifHostil, RelatosClarosSemAlocarOQueOArquivoNaoTem) {
  DIRTEMP d;
  imp(cinza(40, 40), (d / "bom.tif").c_str());
  const std::string bom = learquivo(d / "bom.tif");
  struct {
    const char* nome;
    std::string bytes;
    std::string msg;  // a pattern
  } casos[] = {
      {"enorme.tif", cabecalhotif(100000, 100000, 8, 64),
       "^Erro LeTif - Imagem grande demais .*\n$"},
      {"mentira.tif", cabecalhotif(9000, 9000, 1, 64), "^Erro LeTif - Imagem grande demais .*\n$"},
      {"bomba.tif", cabecalhotif(15000, 15000, 8, 64), "^Erro LeTif - Imagem grande demais .*\n$"},
      {"dados.tif", cabecalhotif(30, 30, 1, 64), "^Erro LeTif - TIFF invalido \\(.*\\) .*\n$"},
      {"cortado.tif", bom.substr(0, 12), "^Erro LeTif - TIFF invalido \\(.*\\) .*\n$"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    const std::string nome = d / c.nome;
    escrevearquivo(nome, c.bytes);
    EXPECT_EXIT((limitamemoria(), lido<IMGGRY>(nome)), ::testing::ExitedWithCode(1), c.msg);
  }
  EXPECT_EXIT(imp(IMGBIN(5, 0), (d / "v.tif").c_str()), ::testing::ExitedWithCode(1),
              relato("Erro ImpTif - Imagem vazia", d / "v.tif"));
  EXPECT_FALSE(existe(d / "v.tif"));
}

}  // namespace
