#include <unistd.h>

#include <iostream>

#include "TValueCountCommand.h"

int main(int argc, char** argv) {
  std::ios_base::sync_with_stdio(false);
  return TValueCountCommand::Run(argc, argv, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
