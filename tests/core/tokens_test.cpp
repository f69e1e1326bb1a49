#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/tokens.h"
#include "relato.h"

namespace {

// A text as an open stream, rewound, closed at the end of the scope.
class TEXTO {
 public:
  explicit TEXTO(const std::string& s) : f_(std::tmpfile()) {
    std::fwrite(s.data(), 1, s.size(), f_);
    std::rewind(f_);
  }
  ~TEXTO() { std::fclose(f_); }
  operator FILE*() const { return f_; }

 private:
  FILE* f_;
};

std::vector<std::string> tokens(const std::string& s, std::string (*scanner)(FILE*)) {
  TEXTO t(s);
  std::vector<std::string> r;
  do r.push_back(scanner(t));
  while (r.back() != "eof" && r.size() < 20);
  return r;
}

typedef std::vector<std::string> LISTA;

}  // namespace

TEST(Tokens, Palavras) {
  struct CASO {
    const char* texto;
    LISTA esperado;
  };
  const CASO casos[] = {
      {"  Abc\tDEF\n", {"abc", "def", "eof"}},
      {"(1,2;3=4)", {"1", "2", "3", "4", "eof"}},
      {"1\r\n2\r\n", {"1", "2", "eof"}},
      {"+1.5E-3_x", {"+1.5e-3_x", "eof"}},
      {"1 # nota\n2 // nota\n3 /* longa\n nota */ 4", {"1", "2", "3", "4", "eof"}},
      {"/**/9 /* ** */8 /*/ */7", {"9", "8", "7", "eof"}},
      {"1 # sem fim de linha", {"1", "eof"}},
      {"1 // sem fim de linha", {"1", "eof"}},
      {"1 /* nunca fechado", {"1", "erro", "eof"}},
      {"1 /x 2", {"1", "erro", "2", "eof"}},
      {"3! 4", {"erro", "4", "eof"}},
      {"! 5", {"erro", "5", "eof"}},
      {"3#nota\n4", {"erro", "nota", "4", "eof"}},  // the # went with the bad token
      {"\x1a 8", {"eof"}},
      {"", {"eof"}},
  };
  for (const CASO& k : casos) EXPECT_EQ(tokens(k.texto, LeToken), k.esperado) << k.texto;
}

TEST(Tokens, Caracteres) {
  EXPECT_EQ(tokens("0 1X.", LeCaractere), (LISTA{"0", "1", "x", ".", "eof"}));
  EXPECT_EQ(tokens("a/*c*/b # d\n+", LeCaractere), (LISTA{"a", "b", "+", "eof"}));
  EXPECT_EQ(tokens("2!", LeCaractere), (LISTA{"2", "erro", "eof"}));
}

TEST(Tokens, SeparadorFinalConsumido) {
  // Binary data may follow the single separator that ends a header token.
  TEXTO t("255\n\n\x01");
  EXPECT_EQ(LeToken(t), "255");
  EXPECT_EQ(std::getc(t), '\n');
}

namespace {

template <class T>
std::function<double(FILE*)> leitor() {
  return [](FILE* f) {
    T v;
    LeNum(f, v);
    return static_cast<double>(v);
  };
}

struct LEITOR {
  const char* nome;
  std::function<double(FILE*)> le;
};

const LEITOR INT{"int", leitor<int>()};
const LEITOR OPC{"opcional", [](FILE* f) {
                   int v;
                   LeNumOpc(f, v);
                   return static_cast<double>(v);
                 }};
const LEITOR BYT{"BYTE", leitor<BYTE>()};
const LEITOR SHO{"SHT", leitor<SHT>()};
const LEITOR FLO{"FLT", leitor<FLT>()};
const LEITOR DBL{"double", leitor<double>()};
const LEITOR BOO{"bool", leitor<bool>()};
const LEITOR BIT{"LeBool", [](FILE* f) { return static_cast<double>(LeBool(f)); }};

const double F30 = static_cast<double>(1e30f);

}  // namespace

TEST(Tokens, LeitoresTipados) {
  struct CASO {
    const LEITOR& leitor;
    const char* texto;
    double esperado;
  };
  const CASO casos[] = {
      {INT, "3x", 3},           {INT, "-12", -12},         {INT, " +7 ", 7},
      {INT, "0x10", 0},         {INT, "99999999999", INT_MAX},
      {OPC, "", NUMAUSENTE},    {OPC, " # so nota", NUMAUSENTE}, {OPC, "5", 5},
      {BYT, "300", 255},        {BYT, "-4", 0},            {BYT, "17q", 17},
      {SHO, "MAX", 32767},      {SHO, "maxsht", 32767},    {SHO, "+m", 32767},
      {SHO, ".", -32768},       {SHO, "minsht", -32768},   {SHO, "40000", -25536},
      {SHO, "-5q", -5},
      {FLO, "infinito", F30},   {FLO, "MAX", F30},         {FLO, ".", -F30},
      {FLO, "-infinito", -F30}, {FLO, "2.5", 2.5},         {FLO, "1e300", HUGE_VAL},
      {FLO, "0.1", static_cast<double>(0.1f)},
      {DBL, "m", 1e30},         {DBL, "-m", -1e30},        {DBL, "min", -1e30},
      {DBL, "0.1", 0.1},        {DBL, "3x", 3},            {DBL, "-2.5e-3", -2.5e-3},
      {BOO, "TRUE", 1},         {BOO, "x", 1},             {BOO, "v", 1},
      {BOO, "false", 0},        {BOO, ".", 0},             {BOO, "0", 0},
      {BIT, "t", 1},            {BIT, " F", 0},            {BIT, "x", 1},  {BIT, ".", 0},
  };
  for (const CASO& k : casos) {
    TEXTO t(k.texto);
    EXPECT_EQ(k.leitor.le(t), k.esperado) << k.leitor.nome << " \"" << k.texto << "\"";
  }
}

TEST(Tokens, LeBoolCaracteresJuntos) {
  TEXTO t("01x.");
  EXPECT_EQ((std::vector<bool>{LeBool(t), LeBool(t), LeBool(t), LeBool(t)}),
            (std::vector<bool>{false, true, true, false}));
}

TEST(TokensDeathTest, Fatais) {
  struct CASO {
    const LEITOR& leitor;
    const char* texto;
    const char* msg;
    const char* compl_;
  };
  const CASO casos[] = {
      {INT, "", "LeNum(int)", ""},        {INT, "abc", "LeNum(int)", ""},
      {INT, "3! 4", "LeNum(int)", ""},    {INT, "/* 5", "LeNum(int)", ""},
      {INT, "-", "LeNum(int)", ""},       {OPC, "!", "LeNum(int)", ""},
      {BYT, "x", "LeNum(BYTE)", ""},      {SHO, "maxx", "LeNum(SHT)", ""},
      {FLO, "abc", "LeNum(FLT)", ""},     {DBL, "", "LeNum(double)", ""},
      {BOO, "2", "LeNum(bool)", ""},      {BOO, "0101", "LeNum(bool)", ""},
      {BIT, "2", "Erro: LeBool ", "2"},   {BIT, "q", "Erro: LeBool ", "q"},
      {BIT, "", "Erro: LeBool ", "eof"},  {BIT, "!", "Erro: LeBool ", "erro"},
  };
  for (const CASO& k : casos) {
    TEXTO t(k.texto);
    EXPECT_EXIT(k.leitor.le(t), ::testing::ExitedWithCode(1), relato(k.msg, k.compl_))
        << k.leitor.nome << " \"" << k.texto << "\"";
  }
}

TEST(Tokens, CabemTokens) {
  TEXTO t("1 2 3");
  EXPECT_TRUE(cabemtokens(t, 3));
  EXPECT_FALSE(cabemtokens(t, 4));
  EXPECT_EQ(LeToken(t), "1");  // the position is kept
  EXPECT_TRUE(cabemtokens(t, 2));
  EXPECT_FALSE(cabemtokens(t, 3));
}
