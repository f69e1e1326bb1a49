// Interoperability with independent tools: netpbm for the portable bitmap family, cjpeg and
// djpeg for JPEG. Pixels are compared, not just the fact that a file opened.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "apoio.h"
#include "pares.h"
#include "core/imagens.h"
#include "core/relato.h"
#include "io/leimp.h"
#include "io/pnm.h"
#include "imagens_teste.h"

namespace {

int maiordiferenca(const std::vector<int>& a, const std::vector<int>& b) {
  if (a.size() != b.size()) return 1 << 20;
  int m = 0;
  for (size_t i = 0; i < a.size(); i++) m = std::max(m, std::abs(a[i] - b[i]));
  return m;
}

// 37 columns, so that P4 rows end inside a byte; the black background sets our padding bits.
IMGBIN documento() {
  IMGBIN b(5, 37, true);
  for (int i = 0; i < b.n(); i++)
    if (i % 3 == 0 || i % 7 == 0) b(i / 37, i % 37) = false;
  b.backg = false;
  return b;
}

// netpbm re-encodes each of our files in the other form (plain <-> raw); reading that back
// gives our pixels only if netpbm read our file right.
TEST(Netpbm, LeOQueEscrevemos) {
  EXIGE("pnmtopnm", "netpbm");
  IMGGRY g = cinza(7, 45);
  IMGCOR c = colorida(7, 45);
  IMGBIN b = documento();
  struct CASO {
    const char* nome;
    std::function<void(const char*)> escreve;
    const char* conversao;
    std::function<std::vector<int>(const std::string&)> le;
    std::vector<int> esperado;
  } casos[] = {
      {"P5", [&](const char* n) { imppgmb(g, n); }, "pnmtopnm -plain",
       [](const std::string& n) {
         IMGGRY i;
         lepgmt(i, n.c_str());
         return pixels(i);
       },
       pixels(g)},
      {"P2", [&](const char* n) { imppgmt(g, n); }, "pnmtopnm",
       [](const std::string& n) {
         IMGGRY i;
         lepgmb(i, n.c_str());
         return pixels(i);
       },
       pixels(g)},
      {"P6", [&](const char* n) { impppmb(c, n); }, "pnmtopnm -plain",
       [](const std::string& n) {
         IMGCOR i;
         leppmt(i, n.c_str());
         return pixels(i);
       },
       pixels(c)},
      {"P3", [&](const char* n) { impppmt(c, n); }, "pnmtopnm",
       [](const std::string& n) {
         IMGCOR i;
         leppmb(i, n.c_str());
         return pixels(i);
       },
       pixels(c)},
      // netpbm's plain PBM packs the digits together, which our P1 reader refuses, so both of
      // our PBM forms come back through raw P4.
      {"P4", [&](const char* n) { imppbmb(b, n); }, "pnmtopnm",
       [](const std::string& n) {
         IMGBIN i;
         lepbmb(i, n.c_str());
         return pixels(i);
       },
       pixels(b)},
      {"P1", [&](const char* n) { imppbmt(b, n); }, "pnmtopnm",
       [](const std::string& n) {
         IMGBIN i;
         lepbmb(i, n.c_str());
         return pixels(i);
       },
       pixels(b)},
  };
  DIRTEMP d;
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.nome);
    k.escreve((d / "nosso").c_str());
    roda(std::string(k.conversao) + " nosso > deles", d);
    EXPECT_EQ(k.le(d / "deles"), k.esperado);
  }
}

std::vector<int> repete(int n, std::function<int(int)> f) {
  std::vector<int> v;
  for (int i = 0; i < n; i++) v.push_back(f(i));
  return v;
}

TEST(Netpbm, LemosOQueEscreve) {
  EXIGE("pgmramp", "netpbm");
  auto gry = [](const std::string& n) { return pixels(lido<IMGGRY>(n)); };
  auto cor = [](const std::string& n) { return pixels(lido<IMGCOR>(n)); };
  auto bin = [](const std::string& n) { return pixels(lido<IMGBIN>(n)); };
  auto rampa = repete(3 * 256, [](int i) { return i % 256; });
  struct CASO {
    const char* cmd;
    std::function<std::vector<int>(const std::string&)> le;
    std::vector<int> esperado;
  } casos[] = {
      {"pgmramp -lr 256 3", gry, rampa},
      {"pgmramp -lr 256 3 -plain", gry, rampa},
      {"pgmramp -lr -maxval 15 16 2", gry, repete(32, [](int i) { return 17 * (i % 16); })},
      {"pgmramp -lr -maxval 1000 11 1 -plain", gry,
       repete(11, [](int i) { return static_cast<int>(std::floor(25.5 * i + 0.5)); })},
      {"ppmmake rgb:10/20/30 5 4", cor, repete(60, [](int i) { return 16 * (i % 3 + 1); })},
      {"ppmmake rgb:10/20/30 5 4 -plain", cor, repete(60, [](int i) { return 16 * (i % 3 + 1); })},
      {"pbmmake -black 13 3", bin, std::vector<int>(39, 0)},
      {"pbmmake -white 3 2 | pnmpad -black -left=2", bin,
       repete(10, [](int i) { return i % 5 >= 2; })},
  };
  DIRTEMP d;
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.cmd);
    roda(std::string(k.cmd) + " > deles", d);
    EXPECT_EQ(k.le(d / "deles"), k.esperado);
  }
  // A checkerboard in raw PBM: every neighbour differs.
  roda("pbmmake -gray 13 3 > xadrez", d);
  IMGBIN x = lido<IMGBIN>(d / "xadrez");
  ASSERT_EQ(x.nl(), 3);
  ASSERT_EQ(x.nc(), 13);
  for (int l = 0; l < 3; l++)
    for (int c = 0; c + 1 < 13; c++) EXPECT_NE(x(l, c), x(l, c + 1)) << l << "," << c;
  EXPECT_NE(x(0, 0), x(1, 0));
  // netpbm's plain PBM writes its digits together; this reader wants one token per pixel.
  roda("pbmmake -white 4 1 -plain > junto", d);
  EXPECT_EXIT(lido<IMGBIN>(d / "junto"), ::testing::ExitedWithCode(1), relato("LeNum(bool)"));
}

// djpeg's decode of our files matches our own decode.
TEST(Jpeg, DjpegLeOQueEscrevemos) {
  EXIGE("djpeg", "libjpeg-turbo-progs");
  DIRTEMP d;
  cinza(50, 70).ImpJpg((d / "g.jpg").c_str(), 85);
  colorida(50, 70).ImpJpg((d / "c.jpg").c_str(), 85);
  roda("djpeg -pnm g.jpg > g.pgm && djpeg -pnm c.jpg > c.ppm", d);
  EXPECT_LE(maiordiferenca(pixels(lido<IMGGRY>(d / "g.pgm")), pixels(lido<IMGGRY>(d / "g.jpg"))),
            1);
  EXPECT_LE(maiordiferenca(pixels(lido<IMGCOR>(d / "c.ppm")), pixels(lido<IMGCOR>(d / "c.jpg"))),
            1);
}

// cjpeg's files, in its usual and its rarer codings, read here close to their source.
TEST(Jpeg, LemosOQueCjpegEscreve) {
  EXIGE("cjpeg", "libjpeg-turbo-progs");
  DIRTEMP d;
  IMGGRY g = cinza(50, 70);
  IMGCOR c = colorida(50, 70);
  imppgmb(g, (d / "g.pgm").c_str());
  impppmb(c, (d / "c.ppm").c_str());
  for (const char* opcoes :
       {"-quality 95", "-quality 95 -progressive", "-quality 95 -arithmetic"}) {
    SCOPED_TRACE(opcoes);
    roda(std::string("cjpeg ") + opcoes + " g.pgm > g.jpg && cjpeg " + opcoes + " c.ppm > c.jpg",
         d);
    EXPECT_LE(maiordiferenca(pixels(lido<IMGGRY>(d / "g.jpg")), pixels(g)), 4);
    EXPECT_LE(maiordiferenca(pixels(lido<IMGCOR>(d / "c.jpg")), pixels(c)), 8);
  }
  // Arithmetic coding packs a blank page into a few hundred bytes: far more pixels per byte
  // than a truthful Huffman file could hold, so the reader checks the stream before sizing.
  imppgmb(IMGGRY(1500, 1200, 255), (d / "branca.pgm").c_str());
  roda("cjpeg -arithmetic branca.pgm > branca.jpg", d);
  ASSERT_LT(learquivo(d / "branca.jpg").size(), 1500 * 1200 / 256u);
  IMGGRY b = lido<IMGGRY>(d / "branca.jpg");
  ASSERT_EQ(b.nl(), 1500);
  ASSERT_EQ(b.nc(), 1200);
  EXPECT_LE(maiordiferenca(pixels(b), std::vector<int>(b.n(), 255)), 1);
  // A progressive file keeps every coefficient of the image in the codec's memory, which the
  // reader caps by the file's size: a blank 400 dpi page, the most compressed page there is,
  // still reads.
  imppgmb(IMGGRY(4400, 3400, 255), (d / "pagina.pgm").c_str());
  roda("cjpeg -progressive -arithmetic pagina.pgm > pagina.jpg", d);
  IMGGRY p = lido<IMGGRY>(d / "pagina.jpg");
  ASSERT_EQ(p.nl(), 4400);
  EXPECT_LE(maiordiferenca(pixels(p), std::vector<int>(p.n(), 255)), 1);
}

}  // namespace
