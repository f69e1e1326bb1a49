#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "apoio.h"
#include "core/imagens.h"
#include "core/relato.h"
#include "io/leimp.h"
#include "memoria.h"

namespace {

const std::string LEBMP = "Erro IMGBIN::LeBmp - ";

void campo(std::string& b, int pos, int tam, long long v) {
  for (int i = 0; i < tam; i++) b[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A 1-bit bitmap laid out the way the writer lays it out, followed by the given row bytes.
std::string arquivobmp(int nc, int nl, const std::string& dados) {
  std::string b(62, '\0');
  b[0] = 'B';
  b[1] = 'M';
  campo(b, 2, 4, 62 + static_cast<long long>(dados.size()));
  campo(b, 10, 4, 62);
  campo(b, 14, 4, 40);
  campo(b, 18, 4, nc);
  campo(b, 22, 4, nl);
  campo(b, 26, 2, 1);
  campo(b, 28, 2, 1);
  campo(b, 46, 4, 2);
  campo(b, 50, 4, 2);
  campo(b, 58, 4, 0x00FFFFFF);
  return b + dados;
}

// A document page: lines of words made of black strokes on white, with fill bits set to a
// pattern so that a round trip shows they travel untouched.
IMGBIN pagina(int nl, int nc) {
  IMGBIN p(nl, nc, true);
  uint32_t s = 12345;
  auto sorteia = [&s](int k) {
    s = s * 1103515245u + 12345u;
    return static_cast<int>((s >> 16) % static_cast<uint32_t>(k));
  };
  for (int l0 = 3; l0 + 8 < nl; l0 += 12)
    for (int c = 2; c < nc - 2; c += 2 + sorteia(7)) {
      int larg = 2 + sorteia(20);
      for (int dl = 0; dl < 8; dl++)
        for (int dc = 0; dc < larg && c + dc < nc - 2; dc++)
          if (sorteia(4) != 0) p.poe(l0 + dl, c + dc, false);
      c += larg;
    }
  for (int l = 0; l < nl; l++) p.lin[l][p.nwl() - 1] ^= ~p.mascarafinal() & 0x5A5A5A5Au;
  return p;
}

std::vector<uint32_t> palavras(const IMGBIN& b) { return {b.data, b.data + b.nw()}; }

IMGBIN lebmp(const std::string& nome) {
  IMGBIN b;
  b.LeBmp(nome.c_str());
  return b;
}

TEST(Bmp, IdaEVoltaDePaginas) {
  struct TAMANHO {
    int nl, nc;
  } tamanhos[] = {{300, 257}, {64, 64}, {33, 1}, {1, 40}, {7, 95}};
  DIRTEMP d;
  for (const TAMANHO& t : tamanhos) {
    SCOPED_TRACE(std::to_string(t.nl) + "x" + std::to_string(t.nc));
    IMGBIN p = pagina(t.nl, t.nc);
    std::string nome = d / "pagina.bmp";
    p.ImpBmp(nome.c_str());
    std::string arq = learquivo(nome);
    ASSERT_EQ(arq.size(), 62u + 4u * p.nw());
    EXPECT_EQ(arq.substr(0, 62), arquivobmp(t.nc, t.nl, arq.substr(62)).substr(0, 62));
    IMGBIN b = lebmp(nome);
    ASSERT_EQ(b.nl(), t.nl);
    ASSERT_EQ(b.nc(), t.nc);
    EXPECT_EQ(palavras(b), palavras(p));
    EXPECT_TRUE(b.backg);
  }
}

TEST(Bmp, UmPixelDa66BytesComAPalavraNoFim) {
  DIRTEMP d;
  IMGBIN u(1, 1);
  u.data[0] = 0x92345601u;  // white pixel, the rest fill bits
  std::string nome = d / "um.bmp";
  u.ImpBmp(nome.c_str());
  std::string arq = learquivo(nome);
  ASSERT_EQ(arq.size(), 66u);
  EXPECT_EQ(arq, arquivobmp(1, 1, std::string("\x92\x34\x56\x01", 4)));
  IMGBIN b = lebmp(nome);
  EXPECT_TRUE(b(0, 0));
  EXPECT_EQ(b.data[0], 0x92345601u);
}

TEST(Bmp, TrintaETresColunasSaoDuasPalavrasDeBaixoParaCima) {
  DIRTEMP d;
  IMGBIN b(2, 33, true);
  b(0, 32) = false;
  b(1, 0) = false;
  std::string nome = d / "b.bmp";
  b.ImpBmp(nome.c_str());
  const std::string linha1("\x7F\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8);  // image row 1 comes first
  const std::string linha0("\xFF\xFF\xFF\xFF\x7F\xFF\xFF\xFF", 8);
  EXPECT_EQ(learquivo(nome), arquivobmp(33, 2, linha1 + linha0));
  EXPECT_EQ(palavras(lebmp(nome)), palavras(b));
}

TEST(Bmp, PaletaDecideQualValorEhClaro) {
  // One row of 8 pixels: columns 0..3 hold index 0, columns 4..7 index 1.
  struct CASO {
    const char* nome;
    uint32_t entrada0, entrada1;  // 0x00RRGGBB
    bool inverte;
  } casos[] = {
      {"preto e branco", 0x000000, 0xFFFFFF, false},
      {"branco e preto", 0xFFFFFF, 0x000000, true},
      {"cinzas iguais", 0x5A5A5A, 0x5A5A5A, false},
      {"arredonda para cima", 0x000101, 0x000000, true},  // (1+1+0+1)/3 = 1 against 0
      {"divisao inteira", 0x000001, 0x000000, false},     // (1+0+0+1)/3 = 0 against 0
      {"canais pesam igual", 0xFF0000, 0x0000FF, false},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    std::string b = arquivobmp(8, 1, std::string("\x0F\x00\x00\x00", 4));
    campo(b, 54, 4, c.entrada0);
    campo(b, 58, 4, c.entrada1);
    escrevearquivo(d / "p.bmp", b);
    IMGBIN img = lebmp(d / "p.bmp");
    EXPECT_EQ(img(0, 0), c.inverte);
    EXPECT_EQ(img(0, 4), !c.inverte);
  }
}

TEST(Bmp, BrancoDepoisPretoLeComOMesmoSentido) {
  DIRTEMP d;
  IMGBIN p = pagina(120, 70);
  std::string nome = d / "p.bmp";
  p.ImpBmp(nome.c_str());
  std::string b = learquivo(nome);
  campo(b, 54, 4, 0x00FFFFFF);
  campo(b, 58, 4, 0);
  for (size_t i = 62; i < b.size(); i++) b[i] = static_cast<char>(~b[i]);
  escrevearquivo(nome, b);
  EXPECT_EQ(palavras(lebmp(nome)), palavras(p));
}

struct ALTERACAO {
  const char* nome;
  std::function<void(std::string&)> muda;
  std::string msg;
};

// A valid 2 x 8 file with a single change.
std::string alterado(const ALTERACAO& a) {
  std::string b = arquivobmp(8, 2, std::string("\x0F\0\0\0\xF0\0\0\0", 8));
  a.muda(b);
  return b;
}

TEST(Bmp, RecusasDoLeitor) {
  const ALTERACAO casos[] = {
      {"assinatura", [](std::string& b) { b[1] = 'A'; }, "BMP invalido"},
      {"paleta maior", [](std::string& b) { campo(b, 10, 4, 66); }, "ImageDataOffset"},
      {"cabecalho v4", [](std::string& b) { campo(b, 14, 4, 108); }, "HeaderSize"},
      {"planos", [](std::string& b) { campo(b, 26, 2, 2); }, "NumberOfImagePlanes"},
      {"8 bits", [](std::string& b) { campo(b, 28, 2, 8); }, "BMP nao-binario"},
      {"bits antes da compressao",
       [](std::string& b) {
         campo(b, 28, 2, 4);
         campo(b, 30, 4, 2);
       },
       "BMP nao-binario"},
      {"compactado", [](std::string& b) { campo(b, 30, 4, 1); }, "BMP compactado"},
      {"3 cores", [](std::string& b) { campo(b, 46, 4, 3); }, "BMP nao-binario"},
      {"256 cores", [](std::string& b) { campo(b, 46, 4, 256); }, "BMP nao-binario"},
      {"tamanho da imagem", [](std::string& b) { campo(b, 34, 4, 12); }, "Numero de bytes"},
      {"vazio", [](std::string& b) { b.clear(); }, "Fim inesperado"},
      {"so a assinatura", [](std::string& b) { b.resize(2); }, "Fim inesperado"},
      {"cabecalho cortado", [](std::string& b) { b.resize(40); }, "Fim inesperado"},
      {"sem paleta", [](std::string& b) { b.resize(56); }, "Fim inesperado"},
      {"dados cortados", [](std::string& b) { b.resize(69); }, "Fim inesperado"},
  };
  DIRTEMP d;
  for (const ALTERACAO& a : casos) {
    SCOPED_TRACE(a.nome);
    escrevearquivo(d / "r.bmp", alterado(a));
    EXPECT_EXIT(lebmp(d / "r.bmp"), ::testing::ExitedWithCode(1), relato(LEBMP + a.msg));
  }
}

TEST(Bmp, CamposQueOLeitorAceita) {
  const ALTERACAO casos[] = {
      {"nenhuma mudanca", [](std::string&) {}, ""},
      {"0 cores", [](std::string& b) { campo(b, 46, 4, 0); }, ""},
      {"tamanho da imagem certo", [](std::string& b) { campo(b, 34, 4, 8); }, ""},
      {"tamanho do arquivo errado sem tamanho da imagem",
       [](std::string& b) { campo(b, 2, 4, 999); }, ""},
      {"resolucao e reservados", [](std::string& b) { campo(b, 6, 4, -1); campo(b, 38, 8, 7); },
       ""},
      {"bytes depois dos dados", [](std::string& b) { b += "resto"; }, ""},
  };
  DIRTEMP d;
  for (const ALTERACAO& a : casos) {
    SCOPED_TRACE(a.nome);
    escrevearquivo(d / "a.bmp", alterado(a));
    IMGBIN b = lebmp(d / "a.bmp");
    ASSERT_EQ(b.nl(), 2);
    ASSERT_EQ(b.nc(), 8);
    EXPECT_EQ(palavras(b), (std::vector<uint32_t>{0xF0000000u, 0x0F000000u}));
  }
}

TEST(Bmp, LarguraOuAlturaNaoPositivaDaImagemVazia) {
  const int tamanhos[][2] = {{0, 5}, {5, 0}, {0, 0}, {-8, 3}, {8, -3}, {INT_MIN, INT_MIN}};
  DIRTEMP d;
  for (const auto& t : tamanhos) {
    SCOPED_TRACE(std::to_string(t[0]) + " x " + std::to_string(t[1]));
    escrevearquivo(d / "v.bmp", arquivobmp(t[0], t[1], ""));
    IMGBIN b(3, 3);
    b.LeBmp((d / "v.bmp").c_str());
    EXPECT_EQ(b.n(), 0);
    EXPECT_EQ(b.data, nullptr);
    std::string saida = d / "s.bmp";
    EXPECT_EXIT(b.ImpBmp(saida.c_str()), ::testing::ExitedWithCode(1),
                relato("Erro IMGBIN:ImpBmp - Imagem nula ", saida));
  }
}

TEST(Bmp, TamanhoQueOArquivoNaoTem) {
  struct CASO {
    int nc, nl;
    std::string msg;
  } casos[] = {
      {46000, 46000, LEBMP + "Fim inesperado"},  // 264 MB of words: refused before allocation
      {INT_MAX, 2, "Erro IMGBIN::aloca - falta memoria"},
      {65536, 65536, "Erro IMGBIN::aloca - falta memoria"},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(std::to_string(c.nc) + " x " + std::to_string(c.nl));
    escrevearquivo(d / "g.bmp", arquivobmp(c.nc, c.nl, std::string(64, '\xFF')));
    EXPECT_EXIT((limitamemoria(), lebmp(d / "g.bmp")), ::testing::ExitedWithCode(1),
                relato(c.msg));
  }
}

TEST(Bmp, FalhasDeAberturaEEscrita) {
  DIRTEMP d;
  std::string falta = d / "falta.bmp", semdir = d / "nao/x.bmp";
  EXPECT_EXIT(lebmp(falta), ::testing::ExitedWithCode(1), relato(LEBMP + "Abertura de ", falta));
  EXPECT_EXIT(IMGBIN(2, 2, true).ImpBmp(semdir.c_str()), ::testing::ExitedWithCode(1),
              relato("Erro IMGBIN::ImpBmp - abertura de ", semdir));
  // Small enough to sit in the buffer until the close, and large enough to spill before it.
  for (int nl : {4, 3000}) {
    IMGBIN p = pagina(nl, 300);
    EXPECT_EXIT(p.ImpBmp("/dev/full"), ::testing::ExitedWithCode(1),
                relato("Erro IMGBIN::ImpBmp - Escrita de ", "/dev/full"));
  }
}

// The generic reader recognises only the layout this reader accepts; anything else is
// refused by content before the reader could name the fault.
TEST(Bmp, LeitorGenericoRecusaPeloConteudo) {
  const std::string conteudo =
      "Erro TipoImg - Formato deve ser JPG ou um dos nao-compactados: BMP-1bit ou TGA-8bits ou "
      "TGA-24bits ou .TXT (MAT) ou .IMG ou .AVIou PBM ou PGM ou PPM";
  const ALTERACAO casos[] = {
      {"8 bits", [](std::string& b) { campo(b, 28, 2, 8); }, "BMP nao-binario"},
      {"compactado", [](std::string& b) { campo(b, 30, 4, 1); }, "BMP compactado"},
  };
  DIRTEMP d;
  for (const ALTERACAO& a : casos) {
    SCOPED_TRACE(a.nome);
    std::string nome = d / "c.bmp";
    escrevearquivo(nome, alterado(a));
    IMGBIN b;
    EXPECT_EXIT(le(b, nome.c_str()), ::testing::ExitedWithCode(1), relato(conteudo));
    EXPECT_EXIT(b.LeBmp(nome.c_str()), ::testing::ExitedWithCode(1), relato(LEBMP + a.msg));
  }
}

TEST(Bmp, LeitorEEscritorGenericos) {
  DIRTEMP d;
  IMGBIN p = pagina(50, 77);
  std::string nome = d / "doc.bmp";
  imp(p, nome.c_str());
  IMGBIN b;
  le(b, nome.c_str());
  EXPECT_EQ(palavras(b), palavras(p));
}

}  // namespace
