# Build settings shared by every target of the project.

# Warnings are errors on our own code.
function(passaggio_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  # g++ 12 reports -Wrestrict on std::string concatenation inlined at -O3 where no overlap
  # can happen (GCC bug 105329); the warning says nothing about our code there.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(PASSAGGIO_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    # The sanitizers' instrumentation confuses g++'s flow analysis: it reports
    # -Wmaybe-uninitialized inside the standard library (std::regex, std::function) where
    # nothing is uninitialized. The optimised build keeps the warning.
    target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
  endif()
endfunction()

# A library of ours: one per folder. Shared, so that the host programs and the module they
# load at run time use one copy of the platform (one trace sequence, one set of type info).
function(passaggio_library target)
  add_library(${target} SHARED ${ARGN})
  passaggio_target(${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# A GoogleTest executable registered with CTest.
function(passaggio_test target)
  add_executable(${target} ${ARGN})
  passaggio_target(${target})
  target_link_libraries(${target} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${target} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} DISCOVERY_TIMEOUT 60)
endfunction()

# Registers a GoogleTest executable a second time, its tests named "<test>.passes_off", with
# every translation pass off: a pass must change no row, count or result the suite checks.
function(passaggio_test_without_passes target)
  gtest_discover_tests(${target} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} DISCOVERY_TIMEOUT 60 TEST_SUFFIX .passes_off
                       PROPERTIES ENVIRONMENT PASSAGGIO_PASSES_OFF=all)
endfunction()
