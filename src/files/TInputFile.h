#pragma once

#include <fstream>
#include <memory>
#include <string>

// A file opened by name for reading, with a large read buffer of its own.
// Throws the std::string "Unable to open file " + name when the file cannot be
// opened or is a directory.
class TInputFile {
 public:
  static constexpr std::size_t kBufferSize = 1 << 20;

  explicit TInputFile(const std::string& name);

  std::ifstream& Stream() { return MbrStream; }

 private:
  // Declared first: the buffer must outlive the stream that reads into it.
  std::unique_ptr<char[]> MbrBuffer;
  std::ifstream MbrStream;
};
