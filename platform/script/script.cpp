// Parsing driver scripts.
#include "platform/script/script.h"

#include <map>
#include <sstream>

#include "platform/text/ascii.h"

namespace platform::script {
namespace {

struct Shape {
  std::size_t words;  // words after the verb
  bool restOfLine;    // the last word runs to the end of the line
};

const std::map<std::string, Shape> kVerbs = {
    {"page", {1, false}},  {"type", {2, true}},     {"leave", {1, false}},   {"check", {2, false}},
    {"click", {1, false}}, {"nav", {2, false}},     {"row", {2, false}},     {"dblclick", {1, false}},
    {"cell", {3, false}},  {"selectall", {3, false}}, {"lookup", {1, false}}, {"pick", {2, false}},
    {"answer", {1, false}}, {"dump", {1, false}},   {"expect", {1, true}},
};

// The words of the filter action: bare, or between double quotes to hold blanks (a caption
// of several words) or nothing at all ("" for an empty value).
std::vector<std::string> quotedWords(int number, std::istream& in) {
  std::vector<std::string> words;
  for (char c; in >> std::ws && in.get(c);) {
    std::string word;
    if (c == '"') {
      if (!std::getline(in, word, '"') || in.eof()) throw ScriptError(number, "virgolette non chiuse");
    } else {
      in >> word;
      word.insert(word.begin(), c);
    }
    words.push_back(word);
  }
  return words;
}

}  // namespace

ScriptError::ScriptError(int line, const std::string& reason)
    : std::runtime_error("riga " + std::to_string(line) + ": " + reason), m_line(line) {}

std::vector<Action> parseScript(std::istream& in) {
  std::vector<Action> actions;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    line = std::string(text::trimRight(line, " \t\r"));
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::istringstream words(line.substr(first));
    Action action;
    action.line = number;
    words >> action.verb;
    action.verb = text::lowerAscii(action.verb);
    const auto shape = kVerbs.find(action.verb);
    if (action.verb == "filter") {
      action.args = quotedWords(number, words);
      if (action.args.size() < 2 || action.args.size() > 3) {
        throw ScriptError(number, "'filter' vuole CAMPO PRIMO [SECONDO]");
      }
      actions.push_back(std::move(action));
      continue;
    }
    if (shape == kVerbs.end()) throw ScriptError(number, "azione sconosciuta '" + action.verb + "'");
    for (std::size_t i = 0; i < shape->second.words; ++i) {
      const bool last = i + 1 == shape->second.words;
      std::string word;
      if (last && shape->second.restOfLine) {
        std::getline(words >> std::ws, word);
      } else {
        words >> word;
      }
      if (word.empty()) throw ScriptError(number, "'" + action.verb + "' vuole " + std::to_string(shape->second.words) + " argomenti");
      action.args.push_back(word);
    }
    std::string extra;
    if (words >> extra) throw ScriptError(number, "argomento in più per '" + action.verb + "': " + extra);
    actions.push_back(std::move(action));
  }
  return actions;
}

}  // namespace platform::script
