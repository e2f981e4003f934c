// Building TranslationError with the position and SQL Server's message texts.
#include "platform/db/tsql/errors.h"

namespace platform::db::tsql {

void raise(std::string_view message, std::string construct, SourcePos pos, std::string_view statement,
           long nativeError) {
  std::string text(message);
  text += " (";
  text += construct;
  text += ", line " + std::to_string(pos.line) + ", column " + std::to_string(pos.column) + ")";
  throw TranslationError(text, std::move(construct), pos.line, pos.column, std::string(statement), nativeError);
}

void raiseSyntax(const Token& near, std::string construct, std::string_view statement) {
  const std::string message = near.kind == TokenKind::End ? std::string("Incorrect syntax near the end of the batch.")
                                                    : "Incorrect syntax near '" + std::string(near.text) + "'.";
  raise(message, std::move(construct), near.pos, statement, kSyntaxError);
}

void raiseNestedTooDeeply(SourcePos pos, std::string_view statement) {
  raise("Some part of your SQL statement is nested too deeply. Rewrite the query or break it up into smaller "
        "queries.",
        "nesting", pos, statement, kNestedTooDeeply);
}

void raiseUnsupported(std::string construct, SourcePos pos, std::string_view statement) {
  std::string message = "Not supported by the embedded database: " + construct + ".";
  raise(message, std::move(construct), pos, statement, kUnsupported);
}

}  // namespace platform::db::tsql
