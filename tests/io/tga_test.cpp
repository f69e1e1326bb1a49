#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>
#include <functional>
#include <string>

#include "apoio.h"
#include "core/imagens.h"
#include "io/leimp.h"

namespace {

// An 18-byte header: type 1 palette, 2 colour, 3 grey; palette files get 24-bit entries.
std::string cabecalho(int tipo, int nc, int nl, int desc = 0x20, int npal = 0) {
  std::string h(18, '\0');
  h[1] = tipo == 1 ? 1 : 0;
  h[2] = static_cast<char>(tipo);
  h[5] = static_cast<char>(npal & 0xFF);
  h[6] = static_cast<char>(npal >> 8);
  h[7] = tipo == 1 ? 24 : 0;
  h[12] = static_cast<char>(nc & 0xFF);
  h[13] = static_cast<char>(nc >> 8);
  h[14] = static_cast<char>(nl & 0xFF);
  h[15] = static_cast<char>(nl >> 8);
  h[16] = tipo == 2 ? 24 : 8;
  h[17] = static_cast<char>(desc);
  return h;
}

// 16 palette entries, entry i = (blue i, green 2i, red 3i), except entry 5 = (10, 20, 31).
std::string paleta16() {
  std::string p;
  for (int i = 0; i < 16; i++) {
    p += static_cast<char>(i);
    p += static_cast<char>(2 * i);
    p += static_cast<char>(3 * i);
  }
  p.replace(15, 3, std::string("\x0a\x14\x1f", 3));
  return p;
}

// A complete, valid 2 x 3 file of each type.
std::string arquivovalido(int tipo) {
  if (tipo == 1) return cabecalho(1, 3, 2, 0x20, 16) + paleta16() + std::string(6, '\x05');
  return cabecalho(tipo, 3, 2) + std::string(tipo == 2 ? 18 : 6, '\x07');
}

struct LEITOR {
  const char* nome;
  int tipo;  // the file type the reader accepts
  std::function<void(const char*)> le;
  const char* abertura;
  const char* formato;
  const char* fim;
};

const LEITOR LEITORES[] = {
    {"IMGGRY::LeTga", 3, [](const char* f) { IMGGRY g; g.LeTga(f); },
     "Erro IMGGRY::LeTga - Abertura de ",
     "Erro IMGGRY::LeTga - Formato TGA deve ser 8bits grayscale sem-palette nao-compactado",
     "Erro IMGGRY::LeTga - Fim inesperado"},
    {"IMGGRY::LeTgaI", 1, [](const char* f) { IMGGRY g; g.LeTgaI(f); },
     "Erro IMGGRY::LeTgaI - Abertura de ",
     "Erro IMGGRY::LeTgaI - Formato TGA deve ser 8bits com-palette nao-compactado",
     "Erro IMGGRY::LeTgaI - Fim inesperado"},
    {"IMGGRY::LeTgaP", 1, [](const char* f) { IMGGRY g; g.LeTgaP(f); },
     "Erro IMGGRY::LeTgaP - Abertura de ",
     "Erro IMGGRY::LeTgaP - Formato TGA deve ser 8bits com-palette nao-compactado",
     "Erro IMGGRY::LeTgaP - Fim inesperado"},
    {"IMGCOR::LeTga", 2, [](const char* f) { IMGCOR g; g.LeTga(f); },
     "Erro IMGCOR::LeTga - Abertura ",
     "Erro IMGCOR::LeTga - Formato TGA deve ser 24bits sem-palette nao-compactado",
     "Erro IMGCOR::LeTga - Fim inesperado"},
    {"IMGCOR::LeTgaP", 1, [](const char* f) { IMGCOR g; g.LeTgaP(f); },
     "Erro IMGCOR::LeTgaP - Abertura ",
     "Erro IMGCOR::LeTgaP - Formato TGA deve ser 8bits com-palette nao-compactado",
     "Erro IMGCOR::LeTgaP - Fim inesperado"},
};

// Death-test patterns match the message literally.
std::string literal(const std::string& s) {
  std::string r;
  for (char c : s) {
    if (std::string("()[].*+?|{}^$\\").find(c) != std::string::npos) r += '\\';
    r += c;
  }
  return r;
}

// Caps the address space of a death-test child a little above what it already uses, so that
// any allocation for pixels the file does not hold fails instead of passing unnoticed.
void limitamemoria() {
  long paginas = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld", &paginas) != 1) paginas = 0;
    std::fclose(f);
  }
  rlim_t limite = static_cast<rlim_t>(paginas) * 4096 + (rlim_t(256) << 20);
  struct rlimit r = {limite, limite};
  setrlimit(RLIMIT_AS, &r);
}

IMGGRY cinza23() { return IMGGRY(2, 3, {1, 2, 3, 4, 5, 250}); }

IMGCOR cor23() {
  return IMGCOR(2, 3, {COR(1, 2, 3), COR(4, 5, 6), COR(7, 8, 9), COR(10, 11, 12), COR(13, 14, 15),
                       COR(200, 100, 50)});
}

template <class I>
void esperaigual(const I& a, const I& b) {
  ASSERT_EQ(a.nl(), b.nl());
  ASSERT_EQ(a.nc(), b.nc());
  for (int i = 0; i < a.n(); i++) EXPECT_TRUE(a.data[i] == b.data[i]) << "pixel " << i;
}

}  // namespace

TEST(Tga, CinzaIdaEVolta) {
  DIRTEMP d;
  IMGGRY g = cinza23(), lida(5, 5);
  g.imp((d / "g.tga").c_str());
  EXPECT_EQ(learquivo(d / "g.tga"), cabecalho(3, 3, 2) + std::string("\x01\x02\x03\x04\x05\xfa"));
  lida.LeTga((d / "g.tga").c_str());
  esperaigual(lida, g);
}

TEST(Tga, CorIdaEVoltaSemMudarAImagem) {
  DIRTEMP d;
  IMGCOR c = cor23(), lida;
  c.ImpTga((d / "c.tga").c_str());
  esperaigual(c, cor23());
  std::string arq = learquivo(d / "c.tga");
  ASSERT_EQ(arq.size(), 18u + 18u);
  EXPECT_EQ(arq.substr(0, 18), cabecalho(2, 3, 2));
  EXPECT_EQ(arq.substr(18, 3), std::string("\x03\x02\x01"));  // blue, green, red
  lida.LeTga((d / "c.tga").c_str());
  esperaigual(lida, c);
}

// Rows 10, 20, 30 in file order; only descriptors with bits 0x30 clear store them bottom-up.
TEST(Tga, OrientacaoPeloDescritor) {
  struct CASO {
    int desc;
    BYTE primeira, ultima;
  };
  const CASO casos[] = {{0x00, 30, 10}, {0x10, 10, 30}, {0x20, 10, 30}, {0x30, 10, 30},
                        {0x08, 30, 10}};
  DIRTEMP d;
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.desc);
    escrevearquivo(d / "o.tga", cabecalho(3, 2, 3, k.desc) + "\x0a\x0a\x14\x14\x1e\x1e");
    IMGGRY g;
    g.LeTga((d / "o.tga").c_str());
    ASSERT_EQ(g.nl(), 3);
    EXPECT_EQ(g(0, 1), k.primeira);
    EXPECT_EQ(g(1, 1), 20);
    EXPECT_EQ(g(2, 1), k.ultima);
  }
}

// The colour readers swap channels and the palette reader maps before flipping: check both
// still land the first file row at the bottom.
TEST(Tga, CorDeBaixoParaCima) {
  DIRTEMP d;
  escrevearquivo(d / "c.tga", cabecalho(2, 1, 2, 0) + "\x01\x02\x03\x04\x05\x06");
  IMGCOR c;
  c.LeTga((d / "c.tga").c_str());
  EXPECT_TRUE(c(0, 0) == COR(6, 5, 4));
  EXPECT_TRUE(c(1, 0) == COR(3, 2, 1));
  escrevearquivo(d / "p.tga", cabecalho(1, 1, 2, 0, 16) + paleta16() + "\x05\x01");
  c.LeTgaP((d / "p.tga").c_str());
  EXPECT_TRUE(c(0, 0) == COR(3, 2, 1));
  EXPECT_TRUE(c(1, 0) == COR(31, 20, 10));
}

TEST(Tga, PaletaNosTresLeitores) {
  DIRTEMP d;
  std::string nome = d / "p.tga";
  escrevearquivo(nome, cabecalho(1, 2, 1, 0x20, 16) + paleta16() + "\x05\x0f");
  IMGGRY g;
  g.LeTgaP(nome.c_str());
  EXPECT_EQ(g(0, 0), 20);  // (10 + 20 + 31 + 1) / 3
  EXPECT_EQ(g(0, 1), 30);  // (15 + 30 + 45 + 1) / 3
  g.LeTgaI(nome.c_str());
  EXPECT_EQ(g(0, 0), 5);
  EXPECT_EQ(g(0, 1), 15);
  IMGCOR c;
  c.LeTgaP(nome.c_str());
  EXPECT_TRUE(c(0, 0) == COR(31, 20, 10));
  EXPECT_TRUE(c(0, 1) == COR(45, 30, 15));
}

TEST(Tga, IndiceAlemDaPaleta) {
  DIRTEMP d;
  std::string nome = d / "p.tga";
  escrevearquivo(nome, cabecalho(1, 2, 1, 0x20, 16) + paleta16() + "\x01\xc8");
  IMGGRY g;
  g.LeTgaI(nome.c_str());
  EXPECT_EQ(g(0, 1), 200);
  const char* msg = "Erro VETOR::operator\\(\\) - Indice invalido";
  EXPECT_EXIT(g.LeTgaP(nome.c_str()), ::testing::ExitedWithCode(1), msg);
  IMGCOR c;
  EXPECT_EXIT(c.LeTgaP(nome.c_str()), ::testing::ExitedWithCode(1), msg);
}

// Top-down and bottom-up alike: rows of no columns have no rows to turn over (a bottom-up
// file of 4 empty rows once crashed the reader). An image without pixels is 0 x 0.
TEST(Tga, LadoZeroDaImagemVazia) {
  DIRTEMP d;
  const int lados[][2] = {{0, 4}, {4, 0}, {0, 0}};
  for (int desc : {0x20, 0x00})
    for (const auto& lado : lados) {
      SCOPED_TRACE(std::to_string(lado[0]) + " x " + std::to_string(lado[1]) + " desc " +
                   std::to_string(desc));
      escrevearquivo(d / "z.tga", cabecalho(3, lado[1], lado[0], desc));
      IMGGRY g(3, 3);
      g.LeTga((d / "z.tga").c_str());
      EXPECT_EQ(g.nl(), 0);
      EXPECT_EQ(g.n(), 0);
      IMGSHT s(3, 3);
      le(s, (d / "z.tga").c_str());
      EXPECT_EQ(s.nl(), 0);
      EXPECT_EQ(s.n(), 0);
    }
}

// Each reader against the valid file of every type: its own it reads, the others it refuses.
TEST(Tga, CadaLeitorSoAceitaSuaVariante) {
  DIRTEMP d;
  for (int tipo = 1; tipo <= 3; tipo++)
    escrevearquivo(d / ("t" + std::to_string(tipo)), arquivovalido(tipo));
  for (const LEITOR& r : LEITORES)
    for (int tipo = 1; tipo <= 3; tipo++) {
      SCOPED_TRACE(std::string(r.nome) + " tipo " + std::to_string(tipo));
      std::string nome = d / ("t" + std::to_string(tipo));
      if (tipo == r.tipo)
        r.le(nome.c_str());
      else
        EXPECT_EXIT(r.le(nome.c_str()), ::testing::ExitedWithCode(1), literal(r.formato));
    }
}

// One byte of a valid grey header changed at a time: features the readers do not support.
TEST(Tga, CabecalhoRecusado) {
  struct CASO {
    int pos, valor;
    const char* o_que;
  };
  const CASO casos[] = {{0, 1, "ID length 1"},        {2, 11, "run-length grey"},
                        {16, 16, "16-bit pixels"},    {3, 1, "colour-map offset"},
                        {5, 1, "colour-map length"},  {8, 1, "x origin"},
                        {11, 1, "y origin"},          {1, 1, "colour-map type"}};
  DIRTEMP d;
  std::string nome = d / "h.tga";
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.o_que);
    std::string arq = arquivovalido(3);
    arq[k.pos] = static_cast<char>(k.valor);
    escrevearquivo(nome, arq);
    EXPECT_EXIT({ IMGGRY g; g.LeTga(nome.c_str()); }, ::testing::ExitedWithCode(1),
                literal(LEITORES[0].formato));
  }
  escrevearquivo(nome, "\x00\x00\x03");
  EXPECT_EXIT({ IMGGRY g; g.LeTga(nome.c_str()); }, ::testing::ExitedWithCode(1),
              literal(LEITORES[0].formato));
}

// One pixel byte short, and headers claiming far more than the file holds: each reader stops
// with its own message, before any large allocation.
TEST(Tga, FimInesperado) {
  DIRTEMP d;
  for (const LEITOR& r : LEITORES) {
    SCOPED_TRACE(r.nome);
    std::string curto = arquivovalido(r.tipo);
    curto.pop_back();
    std::string pal = r.tipo == 1 ? paleta16() : "";
    int npal = r.tipo == 1 ? 16 : 0;
    const std::string arquivos[] = {
        curto, cabecalho(r.tipo, 65535, 65535, 0x20, npal) + pal + std::string(12, '\0'),
        cabecalho(r.tipo, 20000, 20000, 0x20, npal) + pal + "\x01\x02"};
    for (const std::string& arq : arquivos) {
      escrevearquivo(d / "f.tga", arq);
      std::string nome = d / "f.tga";
      EXPECT_EXIT((limitamemoria(), r.le(nome.c_str())), ::testing::ExitedWithCode(1),
                  literal(r.fim));
    }
  }
}

TEST(Tga, LeitorSemArquivo) {
  DIRTEMP d;
  std::string nome = d / "nao.tga";
  for (const LEITOR& r : LEITORES)
    EXPECT_EXIT(r.le(nome.c_str()), ::testing::ExitedWithCode(1),
                literal(std::string(r.abertura) + " " + nome));
}

struct ESCRITOR {
  const char* nome;
  std::function<void(int nl, int nc, const char* f)> imp;
  const char* abertura;
  const char* escrita;
};

const ESCRITOR ESCRITORES[] = {
    {"IMGGRY::imp", [](int nl, int nc, const char* f) { IMGGRY(nl, nc).imp(f); },
     "Erro IMGGRY::imp - Abertura de ", "Erro IMGGRY::imp - Escrita de "},
    {"IMGCOR::ImpTga", [](int nl, int nc, const char* f) { IMGCOR(nl, nc).ImpTga(f); },
     "Erro IMGCOR::ImpTga - Abertura ", "Erro IMGCOR::ImpTga - Escrita de "},
};

TEST(Tga, EscritaRecusada) {
  DIRTEMP d;
  std::string nome = d / "w.tga", semdir = d / "nao/w.tga";
  for (const ESCRITOR& w : ESCRITORES) {
    SCOPED_TRACE(w.nome);
    const char* grande = "Erro: Imagem muito grande para TGA";
    EXPECT_EXIT(w.imp(1, 70000, nome.c_str()), ::testing::ExitedWithCode(1), grande);
    EXPECT_EXIT(w.imp(70000, 1, nome.c_str()), ::testing::ExitedWithCode(1), grande);
    EXPECT_EXIT(w.imp(4, 4, "/dev/full"), ::testing::ExitedWithCode(1),
                literal(std::string(w.escrita) + " /dev/full"));
    EXPECT_EXIT(w.imp(4, 4, semdir.c_str()), ::testing::ExitedWithCode(1),
                literal(std::string(w.abertura) + " " + semdir));
  }
}

TEST(Tga, EscreveLadoMaximo) {
  DIRTEMP d;
  IMGGRY g(1, 65535, 9), lida;
  g.imp((d / "m.tga").c_str());
  lida.LeTga((d / "m.tga").c_str());
  EXPECT_EQ(lida.nc(), 65535);
  EXPECT_EQ(lida(0, 65534), 9);
}
