// The recursive-descent parser: a batch's tokens into statements. A statement ends where the
// next token cannot continue it, as SQL Server reads a batch; ";" is optional.
#pragma once

#include <string_view>
#include <vector>

#include "platform/db/tsql/ast.h"
#include "platform/db/tsql/token.h"

namespace platform::db::tsql {

struct ParsedNode {
  StatementNode node;
  std::string_view text;  // the statement as it stands in the batch
  bool needsCatalog = false;
};

class Parser {
 public:
  explicit Parser(std::string_view batch);

  //! All statements of the batch. Throws TranslationError at the first error.
  std::vector<ParsedNode> parseBatch();

 private:
  // Token access (parser.cpp).
  const Token& peek(size_t ahead = 0) const;
  const Token& advance();
  bool atKeyword(std::string_view keyword, size_t ahead = 0) const { return peek(ahead).is(keyword); }
  bool atSymbol(std::string_view symbol, size_t ahead = 0) const { return peek(ahead).isSymbol(symbol); }
  bool acceptKeyword(std::string_view keyword);
  bool acceptSymbol(std::string_view symbol);
  const Token& expectKeyword(std::string_view keyword, std::string_view construct);
  const Token& expectSymbol(std::string_view symbol, std::string_view construct);
  [[noreturn]] void syntaxError(std::string_view construct) const;
  [[noreturn]] void unsupported(std::string construct, SourcePos pos) const;
  [[noreturn]] void emptyName(SourcePos pos) const;
  std::string_view statementText() const;

  //! One level of the parser's own recursion, for as long as it lives: past kMaxNesting the
  //! statement is refused (191) before the stack can run out.
  class Nesting {
   public:
    explicit Nesting(Parser& parser);
    ~Nesting() { --m_parser.m_depth; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

   private:
    Parser& m_parser;
  };
  //! Sets a finished node's height from its children and subquery; past kMaxNesting the
  //! statement is refused (191), so that every walk of the tree stays inside the stack.
  ExprPtr measured(ExprPtr expr) const;
  //! Sets a finished query's height from its expressions and derived tables.
  void measure(Select& select) const;
  ExprPtr binary(std::string op, ExprPtr left, ExprPtr right, SourcePos pos) const;
  //! "a AND b AND c" as one node with an argument per operand.
  ExprPtr chain(std::string_view keyword, ExprPtr (Parser::*operand)());

  //! A name: a regular identifier that is not a reserved keyword, or a delimited one.
  bool atName(size_t ahead = 0) const;
  std::string parseName(std::string_view construct);
  ObjectName parseObjectName(std::string_view construct);

  // Statements (parser.cpp, parser_dml.cpp, parser_ddl.cpp).
  StatementNode parseStatement(bool& needsCatalog);
  StatementNode parseIf();
  StatementNode parseInsert();
  StatementNode parseUpdate();
  StatementNode parseDelete();
  StatementNode parseCreate();
  StatementNode parseCreateTable();
  StatementNode parseCreateIndex();
  StatementNode parseCreateView();
  StatementNode parseDrop();
  ColumnDef parseColumnDef();
  TableConstraint parseTableConstraint(std::string name, SourcePos pos);
  std::vector<std::pair<std::string, bool>> parseIndexColumns();
  TypeName parseType();
  std::string parseCollation();

  // Queries (parser_select.cpp).
  Select parseSelect(bool allowInto);
  QuerySpec parseQuerySpec(bool allowInto);
  SelectItem parseSelectItem();
  std::vector<TableRef> parseFrom();
  TableRef parseTableFactor(JoinKind join);
  void skipTableHints();
  std::string parseAlias();

  // Expressions (parser_expr.cpp).
  ExprPtr parseExpr();
  ExprPtr parseAnd();
  ExprPtr parseNot();
  ExprPtr parsePredicate();
  ExprPtr parseAdditive();
  ExprPtr parseMultiplicative();
  ExprPtr parseUnary();
  ExprPtr parsePrimary();
  ExprPtr parseFunction();
  ExprPtr parseCast();
  ExprPtr parseConvert();
  ExprPtr parseCase();
  ExprPtr parseNameExpr();
  std::unique_ptr<Select> parseSubquery();

  std::string_view m_batch;
  std::vector<Token> m_tokens;
  size_t m_at = 0;
  size_t m_statementStart = 0;  // token index where the current statement begins
  int m_depth = 0;  // live Nesting levels
};

}  // namespace platform::db::tsql
