// INSERT, UPDATE and DELETE, including SQL Server's UPDATE ... FROM and DELETE ... FROM.
#include "platform/db/tsql/errors.h"
#include "platform/db/tsql/parser.h"

namespace platform::db::tsql {

StatementNode Parser::parseInsert() {
  advance();
  InsertStmt insert;
  acceptKeyword("INTO");
  insert.table = parseObjectName("INSERT table");
  skipTableHints();
  if (atSymbol("(") && !atKeyword("SELECT", 1)) {
    advance();
    do {
      insert.columns.push_back(parseName("INSERT column list"));
    } while (acceptSymbol(","));
    expectSymbol(")", "INSERT column list");
  }
  if (atKeyword("OUTPUT")) unsupported("OUTPUT clause", peek().pos);
  if (acceptKeyword("VALUES")) {
    do {
      expectSymbol("(", "VALUES");
      std::vector<ExprPtr> row;
      do {
        row.push_back(parseExpr());
      } while (acceptSymbol(","));
      expectSymbol(")", "VALUES");
      insert.rows.push_back(std::move(row));
    } while (acceptSymbol(","));
  } else if (atKeyword("SELECT")) {
    insert.select = std::make_unique<Select>(parseSelect(false));
  } else if (atKeyword("DEFAULT") && atKeyword("VALUES", 1)) {
    advance();
    advance();
    insert.defaultValues = true;
  } else if (atKeyword("EXEC") || atKeyword("EXECUTE")) {
    unsupported("INSERT ... EXEC", peek().pos);
  } else {
    syntaxError("INSERT");
  }
  return insert;
}

StatementNode Parser::parseUpdate() {
  advance();
  UpdateStmt update;
  if (atKeyword("TOP")) unsupported("UPDATE TOP", peek().pos);
  update.target = parseObjectName("UPDATE table");
  skipTableHints();
  expectKeyword("SET", "UPDATE");
  do {
    Assignment assignment;
    assignment.pos = peek().pos;
    assignment.column = parseName("SET column");
    if (acceptSymbol(".")) assignment.column = parseName("SET column");  // target.column
    if (!atSymbol("=")) {
      if (atSymbol("+") || atSymbol("-") || atSymbol("*") || atSymbol("/")) {
        unsupported("compound assignment " + std::string(peek().text) + "=", peek().pos);
      }
      syntaxError("SET");
    }
    advance();
    assignment.value = parseExpr();
    update.sets.push_back(std::move(assignment));
  } while (acceptSymbol(","));
  if (atKeyword("OUTPUT")) unsupported("OUTPUT clause", peek().pos);
  if (acceptKeyword("FROM")) update.from = parseFrom();
  if (acceptKeyword("WHERE")) {
    if (atKeyword("CURRENT") && atKeyword("OF", 1)) unsupported("WHERE CURRENT OF", peek().pos);
    update.where = parseExpr();
  }
  if (atKeyword("OPTION")) unsupported("query hint (OPTION)", peek().pos);
  return update;
}

StatementNode Parser::parseDelete() {
  advance();
  DeleteStmt del;
  if (atKeyword("TOP")) unsupported("DELETE TOP", peek().pos);
  acceptKeyword("FROM");
  del.target = parseObjectName("DELETE table");
  skipTableHints();
  if (atKeyword("OUTPUT")) unsupported("OUTPUT clause", peek().pos);
  if (acceptKeyword("FROM")) del.from = parseFrom();
  if (acceptKeyword("WHERE")) {
    if (atKeyword("CURRENT") && atKeyword("OF", 1)) unsupported("WHERE CURRENT OF", peek().pos);
    del.where = parseExpr();
  }
  if (atKeyword("OPTION")) unsupported("query hint (OPTION)", peek().pos);
  return del;
}

}  // namespace platform::db::tsql
