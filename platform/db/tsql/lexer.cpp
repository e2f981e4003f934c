// The T-SQL lexer. It follows SQL Server where SQLite's own tokenizer reads the console's text
// differently: "--" comments end at a lone CR too, a number ends where it can no longer
// continue ("1WHERE"), and "FROM##T" is a keyword followed by a temporary table name.
#include <algorithm>
#include <array>
#include <cctype>

#include "platform/db/tsql/errors.h"
#include "platform/db/tsql/token.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

// SQL Server's reserved keywords: none of them can stand as a bare alias, and a word made of
// one of them directly followed by '#' is split there.
constexpr std::array<std::string_view, 185> kReserved = {
    "ADD", "ALL", "ALTER", "AND", "ANY", "AS", "ASC", "AUTHORIZATION", "BACKUP", "BEGIN", "BETWEEN", "BREAK",
    "BROWSE", "BULK", "BY", "CASCADE", "CASE", "CHECK", "CHECKPOINT", "CLOSE", "CLUSTERED", "COALESCE",
    "COLLATE", "COLUMN", "COMMIT", "COMPUTE", "CONSTRAINT", "CONTAINS", "CONTAINSTABLE", "CONTINUE", "CONVERT",
    "CREATE", "CROSS", "CURRENT", "CURRENT_DATE", "CURRENT_TIME", "CURRENT_TIMESTAMP", "CURRENT_USER", "CURSOR",
    "DATABASE", "DBCC", "DEALLOCATE", "DECLARE", "DEFAULT", "DELETE", "DENY", "DESC", "DISK", "DISTINCT",
    "DISTRIBUTED", "DOUBLE", "DROP", "DUMP", "ELSE", "END", "ERRLVL", "ESCAPE", "EXCEPT", "EXEC", "EXECUTE",
    "EXISTS", "EXIT", "EXTERNAL", "FETCH", "FILE", "FILLFACTOR", "FOR", "FOREIGN", "FREETEXT", "FREETEXTTABLE",
    "FROM", "FULL", "FUNCTION", "GOTO", "GRANT", "GROUP", "HAVING", "HOLDLOCK", "IDENTITY", "IDENTITYCOL",
    "IDENTITY_INSERT", "IF", "IN", "INDEX", "INNER", "INSERT", "INTERSECT", "INTO", "IS", "JOIN", "KEY", "KILL",
    "LEFT", "LIKE", "LINENO", "LOAD", "MERGE", "NATIONAL", "NOCHECK", "NONCLUSTERED", "NOT", "NULL", "NULLIF",
    "OF", "OFF", "OFFSETS", "ON", "OPEN", "OPENDATASOURCE", "OPENQUERY", "OPENROWSET", "OPENXML", "OPTION", "OR",
    "ORDER", "OUTER", "OVER", "PERCENT", "PIVOT", "PLAN", "PRECISION", "PRIMARY", "PRINT", "PROC", "PROCEDURE",
    "PUBLIC", "RAISERROR", "READ", "READTEXT", "RECONFIGURE", "REFERENCES", "REPLICATION", "RESTORE", "RESTRICT",
    "RETURN", "REVERT", "REVOKE", "RIGHT", "ROLLBACK", "ROWCOUNT", "ROWGUIDCOL", "RULE", "SAVE", "SCHEMA",
    "SECURITYAUDIT", "SELECT", "SEMANTICKEYPHRASETABLE", "SEMANTICSIMILARITYDETAILSTABLE",
    "SEMANTICSIMILARITYTABLE", "SESSION_USER", "SET", "SETUSER", "SHUTDOWN", "SOME", "STATISTICS", "SYSTEM_USER",
    "TABLE", "TABLESAMPLE", "TEXTSIZE", "THEN", "TO", "TOP", "TRAN", "TRANSACTION", "TRIGGER", "TRUNCATE",
    "TRY_CONVERT", "TSEQUAL", "UNION", "UNIQUE", "UNPIVOT", "UPDATE", "UPDATETEXT", "USE", "USER", "VALUES",
    "VARYING", "VIEW", "WAITFOR", "WHEN", "WHERE", "WHILE", "WITH", "WITHIN", "WRITETEXT",
};


bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Letters, and every byte of a multi-byte UTF-8 character (accented letters in names).
bool isNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '@' || c == '#' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool isNamePart(char c) { return isNameStart(c) || isDigit(c) || c == '$'; }

class Lexer {
 public:
  explicit Lexer(std::string_view batch) : m_text(batch) {}

  std::vector<Token> run() {
    std::vector<Token> tokens;
    tokens.reserve(m_text.size() / 4 + 2);
    for (;;) {
      skipBlanksAndComments();
      if (m_failed) break;
      if (m_at >= m_text.size()) break;
      Token token = next();
      bool invalid = token.kind == TokenKind::Invalid;
      tokens.push_back(std::move(token));
      if (invalid) break;
    }
    if (m_failed) tokens.push_back(std::move(m_failure));
    Token end;
    end.kind = TokenKind::End;
    end.offset = m_text.size();
    end.pos = m_pos;
    tokens.push_back(std::move(end));
    return tokens;
  }

 private:
  char at(size_t i) const { return i < m_text.size() ? m_text[i] : '\0'; }

  // Moves over one byte, keeping line and column: CR LF, a lone CR and a lone LF each end a line.
  void step() {
    char c = m_text[m_at];
    ++m_at;
    if (c == '\r') {
      if (at(m_at) != '\n') newLine();
    } else if (c == '\n') {
      newLine();
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++m_pos.column;
    }
  }
  void newLine() {
    ++m_pos.line;
    m_pos.column = 1;
  }
  void stepTo(size_t end) {
    while (m_at < end) step();
  }

  void skipBlanksAndComments() {
    while (m_at < m_text.size()) {
      char c = m_text[m_at];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
        step();
      } else if (c == '-' && at(m_at + 1) == '-') {
        while (m_at < m_text.size() && m_text[m_at] != '\r' && m_text[m_at] != '\n') step();
      } else if (c == '/' && at(m_at + 1) == '*') {
        skipBlockComment();
        if (m_failed) return;
      } else {
        return;
      }
    }
  }

  // Block comments nest in T-SQL.
  void skipBlockComment() {
    size_t start = m_at;
    SourcePos startPos = m_pos;
    int depth = 0;
    while (m_at < m_text.size()) {
      if (m_text[m_at] == '/' && at(m_at + 1) == '*') {
        ++depth;
        step();
        step();
      } else if (m_text[m_at] == '*' && at(m_at + 1) == '/') {
        step();
        step();
        if (--depth == 0) return;
      } else {
        step();
      }
    }
    fail(start, startPos, "Missing end comment mark '*/'.", 113);
  }

  void fail(size_t start, SourcePos pos, std::string message, long code) {
    m_failure.kind = TokenKind::Invalid;
    m_failure.text = m_text.substr(start, std::min<size_t>(m_at - start, 40));
    m_failure.value = std::move(message);
    m_failure.offset = start;
    m_failure.pos = pos;
    m_failure.errorCode = code;
    m_failed = true;
  }

  Token make(TokenKind kind, size_t start, SourcePos pos) {
    Token token;
    token.kind = kind;
    token.text = m_text.substr(start, m_at - start);
    token.offset = start;
    token.pos = pos;
    return token;
  }

  Token next() {
    size_t start = m_at;
    SourcePos pos = m_pos;
    char c = m_text[m_at];
    if ((c == 'N' || c == 'n') && at(m_at + 1) == '\'') {
      step();
      return quoted(start, pos, '\'', TokenKind::String);
    }
    if (c == '\'') return quoted(start, pos, '\'', TokenKind::String);
    if (c == '[') return quoted(start, pos, ']', TokenKind::QuotedName);
    if (c == '"') return quoted(start, pos, '"', TokenKind::QuotedName);
    if (isDigit(c) || (c == '.' && isDigit(at(m_at + 1)))) return number(start, pos);
    if (isNameStart(c)) return word(start, pos);
    return symbol(start, pos);
  }

  // A string or delimited name up to its closing character; a doubled one stands for itself.
  Token quoted(size_t start, SourcePos pos, char close, TokenKind kind) {
    step();  // the opening character
    std::string value;
    for (;;) {
      if (m_at >= m_text.size()) {
        Token bad = make(TokenKind::Invalid, start, pos);
        bad.text = m_text.substr(start, std::min<size_t>(m_text.size() - start, 40));
        if (kind == TokenKind::String) {
          bad.value = "Unclosed quotation mark after the character string '" + value + "'.";
          bad.errorCode = 105;
        } else {
          bad.value = "Unclosed quotation mark before the character string '" + value + "'.";
          bad.errorCode = 105;
        }
        return bad;
      }
      char c = m_text[m_at];
      if (c == close) {
        if (at(m_at + 1) == close) {  // doubled: an escaped quote or bracket
          value += close;
          step();
          step();
          continue;
        }
        step();
        break;
      }
      value += c;
      step();
    }
    Token token = make(kind, start, pos);
    if (kind == TokenKind::QuotedName && value.empty()) {
      token.kind = TokenKind::Invalid;
      token.value = std::string(kEmptyNameMessage);
      token.errorCode = 1038;
      return token;
    }
    token.value = std::move(value);
    return token;
  }

  Token number(size_t start, SourcePos pos) {
    if (m_text[m_at] == '0' && (at(m_at + 1) == 'x' || at(m_at + 1) == 'X')) {
      size_t end = m_at + 2;
      while (end < m_text.size() && std::isxdigit(static_cast<unsigned char>(m_text[end]))) ++end;
      stepTo(end);
      Token bad = make(TokenKind::Invalid, start, pos);
      bad.value = "Not supported by the embedded database: binary literal.";
      bad.errorCode = 0;
      return bad;
    }
    size_t end = m_at;
    while (isDigit(at(end))) ++end;
    if (at(end) == '.') {
      ++end;
      while (isDigit(at(end))) ++end;
    }
    // An exponent only when digits follow: "1E3" is a number, "1END" is 1 then END.
    if (at(end) == 'E' || at(end) == 'e') {
      size_t e = end + 1;
      if (at(e) == '+' || at(e) == '-') ++e;
      if (isDigit(at(e))) {
        while (isDigit(at(e))) ++e;
        end = e;
      }
    }
    stepTo(end);
    return make(TokenKind::Number, start, pos);
  }

  Token word(size_t start, SourcePos pos) {
    size_t end = m_at + 1;
    bool temp = m_text[m_at] == '#';
    while (end < m_text.size() && isNamePart(m_text[end])) {
      if (m_text[end] == '#' && !temp && isReservedKeyword(m_text.substr(start, end - start))) break;
      ++end;
    }
    stepTo(end);
    return make(TokenKind::Word, start, pos);
  }

  Token symbol(size_t start, SourcePos pos) {
    static constexpr std::array<std::string_view, 6> kTwo = {"<>", "!=", "!<", "!>", "<=", ">="};
    std::string_view rest = m_text.substr(m_at);
    for (std::string_view two : kTwo) {
      if (rest.substr(0, 2) == two) {
        stepTo(m_at + 2);
        return make(TokenKind::Symbol, start, pos);
      }
    }
    static constexpr std::string_view kOne = "(),.;=<>+-*/%&|^~";
    if (kOne.find(rest[0]) != std::string_view::npos) {
      step();
      return make(TokenKind::Symbol, start, pos);
    }
    // A stray character: take the whole UTF-8 sequence for the message.
    size_t end = m_at + 1;
    while (end < m_text.size() && (static_cast<unsigned char>(m_text[end]) & 0xC0) == 0x80) ++end;
    stepTo(end);
    Token bad = make(TokenKind::Invalid, start, pos);
    bad.value = "Incorrect syntax near '" + std::string(bad.text) + "'.";
    bad.errorCode = 102;
    return bad;
  }

  std::string_view m_text;
  size_t m_at = 0;
  SourcePos m_pos;
  bool m_failed = false;
  Token m_failure;
};

}  // namespace

bool Token::is(std::string_view keyword) const { return kind == TokenKind::Word && platform::text::equalsIgnoringCase(text, keyword); }

bool isReservedKeyword(std::string_view word) {
  if (word.size() > 32) return false;
  char buffer[33];
  for (size_t i = 0; i < word.size(); ++i) buffer[i] = platform::text::upperAscii(word[i]);
  std::string_view upper(buffer, word.size());
  return std::binary_search(kReserved.begin(), kReserved.end(), upper);
}

std::vector<Token> tokenize(std::string_view batch) { return Lexer(batch).run(); }

}  // namespace platform::db::tsql
