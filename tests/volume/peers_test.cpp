// Interoperability of the films with ffmpeg: our films are probed and decoded by it to the same
// pixels, and what it writes is met with a clear report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "apoio.h"
#include "pares.h"
#include "volume/leimpvol.h"

namespace {


SAIDA sh(const std::string& cmd, const DIRTEMP& d) {
  return executa("/bin/sh", {"-c", cmd}, d.dir());
}

// Odd widths make the rows of both kinds of film padded.
I3DCOR filme() {
  I3DCOR v(3, 5, 7);
  for (int q = 0; q < 3; q++)
    for (int l = 0; l < 5; l++)
      for (int c = 0; c < 7; c++)
        v(q, l, c) = COR(static_cast<BYTE>(80 * q + c), static_cast<BYTE>(40 * l),
                         static_cast<BYTE>(255 - 9 * (l + c)));
  return v;
}

std::string rgb(const I3DCOR& v) {
  std::string s;
  for (int q = 0; q < v.nq(); q++)
    for (int i = 0; i < v(q).n(); i++)
      s += {char(v(q).data[i].r), char(v(q).data[i].g), char(v(q).data[i].b)};
  return s;
}

TEST(Ffmpeg, SondaOsNossosFilmes) {
  EXIGE("ffprobe", "ffmpeg");
  DIRTEMP d;
  I3DCOR c = filme();
  c.ImpAvi((d / "c.avi").c_str());
  I3DGRY g;
  g.resize(3, 5, 7);
  for (int q = 0; q < 3; q++) g.quadros[q] = IMGGRY(c(q));
  g.ImpAvi((d / "g.avi").c_str());
  // The grey film's stream says 2000 / 1000 frames a second, though its main header says 250000
  // microseconds a frame; ffmpeg goes by the stream.
  const struct {
    const char* f;
    const char* esperado;
  } casos[] = {{"c.avi", "7,5,4/1,3\n"}, {"g.avi", "7,5,2/1,3\n"}};
  for (const auto& k : casos) {
    const std::string f = k.f;
    SCOPED_TRACE(f);
    SAIDA s = sh(std::string("ffprobe -v error -count_frames -select_streams v -show_entries "
                             "stream=width,height,nb_read_frames,r_frame_rate -of csv=p=0 ") +
                     f,
                 d);
    ASSERT_EQ(s.status, 0) << s.err;
    EXPECT_EQ(s.out, k.esperado);
  }
}

TEST(Ffmpeg, DecodificaOsMesmosPixels) {
  EXIGE("ffmpeg", "ffmpeg");
  DIRTEMP d;
  I3DCOR c = filme();
  c.ImpAvi((d / "c.avi").c_str());
  SAIDA s = sh("ffmpeg -v error -i c.avi -f rawvideo -pix_fmt rgb24 -", d);
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_EQ(s.out, rgb(c));

  // The grey film carries a palette; decoded to colour, every entry must be its own grey.
  I3DGRY g;
  g.resize(3, 5, 7);
  I3DCOR cinza(3, 5, 7);
  for (int q = 0; q < 3; q++) {
    g.quadros[q] = IMGGRY(c(q));
    cinza.quadros[q] = IMGCOR(g(q));
  }
  g.ImpAvi((d / "g.avi").c_str());
  s = sh("ffmpeg -v error -i g.avi -f rawvideo -pix_fmt rgb24 -", d);
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_EQ(s.out, rgb(cinza));
}

// ffmpeg stores uncompressed frames with no "DIB " handler and in "00dc" chunks, so neither
// reader accepts its films: each must say so plainly instead of reading garbage.
TEST(Ffmpeg, FilmesDeleSaoRecusadosComRelatoClaro) {
  EXIGE("ffmpeg", "ffmpeg");
  DIRTEMP d;
  const std::string fonte =
      "ffmpeg -v error -f lavfi -i testsrc=size=7x5:rate=4 -frames:v 2 -c:v rawvideo ";
  struct {
    const char* fmt;
    const char* classe;
    const char* msg;
  } casos[] = {
      {"bgr24", "i3dcor", "Erro: Cod nao-DIB \n"},
      {"pal8", "i3dgry", "Erro LeAvi(I3DGRY): Nao-vidsDIB_ \n"},
  };
  for (const auto& k : casos) {
    SCOPED_TRACE(k.fmt);
    SAIDA s = sh(fonte + "-pix_fmt " + k.fmt + " -y f.avi", d);
    ASSERT_EQ(s.status, 0) << s.err;
    s = executa(programa("imgconv"), {k.classe, d / "f.avi", d / "saida"});
    EXPECT_EQ(s.status, 1);
    EXPECT_EQ(s.err, k.msg);
  }
}

}  // namespace
