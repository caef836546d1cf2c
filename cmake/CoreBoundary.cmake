# The core (program state, drill logic, data files, settings-window logic) must build and run
# without any toolkit, audio or speech library, so that it stays testable through fake views.
# Including a Qt or SDL header from a core source already fails, because the core targets do not
# carry those include paths; this check also fails the configuration as soon as a core target
# links such a library, directly or through another target.

set(TAPOMI_FORBIDDEN_IN_CORE "^(Qt6?::|SDL2|PkgConfig::(SDL2|ESPEAK|MECAB)|espeak|mecab)")

function(_tapomi_collect_links target out_var)
  set(seen ${${out_var}})
  get_target_property(direct ${target} LINK_LIBRARIES)
  get_target_property(iface ${target} INTERFACE_LINK_LIBRARIES)
  foreach(lib IN LISTS direct iface)
    if(NOT lib OR lib MATCHES "-NOTFOUND$" OR lib IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${lib})
    if(TARGET ${lib})
      get_target_property(aliased ${lib} ALIASED_TARGET)
      if(aliased)
        set(lib ${aliased})
      endif()
      _tapomi_collect_links(${lib} seen)
    endif()
  endforeach()
  set(${out_var} ${seen} PARENT_SCOPE)
endfunction()

function(tapomi_check_core_boundary)
  foreach(target IN LISTS ARGN)
    set(links "")
    _tapomi_collect_links(${target} links)
    foreach(lib IN LISTS links)
      if(lib MATCHES "${TAPOMI_FORBIDDEN_IN_CORE}")
        message(FATAL_ERROR "Core target '${target}' links '${lib}'. The core must stay free of "
                            "Qt, SDL and speech libraries; put platform code in an adapter target.")
      endif()
    endforeach()
  endforeach()
endfunction()
