// Files of every layout the PNG and TIFF readers must take, written straight through libpng and
// libtiff (not through the library's writers), with the sample values chosen by the test.
#pragma once

#include <png.h>
#include <tiffio.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// PNG of nc x nl pixels; amostras holds every sample (channels of a pixel in turn) in row order,
// as values of the bit depth; paleta (for palette files) is r, g, b per entry; trns the
// transparency chunk (palette alphas, or the one transparent grey or RGB value).
struct PNGTESTE {
  int nc = 1, nl = 1, bits = 8, tipo = PNG_COLOR_TYPE_GRAY;
  bool entrelacado = false;
  std::vector<unsigned> amostras;
  std::vector<png_color> paleta;
  std::vector<png_byte> trnsalfa;
  bool comtrns = false;
  png_color_16 trnscor{};
  int canais() const {
    switch (tipo) {
      case PNG_COLOR_TYPE_RGB:
        return 3;
      case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
      case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
      default:
        return 1;
    }
  }
};

inline void gravapng(const PNGTESTE& f, const std::string& nome) {
  FILE* fp = std::fopen(nome.c_str(), "wb");
  png_structp p = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop i = png_create_info_struct(p);
  png_init_io(p, fp);
  png_set_IHDR(p, i, f.nc, f.nl, f.bits, f.tipo,
               f.entrelacado ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!f.paleta.empty()) png_set_PLTE(p, i, f.paleta.data(), static_cast<int>(f.paleta.size()));
  if (!f.trnsalfa.empty())
    png_set_tRNS(p, i, f.trnsalfa.data(), static_cast<int>(f.trnsalfa.size()), nullptr);
  if (f.comtrns) png_set_tRNS(p, i, nullptr, 0, &f.trnscor);
  png_write_info(p, i);
  const int k = f.canais();
  const size_t bytes = (static_cast<size_t>(f.nc) * k * f.bits + 7) / 8;
  std::vector<std::vector<png_byte>> linhas(f.nl, std::vector<png_byte>(bytes));
  std::vector<png_bytep> ptr;
  for (int l = 0; l < f.nl; l++) {
    for (int s = 0; s < f.nc * k; s++) {
      unsigned v = f.amostras[static_cast<size_t>(l) * f.nc * k + s];
      if (f.bits == 16) {
        linhas[l][2 * s] = static_cast<png_byte>(v >> 8);
        linhas[l][2 * s + 1] = static_cast<png_byte>(v);
      } else if (f.bits == 8) {
        linhas[l][s] = static_cast<png_byte>(v);
      } else {
        size_t bit = static_cast<size_t>(s) * f.bits;
        linhas[l][bit / 8] |= static_cast<png_byte>(v << (8 - f.bits - bit % 8));
      }
    }
    ptr.push_back(linhas[l].data());
  }
  png_write_image(p, ptr.data());
  png_write_end(p, i);
  png_destroy_write_struct(&p, &i);
  std::fclose(fp);
}

// TIFF page of nc x nl pixels, samples as in PNGTESTE (bits per sample 1 to 16), in strips of
// rps rows or in tiles of tw x th.
struct TIFFTESTE {
  uint32_t nc = 1, nl = 1, rps = 0, tw = 0, th = 0;
  uint16_t bits = 8, spp = 1, foto = PHOTOMETRIC_MINISBLACK, comp = COMPRESSION_NONE;
  uint16_t orient = ORIENTATION_TOPLEFT, extras = 0;
  std::vector<unsigned> amostras;
  std::vector<uint16_t> mapa[3];  // palette, 16-bit entries
  bool anexa = false;
};

inline bool gravatif(const TIFFTESTE& f, const std::string& nome) {
  TIFF* t = TIFFOpen(nome.c_str(), f.anexa ? "a" : "w");
  if (!t) return false;
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, f.nc);
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, f.nl);
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, f.bits);
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, f.spp);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, f.foto);
  TIFFSetField(t, TIFFTAG_COMPRESSION, f.comp);
  TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(t, TIFFTAG_ORIENTATION, f.orient);
  if (f.extras) {
    uint16_t tipo = EXTRASAMPLE_UNASSALPHA;
    TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, &tipo);
  }
  if (f.foto == PHOTOMETRIC_PALETTE)
    TIFFSetField(t, TIFFTAG_COLORMAP, f.mapa[0].data(), f.mapa[1].data(), f.mapa[2].data());
  if (f.comp == COMPRESSION_JPEG) TIFFSetField(t, TIFFTAG_JPEGQUALITY, 100);
  // YCbCr JPEG pages are given as RGB and converted by the codec.
  if (f.comp == COMPRESSION_JPEG && f.foto == PHOTOMETRIC_YCBCR)
    TIFFSetField(t, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
  const size_t bytes = (static_cast<size_t>(f.nc) * f.spp * f.bits + 7) / 8;
  std::vector<std::vector<uint8_t>> linhas(f.nl, std::vector<uint8_t>(bytes));
  for (uint32_t l = 0; l < f.nl; l++)
    for (uint32_t s = 0; s < f.nc * f.spp; s++) {
      unsigned v = f.amostras[static_cast<size_t>(l) * f.nc * f.spp + s];
      if (f.bits == 16)
        reinterpret_cast<uint16_t*>(linhas[l].data())[s] = static_cast<uint16_t>(v);
      else if (f.bits == 8)
        linhas[l][s] = static_cast<uint8_t>(v);
      else {
        size_t bit = static_cast<size_t>(s) * f.bits;
        linhas[l][bit / 8] |= static_cast<uint8_t>(v << (8 - f.bits - bit % 8));
      }
    }
  bool ok = true;
  if (f.tw) {
    TIFFSetField(t, TIFFTAG_TILEWIDTH, f.tw);
    TIFFSetField(t, TIFFTAG_TILELENGTH, f.th);
    const size_t tb = (static_cast<size_t>(f.tw) * f.spp * f.bits + 7) / 8;
    std::vector<uint8_t> tile(static_cast<size_t>(TIFFTileSize(t)));
    for (uint32_t y = 0; y < f.nl; y += f.th)
      for (uint32_t x = 0; x < f.nc; x += f.tw) {
        std::fill(tile.begin(), tile.end(), 0);
        const size_t ini = static_cast<size_t>(x) * f.spp * f.bits / 8;
        for (uint32_t r = 0; r < f.th && y + r < f.nl; r++)
          for (size_t b = 0; b < tb && ini + b < bytes; b++)
            tile[r * tb + b] = linhas[y + r][ini + b];
        ok = ok && TIFFWriteTile(t, tile.data(), x, y, 0, 0) >= 0;
      }
  } else {
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, f.rps ? f.rps : f.nl);
    for (uint32_t l = 0; l < f.nl; l++)
      ok = ok && TIFFWriteScanline(t, linhas[l].data(), l, 0) >= 0;
  }
  ok = ok && TIFFWriteDirectory(t);
  TIFFClose(t);
  return ok;
}
