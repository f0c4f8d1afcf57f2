# Precompiles headers that nearly every file of a target includes, so that
# they are parsed once for the target (Qt's cost seconds a file). With clang
# only, which the test command uses: gcc 12 then reports false -Warray-bounds
# in std::string code.
function(mss_precompile target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_precompile_headers(${target} PRIVATE ${ARGN})
  endif()
endfunction()

# One static library per layer: every .cpp of the layer's folder (and its
# sub-folders) belongs to it, so adding a file needs no CMake edit. PCH names
# headers to precompile for the layer; EXCLUDE names sub-folders that build a
# library of their own.
function(mss_layer name)
  cmake_parse_arguments(ARG "" "" "DEPS;PCH;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(sources)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    foreach(folder ${ARG_EXCLUDE})
      list(FILTER sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${folder}/")
    endforeach()
    add_library(mss_${name} STATIC ${sources})
    target_include_directories(mss_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(mss_${name} PUBLIC ${ARG_DEPS})
    if(ARG_PCH)
      mss_precompile(mss_${name} ${ARG_PCH})
    endif()
  else()
    # A layer without sources yet still takes part in the link graph.
    add_library(mss_${name} INTERFACE)
    target_include_directories(mss_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(mss_${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One test executable per layer, each test case its own ctest entry. The test
# framework's headers, and those PCH names, are precompiled. EXCLUDE names
# sub-folders that build a test executable of their own. PICTURES: the tests
# take the user guide's pictures of the windows (see cmake/Guide.cmake).
function(mss_layer_tests name)
  cmake_parse_arguments(ARG "PICTURES" "" "DEPS;LABELS;PCH;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(folder ${ARG_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${folder}/")
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} GTest::gtest_main GTest::gmock)
  target_compile_definitions(test_${name} PRIVATE MSS_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  mss_precompile(test_${name} <gtest/gtest.h> <gmock/gmock.h> ${ARG_PCH})
  set(pictures)
  if(ARG_PICTURES)
    # A property of its own: a list in ENVIRONMENT would not survive the
    # discovery of the tests.
    set(pictures ENVIRONMENT_MODIFICATION "MSS_SCREENSHOT_DIR=set:${MSS_GUIDE_PICTURES_DIR}"
                 FIXTURES_SETUP GuidePictures)
  endif()
  gtest_discover_tests(test_${name}
    DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS "${name};${ARG_LABELS}"
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               ${pictures})
endfunction()
