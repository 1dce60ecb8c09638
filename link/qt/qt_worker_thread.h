#pragma once

#include <QThread>
#include <memory>

#include "worker_thread.h"

namespace vardex {

// A QThread for the worker, so that the QSerialPort it makes lives in a
// thread Qt knows (its notifiers are then merely never dispatched).
class QtWorkerThread final : public WorkerThread {
 public:
  ~QtWorkerThread() override { Join(); }
  void Start(std::function<void()> body) override {
    thread_.reset(QThread::create(std::move(body)));
    thread_->start();
  }
  void Join() override {
    if (thread_)
      thread_->wait();
  }

 private:
  std::unique_ptr<QThread> thread_;
};

}  // namespace vardex
