// The statements built from the twelve entities a company can manage: the company itself and
// the eleven classifications.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace passaggio {

//! Width the seeding batch pads its lines to; a longer line is sent whole.
inline constexpr std::size_t kSeedingLineWidth = 120;

//! The batch that inserts, for `company` (spliced bare), every entity row it lacks: one
//! statement of six CR-ended lines per entity, the company first, then the classifications.
std::string SeedingBatch(const std::string& company);

//! Whether any association of any company holds a value in `column`.
std::string AssociationUsingColumnQuery(std::string_view column);

}  // namespace passaggio
