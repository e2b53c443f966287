#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "read_file.h"

namespace kx::test {

// Runs a test inside a fresh empty working directory, since the program
// addresses its files by relative names.
class TempDirTest : public ::testing::Test {
 public:
  static std::string ReadFile(const std::filesystem::path& path) { return test::ReadFile(path); }

 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("kx_test_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
            std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    // A helper process the test started may still be writing there.
    std::error_code error;
    for (int attempt = 0; attempt < 3 && std::filesystem::exists(dir_); ++attempt) std::filesystem::remove_all(dir_, error);
  }

  std::filesystem::path dir_;

 private:
  std::filesystem::path previous_;
};

}  // namespace kx::test
