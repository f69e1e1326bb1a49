// The command lines of morvia and imgconv, run in-process in a scratch directory. The first
// byte chooses the program; the rest, split at NUL bytes, are its arguments. "@k" names one of
// the prepared files (a document, a payload, a scan, a PGM, a PDF, a missing file, a two-page
// TIFF, a PNG); '/' is replaced so that every name stays in the scratch directory, and what a
// run writes there is removed after it.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "core/vetorbit.h"
#include "entrada.h"
#include "io/leimp.h"
#include "io/pdf.h"
#include "io/png.h"
#include "io/tiff.h"
#include "tool/entrada.h"

int imgconv_principal(int argc, char** argv);

namespace {

const char* const PREPARADOS[] = {"doc.bmp", "carga.vet", "scan.tga", "g.pgm",
                                  "p.pdf",   "falta.bmp", "duas.tif", "b.png"};

std::set<std::string> conteudo() {
  std::set<std::string> s;
  if (DIR* d = opendir(".")) {
    while (dirent* e = readdir(d)) s.insert(e->d_name);
    closedir(d);
  }
  return s;
}

std::set<std::string>& iniciais() {
  static std::set<std::string> s;
  return s;
}

// The scratch directory, and the one libFuzzer works in (its corpus paths are relative).
std::string& rascunho() {
  static std::string d;
  return d;
}
std::string& original() {
  static std::string d;
  return d;
}

void entra(const std::string& dir) {
  if (chdir(dir.c_str()) != 0) std::abort();
}

void prepara() {
  const char* t = std::getenv("TMPDIR");
  rascunho() = std::string(t && *t ? t : "/tmp") + "/morvia_args_" + std::to_string(getpid());
  mkdir(rascunho().c_str(), 0700);
  char buf[4096];
  if (!getcwd(buf, sizeof buf)) std::abort();
  original() = buf;
  entra(rascunho());
  IMGBIN doc(512, 512, true);
  for (int l = 100; l < 400; l++)
    for (int c = 100; c < 300; c++) doc.poe(l, c, (l / 20 + c / 30) % 3 != 0);
  doc.ImpBmp("doc.bmp");
  VETORBIT v(12);
  for (int i = 0; i < 12; i++) v(i) = i % 3 == 0;
  imp(v, "carga.vet");
  IMGGRY g(520, 520, 230);
  for (int i = 0; i < g.n(); i += 37) g.data[i] = 40;
  g.imp("scan.tga");
  imp(g, "g.pgm");
  imppdf(doc, "p.pdf", 200);
  imptif(doc, "duas.tif", 200);
  imptif(g, "duas.tif", 300, true);
  imppng(doc, "b.png", 200);
  iniciais() = conteudo();
  entra(original());
}

// What a run left behind goes, so that runs do not see each other's files.
void limpa() {
  for (const std::string& f : conteudo())
    if (!iniciais().count(f)) std::remove(f.c_str());
}

std::vector<std::string> argumentos(const uint8_t* d, size_t n) {
  std::vector<std::string> a(1);
  for (size_t i = 0; i < n && a.size() <= 9; i++) {
    if (d[i] == 0) {
      a.emplace_back();
      continue;
    }
    a.back() += d[i] == '/' ? '_' : static_cast<char>(d[i]);
  }
  for (std::string& s : a)
    if (s.size() == 2 && s[0] == '@' && s[1] >= '0' && s[1] <= '7') s = PREPARADOS[s[1] - '0'];
  return a;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::freopen("/dev/null", "w", stdout);  // the programs report on standard output
  prepara();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) {
  if (n < 1) return 0;
  std::vector<std::string> a = argumentos(d + 1, n - 1);
  const bool morvia = d[0] % 2 == 0;
  a[0] = morvia ? "morvia" : "imgconv";
  if (a.size() > 1 && a.back().empty()) a.pop_back();
  std::vector<char*> argv;
  for (std::string& s : a) argv.push_back(&s[0]);
  argv.push_back(nullptr);
  entra(rascunho());
  fuzz::tenta([&] {
    const int argc = static_cast<int>(a.size());
    if (morvia)
      entrada(argc, argv.data());
    else
      imgconv_principal(argc, argv.data());
  });
  limpa();
  entra(original());
  return 0;
}
