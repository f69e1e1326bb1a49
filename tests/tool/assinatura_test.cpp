#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "apoio.h"
#include "io/leimp.h"
#include "montaperm.h"
#include "pagina.h"
#include "perfil.h"
#include "imagens_teste.h"

namespace {

const std::string NOTA2 = "Nota: Numero de bits livres inserivel=268\n";

// A .vet file text: the count, an empty line, the bits.
std::string vet(int n, const std::string& bits) { return std::to_string(n) + "\n\n" + bits + "\n"; }

// n payload bits, a fixed irregular pattern.
std::string bitsde(int n) {
  std::string s;
  for (int i = 0; i < n; i++) s += (i * 7 + i / 3) % 5 < 2 ? '1' : '0';
  return s;
}

VETORBIT embutido(const std::string& bits) {
  int n = static_cast<int>(bits.size());
  VETORBIT E(16 + n);
  for (int i = 0; i < 16; i++) E(i) = (n >> i) & 1;
  for (int i = 0; i < n; i++) E(16 + i) = bits[i] == '1';
  return E;
}

// The document with the default holes (3 x 3 white on black, 2 x 2 black on white) drawn at the
// centres of S, clipped at the page edge.
IMGBIN comfuros(const IMGBIN& D, const IMGBIN& S) {
  IMGBIN R(D);
  for (int r = 0; r < S.nl(); r++)
    for (int c = 0; c < S.nc(); c++) {
      if (S.pega(r, c)) continue;
      bool branco = D.pega(r, c);
      int lado = branco ? 2 : 3;
      for (int l = r - lado / 2; l < r - lado / 2 + lado; l++)
        for (int k = c - lado / 2; k < c - lado / 2 + lado; k++)
          if (R.dentro(l, k)) R.poe(l, k, !branco);
    }
  return R;
}

class Assinatura : public ::testing::Test {
 protected:
  void SetUp() override {
    fixaperfil('2');
    imp(IMGBIN(512, 512, true), (d / "branca.bmp").c_str());
  }
  void TearDown() override { fixaperfil('2'); }
  DIRTEMP d;
};

TEST_F(Assinatura, ErrosNaoDeixamSaida) {
  imp(IMGBIN(512, 512, false), (d / "preta.bmp").c_str());
  imp(IMGBIN(511, 512, true), (d / "baixa.bmp").c_str());
  imp(IMGBIN(512, 511, true), (d / "estreita.bmp").c_str());
  escrevearquivo(d / "lixo.bmp", "isto nao e imagem\n");
  const std::string excesso = "Erro: Excesso de bits. Diminua #bits ou redimensione o sistema. \n";
  const std::string indice = "Erro VETORBIT::operator() - Indice invalido \n";
  const std::string pequeno =
      "Erro: Documento pequeno demais; minimo de linhas x colunas = 512 x 512\n";
  const struct {
    const char* nome;
    std::string doc, carga;  // carga empty: no payload file
    std::vector<std::string> params;
    std::string out, err;
  } casos[] = {
      {"65536 bits", "branca.bmp", vet(65536, bitsde(65536)), {}, NOTA2,
       "Erro: Numero de bits muito grande \n"},
      {"65535 bits", "branca.bmp", vet(65535, bitsde(65535)), {},
       NOTA2 + "#bits livres=268 bits.n-16=65535\n", excesso},
      {"269 bits", "branca.bmp", vet(269, bitsde(269)), {},
       NOTA2 + "#bits livres=268 bits.n-16=269\n", excesso},
      {"contagem -1", "branca.bmp", "-1\n\n", {}, NOTA2, indice},
      {"contagem -20", "branca.bmp", "-20\n\n", {}, NOTA2, indice},
      // The document is read first: its absence is reported though the payload is missing too.
      {"sem documento", "nao.bmp", "", {}, NOTA2, "Erro TipoImg - Abertura  nao.bmp\n"},
      {"sem carga", "branca.bmp", "", {}, NOTA2, "Erro le(VETORBIT - Abertura  carga.vet\n"},
      {"carga com um 2", "branca.bmp", "5\n\n10200\n", {}, NOTA2, "Erro: LeBool  2\n"},
      {"carga curta", "branca.bmp", "5\n\n101\n", {}, NOTA2, "Erro: LeBool  eof\n"},
      {"documento ilegivel", "lixo.bmp", vet(5, "10100"), {}, NOTA2,
       "Erro TipoImg - Formato deve ser JPG ou um dos nao-compactados: BMP-1bit ou TGA-8bits ou "
       "TGA-24bits ou .TXT (MAT) ou .IMG ou .AVIou PBM ou PGM ou PPM \n"},
      {"511 linhas", "baixa.bmp", vet(5, "10100"), {}, NOTA2, pequeno},
      {"511 colunas", "estreita.bmp", vet(5, "10100"), {}, NOTA2, pequeno},
      // A seed whose generator is trapped finds no place for a hole in the permutation.
      {"semente presa", "branca.bmp", vet(5, "10100"), {"9", "12", "3", "2", "123459876"}, NOTA2,
       "Erro: Fiz 10000 tentativas e nao achei local para furo na permutacao \n"},
      // tamegneg 0 protects every black pixel: no hole finds a place on a black page.
      {"falhas", "preta.bmp", vet(5, "10100"), {"9", "0", "3", "2", "7"},
       NOTA2 + "Um pixel de perm tem dimensao tambkl=1 tambkc=1\n"
               "Nao consegui colocar 200.000000% dos furos.\n",
       "Erro: Taxa de falha muito alta. Redimensione o sistema \n"},
  };
  for (const auto& k : casos) {
    SCOPED_TRACE(k.nome);
    std::remove((d / "carga.vet").c_str());
    if (!k.carga.empty()) escrevearquivo(d / "carga.vet", k.carga);
    std::vector<std::string> args = {"s2s", k.doc, "carga.vet", "saida.bmp"};
    args.insert(args.end(), k.params.begin(), k.params.end());
    SAIDA s = morvia(args, d.dir());
    EXPECT_EQ(s.status, 1);
    EXPECT_EQ(s.out, k.out);
    EXPECT_EQ(s.err, k.err);
    EXPECT_FALSE(existe(d / "saida.bmp"));
  }
}

// A full disk at the last step: the writer's report and status 1, never a silent success.
TEST_F(Assinatura, DiscoCheioEhFatal) {
  escrevearquivo(d / "carga.vet", vet(5, "10100"));
  ASSERT_EQ(symlink("/dev/full", (d / "saida.bmp").c_str()), 0);
  SAIDA s = morvia({"s2s", "branca.bmp", "carga.vet", "saida.bmp"}, d.dir());
  EXPECT_EQ(s.status, 1);
  EXPECT_EQ(s.err, "Erro IMGBIN::ImpBmp - Escrita de  saida.bmp\n");
  EXPECT_EQ(s.out.rfind("#Furos marcados:"), s.out.find('#')) << s.out;
}

// The permutation image written in debug mode shows the embedded vector: the length header,
// least significant bit first, then the payload.
TEST_F(Assinatura, CargasAceitas) {
  for (int n : {0, 5, 268}) {
    SCOPED_TRACE(n);
    const std::string bits = n == 5 ? "10100" : bitsde(n);
    escrevearquivo(d / "carga.vet", vet(n, bits));
    std::remove((d / "saida.bmp").c_str());
    SAIDA s = morvia({"s2d", "branca.bmp", "carga.vet", "saida.bmp"}, d.dir());
    ASSERT_EQ(s.status, 0) << s.err;
    EXPECT_EQ(s.err, "");
    EXPECT_EQ(s.out, NOTA2 +
                         "Um pixel de perm tem dimensao tambkl=1 tambkc=1\n"
                         "Aviso: Nao consegui colocar 0.000000% dos furos.\n"
                         "#Furos marcados: neg (pt/br)=3072   pos (br/pt)=0\n");
    IMGBIN perm, R;
    le(perm, (d / "_s01.bmp").c_str());
    EXPECT_TRUE(iguais(perm, montaperm(embutido(bits), 7)));
    le(R, (d / "saida.bmp").c_str());
    EXPECT_EQ(R.nl(), 512);
    EXPECT_EQ(R.nc(), 512);
  }
}

// Real-looking text pages in both profiles: the marked page is the original plus the holes of
// the centre map, and every black perm cell has its own centre or counts as a failure.
TEST_F(Assinatura, PaginaDeTexto) {
  const struct {
    char pics;
    int nl, nc, dpi, nbits;
  } casos[] = {{'2', 2200, 1700, 200, 40}, {'4', 4400, 3400, 400, 700}};
  for (const auto& k : casos) {
    SCOPED_TRACE(k.pics);
    fixaperfil(k.pics);
    const IMGBIN D = geradoc(k.nl, k.nc, k.dpi, 11);
    imp(D, (d / "texto.bmp").c_str());
    const std::string bits = bitsde(k.nbits);
    escrevearquivo(d / "carga.vet", vet(k.nbits, bits));
    SAIDA s =
        morvia({std::string("s") + k.pics + "d", "texto.bmp", "carga.vet", "saida.bmp"}, d.dir());
    ASSERT_EQ(s.status, 0) << s.err;

    int tambkl = 0, tambkc = 0, neg = -1, pos = -1;
    double pct = -1;
    char aviso[16] = "";
    ASSERT_EQ(std::sscanf(s.out.c_str(),
                          "Nota: Numero de bits livres inserivel=%*d\n"
                          "Um pixel de perm tem dimensao tambkl=%d tambkc=%d\n"
                          "%15[^:]: Nao consegui colocar %lf%% dos furos.\n"
                          "#Furos marcados: neg (pt/br)=%d   pos (br/pt)=%d",
                          &tambkl, &tambkc, aviso, &pct, &neg, &pos),
              6)
        << s.out;
    EXPECT_EQ(tambkl, k.nl / tamperm);
    EXPECT_EQ(tambkc, k.nc / tamperm);
    // Dense text leaves some cells without a free pixel: a warning, never the refusal.
    EXPECT_TRUE(std::string(aviso) == "Aviso" || std::string(aviso) == "Cuidado") << aviso;
    const int falhas = static_cast<int>(pct * npos / 100 + 0.5);

    IMGBIN perm, S, R;
    le(perm, (d / "_s01.bmp").c_str());
    le(S, (d / "_s02.bmp").c_str());
    le(R, (d / "saida.bmp").c_str());
    EXPECT_TRUE(iguais(perm, montaperm(embutido(bits), 7)));
    ASSERT_EQ(S.nl(), k.nl);
    ASSERT_EQ(S.nc(), k.nc);
    int nneg = 0, npositivos = 0;
    for (int l = 0; l < S.nl(); l++)
      for (int c = 0; c < S.nc(); c++)
        if (!S.pega(l, c)) (D.pega(l, c) ? nneg : npositivos)++;
    EXPECT_EQ(nneg, neg);
    EXPECT_EQ(npositivos, pos);
    EXPECT_GT(pos, 0);  // the page has black areas wide enough for positive holes
    EXPECT_EQ(neg + pos + falhas, 2 * npos);
    EXPECT_TRUE(iguais(R, comfuros(D, S)));
  }
}

}  // namespace
