// What the enhanced query's registered values mean, and the condition text it makes of the
// values the user set. This is the one place that gives the positional values a meaning.
//
// A field is registered with (1) a standard text, (2) its caption, (3) its column expression,
// (4) a flag, (5) its number, (6) to (11) six flags, and optionally more; a typed field with
// (1) to (5) and (6) its type; the extended attributes with (1) a standard text, (2) a flag,
// (3) a type, (4) the alias of their table, (5) a text. Of these, the condition uses:
//   (3)  the column expression, the only SQL a field puts into the condition;
//   (6)  true: the two values are a range of codes, compared as text: both set, inclusive
//        bounds; one set, equality. False: one text that the column must contain, letter
//        case ignored, every character matched literally (the second value is not used);
//   (8)  true: a yes/no field (S, SI, SÌ, Y, YES, 1 mean yes; N, NO, 0 mean no; blank any),
//        compared as a number with NULL read as 0; the second value is not used;
//   (21) a value list (an array): the values are whole numbers, a range or one value as in
//        (6), and each must be one of the list;
//   type (6) of a typed field: 6 is a whole number (range or one value as in (6)); any other
//        type is a text code range;
//   (4)  of the extended attributes: the alias under which the statement joins the host's
//        attribute table (attribute_catalog.h). Each column the table declares is an
//        attribute, set by its name: a text attribute takes a range or one value of texts as
//        in (6) true, or a text it contains as in (6) false; a number attribute takes a range
//        or one value of numbers (a sign, digits, one decimal point or comma). The condition
//        reads ALIAS.COLUMN, so an item without a row in the table matches no condition on
//        an attribute.
// The others ((1), (4) and (5) of a field, (7), (9) to (20), and the other values of the
// extended attributes) are kept as given and take no part in the condition. A value that cannot be what its field
// compares (a word where a number is due, a number not in the list) selects nothing; it never
// fails the statement. Every text goes in through db::quoteLiteral().
#pragma once

#include <string>
#include <vector>

namespace platform::controls {

struct QueryField;

//! Whether the field's condition reads its second value: false for a "contains" text and a
//! yes/no field.
bool usesSecondValue(const QueryField& field);

//! The condition of the values set: empty when none is set, otherwise "AND ..." with one
//! AND before each field's condition, in registration order.
std::string conditionText(const std::vector<QueryField>& fields);

}  // namespace platform::controls
