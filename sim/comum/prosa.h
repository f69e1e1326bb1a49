// Random prose for synthetic pages: English-like word lengths and letter frequencies, sentences
// with capitals, commas, full stops and now and then a number.
#pragma once

#include <string>

#include "acaso.h"

class PROSA {
 public:
  explicit PROSA(ACASO& a) : a_(a) {}
  // The next word of the running text, punctuation attached.
  std::string proxima();
  // Ends the current sentence, so that the next word opens one.
  void fechafrase() { restam_ = 0; }

 private:
  ACASO& a_;
  int restam_ = 0;  // words left in the current sentence
};

// n random words in capitals, for headings.
std::string titulo(ACASO& a, int n);
