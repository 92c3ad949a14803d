#include "tools/common/arguments.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

ToolArguments ReadArguments(int argc, char** argv, int first) {
  ToolArguments arguments;
  for (int i = first; i < argc; ++i) arguments.words.push_back(argv[i]);
  return arguments;
}

bool ParseInteger(const std::string& text, int64_t low, int64_t high, int64_t* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long long parsed = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
  *value = parsed;
  return true;
}

bool ParseReal(const std::string& text, double* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  double parsed = std::strtod(text.c_str(), &end);
  if (errno != 0 || *end != '\0' || !std::isfinite(parsed)) return false;
  *value = parsed;
  return true;
}

namespace {

int FindOption(const std::vector<std::string>& words, const char* option) {
  for (size_t i = 0; i < words.size(); ++i)
    if (words[i] == option) return static_cast<int>(i);
  return -1;
}

}  // namespace

bool ToolArguments::Has(const char* option) const { return FindOption(words, option) >= 0; }

bool ToolArguments::Require(const char* option) {
  if (Has(option)) return true;
  if (error.empty()) error = std::string("missing ") + option;
  return false;
}

int64_t ToolArguments::Integer(const char* option, int64_t fallback, int64_t low, int64_t high) {
  int at = FindOption(words, option);
  if (at < 0) return fallback;
  int64_t value = 0;
  if (at + 1 >= static_cast<int>(words.size()) || !ParseInteger(words[at + 1], low, high, &value)) {
    if (error.empty())
      error = std::string(option) + " needs a whole number from " + std::to_string(low) + " to " +
              std::to_string(high);
    return fallback;
  }
  return value;
}

double ToolArguments::Real(const char* option, double fallback) {
  int at = FindOption(words, option);
  if (at < 0) return fallback;
  double value = 0;
  if (at + 1 >= static_cast<int>(words.size()) || !ParseReal(words[at + 1], &value)) {
    if (error.empty()) error = std::string(option) + " needs a number";
    return fallback;
  }
  return value;
}

std::string ToolArguments::Text(const char* option, const char* fallback) {
  int at = FindOption(words, option);
  if (at < 0) return fallback;
  if (at + 1 >= static_cast<int>(words.size()) || words[at + 1].empty()) {
    if (error.empty()) error = std::string(option) + " needs a value";
    return fallback;
  }
  return words[at + 1];
}

std::vector<int64_t> ToolArguments::Integers(const char* option, int count, int64_t low,
                                             int64_t high) {
  std::vector<int64_t> values;
  int at = FindOption(words, option);
  if (at < 0) return values;
  for (int k = 1; k <= count; ++k) {
    int64_t value = 0;
    if (at + k >= static_cast<int>(words.size()) ||
        !ParseInteger(words[at + k], low, high, &value)) {
      if (error.empty())
        error = std::string(option) + " needs " + std::to_string(count) + " whole numbers from " +
                std::to_string(low) + " to " + std::to_string(high);
      values.clear();
      return values;
    }
    values.push_back(value);
  }
  return values;
}

void ToolArguments::RejectUnknown(const std::vector<std::pair<std::string, int>>& known) {
  for (size_t i = 0; i < words.size(); ++i) {
    bool matched = false;
    for (const auto& [name, valueCount] : known) {
      if (words[i] == name) {
        i += valueCount;
        matched = true;
        break;
      }
    }
    if (!matched) {
      if (error.empty()) error = "unknown argument " + words[i];
      return;
    }
  }
}
