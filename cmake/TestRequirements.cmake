# What the tests need from outside the project: programs, files, fonts and libraries, each with
# the Debian package that provides it (scripts/install-deps.sh installs them all). They are checked
# once when CMake configures the tests, and every missing one is named with its package, instead
# of turning up as a failed or skipped test deep in the run.
#
#   dotrix_require_program(VAR PACKAGE NAME...)  a program on PATH, any of the NAMEs; its path in VAR
#   dotrix_require_file(PACKAGE PATH)            a data file
#   dotrix_require_font(PACKAGE FAMILY)          a font family fontconfig knows
#   dotrix_require_found(PACKAGE WHAT FOUND)     a library CMake looked for (FOUND its _FOUND)
#   dotrix_check_requirements()                  stops the configuration when anything is missing

set_property(GLOBAL PROPERTY DOTRIX_MISSING_REQUIREMENTS "")

function(_dotrix_missing what package)
  set_property(GLOBAL APPEND PROPERTY DOTRIX_MISSING_REQUIREMENTS "  ${what}: Debian package ${package}")
endfunction()

function(dotrix_require_program var package)
  find_program(${var} NAMES ${ARGN})
  if(NOT ${var})
    list(JOIN ARGN " or " names)
    _dotrix_missing("program ${names}" ${package})
  endif()
endfunction()

function(dotrix_require_file package path)
  if(NOT EXISTS "${path}")
    _dotrix_missing("file ${path}" ${package})
  endif()
endfunction()

function(dotrix_require_font package family)
  if(NOT DOTRIX_FC_LIST)
    find_program(DOTRIX_FC_LIST fc-list)
  endif()
  set(found "")
  if(DOTRIX_FC_LIST)
    execute_process(COMMAND ${DOTRIX_FC_LIST} ":family=${family}" family OUTPUT_VARIABLE found
                    ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
  if(found STREQUAL "")
    _dotrix_missing("font \"${family}\"" ${package})
  endif()
endfunction()

function(dotrix_require_found package what found)
  if(NOT found)
    _dotrix_missing("${what}" ${package})
  endif()
endfunction()

function(dotrix_check_requirements)
  get_property(missing GLOBAL PROPERTY DOTRIX_MISSING_REQUIREMENTS)
  if(missing)
    list(JOIN missing "\n" lines)
    message(FATAL_ERROR "The tests need what these Debian packages provide, and it is not installed:\n"
                        "${lines}\n"
                        "Install them with scripts/install-deps.sh (or configure with -DDOTRIX_BUILD_TESTS=OFF).")
  endif()
endfunction()
