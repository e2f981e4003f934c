# The designs of the console's forms: data only, built on the control models.
passaggio_library(passaggio_designs
  ${CMAKE_CURRENT_LIST_DIR}/form_designs.cpp
)
target_link_libraries(passaggio_designs PUBLIC passaggio_controls)
