#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "apoio.h"
#include "core/imagens.h"
#include "core/relato.h"
#include "io/leimp.h"

namespace {

TEST(TipoSuf, CodigoNumeroENomeDeSaida) {
  struct CASO {
    const char* nome;
    int codigo, numero;
    const char* saida;
  } casos[] = {
      {"out.BMP", BMP_1BIT, 0, "out.BMP"},
      {"x.tga", TGA_CINZA, 0, "x.tga"},
      {"x.tga12", TGA_CINZA, 12, "x.tga"},
      {"m.txt", MAT_TEXTO, 0, "m.txt"},
      {"m.Mat", MAT_TEXTO, 0, "m.Mat"},
      {"f.img", IMG_SHT, 0, "f.img"},
      {"x.jpg", JPEG, 90, "x.jpg"},
      {"x.jpg50", JPEG, 50, "x.jpg"},
      {"x.jpg0", JPEG, 90, "x.jpg"},
      {"x.pgm", PGM_BIN, 0, "x.pgm"},
      {"x.pgm2", PGM_TEXTO, 2, "x.pgm"},
      {"page.PGM1", PGM_TEXTO, 1, "page.PGM"},
      {"x.pgm0", PGM_BIN, 0, "x.pgm"},
      {"x.pbm", PBM_BIN, 0, "x.pbm"},
      {"x.ppm7", PPM_TEXTO, 7, "x.ppm"},
      {"x.ppm-3x", PPM_TEXTO, -3, "x.ppm"},
      {"v.avi", AVI_8BIT, 0, "v.avi"},
      {"v.has", AVI_8BIT, 0, "v.has"},
      {"x.xyz", SUF_OUTRO, 0, "x.xyz"},
      {"x.", SUF_OUTRO, 0, "x."},
      {"a.b/c", SUF_OUTRO, 0, "a.b/c"},  // the last '.' counts, even in a directory
      {"semponto", SEM_PONTO, 0, "semponto"},
      {"a.b.bmp", BMP_1BIT, 0, "a.b.bmp"},
  };
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    int codigo = -1, numero = -1;
    EXPECT_EQ(TipoSuf(c.nome, codigo, numero), c.saida);
    EXPECT_EQ(codigo, c.codigo);
    EXPECT_EQ(numero, c.numero);
  }
}

TEST(TipoSuf, NomesRecusados) {
  const std::string invalido = "Erro: nome arquivo invalido";
  struct CASO {
    std::string nome, msg;
  } casos[] = {
      {"page.jpeg", "Erro suf do arquivo: numero apos suf"},
      {"x.bmpx", "Erro suf do arquivo: numero apos suf"},
      {"dir.d/arquivo", "Erro suf do arquivo: numero apos suf"},
      {"", invalido},
      {std::string(252, 'a') + ".bmp", invalido},  // 256 characters
  };
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome.substr(0, 20));
    int codigo, numero;
    EXPECT_EXIT(TipoSuf(c.nome.c_str(), codigo, numero), ::testing::ExitedWithCode(1),
                relato(c.msg));
  }
  int codigo, numero;
  std::string limite = std::string(251, 'a') + ".bmp";  // 255 characters
  EXPECT_EQ(TipoSuf(limite.c_str(), codigo, numero), limite);
  EXPECT_EQ(codigo, BMP_1BIT);
}

std::string bytes(std::initializer_list<int> v) {
  std::string s;
  for (int b : v) s += static_cast<char>(b);
  return s;
}

// A block of n bytes, zero but for the given (offset, value) pairs.
std::string bloco(size_t n, std::initializer_list<std::pair<int, int>> valores) {
  std::string s(n, '\0');
  for (const auto& v : valores) s[v.first] = static_cast<char>(v.second);
  return s;
}

std::string avi(int planos, int bits, int compressao) {
  std::string s = bloco(192, {{184, planos}, {186, bits}, {188, compressao}});
  s.replace(0, 4, "RIFF");
  s.replace(8, 4, "AVI ");
  return s;
}

TEST(TipoImg, ConteudoDecideQualquerQueSejaONome) {
  std::string bmp = bloco(62, {{0, 'B'}, {1, 'M'}, {28, 1}, {46, 2}});
  struct CASO {
    const char* nome;
    std::string conteudo;
    int codigo;
  } casos[] = {
      {"tga cinza", bloco(18, {{2, 3}, {12, 5}, {14, 5}, {16, 8}}), TGA_CINZA},
      {"tga paleta", bloco(18, {{1, 1}, {2, 1}, {5, 2}, {7, 24}, {16, 8}}), TGA_PALETA},
      {"tga cor", bloco(18, {{2, 2}, {12, 1}, {14, 1}, {16, 24}}), TGA_COR},
      {"bmp", bmp, BMP_1BIT},
      {"bmp sem numero de cores", bloco(62, {{0, 'B'}, {1, 'M'}, {28, 1}}), BMP_1BIT},
      {"jpeg", bytes({0xFF, 0xD8, 0xFF, 0xE0}), JPEG},
      {"avi 8 bits", avi(1, 8, 0), AVI_8BIT},
      {"avi 24 bits", avi(1, 24, 0), AVI_24BIT},
      {"matriz", "3 4\n1 2 3 4 5 6 7 8 9 10 11 12\n", MAT_TEXTO},
      {"matriz com comentario", "# linhas colunas\n2,2 (0 0 0 0)", MAT_TEXTO},
      {"img sht", "IMGSHT*resto", IMG_SHT},
      {"img flt", "IMGFLT*", IMG_FLT},
      {"volume flt", "I3DFLT*", I3D_FLT},
      {"img cpx", "IMGCPX*", IMG_CPX},
      {"volume sht", "I3DSHT*", I3D_SHT},
      {"img dbl", "IMGDBL*", IMG_DBL},
      {"volume cpx", "I3DCPX*", I3D_CPX},
      {"pbm texto", "P1\n2 2\n0 1 1 0\n", PBM_TEXTO},
      {"pgm texto", "P2\n", PGM_TEXTO},
      {"ppm texto", "P3", PPM_TEXTO},
      {"pbm binario", "P4", PBM_BIN},
      {"pgm binario", "P5\n#Created\n1 1\n255\n\x80", PGM_BIN},
      {"ppm binario", "P6", PPM_BIN},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    std::string nome = d / "arquivo.bmp";
    escrevearquivo(nome, c.conteudo);
    EXPECT_EQ(TipoImg(nome.c_str()), c.codigo);
  }
}

TEST(TipoImg, ConteudoDesconhecido) {
  const std::string formato =
      "Erro TipoImg - Formato deve ser JPG ou um dos nao-compactados: BMP-1bit ou TGA-8bits ou "
      "TGA-24bits ou .TXT (MAT) ou .IMG ou .AVI";
  const std::string desconhecido = formato + "ou PBM ou PGM ou PPM";
  struct CASO {
    const char* nome;
    std::string conteudo, msg;
  } casos[] = {
      {"texto", "ola mundo", desconhecido},
      {"um numero so", "3 x", desconhecido},
      {"vazio", "", desconhecido},
      {"tga cor com origem x", bloco(18, {{2, 2}, {8, 1}, {12, 1}, {14, 1}, {16, 24}}),
       desconhecido},
      {"bmp curto demais para o teste", bloco(40, {{0, 'B'}, {1, 'M'}, {28, 1}}), desconhecido},
      {"marcador incompleto", "IMGFLT", desconhecido},
      {"P7", "P7", desconhecido},
      {"avi 16 bits", avi(1, 16, 0), formato},
      {"avi compactado", avi(1, 8, 1), formato},
      {"avi de dois planos", avi(2, 24, 0), formato},
      {"avi curto", avi(1, 8, 0).substr(0, 100), formato},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    std::string nome = d / "x.pgm";
    escrevearquivo(nome, c.conteudo);
    EXPECT_EXIT(TipoImg(nome.c_str()), ::testing::ExitedWithCode(1), relato(c.msg));
  }
  std::string falta = d / "falta.tga";
  EXPECT_EXIT(TipoImg(falta.c_str()), ::testing::ExitedWithCode(1),
              relato("Erro TipoImg - Abertura ", falta));
}

// A 1 x 2 black-and-white bitmap: black then white.
std::string bmppretobranco(const DIRTEMP& d) {
  std::string nome = d / "pb.bmp";
  IMGBIN b(1, 2, true);
  b(0, 0) = false;
  b.ImpBmp(nome.c_str());
  return nome;
}

template <class I>
void confereleitura(const std::string& nome, typename I::PIXEL preto,
                    typename I::PIXEL branco) {
  SCOPED_TRACE(I::NOME);
  I img;
  le(img, nome.c_str());
  ASSERT_EQ(img.nl(), 1);
  ASSERT_EQ(img.nc(), 2);
  EXPECT_EQ(img(0, 0), preto);
  EXPECT_EQ(img(0, 1), branco);
}

TEST(Le, BmpEmOutrasClassesPassaPorIMGBIN) {
  DIRTEMP d;
  std::string nome = bmppretobranco(d);
  confereleitura<IMGGRY>(nome, 0, 255);
  confereleitura<IMGCOR>(nome, COR(0, 0, 0), COR(255, 255, 255));
  confereleitura<IMGFLT>(nome, 0.0f, 1.0f);
  confereleitura<IMGDBL>(nome, 0.0, 1.0);
  confereleitura<IMGCPX>(nome, CPXF(0, 0), CPXF(1, 0));
  IMGSHT s;
  EXPECT_EXIT(le(s, nome.c_str()), ::testing::ExitedWithCode(1),
              relato("Tipo de imagem invalido ", nome));
}

TEST(Le, TgaCinzaEmIMGBINLimiarEm128) {
  DIRTEMP d;
  std::string nome = d / "g.tga";
  IMGGRY g(1, 3, {127, 128, 255});
  imp(g, nome.c_str());
  IMGBIN b;
  le(b, nome.c_str());
  ASSERT_EQ(b.nc(), 3);
  EXPECT_FALSE(b(0, 0));
  EXPECT_TRUE(b(0, 1));
  EXPECT_TRUE(b(0, 2));
}

TEST(Le, FormatoQueAClasseNaoLe) {
  DIRTEMP d;
  std::string nome = d / "f.img";
  escrevearquivo(nome, "IMGSHT*");
  IMGBIN b;
  EXPECT_EXIT(le(b, nome.c_str()), ::testing::ExitedWithCode(1),
              relato("Tipo de imagem invalido ", nome));
  std::string v = d / "v.i3d";
  escrevearquivo(v, "I3DFLT*");
  IMGFLT f;
  EXPECT_EXIT(le(f, v.c_str()), ::testing::ExitedWithCode(1),
              relato("Tipo de imagem invalido ", v));
}

TEST(Imp, FloatEmBmpPassaPorIMGBIN) {
  DIRTEMP d;
  std::string nome = d / "f.bmp";
  IMGFLT f(1, 4, {0.0f, 0.49f, 0.5f, 1.0f});
  imp(f, nome.c_str());
  IMGBIN b;
  b.LeBmp(nome.c_str());
  ASSERT_EQ(b.nc(), 4);
  EXPECT_FALSE(b(0, 0));
  EXPECT_FALSE(b(0, 1));
  EXPECT_TRUE(b(0, 2));
  EXPECT_TRUE(b(0, 3));
}

TEST(Imp, SufixoMaiusculoMantemONome) {
  DIRTEMP d;
  std::string nome = d / "out.BMP";
  imp(IMGBIN(3, 5, true), nome.c_str());
  EXPECT_EQ(TipoImg(nome.c_str()), BMP_1BIT);
}

TEST(Imp, CurtosEmTgaLimitadosA0e255) {
  DIRTEMP d;
  std::string nome = d / "s.tga";
  imp(IMGSHT(1, 3, {-5, 100, 300}), nome.c_str());
  IMGGRY g;
  le(g, nome.c_str());
  ASSERT_EQ(g.nc(), 3);
  EXPECT_EQ(g(0, 0), 0);
  EXPECT_EQ(g(0, 1), 100);
  EXPECT_EQ(g(0, 2), 255);
}

// Each class's refusal names the file first, then what the class can be written as.
struct RECUSA {
  const char* classe;
  std::function<void(const char*)> imprime;
  const char* msg;
};

const RECUSA RECUSAS[] = {
    {"IMGBIN", [](const char* n) { imp(IMGBIN(1, 1), n); },
     " Erro: IMGBIN deve ser impresso em formato BMP ou TXT (MAT) ou PBM"},
    {"IMGGRY", [](const char* n) { imp(IMGGRY(1, 1), n); },
     " Erro: IMGGRY deve ser impresso em formato TGA, TXT (MAT), JPG ou PGM"},
    {"IMGCOR", [](const char* n) { imp(IMGCOR(1, 1), n); },
     " Erro: IMGCOR deve ser impresso em formato TGA, TXT (MAT), JPG ou PPM"},
    {"IMGSHT", [](const char* n) { imp(IMGSHT(1, 1), n); },
     " Erro: IMGSHT deve ser impresso como TXT (MAT), IMG ou TGA (com perda de info)"},
    {"IMGFLT", [](const char* n) { imp(IMGFLT(1, 1), n); },
     " Erro: IMGFLT deve ser impresso como TXT (MAT), IMG ou TGA (com perda de info)"},
    {"IMGDBL", [](const char* n) { imp(IMGDBL(1, 1), n); },
     " Erro: IMGDBL deve ser impresso como TXT (MAT), IMG ou TGA (com perda de info)"},
    {"IMGCPX", [](const char* n) { imp(IMGCPX(1, 1), n); },
     " Erro: IMGCPX deve ser impresso como TXT (MAT), ou IMG"},
};

TEST(Imp, NomeSemPontoRecusadoEmTodaClasse) {
  DIRTEMP d;
  std::string nome = d.dir() + "/semsufixo";
  for (const RECUSA& r : RECUSAS) {
    SCOPED_TRACE(r.classe);
    EXPECT_EXIT(r.imprime(nome.c_str()), ::testing::ExitedWithCode(1), relato(nome, r.msg));
  }
  EXPECT_FALSE(existe(nome));
}

TEST(Imp, SufixosQueAClasseNaoAceita) {
  struct CASO {
    const char* classe;
    const char* nome;
    const char* saida;  // the name as the report gives it
  } casos[] = {
      {"IMGGRY", "x.bmp", "x.bmp"}, {"IMGBIN", "x.tga", "x.tga"}, {"IMGCPX", "x.jpg75", "x.jpg"},
      {"IMGDBL", "x.bmp", "x.bmp"}, {"IMGSHT", "x.pgm", "x.pgm"}, {"IMGCOR", "x.avi", "x.avi"},
      {"IMGFLT", "x.doc", "x.doc"},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(std::string(c.classe) + " " + c.nome);
    for (const RECUSA& r : RECUSAS) {
      if (std::string(r.classe) != c.classe) continue;
      std::string nome = d / c.nome;
      EXPECT_EXIT(r.imprime(nome.c_str()), ::testing::ExitedWithCode(1),
                  relato(d / c.saida, r.msg));
    }
  }
}

}  // namespace
