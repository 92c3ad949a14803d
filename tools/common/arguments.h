// Command-line options of the tools: "--name value" pairs, read strictly. A wrong or missing
// value is an error the tool reports with exit status 2, never a silent default.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ToolArguments {
  std::vector<std::string> words;  // everything after the subcommand
  std::string error;               // the first problem met, empty while all is well

  bool Has(const char* option) const;
  // Each reader returns the fallback when the option is absent, and records an error when it
  // is present without a valid value. Integers must be whole decimal numbers within range.
  int64_t Integer(const char* option, int64_t fallback, int64_t low, int64_t high);
  double Real(const char* option, double fallback);
  std::string Text(const char* option, const char* fallback);
  // The values that follow an option taking several (for example "--corners a b c d").
  std::vector<int64_t> Integers(const char* option, int count, int64_t low, int64_t high);
  // Records an error for every word that is not one of the known options or their values.
  void RejectUnknown(const std::vector<std::pair<std::string, int>>& known);
  bool Require(const char* option);  // records an error when the option is absent
};

ToolArguments ReadArguments(int argc, char** argv, int first);
bool ParseInteger(const std::string& text, int64_t low, int64_t high, int64_t* value);
bool ParseReal(const std::string& text, double* value);
