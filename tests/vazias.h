// Images without pixels, and the check that whatever meets them ends cleanly: the work returns,
// or stops with the library's fatal report (status 1 and a message), never a signal.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apoio.h"

inline ::testing::AssertionResult limpo(const DESFECHO& d) {
  if (d.status == 0 || (d.status == 1 && d.err.find("Erro") != std::string::npos))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << (d.sinal ? "signal " + std::to_string(d.sinal) : "status " + std::to_string(d.status))
         << ": " << d.err;
}

// 0 x 0, 0 x 7, 7 x 0, and the sizes a negative header asks for.
struct VAZIA {
  const char* nome;
  int nl, nc;
};
inline const std::vector<VAZIA>& vazias() {
  static const std::vector<VAZIA> v = {
      {"0x0", 0, 0}, {"0x7", 0, 7}, {"7x0", 7, 0}, {"-4x4", -4, 4}, {"4x-4", 4, -4}};
  return v;
}
