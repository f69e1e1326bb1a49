// One owned, fully buffered file stream, opened and reported the way every file routine does.
#pragma once

#include <cstddef>
#include <cstdio>

// Length of an open seekable stream, which is left at its start; -1 when it cannot tell.
long long comprimento(FILE* f);

class ARQUIVO {
 public:
  static constexpr size_t TAMBUF = 65536;

  // Opens nome with the stdio mode; a failure is fatal with msgAbertura and the name,
  // a buffer that cannot be set with msgBuffer.
  ARQUIVO(const char* nome, const char* modo, const char* msgAbertura, const char* msgBuffer);
  ~ARQUIVO();
  ARQUIVO(const ARQUIVO&) = delete;
  ARQUIVO& operator=(const ARQUIVO&) = delete;

  FILE* f() const { return f_; }
  operator FILE*() const { return f_; }
  const char* nome() const { return nome_; }

  // Reads exactly n bytes or stops with msgFim.
  void le(void* p, size_t n, const char* msgFim);
  // Number of bytes read, up to n.
  size_t leate(void* p, size_t n);
  // Writes n bytes; a short write is fatal with msgEscrita and the file name.
  void escreve(const void* p, size_t n, const char* msgEscrita);
  // Closes the stream. With msgEscrita, any earlier write error or a failing close is fatal
  // with that message and the file name, so that a full disk never passes silently.
  void fecha(const char* msgEscrita = nullptr);

 private:
  FILE* f_ = nullptr;
  const char* nome_;
};
