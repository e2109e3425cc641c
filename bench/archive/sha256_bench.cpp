// Throughput of the SHA-256 block functions over a 64 MiB buffer, hashed several times.
// sha256_bench [rounds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "archive/sha256.h"

namespace {

double MegabytesPerSecond(sha256::BlockFunction blocks, const std::vector<std::uint8_t>& data, int rounds) {
  const auto start = std::chrono::steady_clock::now();
  volatile std::uint8_t sink = 0;  // keeps the work observable
  for (int i = 0; i < rounds; ++i) {
    Sha256 sha(blocks);
    sha.Update(data.data(), data.size());
    sink = sink ^ sha.Finish()[0];
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return data.size() * static_cast<double>(rounds) / (1024.0 * 1024.0) / seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 4;
  std::vector<std::uint8_t> data(64u << 20);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 2654435761u >> 13);
  std::printf("portable        %.0f MiB/s\n", MegabytesPerSecond(sha256::PortableBlocks, data, rounds));
  if (const sha256::BlockFunction extensions = sha256::ShaExtensionBlocks())
    std::printf("sha extensions  %.0f MiB/s\n", MegabytesPerSecond(extensions, data, rounds));
  else
    std::printf("sha extensions  not on this processor\n");
  return 0;
}
