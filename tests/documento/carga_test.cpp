// Payloads as users type them, and JSON text as programs read it.
#include "carga.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "json.h"

namespace {

struct ENTRADA {
  const char* tipo;
  std::string valor;
  bool aceita;
  std::string mostrada;  // as shown back, when accepted
};

bool analisa(const ENTRADA& e, CARGA& c, std::string& erro) {
  const std::string t = e.tipo;
  if (t == "text") return cargadetexto(e.valor, c, erro);
  if (t == "number") return cargadenumero(e.valor, c, erro);
  return cargadehex(e.valor, c, erro);
}

TEST(Carga, EntradasAceitasERecusadas) {
  const ENTRADA casos[] = {
      {"text", "ACME copy 17", true, "ACME copy 17"},
      {"text", "Cópia nº 5 ✓", true, "Cópia nº 5 ✓"},
      {"text", "", false, ""},
      {"text", "\xff\xfe", false, ""},
      {"text", "\xc0\xaf", false, ""},  // overlong
      {"number", "0", true, "0"},
      {"number", "17", true, "17"},
      {"number", "18446744073709551615", true, "18446744073709551615"},
      {"number", "18446744073709551616", false, ""},
      {"number", "-1", false, ""},
      {"number", "12abc", false, ""},
      {"number", "", false, ""},
      {"hex", "DEADbeef", true, "deadbeef"},
      {"hex", "abc", false, ""},
      {"hex", "zz", false, ""},
      {"hex", "", false, ""},
  };
  for (const ENTRADA& e : casos) {
    SCOPED_TRACE(std::string(e.tipo) + " '" + e.valor + "'");
    CARGA c;
    std::string erro;
    ASSERT_EQ(analisa(e, c, erro), e.aceita) << erro;
    if (e.aceita)
      EXPECT_EQ(mostracarga(c), e.mostrada);
    else
      EXPECT_FALSE(erro.empty());
  }
}

TEST(Carga, NumeroOcupaSoOsBytesQuePrecisa) {
  CARGA c;
  std::string erro;
  ASSERT_TRUE(cargadenumero("256", c, erro));
  EXPECT_EQ(c.bytes, (std::vector<uint8_t>{1, 0}));
  ASSERT_TRUE(cargadenumero("18446744073709551615", c, erro));
  EXPECT_EQ(c.bytes.size(), 8u);
}

TEST(Json, TextoQualquerVoltaPeloParser) {
  const std::string casos[] = {"plain",
                               "quote \" and \\ back",
                               "tab\tnew\nline\r",
                               std::string("nul\0byte", 8),
                               "Cópia ✓",
                               "stray \xff byte",
                               "\x7f"};
  for (const std::string& s : casos) {
    SCOPED_TRACE(s);
    const std::string linha = OBJETOJSON().texto("k", s).numero("n", 300).linha();
    const nlohmann::json j = nlohmann::json::parse(linha);
    EXPECT_EQ(j["n"], 300);
    if (s.find('\xff') == std::string::npos) {
      EXPECT_EQ(j["k"], s);
    }
  }
}

}  // namespace
