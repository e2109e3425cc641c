// Hashes the stored bytes on a thread of its own while the writer complements and writes the
// next piece: the hash is the packer's largest single cost, and the two can overlap. Pieces
// live in a small ring and are hashed in the order they are handed over; a piece is handed
// out again only after it has been hashed.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "archive/sha256.h"

namespace archive {

class DigestWorker {
 public:
  static constexpr std::size_t kPieceSize = 256 * 1024;
  static constexpr std::size_t kPieceCount = 4;

  DigestWorker();
  ~DigestWorker();
  DigestWorker(const DigestWorker&) = delete;
  DigestWorker& operator=(const DigestWorker&) = delete;

  // The next piece of the ring (kPieceSize bytes), once the thread is done with it.
  std::uint8_t* NextPiece();
  // Hands the piece NextPiece gave over to be hashed; it may still be read meanwhile.
  void Hash(std::size_t length);
  // The digest of everything handed over; nothing may be handed over afterwards.
  Sha256::Digest Finish();

 private:
  void Run();
  void Stop();

  std::vector<std::uint8_t> ring_;
  std::size_t lengths_[kPieceCount] = {};
  std::uint64_t handedOver_ = 0;  // pieces given to the thread
  std::uint64_t hashed_ = 0;      // pieces it has finished
  bool stopping_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  Sha256 digest_;
  std::thread thread_;  // last: it starts once everything above is in place
};

}  // namespace archive
