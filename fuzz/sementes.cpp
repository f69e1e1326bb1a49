// Writes the seed corpus of every fuzz target with the library's own writers:
// DIR/<target>/<seed>, each file the target's chooser byte followed by the bytes a writer wrote.
// Usage: sementes DIR
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "core/vetorbit.h"
#include "core/vetortxt.h"
#include "entrada.h"
#include "io/pdf.h"
#include "io/png.h"
#include "io/pnm.h"
#include "io/tiff.h"
#include "volume/volumes.h"

namespace {

// A small image of the class with every pixel different from its neighbours, of odd sizes so
// that row padding and bit packing have something to do.
template <class I, class F>
I padrao(int nl, int nc, int base, F valor) {
  I img(nl, nc);
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) img(l, c) = valor(base + l * 31 + c * 7 + l * c);
  return img;
}

IMGBIN bin(int nl, int nc, int base = 0) {
  return padrao<IMGBIN>(nl, nc, base, [](int k) { return k % 3 != 0; });
}
IMGGRY gry(int nl, int nc, int base = 0) {
  return padrao<IMGGRY>(nl, nc, base, [](int k) { return static_cast<BYTE>(k * 37); });
}
IMGCOR cor(int nl, int nc, int base = 0) {
  return padrao<IMGCOR>(nl, nc, base, [](int k) {
    return COR(static_cast<BYTE>(k * 37), static_cast<BYTE>(k * 11), static_cast<BYTE>(k));
  });
}
IMGSHT sht(int nl, int nc, int base = 0) {
  return padrao<IMGSHT>(nl, nc, base, [](int k) { return static_cast<SHT>(k * 913 - 20000); });
}
IMGFLT flt(int nl, int nc, int base = 0) {
  return padrao<IMGFLT>(nl, nc, base, [](int k) { return static_cast<FLT>(k) / 7.0f - 3.0f; });
}
IMGDBL dbl(int nl, int nc, int base = 0) {
  return padrao<IMGDBL>(nl, nc, base, [](int k) { return k / 3.0 - 1e-3; });
}
IMGCPX cpx(int nl, int nc, int base = 0) {
  return padrao<IMGCPX>(nl, nc, base, [](int k) { return CPXF(k / 4.0f, -k / 5.0f); });
}

template <class V, class F>
V volume(int nq, int nl, int nc, F imagem) {
  V v(nq, nl, nc);
  for (int q = 0; q < nq; q++) v(q) = imagem(nl, nc, 5 * q);
  return v;
}

// A palette TGA of nl x nc indices into a palette of np colours (the library has no writer for
// this variant; the bytes follow the layout its reader accepts).
void tgapaleta(const char* nome, int nl, int nc, int np) {
  std::vector<BYTE> b = {0, 1, 1, 0, 0, static_cast<BYTE>(np), static_cast<BYTE>(np >> 8), 24,
                         0, 0, 0, 0, static_cast<BYTE>(nc), 0, static_cast<BYTE>(nl), 0, 8, 0x20};
  for (int i = 0; i < np; i++)
    for (int k = 0; k < 3; k++) b.push_back(static_cast<BYTE>(i * (k + 3)));
  for (int i = 0; i < nl * nc; i++) b.push_back(static_cast<BYTE>(i % np));
  std::ofstream(nome, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                              static_cast<std::streamsize>(b.size()));
}

template <class T, class F>
VETOR<T> vetor(int n, F elemento) {
  VETOR<T> v(n);
  for (int i = 0; i < n; i++) v(i) = elemento(i);
  return v;
}

struct SEMENTE {
  const char* alvo;
  int escolha;     // chooser byte of the target's table
  int escolhageral;  // chooser byte of the generic-reader target, or -1
  const char* sufixo;
  std::function<void(const char* nome)> escreve;
};

// Chooser bytes of the generic-reader target: 0 is the content test alone, then the classes.
enum GERAL { TIPO, G_BIN, G_GRY, G_COR, G_SHT, G_FLT, G_DBL, G_CPX, G_3GRY, G_3COR, G_3SHT,
             G_3FLT, G_3CPX };

const std::vector<SEMENTE>& sementes() {
  static const std::vector<SEMENTE> s = {
      {"bmp", 0, G_BIN, "bmp", [](const char* n) { bin(5, 33).ImpBmp(n); }},
      {"bmp", 0, G_FLT, "bmp", [](const char* n) { bin(1, 1).ImpBmp(n); }},
      {"bmp", 0, TIPO, "bmp", [](const char* n) { bin(9, 64).ImpBmp(n); }},
      {"tga", 0, G_GRY, "tga", [](const char* n) { gry(4, 5).imp(n); }},
      {"tga", 0, G_SHT, "tga", [](const char* n) { gry(1, 1).imp(n); }},
      {"tga", 3, G_COR, "tga", [](const char* n) { cor(3, 7).ImpTga(n); }},
      {"tga", 3, G_DBL, "tga", [](const char* n) { cor(2, 2).ImpTga(n); }},
      {"tga", 1, G_GRY, "tga", [](const char* n) { tgapaleta(n, 3, 5, 16); }},
      {"tga", 2, G_COR, "tga", [](const char* n) { tgapaleta(n, 2, 3, 256); }},
      {"tga", 4, G_BIN, "tga", [](const char* n) { tgapaleta(n, 4, 4, 3); }},
      {"pnm", 0, G_BIN, "pbm", [](const char* n) { imppbmt(bin(3, 10), n); }},
      {"pnm", 1, G_SHT, "pbm", [](const char* n) { imppbmb(bin(4, 10), n); }},
      {"pnm", 2, G_GRY, "pgm", [](const char* n) { imppgmt(gry(3, 4), n); }},
      {"pnm", 3, G_FLT, "pgm", [](const char* n) { imppgmb(gry(5, 3), n); }},
      {"pnm", 4, G_COR, "ppm", [](const char* n) { impppmt(cor(2, 3), n); }},
      {"pnm", 5, G_SHT, "ppm", [](const char* n) { impppmb(cor(3, 2), n); }},
      {"mat", 0, G_BIN, "mat", [](const char* n) { bin(3, 4).ImpTxt(n); }},
      {"mat", 1, G_GRY, "mat", [](const char* n) { gry(2, 3).ImpTxt(n); }},
      {"mat", 2, G_COR, "mat", [](const char* n) { cor(2, 2).ImpTxt(n); }},
      {"mat", 3, G_SHT, "mat", [](const char* n) { sht(3, 2).ImpTxt(n); }},
      {"mat", 4, G_FLT, "mat", [](const char* n) { flt(2, 2).ImpTxt(n); }},
      {"mat", 5, G_DBL, "mat", [](const char* n) { dbl(2, 3).ImpTxt(n); }},
      {"mat", 6, G_CPX, "mat", [](const char* n) { cpx(2, 2).ImpTxt(n); }},
      {"img", 0, G_SHT, "img", [](const char* n) { sht(3, 4).ImpImg(n); }},
      {"img", 1, G_FLT, "img", [](const char* n) { flt(2, 5).ImpImg(n); }},
      {"img", 2, G_DBL, "img", [](const char* n) { dbl(3, 3).ImpImg(n); }},
      {"img", 3, G_CPX, "img", [](const char* n) { cpx(2, 2).ImpImg(n); }},
      {"jpeg", 0, G_GRY, "jpg", [](const char* n) { gry(8, 8).ImpJpg(n, 90); }},
      {"jpeg", 0, G_SHT, "jpg", [](const char* n) { gry(17, 9).ImpJpg(n, 50); }},
      {"jpeg", 1, G_COR, "jpg", [](const char* n) { cor(16, 16).ImpJpg(n, 75); }},
      {"jpeg", 1, G_BIN, "jpg", [](const char* n) { cor(9, 20).ImpJpg(n, 20); }},
      {"avi8", 0, G_3GRY, "avi",
       [](const char* n) { volume<I3DGRY>(2, 3, 5, gry).ImpAvi(n); }},
      {"avi8", 0, G_3FLT, "avi",
       [](const char* n) { volume<I3DGRY>(1, 1, 1, gry).ImpAvi(n); }},
      {"avi24", 0, G_3COR, "avi",
       [](const char* n) { volume<I3DCOR>(2, 3, 5, cor).ImpAvi(n); }},
      {"avi24", 0, TIPO, "avi",
       [](const char* n) { volume<I3DCOR>(1, 2, 1, cor).ImpAvi(n); }},
      {"volume", 0, G_3SHT, "img",
       [](const char* n) { volume<I3DSHT>(2, 2, 3, sht).ImpImg(n); }},
      {"volume", 1, G_3FLT, "img",
       [](const char* n) { volume<I3DFLT>(3, 1, 2, flt).ImpImg(n); }},
      {"volume", 2, G_3CPX, "img",
       [](const char* n) { volume<I3DCPX>(2, 2, 2, cpx).ImpImg(n); }},
      {"png", 0, G_BIN, "png", [](const char* n) { imppng(bin(5, 13), n, 200); }},
      {"png", 1, G_GRY, "png", [](const char* n) { imppng(gry(7, 9), n); }},
      {"png", 2, G_COR, "png", [](const char* n) { imppng(cor(4, 6), n, 300); }},
      {"png", 5, G_FLT, "png", [](const char* n) { imppng(gry(3, 3), n, 600); }},
      {"tiff", 0, G_BIN, "tif", [](const char* n) { imptif(bin(9, 37), n, 200); }},
      {"tiff", 1, G_GRY, "tif", [](const char* n) { imptif(gry(6, 11), n, 300); }},
      {"tiff", 2, G_COR, "tif", [](const char* n) { imptif(cor(5, 4), n); }},
      {"tiff", 4, G_SHT, "tif",
       [](const char* n) {
         imptif(gry(3, 5), n, 200);
         imptif(bin(4, 4), n, 200, true);
       }},
      {"pdf", 2, -1, "pdf", [](const char* n) { imppdf(bin(20, 30), n, 20); }},
      {"pdf", 4, -1, "pdf", [](const char* n) { imppdf(gry(12, 16), n, 10); }},
      {"pdf", 0, -1, "pdf",
       [](const char* n) { imppdf(std::vector<IMGBIN>{bin(8, 8), bin(16, 8)}, n, 30); }},
      {"densidade", 0, -1, "bmp", [](const char* n) { bin(5, 33).ImpBmp(n); }},
      {"densidade", 0, -1, "jpg", [](const char* n) { gry(8, 8).ImpJpg(n, 90); }},
      {"densidade", 0, -1, "png", [](const char* n) { imppng(gry(3, 3), n, 300); }},
      {"densidade", 1, -1, "tif",
       [](const char* n) {
         imptif(gry(3, 5), n, 200);
         imptif(bin(4, 4), n, 600, true);
       }},
      {"densidade", 0, -1, "pdf", [](const char* n) { imppdf(gry(12, 16), n, 10); }},
      {"vet", 0, -1, "vet",
       [](const char* n) {
         VETORBIT v(37);
         for (int i = 0; i < v.n(); i++) v(i) = i % 3 == 1;
         imp(v, n);
       }},
      {"vet", 0, -1, "vet", [](const char* n) { imp(VETORBIT(0), n); }},
      {"vetortxt", 0, -1, "txt",
       [](const char* n) { imp(vetor<int>(3, [](int i) { return i * 3 - 4; }), n); }},
      {"vetortxt", 1, -1, "txt",
       [](const char* n) { imp(vetor<double>(4, [](int i) { return i / 3.0 - 1; }), n); }},
      {"vetortxt", 2, -1, "txt",
       [](const char* n) { imp(vetor<PONTO2>(2, [](int i) { return PONTO2(i / 3.0, -i); }), n); }},
      {"vetortxt", 3, -1, "txt",
       [](const char* n) { imp(vetor<PONTOI2>(2, [](int i) { return PONTOI2(i, 5 - i); }), n); }},
      {"vetortxt", 4, -1, "txt",
       [](const char* n) {
         MATRIZ<int> m(2, 3);
         for (int i = 0; i < 6; i++) m.data[i] = i * 5 - 7;
         imp(m, n);
       }},
      {"vetortxt", 5, -1, "txt",
       [](const char* n) {
         MATRIZ<double> m(3, 2);
         for (int i = 0; i < 6; i++) m.data[i] = i / 3.0 - 0.5;
         imp(m, n);
       }},
  };
  return s;
}

struct CRUA {
  const char* alvo;
  std::string bytes;  // the first is the chooser
};

using namespace std::string_literals;
const CRUA CRUAS[] = {
    // Sizes, payload length, protections and holes, seed; payload bits; the document's blocks.
    {"assinatura", "\x10\x20\x08\x08\x0b\x02\x01\x07\x00\x00\x00\xa5\x0f\xf0\x00\xff\x3c"s},
    {"assinatura", "\x58\x58\x40\x00\x00\x00\x00\x01\x02\x03\x04\xff\xff\x00\x00\x81\x7e\x18"s},
    // A JPEG of JFIF units 0 followed by an Exif block (74 bytes): little-endian IFD0 with XResolution,
    // YResolution (offsets to 72/1) and ResolutionUnit 2.
    {"densidade",
     "\x00\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"
     "\xff\xe1\x00\x4a" "Exif\x00\x00II*\x00\x08\x00\x00\x00\x03\x00"
     "\x1a\x01\x05\x00\x01\x00\x00\x00\x32\x00\x00\x00"
     "\x1b\x01\x05\x00\x01\x00\x00\x00\x3a\x00\x00\x00"
     "\x28\x01\x03\x00\x01\x00\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00"
     "\x48\x00\x00\x00\x01\x00\x00\x00\x48\x00\x00\x00\x01\x00\x00\x00\xff\xd9"s},
    // Rows, columns, seed, then pixel blocks.
    {"verificacao", "\x00\x02\x00\x02\x07\x00\x00\x00\xf0\xf0\x20\xf0\xf0\xf0\x20\xf0"s},
    {"verificacao", "\x00\xb0\x04\xb0\x04\x07\x00\x00\x00\xe6\xe6\x19\xe6\xe6\xe6\xe6\x19"s},
    // Command lines: the chooser (even: morvia, odd: imgconv), then NUL-separated arguments.
    {"argumentos", "\x00s2s\0@0\0@1\0m.bmp"s},
    {"argumentos", "\x00s2d\0@0\0@1\0m.bmp\0" "9\0" "12\0" "3\0" "2\0" "7"s},
    {"argumentos", "\x00v2s\0@2\0l.vet\0" "7"s},
    {"argumentos", "\x00v4d\0@3\0l.vet"s},
    {"argumentos", "\x01" "gry\0@3\0o.png"s},
    {"argumentos", "\x01" "bin\0@4\0o.tif\0" "1\0" "300"s},
    {"argumentos", "\x01" "cor\0@6\0o.pdf\0" "2"s},
    {"argumentos", "\x01" "flt\0@7\0o.jpg50"s},
    // The payload frame: a 12-byte payload signed at 200 dpi and damaged at two bytes (one
    // unsure); at 400 dpi with three; a frame of zeros read with confidences.
    {"quadro", "\x04\x0b" "ACME copy 17" "\x03\x41\x91\x07"s},
    {"quadro", "\x05\x15" "twenty-two bytes here" "\x10\xff\x20\x01\xa0\x33"s},
    {"quadro", "\x02"s + std::string(66, '\0')},
};

std::string learquivo(const std::string& nome) {
  std::ifstream f(nome, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void grava(const std::string& dir, const std::string& alvo, int escolha, int k,
           const std::string& bytes) {
  const std::string pasta = dir + "/" + alvo;
  mkdir(pasta.c_str(), 0755);
  std::ofstream(pasta + "/semente" + std::to_string(k), std::ios::binary)
      << static_cast<char>(escolha) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: sementes DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  mkdir(dir.c_str(), 0755);
  int k = 0;
  for (const SEMENTE& s : sementes()) {
    const std::string nome = dir + "/escrito." + s.sufixo;
    fuzz::tenta([&] { s.escreve(nome.c_str()); });
    const std::string bytes = learquivo(nome);
    std::remove(nome.c_str());
    if (bytes.empty()) {
      std::fprintf(stderr, "sementes: nothing written for %s\n", nome.c_str());
      return 1;
    }
    grava(dir, s.alvo, s.escolha, k, bytes);
    if (s.escolhageral >= 0) grava(dir, "tipoimg", s.escolhageral, k, bytes);
    if (s.escolhageral >= G_BIN && s.escolhageral <= G_CPX)
      grava(dir, "escrita", s.escolhageral - G_BIN, k, bytes);
    k++;
  }
  // The pipelines and the command lines take bytes, not files.
  for (const CRUA& c : CRUAS) grava(dir, c.alvo, static_cast<BYTE>(c.bytes[0]), k++, c.bytes.substr(1));
  return 0;
}
