// Every writer of every class and suffix, fed images without pixels (built, or read from files
// whose headers give negative sizes): a clean result or the clear fatal report, never a crash,
// and no file left behind by a refusal.
#include "vazias.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "apoio.h"
#include "imagens_teste.h"
#include "io/leimp.h"
#include "io/pdf.h"
#include "io/png.h"
#include "io/tiff.h"
#include "volume/leimpvol.h"

namespace {

// Every suffix the generic writer knows, one it does not, and a name without one.
const char* const SUFIXOS[] = {".tga",   ".bmp", ".txt",  ".mat", ".img",  ".jpg",
                               ".jpg50", ".pgm", ".pgm1", ".pbm", ".pbm1", ".ppm",
                               ".ppm1",  ".png", ".tif",  ".avi", ".xyz",  ""};

// Writes img through the generic writer to every suffix, each in a child process.
template <class I>
void todosossufixos(const I& img, const DIRTEMP& d, const std::string& caso) {
  for (const char* suf : SUFIXOS) {
    const std::string nome = d / (std::string(I::NOME) + caso + suf),
                      escrito = nome.substr(
                          0, nome.size() - (suf[0] && suf[4] ? std::string(suf).size() - 4 : 0));
    SCOPED_TRACE(std::string(I::NOME) + " " + caso + suf);
    const DESFECHO r = desfecho([&] { imp(img, nome.c_str()); });
    EXPECT_TRUE(limpo(r));
    if (r.status == 1) {
      EXPECT_FALSE(existe(escrito)) << r.err;
    }
  }
}

// An image of class I of the given shape: built, or read from a PGM whose header asks for it.
template <class I>
I vazia(const VAZIA& v, const DIRTEMP& d) {
  if (v.nl >= 0 && v.nc >= 0) return I(v.nl, v.nc);
  const std::string nome = d / "neg.pgm";
  escrevearquivo(nome, "P5\n" + std::to_string(v.nc) + " " + std::to_string(v.nl) + "\n255\n");
  I img;
  le(img, nome.c_str());
  return img;
}

template <class I>
void classe(const DIRTEMP& d) {
  for (const VAZIA& v : vazias()) {
    const I img = vazia<I>(v, d);
    EXPECT_EQ(img.n(), 0);
    todosossufixos(img, d, v.nome);
  }
}

TEST(Vazias, CadaEscritorDeCadaClasse) {
  DIRTEMP d;
  classe<IMGBIN>(d);
  classe<IMGGRY>(d);
  classe<IMGCOR>(d);
  classe<IMGSHT>(d);
  classe<IMGFLT>(d);
  classe<IMGDBL>(d);
  classe<IMGCPX>(d);
}

TEST(Vazias, EscritoresProprios) {
  DIRTEMP d;
  for (const VAZIA& v : vazias()) {
    SCOPED_TRACE(v.nome);
    const IMGBIN b = vazia<IMGBIN>(v, d);
    const IMGGRY g = vazia<IMGGRY>(v, d);
    const IMGCOR c = vazia<IMGCOR>(v, d);
    const std::function<void()> casos[] = {
        [&] { b.ImpHex((d / "h.hex").c_str()); },
        [&] { imppdf(b, (d / "b.pdf").c_str(), 200); },
        [&] { imppdf(g, (d / "g.pdf").c_str(), 200); },
        [&] {
          imppdf(std::vector<IMGBIN>{IMGBIN(3, 3), b}, (d / "m.pdf").c_str(), 200);
        },
        [&] { imptif(b, (d / "a.tif").c_str(), 200, true); },
        [&] { imppng(c, (d / "c.png").c_str(), 300); },
        [&] { g.ImpJpg((d / "g.jpg").c_str(), 75); },
        [&] { c.ImpJpg((d / "c.jpg").c_str(), 75); },
        [&] { c.ImpTga((d / "c.tga").c_str()); },
        [&] { g.imp((d / "g.tga").c_str()); },
    };
    for (const auto& f : casos) EXPECT_TRUE(limpo(desfecho(f)));
  }
}

// Volumes of frames without pixels, to their files and films.
TEST(Vazias, Volumes) {
  DIRTEMP d;
  for (const VAZIA& v : vazias()) {
    SCOPED_TRACE(v.nome);
    const I3DGRY g(2, v.nl, v.nc);
    const I3DCOR c(2, v.nl, v.nc);
    const I3DFLT f(2, v.nl, v.nc);
    const std::function<void()> casos[] = {
        [&] { imp(g, (d / "g.avi").c_str()); }, [&] { imp(c, (d / "c.avi").c_str()); },
        [&] { imp(g, (d / "g.tga").c_str()); }, [&] { imp(c, (d / "c.tga").c_str()); },
        [&] { imp(f, (d / "f.img").c_str()); }, [&] { imp(f, (d / "f.tga").c_str()); },
    };
    for (const auto& k : casos) EXPECT_TRUE(limpo(desfecho(k)));
  }
}

}  // namespace
