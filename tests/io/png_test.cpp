// PNG files: every layout libpng writes, read into the classes; our writers read back; hostile
// headers; the density.
#include "io/png.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
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

constexpr int NL = 9, NC = 11;  // odd sizes, and enough rows for every interlace pass

// Sample s of pixel i in a layout of b bits: a pattern that uses the whole range.
unsigned valor(int i, int s, int b) { return static_cast<unsigned>((i * 7 + s * 13) % (1 << b)); }

std::vector<unsigned> amostras(int k, int b) {
  std::vector<unsigned> v;
  for (int i = 0; i < NL * NC; i++)
    for (int s = 0; s < k; s++) v.push_back(valor(i, s, b));
  return v;
}

BYTE oito(unsigned v, int b) {
  return b == 16 ? static_cast<BYTE>(std::lround(v / 257.0))
                 : static_cast<BYTE>(v * 255 / ((1u << b) - 1));
}

// Alpha a over white, as libpng composites.
BYTE sobrebranco(unsigned v, unsigned a) {
  return static_cast<BYTE>((v * a + 255 * (255 - a) + 127) / 255);
}

struct CASO {
  const char* nome;
  PNGTESTE f;
  std::function<COR(int i)> esperado;  // colour of pixel i
};

PNGTESTE forma(int bits, int tipo, bool entrelacado = false) {
  PNGTESTE f;
  f.nc = NC, f.nl = NL, f.bits = bits, f.tipo = tipo, f.entrelacado = entrelacado;
  f.amostras = amostras(f.canais(), bits);
  return f;
}

COR cinzento(BYTE v) { return COR(v, v, v); }

std::vector<CASO> casos() {
  std::vector<CASO> c;
  for (int b : {1, 2, 4, 8, 16})
    c.push_back({"cinza", forma(b, PNG_COLOR_TYPE_GRAY),
                 [b](int i) { return cinzento(oito(valor(i, 0, b), b)); }});
  c.push_back({"cinza entrelacado 8", forma(8, PNG_COLOR_TYPE_GRAY, true),
               [](int i) { return cinzento(oito(valor(i, 0, 8), 8)); }});
  c.push_back({"cinza entrelacado 1", forma(1, PNG_COLOR_TYPE_GRAY, true),
               [](int i) { return cinzento(oito(valor(i, 0, 1), 1)); }});
  for (int b : {8, 16})
    c.push_back({"rgb", forma(b, PNG_COLOR_TYPE_RGB), [b](int i) {
                   return COR(oito(valor(i, 0, b), b), oito(valor(i, 1, b), b),
                              oito(valor(i, 2, b), b));
                 }});
  c.push_back({"cinza e alfa", forma(8, PNG_COLOR_TYPE_GRAY_ALPHA),
               [](int i) { return cinzento(sobrebranco(valor(i, 0, 8), valor(i, 1, 8))); }});
  c.push_back({"rgba", forma(8, PNG_COLOR_TYPE_RGB_ALPHA), [](int i) {
                 unsigned a = valor(i, 3, 8);
                 return COR(sobrebranco(valor(i, 0, 8), a), sobrebranco(valor(i, 1, 8), a),
                            sobrebranco(valor(i, 2, 8), a));
               }});
  PNGTESTE pal = forma(4, PNG_COLOR_TYPE_PALETTE);
  for (int k = 0; k < 16; k++)
    pal.paleta.push_back({static_cast<png_byte>(k * 16), static_cast<png_byte>(255 - k),
                          static_cast<png_byte>(k * 5)});
  c.push_back({"paleta", pal, [](int i) {
                 unsigned k = valor(i, 0, 4);
                 return COR(static_cast<BYTE>(k * 16), static_cast<BYTE>(255 - k),
                            static_cast<BYTE>(k * 5));
               }});
  PNGTESTE trns = forma(8, PNG_COLOR_TYPE_GRAY);
  trns.comtrns = true;
  trns.trnscor.gray = 0;  // black is transparent: it reads as white
  c.push_back({"cinza com trns", trns, [](int i) {
                 unsigned v = valor(i, 0, 8);
                 return cinzento(v == 0 ? 255 : static_cast<BYTE>(v));
               }});
  return c;
}

std::string nomecaso(const CASO& c) {
  return std::string(c.nome) + " " + std::to_string(c.f.bits) + " bits";
}

TEST(PngLeitura, CadaFormaEmCinzaECor) {
  DIRTEMP d;
  for (const CASO& c : casos()) {
    SCOPED_TRACE(nomecaso(c));
    const std::string nome = d / "f.png";
    gravapng(c.f, nome);
    IMGCOR cor;
    le(cor, nome.c_str());
    IMGGRY gry;
    le(gry, nome.c_str());
    ASSERT_EQ(cor.nl(), NL);
    ASSERT_EQ(cor.nc(), NC);
    ASSERT_EQ(gry.nl(), NL);
    for (int i = 0; i < NL * NC; i++) {
      const COR e = c.esperado(i);
      ASSERT_EQ(cor.data[i], e) << "pixel " << i;
      ASSERT_EQ(gry.data[i], IMGGRY(IMGCOR(1, 1, {e})).data[0]) << "pixel " << i;
    }
  }
}

TEST(PngLeitura, UmBitEmIMGBINBrancoEhTrue) {
  DIRTEMP d;
  PNGTESTE f = forma(1, PNG_COLOR_TYPE_GRAY);
  gravapng(f, d / "b.png");
  IMGBIN b;
  le(b, (d / "b.png").c_str());
  ASSERT_EQ(b.nl(), NL);
  ASSERT_EQ(b.nc(), NC);
  for (int i = 0; i < NL * NC; i++) EXPECT_EQ(b.pega(i / NC, i % NC), f.amostras[i] == 1) << i;
  EXPECT_TRUE(b.backg);
}

// 16-bit grey keeps its precision in the float classes (scaled to 0..1, as 8-bit grey is).
TEST(PngLeitura, DezesseisBitsGuardamPrecisao) {
  DIRTEMP d;
  PNGTESTE f = forma(16, PNG_COLOR_TYPE_GRAY);
  f.amostras[0] = 65535, f.amostras[1] = 1, f.amostras[2] = 32896;
  gravapng(f, d / "g.png");
  IMGFLT flt;
  le(flt, (d / "g.png").c_str());
  IMGDBL dbl;
  le(dbl, (d / "g.png").c_str());
  for (int i = 0; i < NL * NC; i++) {
    EXPECT_FLOAT_EQ(flt.data[i], static_cast<float>(f.amostras[i] / 65535.0)) << i;
    EXPECT_NEAR(dbl.data[i], f.amostras[i] / 65535.0, 1e-7) << i;
  }
  IMGGRY g;
  le(g, (d / "g.png").c_str());
  EXPECT_EQ(g.data[0], 255);
  EXPECT_EQ(g.data[1], 0);
  EXPECT_EQ(g.data[2], 128);
}

// Our writers, read back by our reader and compared with the same pixels through PGM/PPM/PBM:
// every class reads a PNG as it reads the portable map of the same pixels.
TEST(PngEscrita, VoltaIgualEmCadaClasse) {
  DIRTEMP d;
  for (auto [nl, nc] : {std::pair{1, 1}, {3, 37}, {70, 33}}) {
    SCOPED_TRACE(std::to_string(nl) + "x" + std::to_string(nc));
    IMGBIN b(nl, nc, true);
    for (int i = 0; i < b.n(); i++)
      if (i % 3 == 0 || i % 7 == 0) b.poe(i / nc, i % nc, false);
    const IMGGRY g = cinza(nl, nc);
    const IMGCOR c = colorida(nl, nc);
    imp(b, (d / "b.png").c_str());
    imp(g, (d / "g.png").c_str());
    imp(c, (d / "c.png").c_str());
    imppbmb(b, (d / "b.pbm").c_str());
    imppgmb(g, (d / "g.pgm").c_str());
    impppmb(c, (d / "c.ppm").c_str());
    IMGBIN bl;
    le(bl, (d / "b.png").c_str());
    EXPECT_TRUE(iguais(bl, b));
    for (const char* f : {"b", "g", "c"}) {
      SCOPED_TRACE(f);
      const std::string png = d / (std::string(f) + ".png");
      const std::string pnm = d / (std::string(f) + (f[0] == 'b'   ? ".pbm"
                                                     : f[0] == 'g' ? ".pgm"
                                                                   : ".ppm"));
      EXPECT_EQ(pixels(lido<IMGGRY>(png)), pixels(lido<IMGGRY>(pnm)));
      EXPECT_EQ(pixels(lido<IMGCOR>(png)), pixels(lido<IMGCOR>(pnm)));
      EXPECT_EQ(valores(lido<IMGSHT>(png)), valores(lido<IMGSHT>(pnm)));
      EXPECT_EQ(valores(lido<IMGFLT>(png)), valores(lido<IMGFLT>(pnm)));
      EXPECT_EQ(valores(lido<IMGDBL>(png)), valores(lido<IMGDBL>(pnm)));
      EXPECT_EQ(valores(lido<IMGCPX>(png)), valores(lido<IMGCPX>(pnm)));
    }
  }
}

TEST(PngEscrita, DensidadeGravadaEOutrasClasses) {
  DIRTEMP d;
  imp(cinza(4, 4), (d / "a.png").c_str(), 300);
  DENSIDADE a = densidade((d / "a.png").c_str());
  EXPECT_EQ(a.x, 300);
  EXPECT_EQ(a.y, 300);
  imp(cinza(4, 4), (d / "b.png").c_str());
  EXPECT_FALSE(densidade((d / "b.png").c_str()).conhecida());
  // Float classes go through grey, as they do to TGA; complex images are refused.
  imp(IMGFLT(cinza(4, 4)), (d / "f.png").c_str());
  EXPECT_EQ(pixels(lido<IMGGRY>(d / "f.png")), pixels(IMGGRY(IMGFLT(cinza(4, 4)))));
  EXPECT_EXIT(imp(IMGCPX(2, 2), (d / "x.png").c_str()), ::testing::ExitedWithCode(1),
              relato(d / "x.png", " Erro: IMGCPX deve ser impresso como TXT (MAT), ou IMG"));
  EXPECT_EXIT(imp(IMGGRY(0, 5), (d / "v.png").c_str()), ::testing::ExitedWithCode(1),
              relato("Erro ImpPng - Imagem vazia", d / "v.png"));
  EXPECT_FALSE(existe(d / "v.png"));
}

// A PNG of one IHDR and an IEND, with their CRCs, claiming nc x nl pixels of 8-bit grey.
std::string cabecalhopng(uint32_t nc, uint32_t nl, const std::string& idat = "") {
  auto chunk = [](const std::string& tipo, const std::string& dados) {
    std::string s;
    uint32_t n = static_cast<uint32_t>(dados.size());
    for (int k = 3; k >= 0; k--) s += static_cast<char>(n >> (8 * k));
    std::string td = tipo + dados;
    uint32_t c = crc32(0, reinterpret_cast<const Bytef*>(td.data()), static_cast<uInt>(td.size()));
    s += td;
    for (int k = 3; k >= 0; k--) s += static_cast<char>(c >> (8 * k));
    return s;
  };
  std::string ihdr;
  for (uint32_t v : {nc, nl})
    for (int k = 3; k >= 0; k--) ihdr += static_cast<char>(v >> (8 * k));
  ihdr += std::string("\x08\x00\x00\x00\x00", 5);
  std::string s = "\x89PNG\r\n\x1a\n" + chunk("IHDR", ihdr);
  if (!idat.empty()) s += chunk("IDAT", idat);
  return s + chunk("IEND", "");
}

TEST(PngHostil, RelatosClarosSemAlocarOQueOArquivoNaoTem) {
  DIRTEMP d;
  imp(cinza(40, 40), (d / "bom.png").c_str());
  const std::string bom = learquivo(d / "bom.png");
  const std::string idat("\x78\x9c\x63\x00\x00\x00\x01\x00\x01", 9);  // one zero byte, deflated
  struct {
    const char* nome;
    std::string bytes, msg;
  } casos[] = {
      {"enorme.png", cabecalhopng(100000, 100000, idat), "Erro LePng - Imagem grande demais"},
      {"mentira.png", cabecalhopng(9000, 9000, idat), "Erro LePng - Imagem grande demais"},
      {"cortado.png", bom.substr(0, bom.size() / 2), "Erro LePng - PNG invalido (Read Error)"},
      {"largura0.png", cabecalhopng(0, 10, idat), "Erro LePng - PNG invalido (Invalid IHDR data)"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    const std::string nome = d / c.nome;
    escrevearquivo(nome, c.bytes);
    EXPECT_EXIT((limitamemoria(), lido<IMGGRY>(nome)), ::testing::ExitedWithCode(1),
                relato(c.msg, nome));
  }
  EXPECT_EXIT(lido<IMGGRY>(d / "falta.png"), ::testing::ExitedWithCode(1),
              relato("Erro TipoImg - Abertura ", d / "falta.png"));
}

}  // namespace
