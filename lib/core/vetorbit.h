// VETORBIT: packed bit vector. Bit i lives in word i >> 5 under mask 0x80000000 >> (i & 31).
#pragma once

#include <cstdint>
#include <cstdio>

class VETORBIT {
 public:
  // Reference to one bit, for reading and writing.
  class BIT {
   public:
    BIT(uint32_t* w, uint32_t m) : w_(w), m_(m) {}
    operator bool() const { return (*w_ & m_) != 0; }
    BIT& operator=(bool v) {
      if (v) *w_ |= m_;
      else *w_ &= ~m_;
      return *this;
    }
    BIT& operator=(const BIT& o) { return *this = static_cast<bool>(o); }

   private:
    uint32_t* w_;
    uint32_t m_;
  };

  uint32_t* words = nullptr;  // nwords() words; null when n() < 1

  VETORBIT() { aloca(0); }
  explicit VETORBIT(int n) { aloca(n); }
  VETORBIT(const VETORBIT& o);
  VETORBIT(VETORBIT&& o) noexcept;
  VETORBIT& operator=(const VETORBIT& o);
  VETORBIT& operator=(VETORBIT&& o) noexcept;
  ~VETORBIT();

  // Sets n (kept even when below 1, with no storage) and nwords; fresh storage.
  void aloca(int n);
  // Reallocates when m differs from n; the old bits are not kept.
  void resize(int m);

  // Keeps only bits 0..m-1 (0 <= m <= n); the storage stays as it is.
  void encurta(int m);

  int n() const { return n_; }
  int nwords() const { return nwords_; }

  // Bounds-tested access; outside 0..n-1 is fatal "Erro VETORBIT::operator() - Indice invalido".
  BIT operator()(int i);
  bool operator()(int i) const;

 private:
  int n_ = 0, nwords_ = 0;
  void copia(const VETORBIT& o);  // the words of o, for a vector of the same size
};

// The .vet text file: count, then the bits as 0/1 characters, bit 0 first.
void le(VETORBIT& v, const char* nome);
void imp(const VETORBIT& v, const char* nome);

// Library operations on bit vectors.
VETORBIT padzeros(const VETORBIT& v, int m);
VETORBIT subvetorbit(const VETORBIT& v, int inic, int fim);
VETORBIT& delleft(VETORBIT& v, int k);
VETORBIT operator&(const VETORBIT& a, const VETORBIT& b);
VETORBIT operator|(const VETORBIT& a, const VETORBIT& b);
VETORBIT operator^(const VETORBIT& a, const VETORBIT& b);
VETORBIT inverte(const VETORBIT& v);  // bit n-1-i of the result is bit i of v
VETORBIT atovetorbit(const char* texto);
VETORBIT levetorbit(FILE* f);  // one blank-delimited word of 0 and 1
VETORBIT modGF2(const VETORBIT& a, const VETORBIT& p);
