#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "apoio.h"
#include "impressao.h"
#include "io/leimp.h"
#include "pagina.h"
#include "retangulo.h"

namespace {

PARAMSCAN params(double toner, double ganho, double borrao, double ruido) {
  PARAMSCAN p;
  p.toner = toner;
  p.ganho = ganho;
  p.borrao = borrao;
  p.ruido = ruido;
  return p;
}

bool uniforme(const IMGBIN& d, int l, int c, int r) {
  bool v = d.pega(l, c);
  for (int i = l - r; i <= l + r; i++)
    for (int j = c - r; j <= c + r; j++)
      if (d.pega(i, j) != v) return false;
  return true;
}

// The 16 pixels at Chebyshev distance 2, as the dot detector sees them.
std::vector<int> anel(const IMGGRY& g, int l, int c) {
  std::vector<int> v;
  for (int i = -2; i <= 2; i++)
    for (int j = -2; j <= 2; j++)
      if (std::max(std::abs(i), std::abs(j)) == 2) v.push_back(g.lin[l + i][c + j]);
  return v;
}

int media3(const IMGGRY& g, int l, int c) {
  int s = 0;
  for (int i = -1; i <= 1; i++)
    for (int j = -1; j <= 1; j++) s += g.lin[l + i][c + j];
  return (s + 4) / 9;
}

// Margin, in grey levels, by which the best dot near the centre beats its whole ring, within
// the ring brightness that the detector accepts for that kind of dot.
int contraste(const IMGGRY& g, bool negativo) {
  int melhor = -255;
  for (int l = g.nl() / 2 - 15; l <= g.nl() / 2 + 15; l++)
    for (int c = g.nc() / 2 - 15; c <= g.nc() / 2 + 15; c++) {
      std::vector<int> r = anel(g, l, c);
      int mn = *std::min_element(r.begin(), r.end()), mx = *std::max_element(r.begin(), r.end());
      int v = g.lin[l][c];
      if (negativo && mn >= 192 && media3(g, l, c) <= 244) melhor = std::max(melhor, mn - v);
      if (!negativo && mx <= 128) melhor = std::max(melhor, v - mx);
    }
  return melhor;
}

bool iguais(const IMGGRY& a, const IMGGRY& b) {
  return a.nl() == b.nl() && a.nc() == b.nc() && std::equal(a.data, a.data + a.n(), b.data);
}

}  // namespace

TEST(Printscan, PaginaNaMesmaResolucaoGuardaPretoEBranco) {
  PARAMSCAN cinza = params(0.8, 0, 0.5, 2);
  cinza.cinza = true;
  const PARAMSCAN casos[] = {PARAMSCAN(), params(1.0, 0.05, 0.6, 3), cinza};
  IMGBIN doc = geradoc(1100, 850, 200, 3);
  for (const PARAMSCAN& p : casos) {
    SCOPED_TRACE("toner " + std::to_string(p.toner));
    IMGGRY g = printscan(doc, p);
    ASSERT_EQ(g.nl(), doc.nl());
    ASSERT_EQ(g.nc(), doc.nc());
    long pretos = 0, brancos = 0;
    for (int l = 2; l < doc.nl() - 2; l++)
      for (int c = 2; c < doc.nc() - 2; c++) {
        if (!uniforme(doc, l, c, 2)) continue;
        int v = g.lin[l][c];
        if (doc.pega(l, c)) {
          brancos++;
          ASSERT_GT(v, 200) << l << "," << c;
        } else {
          pretos++;
          ASSERT_LT(v, 100) << l << "," << c;
        }
      }
    EXPECT_GT(pretos, 10000);
    EXPECT_GT(brancos, 500000);
  }
}

TEST(Printscan, PontoIsoladoContinuaDetectavel) {
  // A black 2 x 2 dot on white and a white 3 x 3 dot in black, both at the page centre.
  IMGBIN neg(120, 120, true), pos(120, 120, false);
  retangulo(neg, 59, 59, 2, 2, false);
  retangulo(pos, 59, 59, 3, 3, true);
  struct CASO {
    const char* nome;
    PARAMSCAN p;
  };
  std::vector<CASO> casos = {
      {"sem distorcao", PARAMSCAN()},
      {"toner e scanner", params(1.2, 0.1, 0.8, 3)},
      {"ganho negativo", params(1.0, -0.1, 0.7, 2)},
  };
  CASO rodado = {"rodado", params(0.8, 0, 0.5, 2)};
  rodado.p.rot = 0.7;
  rodado.p.giro = 1;
  rodado.p.borda = 20;
  // Other printer ratios: 2 printer pixels per document pixel, and 1.5 (not a whole number).
  CASO a300 = {"documento a 300 dpi", params(1.0, 0, 0.8, 2)};
  a300.p.dpidoc = 300;
  CASO a400 = {"documento a 400 dpi", params(0.8, 0, 0.6, 3)};
  a400.p.dpidoc = 400;
  casos.insert(casos.end(), {rodado, a300, a400});
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    EXPECT_GE(contraste(printscan(neg, c.p), true), 19);
    EXPECT_GE(contraste(printscan(pos, c.p), false), 19);
  }
}

TEST(Printscan, GeometriaTamanhoESentido) {
  struct PONTO {
    int l, c;
    bool escuro;
  };
  struct CASO {
    const char* nome;
    PARAMSCAN p;
    bool docpreto;
    int nl, nc;
    std::vector<PONTO> pontos;
  };
  // A 100 x 80 page with a black 10 x 10 block at rows and columns 5 .. 14.
  auto com = [](auto f) {
    PARAMSCAN p;
    f(p);
    return p;
  };
  const CASO casos[] = {
      {"nada", PARAMSCAN(), false, 100, 80, {{10, 10, true}, {10, 69, false}}},
      {"giro 1 horario", com([](PARAMSCAN& p) { p.giro = 1; }), false, 80, 100,
       {{10, 89, true}, {10, 10, false}}},
      {"giro 2", com([](PARAMSCAN& p) { p.giro = 2; }), false, 100, 80,
       {{89, 69, true}, {10, 10, false}}},
      {"giro 3", com([](PARAMSCAN& p) { p.giro = 3; }), false, 80, 100,
       {{69, 10, true}, {10, 10, false}}},
      {"giro -1 = 3", com([](PARAMSCAN& p) { p.giro = -1; }), false, 80, 100, {{69, 10, true}}},
      {"borda", com([](PARAMSCAN& p) { p.borda = 6; }), true, 112, 92,
       {{2, 2, false}, {109, 50, false}, {6, 6, true}, {105, 85, true}}},
      {"corte", com([](PARAMSCAN& p) { p.corte = 4; }), false, 92, 72,
       {{1, 1, true}, {12, 12, false}}},
      {"scan a 300 dpi", com([](PARAMSCAN& p) { p.dpiscan = 300; }), false, 150, 120,
       {{20, 20, true}, {25, 25, false}}},
      {"scan a 100 dpi, giro e borda",
       com([](PARAMSCAN& p) { p.dpiscan = 100, p.giro = 1, p.borda = 3; }), false, 46, 56,
       {{7, 47, true}}},
      // Clockwise: the block, up and left of the centre, swings towards the top edge.
      {"rotacao horaria", com([](PARAMSCAN& p) { p.rot = 10; }), false, 100, 80,
       {{6, 17, true}, {10, 10, false}}},
      {"rotacao preenche de branco", com([](PARAMSCAN& p) { p.rot = 10; }), true, 100, 80,
       {{0, 79, false}, {99, 0, false}, {50, 40, true}}},
  };
  IMGBIN bloco(100, 80, true);
  retangulo(bloco, 5, 5, 10, 10, false);
  const IMGBIN preto(100, 80, false);
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    IMGGRY g = printscan(c.docpreto ? preto : bloco, c.p);
    ASSERT_EQ(g.nl(), c.nl);
    ASSERT_EQ(g.nc(), c.nc);
    for (const PONTO& q : c.pontos) {
      int v = g.lin[q.l][q.c];
      if (q.escuro) EXPECT_LT(v, 100) << q.l << "," << q.c;
      else EXPECT_GT(v, 200) << q.l << "," << q.c;
    }
  }
}

TEST(Printscan, GanhoDePontoEngrossaOPreto) {
  // Thin strokes, where one printer pixel more or less on each edge shows in the scan. The
  // fused toner is binary on the printer grid, so with a spread of 1 the edges move only once
  // the threshold passes 0.5 -+ 0.19, the spread values next to a straight edge.
  IMGBIN doc(60, 60, true);
  for (int c = 6; c < 54; c += 8) retangulo(doc, 5, c, 50, 2, false);
  long anterior = -1;
  for (double g : {-0.3, 0.0, 0.3}) {
    IMGGRY s = printscan(doc, params(1.0, g, 0, 0));
    long tinta = 0;
    for (int i = 0; i < s.n(); i++) tinta += 245 - s.data[i];
    EXPECT_GT(tinta, anterior) << "ganho " << g;
    anterior = tinta;
  }
}

TEST(Printscan, ContrasteDoPapelEDoToner) {
  struct CASO {
    int branco, preto;
  };
  IMGBIN doc(40, 40, true);
  retangulo(doc, 0, 0, 40, 20, false);
  for (CASO c : {CASO{245, 25}, CASO{220, 60}, CASO{255, 0}}) {
    PARAMSCAN p;
    p.branco = c.branco;
    p.preto = c.preto;
    IMGGRY g = printscan(doc, p);
    for (int l = 0; l < 40; l++) {
      ASSERT_EQ(g.lin[l][5], c.preto);
      ASSERT_EQ(g.lin[l][35], c.branco);
    }
  }
}

TEST(Printscan, RuidoSegueASementeEOSigma) {
  IMGBIN doc(200, 200, true);
  PARAMSCAN p = params(0, 0, 0, 4);
  p.semente = 11;
  IMGGRY a = printscan(doc, p);
  EXPECT_TRUE(iguais(a, printscan(doc, p)));
  p.semente = 12;
  EXPECT_FALSE(iguais(a, printscan(doc, p)));
  double s = 0, s2 = 0;
  for (int i = 0; i < a.n(); i++) s += a.data[i], s2 += double(a.data[i]) * a.data[i];
  double m = s / a.n(), dp = std::sqrt(s2 / a.n() - m * m);
  EXPECT_NEAR(m, 245, 0.3);
  EXPECT_NEAR(dp, 4, 0.3);  // rounding adds about 0.04 to the variance
}

TEST(ProgramaPrintscan, EscreveOMesmoScanQueABiblioteca) {
  DIRTEMP d;
  IMGBIN doc = geradoc(440, 340, 200, 6);
  imp(doc, (d / "doc.bmp").c_str());
  SAIDA s = executa(programa("printscan"),
                    {d / "doc.bmp", d / "scan.tga", "--toner", "1.2", "--ganho", "0.05", "--rot",
                     "0.4", "--giro", "1", "--borda", "5", "--borrao", "0.7", "--ruido", "2.5",
                     "--semente", "9", "--dpi-scan", "300", "--branco", "240", "--preto", "30"});
  ASSERT_EQ(s.status, 0) << s.err;
  PARAMSCAN p = params(1.2, 0.05, 0.7, 2.5);
  p.rot = 0.4, p.giro = 1, p.borda = 5, p.semente = 9, p.dpiscan = 300, p.branco = 240,
  p.preto = 30;
  IMGGRY lido;
  le(lido, (d / "scan.tga").c_str());
  EXPECT_TRUE(iguais(lido, printscan(doc, p)));
}

TEST(ProgramaPrintscan, UsoListaAsOpcoesEArgumentosErradosFalham) {
  const std::vector<std::vector<std::string>> casos = {
      {"--help"}, {}, {"a.bmp"}, {"a.bmp", "b.tga", "--toner"}, {"a.bmp", "b.tga", "--xyz", "1"},
      {"a.bmp", "b.tga", "--giro", "1.5"}, {"a.bmp", "b.tga", "c"},
  };
  DIRTEMP d;
  for (const auto& args : casos) {
    SAIDA s = executa(programa("printscan"), args, d.dir());
    EXPECT_EQ(s.status, 1);
    for (const char* o : {"--dpi-doc N", "--dpi-impressora N", "--toner N", "--ganho N", "--cinza",
                          "--dpi-scan N", "--rot N", "--giro N", "--borda N", "--corte N",
                          "--borrao N", "--ruido N", "--semente N", "--branco N", "--preto N"})
      EXPECT_NE(s.err.find(o), std::string::npos) << o;
    EXPECT_NE(s.err.find("[600]"), std::string::npos);
  }
  SAIDA s = executa(programa("printscan"), {"a.bmp", "b.tga", "--toner", "-1"}, d.dir());
  EXPECT_EQ(s.status, 1);
  EXPECT_NE(s.err.find("toner"), std::string::npos);
}
