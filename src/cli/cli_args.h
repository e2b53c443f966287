#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kx::cli {

// Parses a whole decimal argument; nullopt for anything else.
inline std::optional<uint64_t> ParseUnsigned(const std::string& text) {
  uint64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// Walks "--name value" and "--flag" options. Unknown names and missing or
// malformed values set `bad`, so a command can refuse its usage as a whole.
class OptionReader {
 public:
  explicit OptionReader(const std::vector<std::string>& args) : args_(args), used_(args.size(), false) {}

  bool Flag(const std::string& name) {
    for (size_t i = 0; i < args_.size(); ++i) {
      if (args_[i] == name) return used_[i] = true;
    }
    return false;
  }

  std::optional<uint64_t> Number(const std::string& name) {
    for (size_t i = 0; i < args_.size(); ++i) {
      if (args_[i] != name) continue;
      used_[i] = true;
      if (i + 1 >= args_.size()) return Bad();
      used_[i + 1] = true;
      auto value = ParseUnsigned(args_[i + 1]);
      return value ? value : Bad();
    }
    return std::nullopt;
  }

  std::optional<std::string> Text(const std::string& name) {
    for (size_t i = 0; i < args_.size(); ++i) {
      if (args_[i] != name) continue;
      used_[i] = true;
      if (i + 1 >= args_.size()) {
        bad_ = true;
        return std::nullopt;
      }
      used_[i + 1] = true;
      return args_[i + 1];
    }
    return std::nullopt;
  }

  // Positional arguments, in order, that no option took.
  std::vector<std::string> Rest() const {
    std::vector<std::string> rest;
    for (size_t i = 0; i < args_.size(); ++i) {
      if (!used_[i]) rest.push_back(args_[i]);
    }
    return rest;
  }

  bool bad() const { return bad_; }

 private:
  std::optional<uint64_t> Bad() {
    bad_ = true;
    return std::nullopt;
  }
  const std::vector<std::string>& args_;
  std::vector<bool> used_;
  bool bad_ = false;
};

}  // namespace kx::cli
