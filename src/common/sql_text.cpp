// Statement composition.
#include "src/common/sql_text.h"

#include "platform/db/sql_literal.h"

namespace passaggio::sql {
namespace {

constexpr std::string_view kDropTemplate =
    "IF OBJECT_ID('TEMPDB.DBO.<TABLE_NAME>') IS NOT NULL DROP TABLE <TABLE_NAME>";

}  // namespace

std::string JoinLines(std::span<const std::string_view> lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

std::string Fill(std::string_view text, std::initializer_list<Value> values) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Value* found = nullptr;
    if (text[at] == '<') {
      for (const Value& value : values) {
        if (text.substr(at, value.first.size()) == value.first) {
          found = &value;
          break;
        }
      }
    }
    if (found != nullptr) {
      result += found->second;
      at += found->first.size();
    } else {
      result += text[at++];
    }
  }
  return result;
}

std::string Compose(std::span<const std::string_view> lines, std::initializer_list<Value> values) {
  return Fill(JoinLines(lines), values);
}

std::string Quoted(std::string_view code) { return platform::db::quoteLiteral(code); }

std::string Bracketed(std::string_view name) {
  std::string result = "[";
  for (const char c : name) {
    result += c;
    if (c == ']') result += ']';
  }
  return result + "]";
}

std::string DropTable(std::string_view table) { return Fill(kDropTemplate, {{"<TABLE_NAME>", table}}); }

}  // namespace passaggio::sql
