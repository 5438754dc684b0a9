#pragma once
// A fresh folder per test, removed afterwards. Names are UTF-8, as the program
// passes them (path::string() would give the ANSI code page on Windows).
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

class TempDir {
 public:
  TempDir() { std::filesystem::create_directories(path_); }
  ~TempDir() { std::error_code ec; std::filesystem::remove_all(path_, ec); }
  TempDir(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path at(const std::string& name) const { return path_ / std::u8string(name.begin(), name.end()); }
  std::string file(const std::string& name) const {
    const std::u8string s = at(name).u8string();
    return std::string(s.begin(), s.end());
  }
  void write(const std::string& name, const std::string& bytes) const { std::ofstream(at(name), std::ios::binary) << bytes; }
  std::string read(const std::string& name) const {
    return (std::ostringstream() << std::ifstream(at(name), std::ios::binary).rdbuf()).str();
  }
  // Entries in the folder: a temporary file left behind shows here.
  long count() const { return std::distance(std::filesystem::directory_iterator(path_), {}); }

 private:
  std::filesystem::path path_ = std::filesystem::temp_directory_path() / ("huevox-test-" + std::to_string(std::random_device{}()));
};
