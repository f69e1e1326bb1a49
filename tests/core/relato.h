// Death-test patterns for the library's fatal report.
#pragma once

#include <string>

// A pattern matching exactly the report "msg compl\n" on standard error, every character
// taken literally.
inline std::string relato(const std::string& msg, const std::string& compl_ = "") {
  std::string r = "^";
  for (char ch : msg + " " + compl_ + "\n") {
    if (std::string("\\^$.|?*+()[]{}").find(ch) != std::string::npos) r += '\\';
    r += ch;
  }
  return r + "$";
}
