# qd_add_test(NAME name SOURCES ... LIBS ... [GMOCK] [ENVIRONMENT VAR=value...])
# One test program; each GoogleTest case becomes a CTest test. GMOCK links
# GoogleMock for a program that uses it. Tests know the
# source and program folders through compile definitions. Window tests choose
# the offscreen platform themselves (tests/support/gui_test.h) so they need no display.
function(qd_add_test)
  cmake_parse_arguments(T "GMOCK" "NAME" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} qd_test_support GTest::gtest GTest::gtest_main qd_warnings)
  if(T_GMOCK)
    target_link_libraries(${T_NAME} PRIVATE GTest::gmock)
  endif()
  target_compile_definitions(${T_NAME} PRIVATE
    QUIZDECK_SOURCE_DIR="${PROJECT_SOURCE_DIR}" QUIZDECK_STAGE_DIR="${QUIZDECK_STAGE_DIR}")
  set(properties TIMEOUT 300)
  if(T_ENVIRONMENT)
    list(APPEND properties ENVIRONMENT "${T_ENVIRONMENT}")
  endif()
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()

# qd_stage_program(target): the program is written straight into the program
# folder, which packaging/ installs whole.
function(qd_stage_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUIZDECK_STAGE_DIR})
endfunction()

# qd_add_folders(name...): adds the named sub-folders of the current folder.
function(qd_add_folders)
  foreach(dir ${ARGN})
    add_subdirectory(${dir})
  endforeach()
endfunction()
