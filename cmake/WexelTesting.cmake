# One helper per kind of test, so every test is registered with CTest the same
# way and has a timeout: a hang fails the run instead of stalling it.

# wexel_gtest(<name> SOURCES <files...> LIBS <libs...> [TIMEOUT <seconds>])
function(wexel_gtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} wexel_test_support GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 60)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()

# The fonts the window tests see are only those that scripts/install-deps.sh
# installs, whatever else a machine has: a font set is a folder of links to
# those files and a fontconfig file that lists that folder alone.
#   design  Liberation Sans, the design's font, with DejaVu for what it lacks
#   dejavu  DejaVu only, the one font family of a minimal Debian system
set(WEXEL_FONT_FILES_dejavu
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf)
set(WEXEL_FONT_FILES_design
  /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-Italic.ttf
  /usr/share/fonts/truetype/liberation2/LiberationSans-BoldItalic.ttf
  ${WEXEL_FONT_FILES_dejavu})
set(WEXEL_FONT_SANS_design "Liberation Sans")
set(WEXEL_FONT_SANS_dejavu "DejaVu Sans")

function(wexel_font_set set)
  set(folder ${CMAKE_BINARY_DIR}/fonts/${set})
  file(REMOVE_RECURSE ${folder})
  file(MAKE_DIRECTORY ${folder}/files)
  foreach(font ${WEXEL_FONT_FILES_${set}})
    if(NOT EXISTS ${font})
      message(FATAL_ERROR "The window tests need ${font}: run scripts/install-deps.sh")
    endif()
    get_filename_component(file ${font} NAME)
    file(CREATE_LINK ${font} ${folder}/files/${file} SYMBOLIC)
  endforeach()
  set(sans "${WEXEL_FONT_SANS_${set}}")
  set(aliases "")
  foreach(generic sans-serif sans "Sans Serif" serif monospace)
    set(prefer "<family>${sans}</family><family>DejaVu Sans</family>")
    if(generic STREQUAL "monospace")
      set(prefer "<family>DejaVu Sans Mono</family>")
    endif()
    string(APPEND aliases "  <alias binding=\"same\"><family>${generic}</family><prefer>${prefer}</prefer></alias>\n")
  endforeach()
  file(WRITE ${folder}/fonts.conf
    "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
    "<fontconfig>\n  <dir>${folder}/files</dir>\n  <cachedir>${folder}/cache</cachedir>\n"
    "${aliases}</fontconfig>\n")
endfunction()

if(WEXEL_BUILD_TESTS AND WEXEL_BUILD_GUI)
  wexel_font_set(design)
  wexel_font_set(dejavu)
endif()

# wexel_qtest(<name> SOURCES <files...> LIBS <libs...> [TIMEOUT <seconds>]
#             [FONT_SETS <set...>]): window tests, headless, on two screens
# (tests/ui/screens.json), once under each font set (design by default); a
# run under another set than design is named <name>_<set>.
function(wexel_qtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;FONT_SETS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} wexel_test_support Qt6::Test Qt6::Widgets)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  if(NOT ARG_FONT_SETS)
    set(ARG_FONT_SETS design)
  endif()
  foreach(set ${ARG_FONT_SETS})
    set(test ${name})
    if(NOT set STREQUAL "design")
      set(test ${name}_${set})
    endif()
    add_test(NAME ${test} COMMAND ${name})
    set_tests_properties(${test} PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen:configfile=${PROJECT_SOURCE_DIR}/tests/ui/screens.json;FONTCONFIG_FILE=${CMAKE_BINARY_DIR}/fonts/${set}/fonts.conf;WEXEL_TEST_FONT_SET=${set}")
  endforeach()
endfunction()
