#pragma once

#include <exception>
#include <system_error>
#include <thread>
#include <utility>

// Runs two tasks at once: `side` on a thread of its own, `main` on the caller's.
// The thread is joined on every path. A throw of `main` passes on; otherwise a
// throw of `side` is passed on once both are done.
class TTwoThreads {
 public:
  // When no thread can be started, the two run one after the other on the
  // caller's thread.
  template <class Side, class Main>
  static void Run(Side side, Main main) {
    if (!RunIfPossible(side, main)) {
      side();
      main();
    }
  }

  // Returns false, having run neither, when no thread can be started: for tasks
  // that wait for each other.
  template <class Side, class Main>
  static bool RunIfPossible(Side& side, Main& main) {
    std::exception_ptr sideFailure;
    std::thread thread;
    try {
      thread = std::thread([&side, &sideFailure] {
        try {
          side();
        } catch (...) {
          sideFailure = std::current_exception();
        }
      });
    } catch (const std::system_error&) {
      return false;
    }
    {
      TJoin join{thread};
      main();
    }
    if (sideFailure) std::rethrow_exception(sideFailure);
    return true;
  }

 private:
  struct TJoin {
    std::thread& thread;
    ~TJoin() { thread.join(); }
  };
};
