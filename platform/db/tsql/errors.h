// How the front end reports what it cannot take: SQL Server's own words where SQL Server would
// fail the same way, otherwise a plain "not supported" naming the construct.
#pragma once

#include <string>
#include <string_view>

#include "platform/db/tsql/token.h"
#include "platform/db/tsql/translator.h"

namespace platform::db::tsql {

inline constexpr long kSyntaxError = 102;
inline constexpr long kEmptyName = 1038;
inline constexpr long kInvalidColumn = 207;
inline constexpr long kInvalidObject = 208;
inline constexpr long kNoTable = 263;
inline constexpr long kUnsupported = 0;
inline constexpr long kNestedTooDeeply = 191;

//! How deeply expressions and subqueries may nest. SQL Server refuses deeper statements too;
//! the limit keeps the parser's and the writer's recursion well inside the stack.
inline constexpr int kMaxNesting = 256;

inline constexpr std::string_view kEmptyNameMessage =
    "An object or column name is missing or empty. For SELECT INTO statements, verify each column has a "
    "name. For other statements, look for empty alias names. Aliases defined as \"\" or [] are not allowed. "
    "Change the alias to a valid name.";

//! Throws TranslationError; the position is appended to the message.
[[noreturn]] void raise(std::string_view message, std::string construct, SourcePos pos, std::string_view statement,
                        long nativeError);

//! "Incorrect syntax near 'x'." for a token (or "near the end of the batch").
[[noreturn]] void raiseSyntax(const Token& near, std::string construct, std::string_view statement);

//! SQL Server's error 191 for a statement nested deeper than kMaxNesting.
[[noreturn]] void raiseNestedTooDeeply(SourcePos pos, std::string_view statement);

//! A construct this backend does not translate.
[[noreturn]] void raiseUnsupported(std::string construct, SourcePos pos, std::string_view statement);

}  // namespace platform::db::tsql
