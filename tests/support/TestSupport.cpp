#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TARCGISFileTools.h"

TMapPtr GridFromText(const std::string& text) {
  std::istringstream in(text);
  return TMapPtr(TARCGISFileTools::LoadARCGISFile(in));
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "gridtally-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch directory");
  MbrPath = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(MbrPath, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& content) const {
  const std::string path = Path(name);
  std::ofstream out(path, std::ios::binary);
  out << content;
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
