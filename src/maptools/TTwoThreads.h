#pragma once

#include <exception>
#include <thread>
#include <utility>

// Runs two tasks at once: `side` on a thread of its own, `main` on the caller's.
// The thread is joined on every path. A throw of `main` passes on; otherwise a
// throw of `side` is passed on once both are done. Throws std::system_error when
// no thread can be started.
class TTwoThreads {
 public:
  template <class Side, class Main>
  static void Run(Side side, Main main) {
    std::exception_ptr sideFailure;
    {
      std::thread thread([&side, &sideFailure] {
        try {
          side();
        } catch (...) {
          sideFailure = std::current_exception();
        }
      });
      TJoin join{thread};
      main();
    }
    if (sideFailure) std::rethrow_exception(sideFailure);
  }

 private:
  struct TJoin {
    std::thread& thread;
    ~TJoin() { thread.join(); }
  };
};
