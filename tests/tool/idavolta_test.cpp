// Round trips on real-looking pages: a synthetic text page is signed by the built tool, goes
// through the print-and-scan simulator and is verified; the payload must come back bit for bit.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "apoio.h"
#include "io/leimp.h"
#include "pagina.h"

namespace {

// A mild, realistic print and scan: toner spread, a little dot gain, scanner blur, sensor noise.
const std::string LEVE = "--toner 1 --ganho 0.05 --borrao 0.7 --ruido 3";

const char* const ROTACOES[4] = {
    "  Testando rotacao   0 graus...", "  Testando rotacao  90 graus...",
    "  Testando rotacao 180 graus...", "  Testando rotacao 270 graus..."};

struct CASO {
  const char* nome;
  char perfil;            // '2': 200 dpi letter page, '4': 400 dpi letter page
  int nbits;              // payload length
  std::string opcoes;     // printscan options
  int rotacoes;           // rotation lines printed; on success the last one synchronised
  const char* limite;     // nullptr, or the failure message of a case beyond the method
  unsigned pagina;        // page text seed, also the scan noise seed
  const char* sinc = "";  // the synchronisation line's offsets, pinned: any change to how the
                          // phases are computed must keep them
};

// A case prints as its name, in test reports and in ctest's list.
void PrintTo(const CASO& c, std::ostream* os) { *os << c.nome; }

// Quarter turns are clockwise in the simulator; the verifier turns anticlockwise, so one turn
// synchronises at the second line, two at the third, three at the fourth.
const CASO CASOS[] = {
    {"p2_sem_distorcao", '2', 268, "", 1, nullptr, 1, "linic=16 cinic=16"},
    {"p2_toner_borrao_ruido", '2', 0, LEVE, 1, nullptr, 2, "linic=16 cinic=16"},
    {"p2_rotacao_0_5", '2', 37, LEVE + " --rot 0.5", 1, nullptr, 3, "linic=16 cinic=16"},
    {"p2_rotacao_1", '2', 100, LEVE + " --rot 1", 1, nullptr, 4, "linic=16 cinic=16"},
    {"p2_rotacao_menos_1", '2', 173, LEVE + " --rot -1", 1, nullptr, 5, "linic=16 cinic=16"},
    {"p2_escala_mais_3", '2', 268, LEVE + " --dpi-scan 206", 1, nullptr, 6, "linic=16 cinic=16"},
    {"p2_escala_menos_3", '2', 1, LEVE + " --dpi-scan 194", 1, nullptr, 7, "linic=16 cinic=16"},
    {"p2_um_giro", '2', 64, LEVE + " --giro 1", 2, nullptr, 8, "linic=15 cinic=16"},
    {"p2_dois_giros", '2', 128, LEVE + " --giro 2", 3, nullptr, 9, "linic=15 cinic=14"},
    {"p2_tres_giros", '2', 255, LEVE + " --giro 3", 4, nullptr, 10, "linic=16 cinic=15"},
    {"p2_borda_branca", '2', 16, LEVE + " --borda 100", 1, nullptr, 11, "linic=17 cinic=16"},
    {"p2_tudo_junto", '2', 200, LEVE + " --rot 0.5 --giro 3 --borda 60 --dpi-scan 206", 4, nullptr,
     12, "linic=16 cinic=14"},
    // Known limits. A blur of 2 scan pixels flattens the 2 x 2 black dots below the detector's
    // contrast: no negative dot is found and the auto-correlation has no peaks.
    {"p2_limite_borrao_forte", '2', 100, LEVE + " --borrao 2", 0,
     "Erro: Ha coeficiente auto-corr < mincorr", 13},
    // Noise of 12 grey levels more than doubles the dots found, most of them false; the
    // template no longer stands out in any orientation.
    {"p2_limite_ruido_forte", '2', 100, LEVE + " --ruido 12", 4,
     "Erro: Sincronizacao de translacao", 14},
    {"p4_sem_distorcao", '4', 1370, "", 1, nullptr, 21, "linic=32 cinic=32"},
    {"p4_rotacao_1_escala_menos_3", '4', 0, LEVE + " --rot 1 --dpi-scan 388", 1, nullptr, 22,
     "linic=32 cinic=32"},
    {"p4_um_giro", '4', 333, LEVE + " --giro 1", 2, nullptr, 23, "linic=31 cinic=32"},
    {"p4_tres_giros_borda_escala", '4', 700, LEVE + " --rot 0.5 --giro 3 --borda 80 --dpi-scan 412",
     4, nullptr, 24, "linic=33 cinic=30"},
};

std::vector<std::string> palavras(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> v;
  for (std::string w; in >> w;) v.push_back(w);
  return v;
}

std::vector<std::string> linhas(const std::string& s) {
  std::vector<std::string> v;
  std::istringstream in(s);
  for (std::string l; std::getline(in, l);) v.push_back(l);
  return v;
}

std::string aleatorios(int n, unsigned semente) {
  std::mt19937 g(semente);
  std::string s;
  for (int i = 0; i < n; i++) s += static_cast<char>('0' + (g() & 1));
  return s;
}

// The bits of a .vet text, read independently of the library: the count on the first line,
// then every 0 or 1 after it. Returns false when the count does not match the bits found.
bool levet(const std::string& texto, std::string& bits) {
  size_t fim = texto.find('\n');
  if (fim == std::string::npos) return false;
  const int n = std::stoi(texto.substr(0, fim));
  bits.clear();
  for (size_t i = fim; i < texto.size(); i++)
    if (texto[i] == '0' || texto[i] == '1') bits += texto[i];
  return static_cast<int>(bits.size()) == n;
}

class IdaEVolta : public ::testing::TestWithParam<CASO> {};

TEST_P(IdaEVolta, CargaVoltaBitABit) {
  const CASO& k = GetParam();
  const int dpi = k.perfil == '2' ? 200 : 400;
  DIRTEMP d;
  imp(geradoc(11 * dpi, 17 * dpi / 2, dpi, k.pagina), (d / "pagina.bmp").c_str());
  const std::string carga = aleatorios(k.nbits, 1000 + k.pagina);
  escrevearquivo(d / "carga.vet", std::to_string(k.nbits) + "\n\n" + carga + "\n");

  SAIDA s = morvia({std::string("s") + k.perfil + "s", "pagina.bmp", "carga.vet", "marcada.bmp"},
                   d.dir());
  ASSERT_EQ(s.status, 0) << s.err;

  std::vector<std::string> args = {"marcada.bmp",       "scan.tga",  "--dpi-doc",
                                   std::to_string(dpi), "--semente", std::to_string(k.pagina)};
  for (const std::string& w : palavras(k.opcoes)) args.push_back(w);
  s = executa(programa("printscan"), args, d.dir());
  ASSERT_EQ(s.status, 0) << s.err;

  s = morvia({std::string("v") + k.perfil + "s", "scan.tga", "saida.vet"}, d.dir());
  const std::vector<std::string> ls = linhas(s.out);
  std::vector<size_t> rot;
  for (size_t i = 0; i < ls.size(); i++)
    if (ls[i].rfind("  Testando rotacao", 0) == 0) rot.push_back(i);
  ASSERT_EQ(static_cast<int>(rot.size()), k.rotacoes) << s.out;
  for (size_t r = 0; r < rot.size(); r++) EXPECT_EQ(ls[rot[r]], ROTACOES[r]);

  if (k.limite) {
    EXPECT_EQ(s.status, 1) << s.out;
    EXPECT_EQ(s.err, std::string(k.limite) + " \n");
    EXPECT_FALSE(existe(d / "saida.vet"));
    return;
  }
  ASSERT_EQ(s.status, 0) << s.out << s.err;
  EXPECT_EQ(s.err, "");
  // The last rotation tried is the one that synchronised: its coefficients, then the offset.
  const size_t ultima = rot.back();
  ASSERT_LT(ultima + 2, ls.size());
  EXPECT_EQ(ls[ultima + 2], std::string("  Sincronizei em ") + k.sinc) << s.out;
  EXPECT_NE(s.out.find("  Numero de bits escondidos=" + std::to_string(k.nbits) + "\n"),
            std::string::npos)
      << s.out;
  // A clean read: no group so weak that the tool warns about it.
  EXPECT_EQ(s.out.find("Cuidado"), std::string::npos) << s.out;
  std::string lidos;
  ASSERT_TRUE(levet(learquivo(d / "saida.vet"), lidos));
  ASSERT_EQ(lidos.size(), carga.size());
  int erros = 0;
  for (size_t i = 0; i < carga.size(); i++) erros += lidos[i] != carga[i];
  EXPECT_EQ(erros, 0) << "of " << carga.size() << " bits";
}

INSTANTIATE_TEST_SUITE_P(Casos, IdaEVolta, ::testing::ValuesIn(CASOS),
                         [](const ::testing::TestParamInfo<CASO>& i) { return i.param.nome; });

}  // namespace
