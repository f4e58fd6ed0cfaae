#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TMap.h"

using TMapPtr = std::unique_ptr<TMap>;

// Defined when the tests are built with AddressSanitizer, whose shadow memory
// rules out limits on the address space.
#if defined(__SANITIZE_ADDRESS__)
#define GRIDTALLY_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GRIDTALLY_UNDER_ASAN 1
#endif
#endif


// Builds a map from the text of an ASCII grid.
TMapPtr GridFromText(const std::string& text);

// Runs `expression` and records a failure unless it throws a character string
// (const char*) equal to `text`.
#define EXPECT_THROWS_TEXT(expression, text)                                          \
  do {                                                                                \
    std::string caught_ = "<nothing thrown>";                                         \
    try {                                                                             \
      (void)(expression);                                                             \
    } catch (const char* message_) {                                                  \
      caught_ = message_;                                                             \
    } catch (const std::string& message_) {                                           \
      caught_ = "<std::string> " + message_;                                          \
    } catch (...) {                                                                   \
      caught_ = "<other exception>";                                                  \
    }                                                                                 \
    EXPECT_EQ(caught_, std::string(text)) << "from " #expression;                     \
  } while (0)

// The same for a thrown std::string.
#define EXPECT_THROWS_STRING(expression, text)                                        \
  do {                                                                                \
    std::string caught_ = "<nothing thrown>";                                         \
    try {                                                                             \
      (void)(expression);                                                             \
    } catch (const std::string& message_) {                                           \
      caught_ = message_;                                                             \
    } catch (const char* message_) {                                                  \
      caught_ = std::string("<const char*> ") + message_;                             \
    } catch (...) {                                                                   \
      caught_ = "<other exception>";                                                  \
    }                                                                                 \
    EXPECT_EQ(caught_, std::string(text)) << "from " #expression;                     \
  } while (0)

// A scratch directory removed with its contents when the fixture ends.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  std::string Path(const std::string& name) const { return MbrPath + "/" + name; }
  std::string Write(const std::string& name, const std::string& content) const;

 private:
  std::string MbrPath;
};

// The whole content of a file.
std::string ReadFile(const std::string& path);
