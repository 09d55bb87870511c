# dotrix_add_font: a font of exactly the characters a program's own sources show, made by
# dotrix-cli at build time and made again when a collected source, a list or the font's face
# changes (dotrix-cli names them all in a dependency file), and only then.
#
#   dotrix_add_font(<target> <name> FORMAT lvgl|bdf|ubin COLLECT <path>...
#                   [FONT <family>] [PX <pixels>] [BPP <1|2|4|8>] [ALSO <text>...]
#                   [ALSO_LIST <file>] [OPTIONS <dotrix-cli option>...] [OUTPUT <variable>])
#
# The font is written as <name>.c (lvgl), <name>.bdf or <name>.ubin in the current binary folder
# and added to <target>'s sources: an LVGL font is compiled into the target (declare it with
# LV_FONT_DECLARE(<name>)); a BDF or Unicode-keyed file is made before the target is built.
# OUTPUT names a variable that gets the font file's path. COLLECT paths and ALSO_LIST are taken
# from the current source folder when relative. OPTIONS pass any other dotrix-cli option
# (--size 16x16, --offset 0,1, --collect-encoding cp936, ...).

if(CMAKE_VERSION VERSION_LESS 3.20)
  message(FATAL_ERROR "dotrix_add_font needs CMake 3.20 or later (dependency files with every generator)")
endif()
# Paths in dependency files are taken as they are written (absolute here).
cmake_policy(SET CMP0116 NEW)

function(dotrix_add_font target name)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "FORMAT;FONT;PX;BPP;ALSO_LIST;OUTPUT" "COLLECT;ALSO;OPTIONS")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "dotrix_add_font(${target} ${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT TARGET ${target})
    message(FATAL_ERROR "dotrix_add_font: there is no target ${target} to add the font ${name} to")
  endif()
  if(arg_FORMAT STREQUAL "lvgl")
    set(suffix .c)
  elseif(arg_FORMAT STREQUAL "bdf")
    set(suffix .bdf)
  elseif(arg_FORMAT STREQUAL "ubin")
    set(suffix .ubin)
  else()
    message(FATAL_ERROR "dotrix_add_font(${target} ${name}): FORMAT is lvgl, bdf or ubin, not '${arg_FORMAT}'")
  endif()
  if(NOT arg_COLLECT)
    message(FATAL_ERROR "dotrix_add_font(${target} ${name}): COLLECT names the files and folders to take the characters from")
  endif()

  set(out ${CMAKE_CURRENT_BINARY_DIR}/${name}${suffix})
  set(command $<TARGET_FILE:Dotrix::dotrix-cli> --export ${arg_FORMAT} --out ${out} --depfile ${out}.d)
  if(arg_FORMAT STREQUAL "lvgl")
    list(APPEND command --font-name ${name})
  endif()
  foreach(option FONT PX BPP)
    if(DEFINED arg_${option})
      string(TOLOWER ${option} word)
      list(APPEND command --${word} ${arg_${option}})
    endif()
  endforeach()
  foreach(path IN LISTS arg_COLLECT)
    cmake_path(ABSOLUTE_PATH path BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE)
    list(APPEND command --collect ${path})
  endforeach()
  if(arg_ALSO)
    list(JOIN arg_ALSO "" also)
    list(APPEND command --also ${also})
  endif()
  if(DEFINED arg_ALSO_LIST)
    cmake_path(ABSOLUTE_PATH arg_ALSO_LIST BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE)
    list(APPEND command --also-list ${arg_ALSO_LIST})
  endif()
  list(APPEND command ${arg_OPTIONS})

  add_custom_command(OUTPUT ${out}
    COMMAND ${command}
    DEPFILE ${out}.d
    DEPENDS $<TARGET_FILE:Dotrix::dotrix-cli>
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    COMMENT "Making the ${arg_FORMAT} font ${name} of the characters in ${arg_COLLECT}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
  if(DEFINED arg_OUTPUT)
    set(${arg_OUTPUT} ${out} PARENT_SCOPE)
  endif()
endfunction()
