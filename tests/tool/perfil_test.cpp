#include <gtest/gtest.h>

#include "perfil.h"

namespace {

struct ESPERADO {
  char pics;
  int tamperm, tamgrade, tamexcl, npos, ngrupos, ngrsinc, ngrdados, nbitslivres;
};

const ESPERADO PERFIS[] = {
    {'2', 512, 256, 9, 1536, 384, 100, 284, 268},
    {'4', 1024, 512, 9, 6144, 1536, 150, 1386, 1370},
};

}  // namespace

TEST(Perfil, ValoresERelacoes) {
  // From '4' to '2' and back, so each setting overwrites the other profile.
  for (const char* ordem : {"42", "24"}) {
    for (const char* c = ordem; *c; c++) {
      const ESPERADO& e = PERFIS[*c == '2' ? 0 : 1];
      SCOPED_TRACE(*c);
      fixaperfil(*c);
      EXPECT_EQ(tamperm, e.tamperm);
      EXPECT_EQ(tamgrade, e.tamgrade);
      EXPECT_EQ(tamexcl, e.tamexcl);
      EXPECT_EQ(npos, e.npos);
      EXPECT_EQ(ngrupos, e.ngrupos);
      EXPECT_EQ(ngrsinc, e.ngrsinc);
      EXPECT_EQ(ngrdados, e.ngrdados);
      EXPECT_EQ(nbitslivres, e.nbitslivres);
      EXPECT_EQ(tamgrade, tamperm / 2);
      EXPECT_EQ(ngrupos, npos / 4);
      EXPECT_EQ(ngrdados, ngrupos - ngrsinc);
      EXPECT_EQ(nbitslivres, ngrdados - 16);
    }
  }
}

TEST(Perfil, SoDoisEQuatro) {
  EXPECT_TRUE(perfilvalido('2'));
  EXPECT_TRUE(perfilvalido('4'));
  for (char c : {'0', '1', '3', 'A', '\0'}) EXPECT_FALSE(perfilvalido(c)) << c;
}

TEST(Perfil, LetraDesconhecidaAborta) {
  EXPECT_EXIT(fixaperfil('3'), testing::ExitedWithCode(1), "Erro: pics deve ser 2 ou 4 \n");
}
