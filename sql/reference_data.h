// Content the demo database and the generated ones share: item states, the twelve managed
// entities, the field catalogue and the grid-key format of configuration rows.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "sql/row_sink.h"

namespace sql {

struct ItemState {
  int code;
  const char* description;
};
//! 10 Bozza ... 50 Obsoleto, ascending.
std::span<const ItemState> itemStates();

struct ManagedEntity {
  const char* code;
  const char* description;
};
//! The twelve entities in the order the console seeds them.
std::span<const ManagedEntity> managedEntities();

struct CatalogueTable {
  const char* table;    // MG0N_TABLE
  bool isTable;         // MG0N_ISTABLE
  const char* joinSql;  // MG0N_JOIN_SQL, empty for the item master itself
};
struct CatalogueField {
  int table;  // MG0O_TABLE_MG0N: 1-based position in catalogueTables()
  const char* field;
  const char* caption;
  bool numeric;
  bool zeroNotSignificant;  // MG0O_INDVALZERO, the catalogue's default
};
std::span<const CatalogueTable> catalogueTables();
std::span<const CatalogueField> catalogueFields();
//! MG0O_ID of a catalogue field once writeCatalogue has filled an empty catalogue; throws
//! std::out_of_range for a name not in it.
int catalogueFieldId(std::string_view field);

//! Writes the item states.
void writeItemStates(RowSink& sink);
//! Writes the twelve managed-entity rows of a company, those named in `selected` selected.
void writeManagedEntities(RowSink& sink, int company, std::initializer_list<std::string_view> selected);
//! Writes the field catalogue (MG0N, then MG0O) into empty tables.
void writeCatalogue(RowSink& sink);

//! The editors' grid key of a configuration row: "KEY_" and eighteen digits.
std::string gridKey(long long id);

}  // namespace sql
