#include "core/cabembytes.h"

bool cabembytes(FILE* f, long long k) {
  long pos = std::ftell(f);
  if (pos < 0 || std::fseek(f, 0, SEEK_END) != 0) return true;
  long fim = std::ftell(f);
  std::fseek(f, pos, SEEK_SET);
  return fim < 0 || fim - pos >= k;
}
