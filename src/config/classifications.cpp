// Looking classifications up.
#include "src/config/classifications.h"

namespace passaggio {

const Classification* FindClassification(std::string_view entity) {
  for (const Classification& classification : kClassifications) {
    if (entity == classification.entity) return &classification;
  }
  return nullptr;
}

std::span<const Classification> ParentsOf(const Classification& classification) {
  // Family, sub-family and group follow the product type in entity order.
  return std::span<const Classification>(kClassifications).subspan(1, static_cast<std::size_t>(classification.parents));
}

}  // namespace passaggio
