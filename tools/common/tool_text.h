// Argument texts of the reference tools: strict numbers, whole files and the
// call log.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace reftools {

// A whole argument as a decimal number (sign, digits, fraction, exponent),
// optionally surrounded by blanks. Unlike atof, trailing text makes the
// argument invalid: a tool that guesses at a garbled number renders garbage
// silently, a tool that refuses it makes the fault visible. Values beyond
// the double range are refused too. On failure `error` names the argument.
bool parseArgument(std::string_view text, const char* name, double& value, std::string& error);

double clampTo(double value, double low, double high);

bool readWholeFile(const std::string& path, std::string& bytes);
bool writeWholeFile(const std::string& path, std::string_view bytes);
bool fileExists(const std::string& path);

// When the environment variable REFTOOL_LOG names a file, appends the line
// "<tool> <argument count> <arguments separated by |>" to it. Line breaks
// inside an argument become blanks so that one call stays one line.
void logCall(const char* tool, const std::vector<std::string>& arguments);

}  // namespace reftools
