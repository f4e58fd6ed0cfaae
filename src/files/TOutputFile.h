#pragma once

#include <fstream>
#include <memory>
#include <string>

// A file opened by name for writing, truncated, with a large write buffer of its
// own. Throws the std::string "Unable to open file " + name when the file cannot
// be opened; nothing is created then.
class TOutputFile {
 public:
  static constexpr std::size_t kBufferSize = 1 << 20;

  explicit TOutputFile(const std::string& name);

  std::ofstream& Stream() { return MbrStream; }

  // Flushes and closes the file. Throws the std::string "Unable to write file " +
  // name when any write or the close failed (a full disk, for one).
  void Close();

 private:
  std::string MbrName;
  // Declared before the stream: the buffer must outlive the stream that writes from it.
  std::unique_ptr<char[]> MbrBuffer;
  std::ofstream MbrStream;
};
