#include "TOutputFile.h"

#include "TFileMessages.h"

TOutputFile::TOutputFile(const std::string& name) : MbrName(name), MbrBuffer(new char[kBufferSize]) {
  MbrStream.rdbuf()->pubsetbuf(MbrBuffer.get(), kBufferSize);
  MbrStream.open(name, std::ios_base::out | std::ios_base::trunc);
  if (!MbrStream.is_open()) throw std::string(kUnableToOpenFile) + name;
}

void TOutputFile::Close() {
  MbrStream.close();
  if (MbrStream.fail()) throw std::string(kUnableToWriteFile) + MbrName;
}
