// Drives a setup program from outside, as a user would, and checks what its
// windows show. Runs under Wine next to the program it drives.
//
//   wizard_driver SCENARIO_FILE
//
// The scenario is a list of commands, one per line ("#" starts a comment);
// see commands.h. The first failing command ends the run with exit code 1,
// after the driven program has been terminated, so nothing is left hanging.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "commands.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wizard_driver SCENARIO_FILE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot open %s\n", argv[1]);
    return 2;
  }
  driver::Session session;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> words;
    std::string error;
    if (!driver::SplitWords(line, words, error)) {
      std::printf("FAIL %s:%d: %s\n", argv[1], number, error.c_str());
      session.Abandon();
      return 1;
    }
    if (words.empty()) continue;
    std::printf("  %s\n", line.c_str());
    std::fflush(stdout);
    if (!session.Run(words, error)) {
      std::printf("FAIL %s:%d: %s\n", argv[1], number, error.c_str());
      std::fflush(stdout);
      session.Abandon();
      return 1;
    }
  }
  return 0;
}
