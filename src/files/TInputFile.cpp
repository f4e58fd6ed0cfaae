#include "TInputFile.h"

#include <sys/stat.h>

#include "TFileMessages.h"

namespace {
bool IsDirectory(const std::string& name) {
  struct stat info;
  return ::stat(name.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

TInputFile::TInputFile(const std::string& name) : MbrBuffer(new char[kBufferSize]) {
  if (IsDirectory(name)) throw std::string(kUnableToOpenFile) + name;
  MbrStream.rdbuf()->pubsetbuf(MbrBuffer.get(), kBufferSize);
  MbrStream.open(name, std::ios_base::in);
  if (!MbrStream.is_open()) throw std::string(kUnableToOpenFile) + name;
}
