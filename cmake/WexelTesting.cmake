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

if(WEXEL_BUILD_TESTS AND WEXEL_BUILD_GUI AND NOT WIN32)
  wexel_font_set(design)
  wexel_font_set(dejavu)
endif()

# wexel_qtest(<name> SOURCES <files...> LIBS <libs...> [TIMEOUT <seconds>]
#             [VARIANTS <variant...>] [LATER_VARIANTS_RUN <function...>]): window
# tests, headless. Every variant but the first runs only the test functions
# LATER_VARIANTS_RUN names, when given: checks that hold for one font and
# scale alone run there, and nowhere skip. A variant is
# FONTS[:SCALE[:SCREENS]]: the font set (above), the scale of the display
# (1 by default: 96 dpi; 1.5 is 144 dpi) and the screens, "two"
# (tests/ui/screens.json: 1280x1024 beside 800x480, the default) or "small"
# (tests/ui/screens-1024.json: 1024x768).
# The test runs once per variant (design:1:two by default); every run but
# the first is named <name>_<fonts>[_x<scale>][_<screens>].
function(wexel_qtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;VARIANTS;LATER_VARIANTS_RUN" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} wexel_test_support Qt6::Test Qt6::Widgets)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  if(NOT ARG_VARIANTS)
    set(ARG_VARIANTS design)
  endif()
  set(first TRUE)
  foreach(variant ${ARG_VARIANTS})
    string(REPLACE ":" ";" parts ${variant})
    list(LENGTH parts count)
    list(GET parts 0 fonts)
    set(scale 1)
    set(screens two)
    if(count GREATER 1)
      list(GET parts 1 scale)
    endif()
    if(count GREATER 2)
      list(GET parts 2 screens)
    endif()
    set(test ${name})
    set(functions "")
    if(NOT first)
      set(functions ${ARG_LATER_VARIANTS_RUN})
      set(test ${name}_${fonts})
      if(NOT scale STREQUAL "1")
        string(REPLACE "." "" digits ${scale})
        set(test ${test}_x${digits})
      endif()
      if(NOT screens STREQUAL "two")
        set(test ${test}_${screens})
      endif()
    endif()
    set(first FALSE)
    set(config ${PROJECT_SOURCE_DIR}/tests/ui/screens.json)
    if(screens STREQUAL "small")
      set(config ${PROJECT_SOURCE_DIR}/tests/ui/screens-1024.json)
    endif()
    # The scale is the screens' dpi, as a desktop sets it (1.5: 144 dpi), so
    # that the program scales as it does on such a desktop.
    if(NOT scale STREQUAL "1")
      file(READ ${config} json)
      string(REGEX MATCH "^([0-9]+)\\.?([0-9]*)$" _ ${scale})
      set(whole ${CMAKE_MATCH_1})
      set(fraction "${CMAKE_MATCH_2}")
      math(EXPR dpi "96 * ${whole}")
      if(NOT fraction STREQUAL "")
        string(LENGTH ${fraction} places)
        string(REPEAT 0 ${places} zeros)
        math(EXPR dpi "${dpi} + 96 * ${fraction} / 1${zeros}")
      endif()
      string(JSON count LENGTH ${json} screens)
      math(EXPR last "${count} - 1")
      foreach(i RANGE ${last})
        string(JSON json SET ${json} screens ${i} logicalDpi ${dpi})
      endforeach()
      set(config ${CMAKE_BINARY_DIR}/tests/screens-${screens}-${dpi}dpi.json)
      file(WRITE ${config} ${json})
    endif()
    add_test(NAME ${test} COMMAND ${name} ${functions})
    set_tests_properties(${test} PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen:configfile=${config};FONTCONFIG_FILE=${CMAKE_BINARY_DIR}/fonts/${fonts}/fonts.conf;WEXEL_TEST_FONT_SET=${fonts}")
  endforeach()
endfunction()
