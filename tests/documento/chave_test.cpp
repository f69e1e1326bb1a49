// Keys: derivations pinned by known answers, forgeries that never verify, and key files that
// are refused when they are not what they must be.
#include "chave.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <random>

#include "apoio.h"
#include "imagens_teste.h"
#include "io/leimp.h"
#include "leiaute.h"
#include "quadro.h"

namespace {

constexpr int N2 = 33, N4 = 171;

std::vector<uint8_t> hex(const std::string& h) {
  std::vector<uint8_t> b;
  for (size_t i = 0; i < h.size(); i += 2) b.push_back(std::stoi(h.substr(i, 2), nullptr, 16));
  return b;
}

CHAVE chave(TIPOCHAVE t, const std::vector<uint8_t>& b) {
  CHAVE k;
  k.tipo = t;
  k.bytes = b;
  return k;
}

CHAVE sequencia(TIPOCHAVE t, int inicio) {
  std::vector<uint8_t> b(32);
  for (int i = 0; i < 32; i++) b[i] = static_cast<uint8_t>(inicio + i);
  return chave(t, b);
}

CARGA texto(const std::string& s) {
  CARGA c;
  c.bytes.assign(s.begin(), s.end());
  return c;
}

// Expected values computed with Python's hmac and hashlib, and RFC 8032's first test vector.
TEST(Chave, DerivacoesFixas) {
  const CHAVE k = sequencia(TIPOCHAVE::MAC, 0);
  EXPECT_EQ(sementedachave(k), 1243711490);
  const SELO s = selodachave(k);
  ASSERT_EQ(s.prova, PROVA::MAC);
  const uint8_t quadro[] = {0x21, 4, 'A', 'C', 'M', 'E'};
  EXPECT_EQ(s.sela(quadro, 6), hex("906ff93c"));

  const CHAVE sec = chave(TIPOCHAVE::SECRETA,
                          hex("9d61b19deffd5a60ba844af492ec2cc44449c5697b326919703bac031cae7f60"));
  const SELO a = selodachave(sec);
  EXPECT_EQ(a.chave, hex("d75a980182b10ab7d54bfed3c964073a0ee172f3daa62325af021a68f707511a"));
  EXPECT_EQ(a.sela(nullptr, 0),
            hex("e5564300c360ac729086e2cc806e828a84877f1eb8e5d974d873e06522490155"
                "5fb8821590a33bacc61e39701cf9b46bd25bf5f0595bbe24655141438e7a100b"));
  EXPECT_EQ(sementedachave(sec), 1310956389);
  EXPECT_EQ(sementedachave(chave(TIPOCHAVE::PUBLICA, a.chave)), 1310956389);
}

// Each row a forgery built through the library's calls; none may come back verified.
TEST(Chave, FalsificacoesNuncaVerificam) {
  const SELO a = selodachave(sequencia(TIPOCHAVE::MAC, 0));
  const SELO b = selodachave(sequencia(TIPOCHAVE::MAC, 100));
  const CARGA c = texto("pay Alice 100");
  const std::vector<uint8_t> qa = codificaquadro(c, N2, a);
  ASSERT_TRUE(decodificaquadro(qa, {}, a).verificado);
  // Laid out for key A, tagged under key B.
  EXPECT_FALSE(decodificaquadro(codificaquadro(c, N2, b), {}, a).verificado);
  // No key: a CRC frame is not a MAC frame, and the other way round.
  EXPECT_FALSE(decodificaquadro(codificaquadro(c, N2), {}, a).verificado);
  EXPECT_FALSE(decodificaquadro(qa, {}, SELO()).verificado);
  // The payload changed, its tag kept, the parity made anew.
  const int r = paridade(N2, static_cast<int>(c.bytes.size()), a);
  std::vector<uint8_t> q = qa;
  q[2 + 10] = '9';
  poeparidade(q, r);
  EXPECT_FALSE(decodificaquadro(q, {}, a).verificado);
  // 100,000 random tags on a valid frame.
  std::mt19937 g(7);
  int aceitos = 0;
  const size_t t = 2 + c.bytes.size();
  for (int i = 0; i < 100000; i++) {
    q = qa;
    for (int k = 0; k < 4; k++) q[t + k] = static_cast<uint8_t>(g());
    if (std::equal(q.begin() + t, q.begin() + t + 4, qa.begin() + t)) continue;
    poeparidade(q, r);
    aceitos += decodificaquadro(q, {}, a).verificado;
  }
  EXPECT_EQ(aceitos, 0);
}

TEST(Chave, AssinaturaVerificaSoComSuaChavePublica) {
  const SELO sec = selodachave(sequencia(TIPOCHAVE::SECRETA, 3));
  const SELO pub = selodachave(chave(TIPOCHAVE::PUBLICA, sec.chave));
  const SELO outra =
      selodachave(chave(TIPOCHAVE::PUBLICA, selodachave(sequencia(TIPOCHAVE::SECRETA, 4)).chave));
  EXPECT_LT(cargamaxima(N2, sec), 1);  // 64 bytes do not fit at 200 dpi
  const CARGA c = texto("Certificate 2026-0042");
  const std::vector<uint8_t> q = codificaquadro(c, N4, sec);
  const DECODIFICACAO d = decodificaquadro(q, {}, pub);
  ASSERT_TRUE(d.verificado);
  EXPECT_EQ(d.carga.bytes, c.bytes);
  EXPECT_FALSE(decodificaquadro(q, {}, outra).verificado);
  std::vector<uint8_t> mudado = q;
  mudado[2] ^= 1;
  poeparidade(mudado, paridade(N4, static_cast<int>(c.bytes.size()), sec));
  EXPECT_FALSE(decodificaquadro(mudado, {}, pub).verificado);
}

TEST(Chave, LeiauteDeSementeRuimNaoSeLe) {
  EXPECT_TRUE(leiautelegivel(7));
  EXPECT_FALSE(leiautelegivel(506952116));  // its synchronisation fails on every page
}

SAIDA doc(const std::vector<std::string>& args) { return executa(programa("morvia-doc"), args); }

TEST(Chave, KeygenEArquivosRuins) {
  DIRTEMP d;
  SAIDA s = doc({"keygen", d / "k"});
  ASSERT_EQ(s.status, 0) << s.err;
  struct stat st;
  ASSERT_EQ(stat((d / "k").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(st.st_size, 40);
  const std::string antes = learquivo(d / "k");
  EXPECT_EQ(doc({"keygen", d / "k"}).status, 1);
  EXPECT_EQ(learquivo(d / "k"), antes);
  ASSERT_EQ(doc({"keygen", "--public", d / "p"}).status, 0);
  ASSERT_EQ(stat((d / "p.pub").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);

  escrevearquivo(d / "vazia", "");
  escrevearquivo(d / "curta", antes.substr(0, 39));
  escrevearquivo(d / "longa", antes + "x");
  escrevearquivo(d / "aberta", antes);
  chmod((d / "aberta").c_str(), 0644);
  mkdir((d / "somenteleitura").c_str(), 0555);
  imp(IMGBIN(2200, 1700, true), (d / "doc.bmp").c_str());
  struct CASO {
    std::vector<std::string> args;
    std::string mensagem;
  };
  const std::string sai = d / "saida.bmp";
  const CASO casos[] = {
      {{"sign", d / "doc.bmp", sai, "--text", "a", "--key", d / "nada"}, "nada"},
      {{"sign", d / "doc.bmp", sai, "--text", "a", "--key", d / "vazia"}, "40 bytes"},
      {{"sign", d / "doc.bmp", sai, "--text", "a", "--key", d / "curta"}, "40 bytes"},
      {{"sign", d / "doc.bmp", sai, "--text", "a", "--key", d / "longa"}, "40 bytes"},
      {{"sign", d / "doc.bmp", sai, "--text", "a", "--key", d / "aberta"}, "chmod 600"},
      {{"sign", d / "doc.bmp", sai, "--text", "a", "--key", d / "doc.bmp"}, "not a key file"},
      {{"sign", d / "doc.bmp", sai, "--text", "a", "--key", d / "p.pub"}, "public key"},
      {{"sign", d / "doc.bmp", sai, "--text", "a", "--key", d / "p"}, "does not fit at 200 dpi"},
      {{"sign", d / "doc.bmp", sai, "--text", "a", "--key", d / "k", "--seed", "3"}, "--seed"},
      {{"verify", d / "doc.bmp", "--public-key", d / "k"}, "not a public key"},
      {{"verify", d / "k"}, "a key file of morvia-doc, not a page"},
      {{"keygen", d / "nenhuma/k"}, "nenhuma/k"},
  };
  for (const CASO& c : casos) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    SAIDA r = doc(c.args);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE((r.err + r.out).find(c.mensagem), std::string::npos) << r.err << r.out;
    EXPECT_FALSE(existe(sai));
  }
  EXPECT_EQ(learquivo(d / "k"), antes);
  // A read-only folder stops keygen, unless the tests run as root, whom nothing stops.
  if (geteuid() != 0) {
    EXPECT_EQ(doc({"keygen", d / "somenteleitura/k"}).status, 1);
    EXPECT_FALSE(existe(d / "somenteleitura/k"));
  }
}

// The user's road with a key: the text back, "verified", keyed "mac"; with another key or none,
// never a payload. The key's bytes appear nowhere in what the program prints.
TEST(Chave, CaminhoComChavePeloPrintscan) {
  DIRTEMP d;
  ASSERT_EQ(executa(programa("geradoc"), {d / "doc.bmp", "200", "12"}).status, 0);
  ASSERT_EQ(doc({"keygen", d / "k"}).status, 0);
  ASSERT_EQ(doc({"keygen", d / "outra"}).status, 0);
  SAIDA s = doc({"sign", d / "doc.bmp", d / "m.bmp", "--text", "ACME copy 17", "--key", d / "k"});
  ASSERT_EQ(s.status, 0) << s.err;
  ASSERT_EQ(
      executa(programa("printscan"), {d / "m.bmp", d / "scan.png", "--dpi-scan", "300", "--toner",
                                      "1", "--borrao", "0.7", "--ruido", "3", "--rot", "0.5"})
          .status,
      0);
  SAIDA v = doc({"verify", d / "scan.png", "--key", d / "k", "--json"});
  EXPECT_EQ(v.status, 0) << v.out << v.err;
  const nlohmann::json j = nlohmann::json::parse(v.out);
  EXPECT_EQ(j["verdict"], "verified");
  EXPECT_EQ(j["payload"], "ACME copy 17");
  EXPECT_EQ(j["keyed"], "mac");
  for (const std::vector<std::string>& outra :
       {std::vector<std::string>{"--key", d / "outra"}, std::vector<std::string>{}}) {
    std::vector<std::string> a = {"verify", d / "scan.png", "--json"};
    a.insert(a.end(), outra.begin(), outra.end());
    SAIDA w = doc(a);
    EXPECT_EQ(w.status, 2);
    const nlohmann::json x = nlohmann::json::parse(w.out);
    EXPECT_NE(x["verdict"], "verified");
    EXPECT_FALSE(x.contains("payload"));
  }
  const std::string k = learquivo(d / "k").substr(8);
  std::string hexk;
  for (unsigned char c : k) {
    char b[3];
    std::snprintf(b, sizeof b, "%02x", c);
    hexk += b;
  }
  for (const std::string& texto : {s.out, s.err, v.out, v.err}) {
    EXPECT_EQ(texto.find(k), std::string::npos);
    EXPECT_EQ(texto.find(hexk), std::string::npos);
  }
}

// A signing pair at 400 dpi: the holder of the public key verifies, another public key does not.
TEST(Chave, CaminhoComAssinaturaPublica) {
  DIRTEMP d;
  ASSERT_EQ(executa(programa("geradoc"), {d / "doc.bmp", "400", "13"}).status, 0);
  ASSERT_EQ(doc({"keygen", "--public", d / "k"}).status, 0);
  ASSERT_EQ(doc({"keygen", "--public", d / "o"}).status, 0);
  SAIDA s = doc({"sign", d / "doc.bmp", d / "m.bmp", "--dpi", "400", "--text",
                 "Certificate 2026-0042", "--key", d / "k"});
  ASSERT_EQ(s.status, 0) << s.err;
  ASSERT_EQ(executa(programa("printscan"),
                    {d / "m.bmp", d / "scan.tif", "--dpi-doc", "400", "--dpi-scan", "600",
                     "--toner", "1", "--borrao", "0.7", "--ruido", "3", "--rot", "0.5"})
                .status,
            0);
  SAIDA v = doc({"verify", d / "scan.tif", "--dpi", "400", "--public-key", d / "k.pub", "--json"});
  EXPECT_EQ(v.status, 0) << v.out << v.err;
  const nlohmann::json j = nlohmann::json::parse(v.out);
  EXPECT_EQ(j["payload"], "Certificate 2026-0042");
  EXPECT_EQ(j["keyed"], "signature");
  SAIDA w = doc({"verify", d / "scan.tif", "--dpi", "400", "--public-key", d / "o.pub"});
  EXPECT_EQ(w.status, 2);
  EXPECT_EQ(w.out.find("Certificate"), std::string::npos);
}

}  // namespace
