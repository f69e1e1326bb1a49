// libpng stops on an error by a long jump back to the caller. The jump may only cross frames
// that own nothing to release, so every call into the codec runs inside protegido: the lambda
// it is given calls the codec and holds no object with a destructor. A codec error then
// returns false here, with its text in the context, and the caller releases and reports.
#pragma once

#include <csetjmp>
#include <string>

struct CONTEXTOC {
  std::jmp_buf volta;
  char msg[200] = "";
};

template <class F>
bool protegido(CONTEXTOC& c, F&& f) {
  if (setjmp(c.volta)) return false;
  f();
  return true;
}

// The fatal report of a codec error: prefix, the codec's text in parentheses, then the name.
[[noreturn]] void abortacodec(const char* prefixo, const CONTEXTOC& c, const char* nome);
