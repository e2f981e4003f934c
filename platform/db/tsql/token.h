// Tokens of a T-SQL batch, as the lexer cuts them. A token keeps its place in the batch (byte
// offset, 1-based line and column) so that every error can point at what it found.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::db::tsql {

enum class TokenKind {
  Word,        // keyword or regular identifier (also #temp and ##temp names)
  QuotedName,  // [name] or "name"; value holds the name with its escapes undone
  String,      // '...' or N'...'; value holds the text with doubled quotes undone
  Number,      // 12, 1.5, .5, 1E3
  Symbol,      // operators and punctuation: ( ) , . ; = <> != !< !> < <= > >= + - * / % & | ^ ~
  Invalid,     // what the lexer could not read; value holds the message, errorCode SQL Server's number
  End,
};

struct SourcePos {
  int line = 1;
  int column = 1;
};

struct Token {
  TokenKind kind = TokenKind::End;
  std::string_view text;  // the token as it stands in the batch
  std::string value;      // decoded name or string (QuotedName, String only)
  size_t offset = 0;      // byte offset of the first character in the batch
  SourcePos pos;
  long errorCode = 0;  // Invalid only

  //! Case-insensitive comparison of a Word with an (upper-case) keyword.
  bool is(std::string_view keyword) const;
  bool isSymbol(std::string_view symbol) const { return kind == TokenKind::Symbol && text == symbol; }
  //! The name a Word or QuotedName stands for.
  std::string_view name() const { return kind == TokenKind::QuotedName ? std::string_view(value) : text; }
};

//! Cuts a batch into tokens; comments and blanks are dropped. The last token is End. What
//! cannot be read (an unclosed quote or comment, an empty name, a stray character) becomes an
//! Invalid token followed by End: the parser reports it within the statement it stands in.
std::vector<Token> tokenize(std::string_view batch);

//! Whether a word is one of T-SQL's reserved keywords (it cannot be an alias or a bare name).
bool isReservedKeyword(std::string_view word);

}  // namespace platform::db::tsql
