# One static library per layer: every .cpp of the layer's folder (and its
# sub-folders) belongs to it, so adding a file needs no CMake edit. PCH names
# headers nearly every file of the layer includes: they are parsed once for
# the whole layer, which matters most for Qt's.
function(mss_layer name)
  cmake_parse_arguments(ARG "" "" "DEPS;PCH" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(sources)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(mss_${name} STATIC ${sources})
    target_include_directories(mss_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(mss_${name} PUBLIC ${ARG_DEPS})
    if(ARG_PCH)
      target_precompile_headers(mss_${name} PRIVATE ${ARG_PCH})
    endif()
  else()
    # A layer without sources yet still takes part in the link graph.
    add_library(mss_${name} INTERFACE)
    target_include_directories(mss_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(mss_${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One test executable per layer, each test case its own ctest entry. The test
# framework's headers, and those PCH names, are parsed once per executable.
function(mss_layer_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS;LABELS;PCH" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} GTest::gtest_main GTest::gmock)
  target_compile_definitions(test_${name} PRIVATE MSS_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  target_precompile_headers(test_${name} PRIVATE <gtest/gtest.h> <gmock/gmock.h> ${ARG_PCH})
  gtest_discover_tests(test_${name}
    DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS "${name};${ARG_LABELS}"
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
