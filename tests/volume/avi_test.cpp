// AVI films: the layout the two writers produce, and the two readers on films built chunk by
// chunk, so that each fixture shows one fault.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "apoio.h"
#include "core/relato.h"
#include "io/memoria.h"
#include "volume/leimpvol.h"

namespace {

std::string u32(uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; i++) s[i] = static_cast<char>(v >> (8 * i));
  return s;
}
std::string u16(uint32_t v) { return u32(v).substr(0, 2); }
uint32_t campo(const std::string& b, size_t pos) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; i--) v = v << 8 | static_cast<unsigned char>(b.at(pos + i));
  return v;
}
std::string ck(const std::string& id, const std::string& dados) {
  return id + u32(static_cast<uint32_t>(dados.size())) + dados;
}
std::string lista(const std::string& tipo, const std::string& conteudo, int erro = 0) {
  return "LIST" + u32(static_cast<uint32_t>(conteudo.size() + 4 + erro)) + tipo + conteudo;
}

// A film assembled from its parts; every field can be spoiled by a test.
struct FILME {
  int bits = 8, total = 2, nl = 2, nc = 3;
  uint32_t periodo = 250000, escala = 1000, taxa = 4000;
  std::string tipohdrl = "hdrl", handler = "DIB ";
  int planos = 1, compressao = 0, cores = 256;
  int tamstrf = -1;                  // -1: the size the palette gives
  std::string antesavih;             // chunks between the "hdrl" type and "avih"
  std::string noheader;              // chunks after the stream list, inside "hdrl"
  std::string entrelistas;           // chunks between the header list and the frame list
  std::string depois;                // chunks after the frame list
  int errormovi = 0;                 // added to the frame list's size
  std::vector<std::string> quadros;  // frame chunks; empty: "total" frames by quadro()

  int linha() const { return (nc * bits / 8 + 3) / 4 * 4; }
  // Frame q: pixel byte (or each of blue, green, red) = 10·q + row·nc + column, bottom row first.
  std::string quadro(int q) const {
    std::string f;
    for (int l = nl - 1; l >= 0; l--) {
      std::string row;
      for (int c = 0; c < nc; c++)
        row += std::string(bits / 8, static_cast<char>(10 * q + l * nc + c));
      row.resize(static_cast<size_t>(linha()), '\0');
      f += row;
    }
    return ck("00db", f);
  }
  std::string arquivo() const {
    uint32_t tamq = static_cast<uint32_t>(linha()) * static_cast<uint32_t>(nl);
    std::string avih = u32(periodo) + u32(0) + u32(0) + u32(0x810) + u32(total) + u32(0) + u32(1) +
                       u32(tamq) + u32(nc) + u32(nl) + std::string(16, '\0');
    std::string strh = "vids" + handler + u32(0) + u32(0) + u32(0) + u32(escala) + u32(taxa) +
                       u32(0) + u32(total) + u32(tamq) + u32(900) + u32(0) + u16(0) + u16(0) +
                       u16(nc) + u16(nl);
    std::string strf = u32(40) + u32(nc) + u32(nl) + u16(planos) + u16(bits) + u32(compressao) +
                       u32(tamq) + u32(0) + u32(0) + u32(bits == 8 ? cores : 0) +
                       u32(bits == 8 ? cores : 0);
    for (int i = 0; bits == 8 && i < cores; i++)
      strf += std::string(3, static_cast<char>(255 - i)) + '\0';
    if (tamstrf >= 0) strf.resize(static_cast<size_t>(tamstrf), '\0');
    std::string strl =
        ck("strh", strh) + ck("strf", strf) + ck("strn", std::string("AVI Video Stream #1\0", 20));
    std::string hdrl = antesavih + ck("avih", avih) + lista("strl", strl) + noheader;
    std::string movi;
    if (quadros.empty())
      for (int q = 0; q < total; q++) movi += quadro(q);
    for (const std::string& q : quadros) movi += q;
    size_t nidx = quadros.empty() ? static_cast<size_t>(total) : quadros.size();
    std::string corpo = "AVI " + lista(tipohdrl, hdrl) + entrelistas +
                        lista("movi", movi, errormovi) + ck("idx1", std::string(16 * nidx, '\0')) +
                        depois;
    return "RIFF" + u32(static_cast<uint32_t>(corpo.size())) + corpo;
  }
};

// ---- writers ----

TEST(ImpAvi, OitoBitsDoisQuadrosDe3x5) {
  DIRTEMP d;
  I3DGRY v(2, 3, 5);
  for (int q = 0; q < 2; q++)
    for (int l = 0; l < 3; l++)
      for (int c = 0; c < 5; c++) v(q, l, c) = static_cast<BYTE>(100 * q + 10 * l + c);
  v.ImpAvi((d / "f.avi").c_str());
  std::string b = learquivo(d / "f.avi");
  ASSERT_EQ(b.size(), 1380u);
  struct {
    size_t pos;
    uint32_t valor;
    const char* campo;
  } campos[] = {
      {4, 1372, "RIFF"},         {16, 1244, "hdrl"},
      {32, 250000, "periodo"},   {36, 48, "bytes/s"},
      {44, 0x810, "flags"},      {48, 2, "quadros"},
      {60, 24, "buffer"},        {64, 5, "largura"},
      {68, 3, "altura"},         {92, 1168, "strl"},
      {128, 1000, "escala"},     {132, 2000, "taxa"},
      {140, 2, "duracao"},       {148, 900, "qualidade"},
      {168, 1064, "strf"},       {184, 0x00080001, "planos e bits"},
      {188, 0, "compressao"},    {192, 24, "imagem"},
      {204, 256, "cores"},       {212 + 4 * 77, 0x004d4d4d, "paleta 77"},
      {1240, 20, "strn"},        {1268, 68, "movi"},
      {1280, 24, "quadro 0"},    {1344, 32, "idx1"},
      {1352, 0x10, "flags idx"}, {1356, 4, "posicao 0"},
      {1360, 24, "tamanho 0"},   {1372, 36, "posicao 1"},
  };
  for (const auto& c : campos) EXPECT_EQ(campo(b, c.pos), c.valor) << c.campo;
  EXPECT_EQ(b.substr(1236, 4), "strn");
  EXPECT_EQ(b.substr(1244, 20), std::string("AVI Video Stream #1\0", 20));
  EXPECT_EQ(b.substr(1272, 8), "movi00db");
  // Bottom row of frame 0 first, padded to 8 bytes; frame 1 starts with its own bottom row.
  EXPECT_EQ(b.substr(1284, 8), std::string("\x14\x15\x16\x17\x18\0\0\0", 8));
  EXPECT_EQ(b.substr(1300, 5), std::string("\0\1\2\3\4", 5));
  EXPECT_EQ(b.substr(1316, 5), std::string("\x78\x79\x7a\x7b\x7c", 5));
}

TEST(ImpAvi, VinteQuatroBitsUmPixelEPeriodoPadrao) {
  DIRTEMP d;
  I3DCOR v(1, 1, 1);
  v(0, 0, 0) = COR(1, 2, 3);
  v.ImpAvi((d / "c.avi").c_str());
  std::string b = learquivo(d / "c.avi");
  ASSERT_EQ(b.size(), 288u);
  EXPECT_EQ(campo(b, 4), 280u);
  EXPECT_EQ(campo(b, 32), 250000u);
  EXPECT_EQ(campo(b, 36), 16u);  // 4 bytes at 4 frames a second
  EXPECT_EQ(campo(b, 128), 1000u);
  EXPECT_EQ(campo(b, 132), 4000u);
  EXPECT_EQ(campo(b, 168), 40u);
  EXPECT_EQ(campo(b, 184), 0x00180001u);
  EXPECT_EQ(b.substr(212, 4), "strn");
  EXPECT_EQ(b.substr(252, 12), std::string("00db\4\0\0\0\3\2\1\0", 12));
  EXPECT_EQ(TipoImg((d / "c.avi").c_str()), AVI_24BIT);
}

TEST(ImpAvi, IdaEVolta) {
  DIRTEMP d;
  I3DGRY g(3, 4, 7);
  for (int i = 0; i < 3 * 28; i++) g(i / 28, i % 28 / 7, i % 7) = static_cast<BYTE>(3 * i);
  imp(g, (d / "g.avi").c_str());
  I3DGRY lg(1, 1, 1);
  le(lg, (d / "g.avi").c_str());
  ASSERT_EQ(lg.nq(), 3);
  for (int i = 0; i < 3 * 28; i++) EXPECT_EQ(lg(i / 28, i % 28 / 7, i % 7), 3 * i);

  I3DCOR c(2, 3, 2);
  c.periodo = 40000;
  for (int i = 0; i < 12; i++) c(i / 6, i % 6 / 2, i % 2) = COR(i, 100 + i, 200 + i);
  imp(c, (d / "c.avi").c_str());
  I3DCOR lc;
  le(lc, (d / "c.avi").c_str());
  EXPECT_EQ(lc.periodo, 40000);
  ASSERT_EQ(lc.nq(), 2);
  for (int i = 0; i < 12; i++) EXPECT_EQ(lc(i / 6, i % 6 / 2, i % 2), COR(i, 100 + i, 200 + i));
}

TEST(ImpAviDeath, NuloAberturaEDiscoCheio) {
  I3DGRY g(0, 2, 2), ok(1, 1, 1);
  I3DCOR c(1, 0, 1), cok(1, 1, 1);
  EXPECT_EXIT(g.ImpAvi("x.avi"), testing::ExitedWithCode(1),
              relato("Erro ImpAvi(I3DGRY) - Imagem nula ", "x.avi"));
  EXPECT_EXIT(c.ImpAvi("x.avi"), testing::ExitedWithCode(1),
              relato("Erro ImpAvi(I3DCOR) - Imagem nula ", "x.avi"));
  EXPECT_EXIT(ok.ImpAvi("/nao/x.avi"), testing::ExitedWithCode(1),
              relato("Erro ImpAvi(I3DGRY) - abertura de ", "/nao/x.avi"));
  EXPECT_EXIT(ok.ImpAvi("/dev/full"), testing::ExitedWithCode(1),
              relato("Erro ImpAvi(I3DGRY) - Escrita de ", "/dev/full"));
  EXPECT_EXIT(cok.ImpAvi("/dev/full"), testing::ExitedWithCode(1),
              relato("Erro ImpAvi(I3DCOR) - Escrita de ", "/dev/full"));
}

// ---- readers ----

template <class V>
V lefilme(const FILME& f, const DIRTEMP& d) {
  escrevearquivo(d / "f.avi", f.arquivo());
  V v;
  v.LeAvi((d / "f.avi").c_str());
  return v;
}

TEST(LeAvi, OitoBitsPelaPaletaComJunk) {
  DIRTEMP d;
  FILME f;
  f.antesavih = ck("JUNK", "abc") + ck("JUNK", "");
  f.cores = 16;
  I3DGRY v = lefilme<I3DGRY>(f, d);
  ASSERT_EQ(v.nq(), 2);
  ASSERT_EQ(v.nl(), 2);
  ASSERT_EQ(v.nc(), 3);
  // Index i of the palette is grey 255 - i.
  for (int q = 0; q < 2; q++)
    for (int i = 0; i < 6; i++) EXPECT_EQ(v(q, i / 3, i % 3), 255 - (10 * q + i)) << q << " " << i;
}

TEST(LeAvi, VinteQuatroBitsJunkQuadrosExtrasEChunkDesconhecidoNoFim) {
  DIRTEMP d;
  FILME f;
  f.bits = 24;
  f.antesavih = ck("JUNK", "xy");
  f.noheader = ck("JUNK", std::string(6, 'j')) + lista("odml", ck("dmlh", u32(2)));
  f.entrelistas = ck("JUNK", "zz");
  f.quadros = {f.quadro(0), ck("ix00", "??"), f.quadro(1), f.quadro(2), f.quadro(3)};
  f.depois = ck("abcd", "11223344") + ck("JUNK", "");
  I3DCOR v(1, 1, 1);
  v.backg = COR(7, 7, 7);
  v = lefilme<I3DCOR>(f, d);
  ASSERT_EQ(v.nq(), 2);
  for (int q = 0; q < 2; q++)
    for (int i = 0; i < 6; i++) {
      BYTE b = static_cast<BYTE>(10 * q + i);
      EXPECT_EQ(v(q, i / 3, i % 3), COR(b, b, b)) << q << " " << i;
    }
  // The extra frames fall into backg pixel by pixel: it keeps the last one written, the last
  // pixel of the bottom row of frame 3.
  EXPECT_EQ(v.backg, COR(35, 35, 35));
}

// A frame chunk shorter than the frame, in a film whose frames are larger than the reader's
// chunk buffer: the missing bytes read as zeros (they were once read from past the buffer).
TEST(LeAvi, VinteQuatroBitsQuadroCurtoLeZeros) {
  DIRTEMP d;
  FILME f;
  f.bits = 24;
  f.total = 1;
  f.nl = 200;
  f.nc = 200;
  f.quadros = {ck("00db", "\x01\x02\x03\x04\x05\x06")};
  f.depois = ck("JUNK", std::string(130000, 'j'));  // the file holds the announced frame's size
  I3DCOR v = lefilme<I3DCOR>(f, d);
  ASSERT_EQ(v.nq(), 1);
  ASSERT_EQ(v.nl(), 200);
  EXPECT_EQ(v(0, 199, 0), COR(3, 2, 1));
  EXPECT_EQ(v(0, 199, 1), COR(6, 5, 4));
  int naozero = 0;
  for (int l = 0; l < 200; l++)
    for (int c = 0; c < 200; c++) naozero += !(v(0, l, c) == COR());
  EXPECT_EQ(naozero, 2);
}

struct CASOERRO {
  const char* nome;
  std::function<void(FILME&)> estraga;
  const char* msg;
};

void morrecom(int bits, const CASOERRO& c, const std::function<void(const char*)>& le) {
  SCOPED_TRACE(c.nome);
  DIRTEMP d;
  FILME f;
  f.bits = bits;
  c.estraga(f);
  escrevearquivo(d / "f.avi", f.arquivo());
  std::string nome = d / "f.avi";
  EXPECT_EXIT(
      {
        limitamemoria();
        le(nome.c_str());
      },
      testing::ExitedWithCode(1), relato(c.msg));
}

TEST(LeAviDeath, OitoBits) {
  const CASOERRO casos[] = {
      {"outra lista", [](FILME& f) { f.tipohdrl = "hdrx"; }, "Erro LeAvi(I3DGRY): Nao-hdrl"},
      {"sem DIB", [](FILME& f) { f.handler = "RAW "; }, "Erro LeAvi(I3DGRY): Nao-vidsDIB_"},
      {"24 bits", [](FILME& f) { f.planos = 2; }, "Erro: Tipo AVI"},
      {"compactado", [](FILME& f) { f.compressao = 1; }, "Erro: Tipo compressao"},
      {"paleta", [](FILME& f) { f.cores = 16, f.tamstrf = 1064; },
       "Erro: Tamanho palette invalido"},
      {"indice", [](FILME& f) { f.cores = 4; }, "Erro VETOR::operator() - Indice invalido"},
      {"junk grande", [](FILME& f) { f.antesavih = ck("JUNK", std::string(4097, '\0')); },
       "Erro: Chunk muito grande"},
      {"falta quadro", [](FILME& f) { f.quadros = {f.quadro(0)}; }, "Erro LeAvi(I3DGRY): Nao-00db"},
      {"quadro curto",
       [](FILME& f) {
         f.quadros = {f.quadro(0), ck("00db", "abc")};
       },
       "Erro LeAvi(I3DGRY): tamimg!=chunk.size"},
      {"milhoes de quadros",
       [](FILME& f) {
         f.total = 1 << 30;
         f.quadros = {f.quadro(0)};
       },
       "Erro: Fim de arquivo inesperado"},
      {"quadros enormes",
       [](FILME& f) {
         f.nl = 1 << 16;
         f.nc = 1 << 12;
         f.quadros = {ck("00db", "")};
       },
       "Erro: Fim de arquivo inesperado"},
  };
  for (const CASOERRO& c : casos) morrecom(8, c, [](const char* n) { I3DGRY().LeAvi(n); });
}

TEST(LeAviDeath, VinteQuatroBits) {
  const CASOERRO casos[] = {
      {"outra lista", [](FILME& f) { f.tipohdrl = "hdrx"; }, "Erro: Nao-hdrl"},
      {"sem DIB", [](FILME& f) { f.handler = "RAW "; }, "Erro: Cod nao-DIB"},
      {"taxa", [](FILME& f) { f.taxa = 3980; }, "Erro LeAvi(I3DCOR): rate e fd nao concordam"},
      {"taxa zero", [](FILME& f) { f.taxa = 0; }, "Erro LeAvi(I3DCOR): rate e fd nao concordam"},
      {"planos", [](FILME& f) { f.planos = 2; }, "Erro: nplanes!=1"},
      {"compactado", [](FILME& f) { f.compressao = 1; }, "Erro: compression!=0"},
      {"chunk antes dos quadros", [](FILME& f) { f.entrelistas = ck("abcd", ""); },
       "Erro: Nao-LIST 3"},
      {"chunk solto no cabecalho", [](FILME& f) { f.noheader = ck("vprp", ""); },
       "Erro: Nao-LIST 1"},
      {"conta da lista", [](FILME& f) { f.errormovi = -4; }, "Erro anamovi: s!=0"},
      {"quadro grande", [](FILME& f) { f.quadros = {ck("00db", std::string(70000, '\0'))}; },
       "Erro: Chunk muito grande"},
      {"falta quadro", [](FILME& f) { f.quadros = {f.quadro(0)}; },
       "Erro anamovi: menos quadros que o anunciado"},
      {"chunk alem do arquivo", [](FILME& f) { f.depois = "abcd" + u32(1000000); },
       "Erro: Fim de arquivo inesperado"},
      {"milhoes de quadros",
       [](FILME& f) {
         f.total = 1 << 30;
         f.quadros = {f.quadro(0)};
       },
       "Erro: Fim de arquivo inesperado"},
  };
  for (const CASOERRO& c : casos) morrecom(24, c, [](const char* n) { I3DCOR().LeAvi(n); });
}

TEST(LeAvi, ChunkDesconhecidoAntesDosQuadrosTemSeuNomeImpresso) {
  DIRTEMP d;
  FILME f;
  f.bits = 24;
  f.entrelistas = ck("wxyz", "");
  escrevearquivo(d / "f.avi", f.arquivo());
  SAIDA s = executa(programa("imgconv"), {"i3dcor", d / "f.avi", d / "saida"});
  EXPECT_EQ(s.status, 1);
  EXPECT_EQ(s.out, "wxyz");
  EXPECT_EQ(s.err, "Erro: Nao-LIST 3 \n");
}

TEST(LeAviDeath, AberturaEFormato) {
  DIRTEMP d;
  escrevearquivo(d / "x", "RIFX" + u32(4) + "AVI ");
  escrevearquivo(d / "y", "RIFF" + u32(4) + "WAVE");
  std::string x = d / "x", y = d / "y";
  EXPECT_EXIT(I3DGRY().LeAvi(x.c_str()), testing::ExitedWithCode(1),
              relato("Erro LeAvi(I3DGRY): Nao-RIFF"));
  EXPECT_EXIT(I3DGRY().LeAvi(y.c_str()), testing::ExitedWithCode(1),
              relato("Erro LeAvi(I3DGRY): Nao-AVI_"));
  EXPECT_EXIT(I3DCOR().LeAvi(x.c_str()), testing::ExitedWithCode(1), relato("Erro: Nao-RIFF"));
  EXPECT_EXIT(I3DCOR().LeAvi(y.c_str()), testing::ExitedWithCode(1), relato("Erro: Nao-AVI_"));
  EXPECT_EXIT(I3DGRY().LeAvi("/nao/f.avi"), testing::ExitedWithCode(1),
              relato("Erro LeAvi(I3DGRY) - Abertura de ", "/nao/f.avi"));
  EXPECT_EXIT(I3DCOR().LeAvi("/nao/f.avi"), testing::ExitedWithCode(1),
              relato("Erro: Abertura de ", "/nao/f.avi"));
}

}  // namespace
