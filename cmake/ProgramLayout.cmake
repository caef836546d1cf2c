# The programs and the data that comes with them keep the same places relative to each other in
# the build tree as on an installed system: the programs in bin/, their data in share/tapomi/.
# A program finds its data from its own file, so it runs alike from the build tree, a staged
# install, an extracted package and the installed system.
include(GNUInstallDirs)

# How the program names itself to the desktop and the package system. The AppStream and desktop
# id stays as it is from now on: desktops remember applications by it (a pinned icon, the
# software centre). The menu entry's first name, org.example.tapomi.desktop, is kept as a hidden
# entry for anyone whose shortcut or script names it. The project has no web address yet: the
# reserved example.org domain stands in until it has one.
set(TAPOMI_APP_ID "io.github.tapomi.tapomi")
set(TAPOMI_OLD_APP_ID "org.example.tapomi")
set(TAPOMI_HOMEPAGE "https://tapomi.example.org" CACHE STRING "The project's web address")
set(TAPOMI_MAINTAINER "Tapomi developers <tapomi@example.org>" CACHE STRING
    "Maintainer of the Debian package")
# SPDX name of the program's own licence: it links espeak-ng (GPL-3.0-or-later), so the whole is
# GPL-3.0-or-later.
set(TAPOMI_LICENSE_SPDX "GPL-3.0-or-later")

set(TAPOMI_BUILD_BINDIR ${PROJECT_BINARY_DIR}/bin)
set(TAPOMI_BUILD_DATADIR ${PROJECT_BINARY_DIR}/share/tapomi)
set(TAPOMI_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/tapomi)

# One of the programs a user runs: built into bin/, installed into bin/, and never run from the
# build tree without its data beside it.
function(tapomi_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAPOMI_BUILD_BINDIR})
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  add_dependencies(${target} tapomi_program_data)
endfunction()

# Copies each file (absolute paths) into share/tapomi/SUBDIR of the build tree and installs it
# into the same place; appends the copies to the list named by out_var. Used in assets/, whose
# target tapomi_program_data makes the copies.
function(tapomi_program_data_files out_var subdir)
  # share/tapomi itself is named without a trailing "/.", which CMake 3.31 warns of.
  set(destination ${TAPOMI_INSTALL_DATADIR}/${subdir})
  set(build_folder ${TAPOMI_BUILD_DATADIR}/${subdir})
  if(subdir STREQUAL ".")
    set(destination ${TAPOMI_INSTALL_DATADIR})
    set(build_folder ${TAPOMI_BUILD_DATADIR})
  endif()
  set(outputs ${${out_var}})
  foreach(file IN LISTS ARGN)
    get_filename_component(name ${file} NAME)
    set(output ${build_folder}/${name})
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${output}
      DEPENDS ${file}
      VERBATIM)
    list(APPEND outputs ${output})
  endforeach()
  install(FILES ${ARGN} DESTINATION ${destination})
  set(${out_var} ${outputs} PARENT_SCOPE)
endfunction()
