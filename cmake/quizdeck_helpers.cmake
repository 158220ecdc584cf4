# qd_add_test(NAME name SOURCES ... LIBS ...)
# One test program; each GoogleTest case becomes a CTest test. Tests know the
# source and program folders through compile definitions. Window tests choose
# the offscreen platform themselves (tests/support/gui_test.h) so they need no display.
function(qd_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} qd_test_support GTest::gtest GTest::gmock GTest::gtest_main qd_warnings)
  target_compile_definitions(${T_NAME} PRIVATE
    QUIZDECK_SOURCE_DIR="${PROJECT_SOURCE_DIR}" QUIZDECK_STAGE_DIR="${QUIZDECK_STAGE_DIR}")
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

# qd_stage_program(target): the program is written straight into the program folder.
function(qd_stage_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUIZDECK_STAGE_DIR})
  install(TARGETS ${target} RUNTIME DESTINATION .)
endfunction()

# qd_add_subfolders([EXCEPT name...]): adds every sub-folder of the current
# folder that has a CMakeLists.txt, in name order.
function(qd_add_subfolders)
  cmake_parse_arguments(S "" "" "EXCEPT" ${ARGN})
  file(GLOB sub_dirs LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT sub_dirs)
  foreach(dir ${sub_dirs})
    if(NOT dir IN_LIST S_EXCEPT AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
