#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "apoio.h"
#include "core/vetorbit.h"
#include "io/memoria.h"
#include "relato.h"

namespace {

// A vector whose bit i is character i of the text.
VETORBIT embits(const std::string& s) {
  VETORBIT v(static_cast<int>(s.size()));
  for (size_t i = 0; i < s.size(); i++) v(static_cast<int>(i)) = s[i] == '1';
  return v;
}

std::string emtexto(const VETORBIT& v) {
  std::string s;
  for (int i = 0; i < v.n(); i++) s += v(i) ? '1' : '0';
  return s;
}

const std::string LINHA32 = "10100000000000001100101001100001";

VETORBIT learq(const std::string& conteudo) {
  DIRTEMP d;
  escrevearquivo(d / "p.vet", conteudo);
  VETORBIT v;
  le(v, (d / "p.vet").c_str());
  return v;
}

}  // namespace

TEST(Vetorbit, TamanhoEPalavras) {
  const int casos[][2] = {{0, 0}, {1, 1}, {32, 1}, {33, 2}, {64, 2}, {65, 3}, {-3, 0}};
  for (const auto& k : casos) {
    VETORBIT v(k[0]);
    EXPECT_EQ(v.n(), k[0]);
    EXPECT_EQ(v.nwords(), k[1]);
    EXPECT_EQ(v.words == nullptr, k[1] == 0);
  }
}

TEST(Vetorbit, BitsNasPalavras) {
  VETORBIT v(40);
  for (int i = 0; i < 40; i++) v(i) = (i == 0 || i == 31 || i == 32);
  EXPECT_EQ(v.words[0], 0x80000001u);
  EXPECT_EQ(v.words[1] & 0xFF000000u, 0x80000000u);
  v(0) = v(1);
  EXPECT_EQ(v.words[0], 0x00000001u);
}

TEST(Vetorbit, CopiasProfundas) {
  VETORBIT a = embits("10110");
  VETORBIT b(a);
  b(0) = false;
  EXPECT_EQ(emtexto(a), "10110");
  VETORBIT c(70);
  c = a;
  EXPECT_EQ(c.n(), 5);
  EXPECT_EQ(emtexto(c), "10110");
  c(4) = true;
  EXPECT_EQ(emtexto(a), "10110");
  c = c;
  EXPECT_EQ(emtexto(c), "10111");
}

TEST(VetorbitDeathTest, IndiceInvalido) {
  const std::string msg = relato("Erro VETORBIT::operator() - Indice invalido");
  VETORBIT v(5);
  const VETORBIT& cv = v;
  EXPECT_EXIT(v(5) = true, ::testing::ExitedWithCode(1), msg);
  EXPECT_EXIT(v(-1) = true, ::testing::ExitedWithCode(1), msg);
  EXPECT_EXIT((void)cv(5), ::testing::ExitedWithCode(1), msg);
  VETORBIT neg(-3);
  EXPECT_EXIT((void)neg(0), ::testing::ExitedWithCode(1), msg);
}

TEST(Vet, LeiauteDoEscritor) {
  struct CASO {
    std::string bits, arquivo;
  };
  const CASO casos[] = {
      {"10100", "5\n\n1010,0"},
      {"1010", "4\n\n1010,"},
      {"10100000", "8\n\n1010,0000 "},
      {LINHA32, "32\n\n1010,0000 0000,0000 1100,1010 0110,0001\n"},
      {LINHA32 + "111", "35\n\n1010,0000 0000,0000 1100,1010 0110,0001\n111"},
      {"", "0\n\n"},
  };
  DIRTEMP d;
  for (const CASO& k : casos) {
    imp(embits(k.bits), (d / "p.vet").c_str());
    EXPECT_EQ(learquivo(d / "p.vet"), k.arquivo) << k.bits;
  }
}

TEST(Vet, IdaEVolta) {
  std::mt19937 g(17);
  std::string s;
  for (int i = 0; i < 1000; i++) s += static_cast<char>('0' + (g() & 1));
  DIRTEMP d;
  imp(embits(s), (d / "p.vet").c_str());
  VETORBIT v(3);
  le(v, (d / "p.vet").c_str());
  EXPECT_EQ(v.n(), 1000);
  EXPECT_EQ(emtexto(v), s);
  imp(VETORBIT(0), (d / "p.vet").c_str());
  le(v, (d / "p.vet").c_str());
  EXPECT_EQ(v.n(), 0);
}

TEST(Vet, FormasDeEntrada) {
  struct CASO {
    const char* arquivo;
    const char* bits;
  };
  const CASO casos[] = {
      {"5 10100", "10100"},
      {"5\n\n1010,0", "10100"},
      {"5\r\n\r\n1 0 1 0 0\r\n", "10100"},
      {"4\n\nT F X V", "1011"},
      {"4 # quatro bits\n1 /* um */ 0 // zero\n(1;1)", "1011"},
      {"3 0.t seguido de texto que nao e lido !", "001"},
      {"0\n\n", ""},
  };
  for (const CASO& k : casos) EXPECT_EQ(emtexto(learq(k.arquivo)), k.bits) << k.arquivo;
}

TEST(Vet, ContagemNegativa) {
  VETORBIT v = learq("-3\n\n");
  EXPECT_EQ(v.n(), -3);
  EXPECT_EQ(v.words, nullptr);
}

TEST(VetDeathTest, ErrosDeLeitura) {
  struct CASO {
    const char* arquivo;
    const char* msg;
    const char* compl_;
  };
  const CASO casos[] = {
      {"3\n\n10", "Erro: LeBool ", "eof"},
      {"3\n\n10\x1a" "1", "Erro: LeBool ", "eof"},
      {"3\n\n120", "Erro: LeBool ", "2"},
      {"3\n\n1!0", "Erro: LeBool ", "erro"},
      {"2000000000\n\n1", "Erro: LeBool ", "eof"},
      {"tres 101", "LeNum(int)", ""},
      {"", "LeNum(int)", ""},
  };
  // Under a memory cap: a count the file cannot hold is refused before anything is allocated.
  for (const CASO& k : casos)
    EXPECT_EXIT((limitamemoria(), learq(k.arquivo)), ::testing::ExitedWithCode(1),
                relato(k.msg, k.compl_))
        << k.arquivo;
}

TEST(VetDeathTest, ErrosDeArquivo) {
  VETORBIT v = embits("101");
  EXPECT_EXIT(le(v, "/nao/existe.vet"), ::testing::ExitedWithCode(1),
              relato("Erro le(VETORBIT - Abertura ", "/nao/existe.vet"));
  EXPECT_EXIT(imp(v, "/nao/existe.vet"), ::testing::ExitedWithCode(1),
              relato("Erro imp(VETORBIT,nome) - abertura de ", "/nao/existe.vet"));
  EXPECT_EXIT(imp(v, "/dev/full"), ::testing::ExitedWithCode(1),
              relato("Erro imp(VETORBIT,nome) - Escrita de ", "/dev/full"));
}

TEST(VetorbitOps, Operacoes) {
  VETORBIT a = embits("1100"), b = embits("1010");
  EXPECT_EQ(emtexto(a & b), "1000");
  EXPECT_EQ(emtexto(a | b), "1110");
  EXPECT_EQ(emtexto(a ^ b), "0110");
  EXPECT_EQ(emtexto(inverte(embits("11010"))), "01011");
  EXPECT_EQ(emtexto(padzeros(embits("11"), 3)), "11000");
  EXPECT_EQ(emtexto(padzeros(a, 0)), "1100");
  EXPECT_EQ(emtexto(subvetorbit(embits("0110100"), 1, 4)), "1101");
  EXPECT_EQ(emtexto(subvetorbit(a, 2, 2)), "0");
  // The text is written most significant first: its last character is bit 0.
  EXPECT_EQ(emtexto(atovetorbit("1101")), "1011");
  EXPECT_EQ(atovetorbit("").n(), 0);
}

TEST(VetorbitOps, OperacoesAtravessamPalavras) {
  std::mt19937 g(5);
  std::string s, t;
  for (int i = 0; i < 70; i++) s += static_cast<char>('0' + (g() & 1));
  t = s.substr(3, 60);
  EXPECT_EQ(emtexto(subvetorbit(embits(s), 3, 62)), t);
  EXPECT_EQ(emtexto(padzeros(embits(t), 40)), t + std::string(40, '0'));
  EXPECT_EQ(emtexto(inverte(embits(s))), std::string(s.rbegin(), s.rend()));
}

TEST(VetorbitOps, DelleftMantemOsPrimeiros) {
  VETORBIT v = embits(LINHA32 + "0110");
  uint32_t* bloco = v.words;
  VETORBIT& r = delleft(v, 6);
  EXPECT_EQ(&r, &v);
  EXPECT_EQ(v.words, bloco);
  EXPECT_EQ(emtexto(v), LINHA32.substr(0, 30));
  VETORBIT copia(v);
  EXPECT_EQ(emtexto(copia), LINHA32.substr(0, 30));
  EXPECT_EQ(delleft(v, 30).n(), 0);
}

TEST(VetorbitOps, LeVetorbitDeTexto) {
  FILE* f = std::tmpfile();
  std::fputs("  \n 1101 0\n", f);
  std::rewind(f);
  EXPECT_EQ(emtexto(levetorbit(f)), "1011");
  EXPECT_EQ(emtexto(levetorbit(f)), "0");
  EXPECT_EXIT(levetorbit(f), ::testing::ExitedWithCode(1), relato("Erro leitura VETORBIT"));
  std::fclose(f);
}

TEST(VetorbitOps, ModGF2) {
  // Remainder of x^16 + x^15 + x^13 + x^10 + x^9 + x^8 + x^6 + x^5 (a message with three zero
  // bits appended) by x^3 + x + 1: the classic three-bit check "100".
  VETORBIT r = modGF2(atovetorbit("11010011101100000"), atovetorbit("1011"));
  EXPECT_EQ(emtexto(r), emtexto(atovetorbit("100")));
  // Message with its check appended leaves nothing.
  EXPECT_EQ(emtexto(modGF2(atovetorbit("11010011101100100"), atovetorbit("1011"))), "000");
  // A dividend of lower degree is its own remainder.
  EXPECT_EQ(emtexto(modGF2(atovetorbit("11"), atovetorbit("10011"))), emtexto(atovetorbit("0011")));
}

TEST(VetorbitOpsDeathTest, Falhas) {
  VETORBIT a(4), b(5);
  const auto fatal = ::testing::ExitedWithCode(1);
  EXPECT_EXIT(padzeros(a, -1), fatal, relato("Erro padzeros m<0"));
  EXPECT_EXIT(subvetorbit(a, 3, 2), fatal, relato("Erro subvetorbit inic>fim"));
  EXPECT_EXIT(subvetorbit(a, 1, 4), fatal, relato("Erro VETORBIT::operator() - Indice invalido"));
  EXPECT_EXIT(delleft(a, 5), fatal, relato("Erro delleft n>nv"));
  const std::string tamanhos = relato("Erro &: vetores com tamanhos diferentes");
  EXPECT_EXIT(a & b, fatal, tamanhos);
  EXPECT_EXIT(a | b, fatal, tamanhos);
  EXPECT_EXIT(a ^ b, fatal, tamanhos);
  EXPECT_EXIT(atovetorbit("1021"), fatal, relato("Erro atovetorbit"));
  EXPECT_EXIT(modGF2(a, VETORBIT(0)), fatal, relato("Erro modGF2 p.n<=0"));
}
