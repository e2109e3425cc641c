#include "archive/digest_worker.h"

namespace archive {

DigestWorker::DigestWorker() : ring_(kPieceSize * kPieceCount), thread_(&DigestWorker::Run, this) {}

DigestWorker::~DigestWorker() { Stop(); }

std::uint8_t* DigestWorker::NextPiece() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return handedOver_ - hashed_ < kPieceCount; });
  return ring_.data() + (handedOver_ % kPieceCount) * kPieceSize;
}

void DigestWorker::Hash(std::size_t length) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    lengths_[handedOver_ % kPieceCount] = length;
    ++handedOver_;
  }
  changed_.notify_all();
}

Sha256::Digest DigestWorker::Finish() {
  Stop();
  return digest_.Finish();
}

void DigestWorker::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void DigestWorker::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return hashed_ < handedOver_ || stopping_; });
    if (hashed_ == handedOver_) return;  // stopping, and everything handed over is hashed
    const std::size_t index = hashed_ % kPieceCount;
    const std::size_t length = lengths_[index];
    lock.unlock();
    digest_.Update(ring_.data() + index * kPieceSize, length);
    lock.lock();
    ++hashed_;
    changed_.notify_all();
  }
}

}  // namespace archive
