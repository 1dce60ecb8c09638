#pragma once

#include <functional>
#include <thread>

namespace vardex {

// Gives the worker's body a thread; tests may run it otherwise.
class WorkerThread {
 public:
  virtual ~WorkerThread() = default;
  virtual void Start(std::function<void()> body) = 0;
  // Waits for the body to return; does nothing when it never started.
  virtual void Join() = 0;
};

class StdWorkerThread final : public WorkerThread {
 public:
  ~StdWorkerThread() override { Join(); }
  void Start(std::function<void()> body) override { thread_ = std::thread(std::move(body)); }
  void Join() override {
    if (thread_.joinable())
      thread_.join();
  }

 private:
  std::thread thread_;
};

}  // namespace vardex
