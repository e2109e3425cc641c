// The packing tool's commands. Each returns the process exit code and writes its errors to
// stderr: 0 success, 1 a bad input or a failed check, 2 a bad command line.
#pragma once

#include <filesystem>
#include <string>

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr unsigned kDefaultCodePage = 932;

int PackCommand(const std::filesystem::path& setup, const std::filesystem::path& from,
                const std::filesystem::path& out, unsigned codePage);
int ListCommand(const std::filesystem::path& file, unsigned codePage);
int VerifyCommand(const std::filesystem::path& file, unsigned codePage);
int ExtractCommand(const std::filesystem::path& file, const std::filesystem::path& to, unsigned codePage);
