// CREATE TABLE, CREATE INDEX, CREATE VIEW and DROP. CREATE TABLE takes what the console sends
// (a trailing comma before ")", IDENTITY(1,1), COLLATE DATABASE_DEFAULT, DEFAULT(1)) and the
// keys and unique constraints of our own tables.
#include "platform/db/tsql/errors.h"
#include "platform/db/tsql/parser.h"
#include "platform/db/tsql/rules.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {

StatementNode Parser::parseCreate() {
  advance();
  if (atKeyword("TABLE")) return parseCreateTable();
  if (atKeyword("VIEW")) return parseCreateView();
  if (atKeyword("UNIQUE") || atKeyword("CLUSTERED") || atKeyword("NONCLUSTERED") || atKeyword("INDEX")) {
    return parseCreateIndex();
  }
  if (peek().kind == TokenKind::Word) unsupported("CREATE " + platform::text::upperAscii(peek().text), peek().pos);
  syntaxError("CREATE");
}

StatementNode Parser::parseCreateTable() {
  advance();
  CreateTableStmt create;
  create.table = parseObjectName("CREATE TABLE name");
  expectSymbol("(", "CREATE TABLE");
  for (;;) {
    SourcePos pos = peek().pos;
    if (acceptKeyword("CONSTRAINT")) {
      std::string name = parseName("constraint name");
      create.constraints.push_back(parseTableConstraint(std::move(name), pos));
    } else if (atKeyword("PRIMARY") || atKeyword("UNIQUE")) {
      create.constraints.push_back(parseTableConstraint({}, pos));
    } else if (atKeyword("FOREIGN") || atKeyword("CHECK")) {
      unsupported(platform::text::upperAscii(peek().text) + " constraint", pos);
    } else {
      create.columns.push_back(parseColumnDef());
    }
    if (acceptSymbol(")")) break;
    expectSymbol(",", "CREATE TABLE");
    // SQL Server accepts a comma before the closing parenthesis.
    if (acceptSymbol(")")) break;
  }
  if (create.columns.empty()) syntaxError("CREATE TABLE");
  if (atKeyword("ON") || atKeyword("WITH") || atKeyword("TEXTIMAGE_ON")) {
    unsupported("storage options of CREATE TABLE", peek().pos);
  }
  return create;
}

ColumnDef Parser::parseColumnDef() {
  ColumnDef column;
  column.pos = peek().pos;
  column.name = parseName("column definition");
  if (atKeyword("AS")) unsupported("computed column", peek().pos);
  column.type = parseType();
  for (;;) {
    SourcePos pos = peek().pos;
    if (acceptKeyword("CONSTRAINT")) {
      parseName("constraint name");  // a named DEFAULT, key or unique constraint: the name is not kept
      if (!atKeyword("DEFAULT") && !atKeyword("PRIMARY") && !atKeyword("UNIQUE")) {
        if (peek().kind == TokenKind::Word) unsupported(platform::text::upperAscii(peek().text) + " constraint", peek().pos);
        syntaxError("column constraint");
      }
      continue;
    }
    if (acceptKeyword("NULL")) {
      column.nullable = true;
    } else if (atKeyword("NOT") && atKeyword("NULL", 1)) {
      advance();
      advance();
      column.nullable = false;
    } else if (acceptKeyword("DEFAULT")) {
      column.defaultValue = parseAdditive();
    } else if (acceptKeyword("PRIMARY")) {
      expectKeyword("KEY", "PRIMARY KEY");
      if (!acceptKeyword("CLUSTERED")) acceptKeyword("NONCLUSTERED");
      column.primaryKey = true;
    } else if (acceptKeyword("UNIQUE")) {
      if (!acceptKeyword("CLUSTERED")) acceptKeyword("NONCLUSTERED");
      column.unique = true;
    } else if (acceptKeyword("IDENTITY")) {
      // Only IDENTITY(1,1): it is what an INTEGER PRIMARY KEY numbers like.
      if (acceptSymbol("(")) {
        const Token& seed = peek();
        if (seed.kind != TokenKind::Number) syntaxError("IDENTITY");
        std::string seedText(advance().text);
        expectSymbol(",", "IDENTITY");
        const Token& increment = peek();
        if (increment.kind != TokenKind::Number) syntaxError("IDENTITY");
        std::string incrementText(advance().text);
        expectSymbol(")", "IDENTITY");
        if (seedText != "1" || incrementText != "1") {
          unsupported("IDENTITY(" + seedText + "," + incrementText + ")", pos);
        }
      }
      if (!isNumericType(column.type) || column.type.name == "BIT") {
        raise("Identity column '" + column.name + "' must be of data type int, bigint, smallint, tinyint, or "
              "decimal or numeric with a scale of 0, and constrained to be nonnullable.",
              "IDENTITY", pos, statementText(), 2749);
      }
      column.identity = true;
    } else if (atKeyword("COLLATE")) {
      parseCollation();
      column.collateCi = true;
    } else if (atKeyword("CHECK") || atKeyword("REFERENCES") || atKeyword("FOREIGN") || atKeyword("ROWGUIDCOL")) {
      unsupported(platform::text::upperAscii(peek().text) + " column constraint", pos);
    } else {
      return column;
    }
  }
}

std::string Parser::parseCollation() {
  SourcePos pos = advance().pos;
  std::string name = parseName("collation");
  if (!isCaseInsensitiveCollation(name)) unsupported("collation " + name, pos);
  return name;
}

TableConstraint Parser::parseTableConstraint(std::string name, SourcePos pos) {
  TableConstraint constraint;
  constraint.name = std::move(name);
  constraint.pos = pos;
  if (acceptKeyword("PRIMARY")) {
    expectKeyword("KEY", "PRIMARY KEY");
    constraint.primaryKey = true;
  } else if (!acceptKeyword("UNIQUE")) {
    if (peek().kind == TokenKind::Word) unsupported(platform::text::upperAscii(peek().text) + " constraint", peek().pos);
    syntaxError("table constraint");
  }
  if (!acceptKeyword("CLUSTERED")) acceptKeyword("NONCLUSTERED");
  constraint.columns = parseIndexColumns();
  return constraint;
}

std::vector<std::pair<std::string, bool>> Parser::parseIndexColumns() {
  std::vector<std::pair<std::string, bool>> columns;
  expectSymbol("(", "column list");
  do {
    std::string column = parseName("column list");
    bool descending = acceptKeyword("DESC");
    if (!descending) acceptKeyword("ASC");
    columns.emplace_back(std::move(column), descending);
  } while (acceptSymbol(","));
  expectSymbol(")", "column list");
  return columns;
}

StatementNode Parser::parseCreateIndex() {
  CreateIndexStmt create;
  create.unique = acceptKeyword("UNIQUE");
  if (!acceptKeyword("CLUSTERED")) acceptKeyword("NONCLUSTERED");
  expectKeyword("INDEX", "CREATE INDEX");
  create.name = parseName("index name");
  expectKeyword("ON", "CREATE INDEX");
  create.table = parseObjectName("index table");
  create.pos = peek().pos;
  create.columns = parseIndexColumns();
  if (atKeyword("INCLUDE") || atKeyword("WHERE") || atKeyword("WITH") || atKeyword("ON")) {
    unsupported(platform::text::upperAscii(peek().text) + " clause of CREATE INDEX", peek().pos);
  }
  return create;
}

StatementNode Parser::parseCreateView() {
  advance();
  CreateViewStmt create;
  create.view = parseObjectName("view name");
  if (acceptSymbol("(")) {
    do {
      create.columns.push_back(parseName("view column list"));
    } while (acceptSymbol(","));
    expectSymbol(")", "view column list");
  }
  if (atKeyword("WITH")) unsupported("view options", peek().pos);
  expectKeyword("AS", "CREATE VIEW");
  create.select = parseSelect(false);
  return create;
}

StatementNode Parser::parseDrop() {
  advance();
  DropStmt drop;
  if (acceptKeyword("TABLE")) {
    drop.kind = DropKind::Table;
  } else if (acceptKeyword("VIEW")) {
    drop.kind = DropKind::View;
  } else if (acceptKeyword("INDEX")) {
    drop.kind = DropKind::Index;
  } else {
    if (peek().kind == TokenKind::Word) unsupported("DROP " + platform::text::upperAscii(peek().text), peek().pos);
    syntaxError("DROP");
  }
  if (atKeyword("IF") && atKeyword("EXISTS", 1)) {
    advance();
    advance();
    drop.ifExists = true;
  }
  do {
    if (drop.kind != DropKind::Index) {
      drop.names.push_back(parseObjectName("DROP name"));
      continue;
    }
    // DROP INDEX name ON table, or the older table.name.
    ObjectName index;
    index.pos = peek().pos;
    index.parts.push_back(parseName("index name"));
    while (acceptSymbol(".")) index.parts.push_back(parseName("index name"));
    ObjectName table;
    if (acceptKeyword("ON")) {
      if (index.parts.size() != 1) syntaxError("DROP INDEX");
      table = parseObjectName("index table");
    } else {
      if (index.parts.size() < 2) syntaxError("DROP INDEX");
      table.pos = index.pos;
      table.parts.assign(index.parts.begin(), index.parts.end() - 1);
      index.parts.erase(index.parts.begin(), index.parts.end() - 1);
    }
    drop.names.push_back(std::move(index));
    drop.indexTables.push_back(std::move(table));
  } while (acceptSymbol(","));
  return drop;
}

}  // namespace platform::db::tsql
