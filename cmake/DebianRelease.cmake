# The Debian release the package is built for: the package is built on that release, against its
# libraries, and carries its number in its version (0.1.0~deb13), so that a package built for a
# newer release replaces one built for an older release when the computer is upgraded. On a
# system that names no Debian release number (testing, unstable, another distribution) the
# version is the project's own and the change log names unstable.
set(_tapomi_os_id "")
set(_tapomi_os_version "")
set(_tapomi_os_codename "")
if(EXISTS /etc/os-release)
  file(STRINGS /etc/os-release _tapomi_os_lines)
  foreach(_line IN LISTS _tapomi_os_lines)
    if(_line MATCHES "^ID=\"?([^\"]*)\"?$")
      set(_tapomi_os_id "${CMAKE_MATCH_1}")
    elseif(_line MATCHES "^VERSION_ID=\"?([0-9]+)\"?$")
      set(_tapomi_os_version "${CMAKE_MATCH_1}")
    elseif(_line MATCHES "^VERSION_CODENAME=\"?([^\"]*)\"?$")
      set(_tapomi_os_codename "${CMAKE_MATCH_1}")
    endif()
  endforeach()
endif()
if(_tapomi_os_id STREQUAL "debian" AND _tapomi_os_version AND _tapomi_os_codename)
  set(_tapomi_suffix "~deb${_tapomi_os_version}")
  set(_tapomi_distribution "${_tapomi_os_codename}")
else()
  set(_tapomi_suffix "")
  set(_tapomi_distribution "unstable")
endif()
set(TAPOMI_PACKAGE_VERSION "${PROJECT_VERSION}${_tapomi_suffix}" CACHE STRING
    "Version of the Debian package (the project's, and ~debNN of the release it is built for)")
set(TAPOMI_PACKAGE_DISTRIBUTION "${_tapomi_distribution}" CACHE STRING
    "The distribution the package's change log names")

# The dependency that dpkg-shlibdeps would write for a library that the programs open only when
# they need it (dlopen), which it cannot see: the package of this system that holds SONAME, at the
# version its shlibs file asks for ("libsdl2-2.0-0 (>= 2.26.5+dfsg)"). So the name and version are
# the release's own (Debian 13 renamed some libraries in its 64-bit time transition).
function(tapomi_debian_runtime_dependency out_var soname)
  execute_process(COMMAND dpkg-query -S "*/${soname}"
    OUTPUT_VARIABLE owners RESULT_VARIABLE status ERROR_QUIET)
  if(NOT status EQUAL 0 OR NOT owners MATCHES "^([^:, \n]+)(:[a-z0-9]+)?[:,]")
    message(FATAL_ERROR "No installed Debian package holds ${soname}: run scripts/bootstrap")
  endif()
  set(package "${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
  execute_process(COMMAND dpkg-query --control-show "${package}" shlibs
    OUTPUT_VARIABLE shlibs RESULT_VARIABLE status ERROR_QUIET)
  string(REGEX REPLACE "\\.so\\.([^.]+)$" " \\1 " library_and_version "${soname}")
  string(REPLACE "\n" ";" shlibs_lines "${shlibs}")
  foreach(line IN LISTS shlibs_lines)
    string(FIND "${line}" "${library_and_version}" at)
    if(at EQUAL 0)
      string(LENGTH "${library_and_version}" length)
      string(SUBSTRING "${line}" ${length} -1 dependency)
      string(STRIP "${dependency}" dependency)
      set(${out_var} "${dependency}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "The shlibs file of ${package} does not name ${soname}")
endfunction()
