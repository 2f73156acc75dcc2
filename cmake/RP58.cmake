# rp58_library(NAME DIR [QT] [EXCLUDE file ...] [LIBS ...])
# One static library per layer, built from every source file of its folder
# (less the EXCLUDE files or folders, named relative to DIR, such as a
# program's main or a subfolder that is a library of its own).
# The LIBS list is the layer's whole dependency list: what is not named here
# cannot be included, which is how the model stays free of Qt.
function(rp58_library name dir)
  cmake_parse_arguments(ARG "QT" "" "LIBS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  get_filename_component(absdir ${dir} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(ex ${ARG_EXCLUDE})
    list(REMOVE_ITEM srcs ${absdir}/${ex})
    list(FILTER srcs EXCLUDE REGEX "^${absdir}/${ex}/")
  endforeach()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  if(NOT ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  endif()
endfunction()

# rp58_test_suite(NAME DIR [QT] [LIBS ...])
# One test executable per test folder (every *_test.cpp in it), each test
# registered with CTest. QT suites run on the offscreen platform.
function(rp58_test_suite name dir)
  cmake_parse_arguments(ARG "QT" "" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*_test.cpp)
  add_executable(${name} ${srcs})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE rp58_testsupport ${ARG_LIBS})
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE rp58_testsupport_qt)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  endif()
  # Tests may load the default data files the build lays beside the program.
  add_dependencies(${name} rp58_default_files)
  # Where the tests find the sources and the program folder the build laid out.
  target_compile_definitions(${name} PRIVATE
    RP58_SOURCE_DIR="${PROJECT_SOURCE_DIR}" RP58_PROGRAM_DIR="${RP58_PROGRAM_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
