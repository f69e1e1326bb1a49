// The payload frame: what the code corrects, and that nothing it cannot correct is ever reported
// as a payload.
#include "quadro.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

CARGA texto(const std::string& s) {
  CARGA c;
  c.bytes.assign(s.begin(), s.end());
  return c;
}

// Frame sizes of the two page profiles.
constexpr int N2 = 33, N4 = 171;

// Positions of k distinct bytes of a frame of n, chosen by g.
std::vector<int> posicoes(int n, int k, std::mt19937& g) {
  std::vector<int> p(n);
  for (int i = 0; i < n; i++) p[i] = i;
  std::shuffle(p.begin(), p.end(), g);
  p.resize(k);
  return p;
}

void estraga(std::vector<uint8_t>& q, const std::vector<int>& pos, std::mt19937& g) {
  for (int i : pos) q[i] ^= static_cast<uint8_t>(1 + g() % 255);  // never unchanged
}

TEST(Quadro, LeiauteDaVersao1) {
  const std::vector<uint8_t> q = codificaquadro(texto("ACME"), N2);
  ASSERT_EQ(q.size(), 33u);
  EXPECT_EQ(q[0], 0x11);  // version 1, text
  EXPECT_EQ(q[1], 4);
  EXPECT_EQ(std::string(q.begin() + 2, q.begin() + 6), "ACME");
  // CRC-32 (as Python's zlib.crc32 gives it) of 11 04 'A' 'C' 'M' 'E', big-endian.
  const uint8_t crc[] = {q[6], q[7], q[8], q[9]};
  EXPECT_EQ(uint32_t(crc[0]) << 24 | uint32_t(crc[1]) << 16 | uint32_t(crc[2]) << 8 | crc[3],
            0x9edd5ecbu);
  EXPECT_EQ(paridade(N2, 4), 23);
  EXPECT_EQ(cargamaxima(N2), 23);
  EXPECT_EQ(bytesdoquadro(268), N2);
  EXPECT_EQ(bytesdoquadro(1370), N4);
}

TEST(Quadro, BitsMaisSignificativosPrimeiro) {
  const std::vector<bool> b = bitsdoquadro({0x80, 0x01});
  ASSERT_EQ(b.size(), 16u);
  EXPECT_TRUE(b[0]);
  EXPECT_TRUE(b[15]);
  EXPECT_EQ(bytesdosbits(b), (std::vector<uint8_t>{0x80, 0x01}));
}

// One row per frame size and payload length: wrong bytes up to half the parity are corrected;
// erased bytes (confidence 0) up to parity - 2 together with the errors the rest allows.
struct CASO {
  int n, l;
};
void PrintTo(const CASO& c, std::ostream* os) { *os << "frame " << c.n << ", payload " << c.l; }
class Correcao : public ::testing::TestWithParam<CASO> {};

TEST_P(Correcao, AteOLimiteCorrigeAlemNuncaMente) {
  const CASO c = GetParam();
  std::mt19937 g(c.n * 1000 + c.l);
  CARGA carga;
  for (int i = 0; i < c.l; i++) carga.bytes.push_back(static_cast<uint8_t>(g()));
  carga.especie = ESPECIE::HEX;
  const std::vector<uint8_t> q = codificaquadro(carga, c.n);
  const int r = paridade(c.n, c.l);
  for (int rep = 0; rep < 20; rep++) {
    // Errors only, up to r / 2.
    std::vector<uint8_t> e = q;
    estraga(e, posicoes(c.n, r / 2, g), g);
    DECODIFICACAO d = decodificaquadro(e, {});
    ASSERT_TRUE(d.verificado);
    EXPECT_EQ(d.carga.bytes, carga.bytes);
    EXPECT_EQ(d.corrigidos, r / 2);
    // Erasures flagged by the confidence: r - 2 of them and one error more.
    std::vector<int> p = posicoes(c.n, r - 1, g);
    std::vector<double> conf(c.n, 0.9);
    e = q;
    estraga(e, p, g);
    for (int k = 0; k < r - 2; k++) conf[p[k]] = 0.01;
    d = decodificaquadro(e, conf);
    ASSERT_TRUE(d.verificado) << "erasures " << r - 2 << " + 1 error";
    EXPECT_EQ(d.carga.bytes, carga.bytes);
    // Beyond the limit: never a payload other than the one signed.
    e = q;
    estraga(e, posicoes(c.n, r / 2 + 1 + static_cast<int>(g() % 3), g), g);
    d = decodificaquadro(e, {});
    if (d.verificado) {
      EXPECT_EQ(d.carga.bytes, carga.bytes);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Quadros, Correcao,
                         ::testing::Values(CASO{N2, 1}, CASO{N2, 8}, CASO{N2, 22}, CASO{N2, 23},
                                           CASO{N4, 1}, CASO{N4, 22}, CASO{N4, 100}, CASO{N4, 161}),
                         [](const ::testing::TestParamInfo<CASO>& i) {
                           return "n" + std::to_string(i.param.n) + "_carga" +
                                  std::to_string(i.param.l);
                         });

TEST(Quadro, CabecalhoLidoErradoNaoEncerraALeitura) {
  const std::vector<uint8_t> q = codificaquadro(texto("ACME copy 17"), N2);
  for (int pos : {0, 1}) {
    std::vector<uint8_t> e = q;
    e[pos] ^= 0x5A;
    e[20] ^= 0x11;
    const DECODIFICACAO d = decodificaquadro(e, {});
    ASSERT_TRUE(d.verificado) << pos;
    EXPECT_EQ(std::string(d.carga.bytes.begin(), d.carga.bytes.end()), "ACME copy 17");
    EXPECT_EQ(d.corrigidos, 2);
  }
}

// The false-accept figure: random words, and signed frames damaged past what the code
// corrects, with and without confidences. Not one may come back as another payload.
TEST(Quadro, NenhumaCargaFalsaEmCemMilQuadros) {
  std::mt19937 g(20261211);
  int falsos = 0, verificadosaleatorios = 0, corrigidosalem = 0;
  for (int i = 0; i < 50000; i++) {
    const int n = i % 200 == 0 ? N4 : N2;  // a 400 dpi read tries 160 parities: slow
    std::vector<uint8_t> w(n);
    for (uint8_t& b : w) b = static_cast<uint8_t>(g());
    std::vector<double> conf;
    if (i % 2)
      for (int k = 0; k < n; k++) conf.push_back((g() % 1000) / 1000.0);
    verificadosaleatorios += decodificaquadro(w, conf).verificado;
  }
  for (int i = 0; i < 50000; i++) {
    const int n = i % 200 == 0 ? N4 : N2;  // a 400 dpi read tries 160 parities: slow
    CARGA c = texto("copy " + std::to_string(i));
    const std::vector<uint8_t> q = codificaquadro(c, n);
    const int r = paridade(n, static_cast<int>(c.bytes.size()));
    std::vector<uint8_t> e = q;
    estraga(e, posicoes(n, r / 2 + 1 + static_cast<int>(g() % (n - r / 2 - 1)), g), g);
    std::vector<double> conf;
    if (i % 2)
      for (int k = 0; k < n; k++) conf.push_back((g() % 1000) / 1000.0);
    const DECODIFICACAO d = decodificaquadro(e, conf);
    if (d.verificado && d.carga.bytes != c.bytes) falsos++;
    if (d.verificado && d.carga.bytes == c.bytes) corrigidosalem++;
  }
  EXPECT_EQ(verificadosaleatorios, 0);
  EXPECT_EQ(falsos, 0);
  // Confidences that happen to point at the damaged bytes let some be read beyond r / 2.
  RecordProperty("corrigidos_alem_de_r_2", corrigidosalem);
}

TEST(Quadro, QuadroDeTamanhoInvalidoNaoEVerificado) {
  EXPECT_FALSE(decodificaquadro({}, {}).verificado);
  EXPECT_FALSE(decodificaquadro(std::vector<uint8_t>(10, 0), {}).verificado);
  EXPECT_FALSE(decodificaquadro(std::vector<uint8_t>(300, 0), {}).verificado);
  EXPECT_FALSE(decodificaquadro(std::vector<uint8_t>(N2, 0), {0.5}).verificado);
}

}  // namespace
