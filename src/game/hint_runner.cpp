// The hint runner: one worker thread, started by the first search, fed one request at a time.
#include "game/hint_runner.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

struct HintRequest {
  RulesLevel state;
  int frame = 0;
  HintBudget budget;
};

class Runner {
 public:
  ~Runner() { Stop(); }

  int Start(const RulesLevel& state, int frame, const HintBudget& budget) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!worker_.joinable()) {
      stop_ = false;
      worker_ = std::thread([this] { Work(); });
    }
    cancel_ = true;  // the search running, if any, stops at its next look
    request_ = {state, frame, budget};
    asked_ = ++tickets_;
    answered_ = false;
    wake_.notify_all();
    return asked_;
  }

  bool Take(HintAnswer& out) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!answered_) return false;
    out = answer_;
    answered_ = false;
    return true;
  }

  void Cancel() {
    std::lock_guard<std::mutex> lock(mutex_);
    cancel_ = true;
    asked_ = 0;
    answered_ = false;
  }

  bool Busy() {
    std::lock_guard<std::mutex> lock(mutex_);
    return asked_ != 0 && (running_ != 0 || pending());
  }

  bool Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return running_ == 0 && !pending(); });
    return answered_;
  }

  void Stop() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!worker_.joinable()) return;
      stop_ = true;
      cancel_ = true;
      asked_ = 0;
      wake_.notify_all();
    }
    worker_.join();
    worker_ = std::thread();
  }

 private:
  bool pending() const { return asked_ > taken_; }

  void Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return stop_ || pending(); });
      if (stop_) break;
      const HintRequest request = request_;
      const int ticket = asked_;
      taken_ = ticket;
      running_ = ticket;
      cancel_ = false;
      lock.unlock();
      HintBudget budget = request.budget;
      budget.cancel = &cancel_;
      Hint hint = FindHint(request.state, request.frame, budget);
      lock.lock();
      running_ = 0;
      // A search asked for since, or cancelled, hands out nothing.
      if (ticket == asked_ && !cancel_) {
        answer_ = {std::move(hint), request.frame, ticket};
        answered_ = true;
      }
      idle_.notify_all();
    }
    running_ = 0;
    idle_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable wake_, idle_;
  std::thread worker_;
  std::atomic<bool> cancel_{false};
  bool stop_ = false;
  HintRequest request_;
  int tickets_ = 0;   // tickets handed out
  int asked_ = 0;     // the ticket the game waits for; 0 for none
  int taken_ = 0;     // the latest ticket the worker took up
  int running_ = 0;   // the ticket being searched; 0 when idle
  HintAnswer answer_;
  bool answered_ = false;
};

Runner& TheRunner() {
  static Runner runner;
  return runner;
}

}  // namespace

int StartHint(const RulesLevel& state, int frame, const HintBudget& budget) {
  return TheRunner().Start(state, frame, budget);
}
bool TakeHint(HintAnswer& out) { return TheRunner().Take(out); }
void CancelHint() { TheRunner().Cancel(); }
bool HintBusy() { return TheRunner().Busy(); }
bool WaitForHint() { return TheRunner().Wait(); }
void StopHintRunner() { TheRunner().Stop(); }
