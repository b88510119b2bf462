# Helpers shared by every folder's CMakeLists.txt.
#
#   corvane_add_library(<name> SOURCES a.cpp b.cpp DEPS lib1 lib2)
#     One static library per source folder; the include root is src/, so files
#     include each other as "platform/db/money.h".
#
#   corvane_add_test(<name> SOURCES ... DEPS ... [DATABASE])
#     A GoogleTest program with the shared offscreen test main. DATABASE tests run
#     twice under ctest: once on SQLite (label "sqlite") and once on PostgreSQL
#     (label "postgres"); the engine reaches the program as CORVANE_TEST_ENGINE.

# -Wmaybe-uninitialized misfires on copies of std::variant holding QString (GCC 12).
set(CORVANE_WARNINGS -Wall -Wextra -Wpedantic -Wno-unused-parameter -Wno-maybe-uninitialized)

function(corvane_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${CORVANE_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

function(corvane_add_test name)
  cmake_parse_arguments(ARG "DATABASE" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${CORVANE_WARNINGS})
  target_link_libraries(${name} PRIVATE corvane_test_support ${ARG_DEPS} GTest::gtest GTest::gmock)
  set(env "QT_QPA_PLATFORM=offscreen")
  # One variable each: the discovered tests' properties take no list (a second
  # variable after a semicolon would be dropped), and the test main chooses the
  # offscreen platform itself.
  if(ARG_DATABASE)
    gtest_discover_tests(${name} TEST_PREFIX "sqlite:" DISCOVERY_MODE PRE_TEST
      PROPERTIES LABELS sqlite ENVIRONMENT "CORVANE_TEST_ENGINE=sqlite")
    gtest_discover_tests(${name} TEST_PREFIX "postgres:" DISCOVERY_MODE PRE_TEST
      PROPERTIES LABELS postgres ENVIRONMENT "CORVANE_TEST_ENGINE=postgres")
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
      PROPERTIES LABELS unit ENVIRONMENT "${env}")
  endif()
endfunction()

# Adds every listed sub-folder that has a CMakeLists.txt of its own, so folders
# can arrive one at a time without touching their parent.
function(corvane_add_subdirectories)
  foreach(dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
