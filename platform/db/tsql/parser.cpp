// Parser infrastructure and the statement level: where one statement ends and the next begins,
// the statements we do not take, and the drop template "IF OBJECT_ID(...) IS NOT NULL DROP".
#include <array>

#include "platform/db/tsql/errors.h"
#include "platform/db/tsql/entity_anti_join.h"
#include "platform/db/tsql/lookup_index.h"
#include "platform/db/tsql/packed_verdicts.h"
#include "platform/db/tsql/parser.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {

Parser::Parser(std::string_view batch) : m_batch(batch), m_tokens(tokenize(batch)) {}

const Token& Parser::peek(size_t ahead) const {
  size_t index = std::min(m_at + ahead, m_tokens.size() - 1);
  const Token& token = m_tokens[index];
  if (token.kind == TokenKind::Invalid) {
    // What the lexer could not read is reported once the parser reaches it, within its statement.
    std::string construct = token.errorCode == kEmptyName ? std::string(token.text) : "token";
    raise(token.value, construct, token.pos, m_batch.substr(m_tokens[m_statementStart].offset,
                                                           token.offset + token.text.size() -
                                                               m_tokens[m_statementStart].offset),
          token.errorCode);
  }
  return token;
}

const Token& Parser::advance() {
  const Token& token = peek();
  if (m_at < m_tokens.size() - 1) ++m_at;
  return token;
}

bool Parser::acceptKeyword(std::string_view keyword) {
  if (!atKeyword(keyword)) return false;
  advance();
  return true;
}

bool Parser::acceptSymbol(std::string_view symbol) {
  if (!atSymbol(symbol)) return false;
  advance();
  return true;
}

const Token& Parser::expectKeyword(std::string_view keyword, std::string_view construct) {
  if (!atKeyword(keyword)) syntaxError(construct);
  return advance();
}

const Token& Parser::expectSymbol(std::string_view symbol, std::string_view construct) {
  if (!atSymbol(symbol)) syntaxError(construct);
  return advance();
}

std::string_view Parser::statementText() const {
  size_t start = m_tokens[m_statementStart].offset;
  const Token& current = m_tokens[std::min(m_at, m_tokens.size() - 1)];
  size_t end = current.offset + current.text.size();
  return m_batch.substr(start, end > start ? end - start : 0);
}

void Parser::syntaxError(std::string_view construct) const {
  raiseSyntax(m_tokens[std::min(m_at, m_tokens.size() - 1)], std::string(construct), statementText());
}

void Parser::unsupported(std::string construct, SourcePos pos) const {
  raiseUnsupported(std::move(construct), pos, statementText());
}

void Parser::emptyName(SourcePos pos) const { raise(kEmptyNameMessage, "empty name", pos, statementText(), kEmptyName); }

bool Parser::atName(size_t ahead) const {
  const Token& token = peek(ahead);
  if (token.kind == TokenKind::QuotedName) return true;
  return token.kind == TokenKind::Word && !isReservedKeyword(token.text);
}

std::string Parser::parseName(std::string_view construct) {
  const Token& token = peek();
  if (token.kind == TokenKind::Word && !token.text.empty() && token.text[0] == '@') {
    unsupported("variable " + std::string(token.text), token.pos);
  }
  if (!atName()) syntaxError(construct);
  return std::string(advance().name());
}

ObjectName Parser::parseObjectName(std::string_view construct) {
  ObjectName name;
  name.pos = peek().pos;
  name.parts.push_back(parseName(construct));
  while (atSymbol(".") && name.parts.size() < 4) {
    advance();
    name.parts.push_back(parseName(construct));
  }
  if (name.parts.size() > 2 || (name.parts.size() == 2 && !platform::text::equalsIgnoringCase(name.parts[0], "dbo"))) {
    unsupported("object name " + name.parts[0] + "." + name.parts[1] + (name.parts.size() > 2 ? "..." : ""),
                name.pos);
  }
  return name;
}

std::vector<ParsedNode> Parser::parseBatch() {
  std::vector<ParsedNode> statements;
  while (peek().kind != TokenKind::End) {
    if (acceptSymbol(";")) continue;
    m_statementStart = m_at;
    bool needsCatalog = false;
    StatementNode node = parseStatement(needsCatalog);
    needsCatalog = needsCatalog || namesTemporaryTable(node);
    ParsedNode parsed{std::move(node), {}, needsCatalog};
    const Token& first = m_tokens[m_statementStart];
    const Token& last = m_tokens[m_at - 1];
    parsed.text = m_batch.substr(first.offset, last.offset + last.text.size() - first.offset);
    statements.push_back(std::move(parsed));
  }
  return statements;
}

StatementNode Parser::parseStatement(bool& needsCatalog) {
  const Token& token = peek();
  if (token.is("SELECT")) {
    SelectStmt statement{parseSelect(true)};
    needsCatalog = statement.select.specs.front().into.has_value() || mayLookUpWorkingTable(statement.select);
    return statement;
  }
  if (token.is("INSERT")) return parseInsert();
  if (token.is("UPDATE")) {
    StatementNode statement = parseUpdate();
    needsCatalog = mayAntiJoin(std::get<UpdateStmt>(statement));
    return statement;
  }
  if (token.is("DELETE")) return parseDelete();
  if (token.is("CREATE")) return parseCreate();
  if (token.is("DROP")) return parseDrop();
  if (token.is("IF")) return parseIf();
  // Statements SQL Server has and this backend does not run: say so by name.
  static constexpr std::array<std::string_view, 23> kKnown = {
      "ALTER", "BEGIN",  "BREAK", "COMMIT",  "CONTINUE", "DECLARE", "DENY",     "EXEC",
      "EXECUTE", "GOTO", "GRANT", "MERGE",   "PRINT",    "RAISERROR", "RETURN", "REVOKE",
      "ROLLBACK", "SAVE", "SET",  "TRUNCATE", "USE",     "WAITFOR", "WHILE"};
  for (std::string_view keyword : kKnown) {
    if (token.is(keyword)) unsupported(platform::text::upperAscii(keyword) + " statement", token.pos);
  }
  if (token.is("WITH")) unsupported("common table expression (WITH)", token.pos);
  syntaxError("statement");
}

// Only the drop template is taken: IF OBJECT_ID('TEMPDB.DBO.x') IS NOT NULL DROP TABLE x, and
// the same test on a permanent table. Both become DROP ... IF EXISTS.
StatementNode Parser::parseIf() {
  SourcePos ifPos = advance().pos;
  auto notTemplate = [&]() { unsupported("IF statement other than IF OBJECT_ID(...) IS NOT NULL DROP", ifPos); };
  if (!atKeyword("OBJECT_ID") || !atSymbol("(", 1)) notTemplate();
  advance();
  advance();
  if (peek().kind != TokenKind::String) notTemplate();
  std::string objectText = advance().value;
  if (acceptSymbol(",")) {
    if (peek().kind != TokenKind::String) notTemplate();
    advance();
  }
  expectSymbol(")", "OBJECT_ID");
  if (!acceptKeyword("IS") || !acceptKeyword("NOT") || !acceptKeyword("NULL")) notTemplate();
  if (!atKeyword("DROP")) notTemplate();
  SourcePos dropPos = peek().pos;
  StatementNode dropNode = parseDrop();
  auto& drop = std::get<DropStmt>(dropNode);
  if (drop.kind == DropKind::Index || drop.names.size() != 1) notTemplate();

  // 'TEMPDB.DBO.##x', 'tempdb..#x', 'dbo.x' or 'x': the last part must name the dropped object.
  std::vector<std::string> parts(1);
  for (char c : objectText) {
    if (c == '.') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  for (std::string& part : parts) {
    if (part.size() >= 2 && part.front() == '[' && part.back() == ']') part = part.substr(1, part.size() - 2);
  }
  const ObjectName& dropped = drop.names.front();
  bool inTempdb = parts.size() == 3 && platform::text::equalsIgnoringCase(parts[0], "TEMPDB");
  bool sameName = platform::text::equalsIgnoringCase(parts.back(), dropped.name());
  bool valid = sameName && (inTempdb ? dropped.isTemp()
                                     : parts.size() <= 2 && !dropped.isTemp() &&
                                           (parts.size() == 1 || platform::text::equalsIgnoringCase(parts[0], "dbo")));
  if (!valid) unsupported("IF OBJECT_ID on a name other than the dropped one", dropPos);
  drop.ifExists = true;
  return dropNode;
}

}  // namespace platform::db::tsql
