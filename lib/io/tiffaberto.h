// One open libtiff handle whose errors and warnings stay inside it: libtiff's messages are
// kept for the library's own report instead of being printed, and its allocations are capped.
#pragma once

#include <tiffio.h>

#include <string>

class TIFFABERTO {
 public:
  // Opens nome with libtiff's mode ("r", "w", "a"); t() is null when that failed.
  // maxaloc caps each allocation of the codec (0: libtiff's default).
  TIFFABERTO(const char* nome, const char* modo, long long maxaloc = 0);
  // Opens bytes in memory for reading (the CCITT images inside PDF files).
  TIFFABERTO(const unsigned char* dados, size_t n, long long maxaloc);
  ~TIFFABERTO();
  TIFFABERTO(const TIFFABERTO&) = delete;
  TIFFABERTO& operator=(const TIFFABERTO&) = delete;

  TIFF* t() const { return t_; }
  // libtiff's first error message, or "" when none.
  const std::string& erro() const { return erro_; }
  // Closes, flushing first; false when something failed on the way (a full disk).
  bool fecha();
  // Fatal report: the prefix, libtiff's message in parentheses, the name.
  [[noreturn]] void aborta(const char* prefixo, const char* nome) const;

  struct MEMORIA {
    const unsigned char* dados;
    size_t n, pos;
  };

 private:
  TIFF* t_ = nullptr;
  std::string erro_;
  MEMORIA mem_{nullptr, 0, 0};
  static int trata(TIFF*, void* user, const char* modulo, const char* fmt, va_list ap);
  static int cala(TIFF*, void*, const char*, const char*, va_list) { return 1; }
  TIFFOpenOptions* opcoes(long long maxaloc);
};
