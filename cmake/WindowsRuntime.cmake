# What the Windows programs need beside them, copied into the build tree's bin/ (so that the
# programs and the tests run from there under wine) and installed with them: the compiler's
# runtime, Qt with its platform, style and image plugins and its Japanese texts, SDL, Open JTalk
# with its dictionary, and the Japanese font. Windows finds a program's DLLs in its own folder,
# and qt.conf tells Qt where its plugins and texts are relative to it.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)
find_package(SDL2 REQUIRED CONFIG)

set(_bin ${TAPOMI_BUILD_BINDIR})
set(_runtime_copies)

# Copies FILE into DESTINATION (relative to the prefix: bin, bin/platforms, share/...) of the
# build tree, and installs it there.
function(tapomi_windows_runtime_file file destination)
  get_filename_component(name ${file} NAME)
  set(output ${PROJECT_BINARY_DIR}/${destination}/${name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${output}
    DEPENDS ${file}
    VERBATIM)
  set(_runtime_copies ${_runtime_copies} ${output} PARENT_SCOPE)
  install(FILES ${file} DESTINATION ${destination})
endfunction()

function(tapomi_target_file out_var target)
  get_target_property(location ${target} IMPORTED_LOCATION_RELEASE)
  if(NOT location)
    get_target_property(location ${target} IMPORTED_LOCATION)
  endif()
  if(NOT location)
    message(FATAL_ERROR "no file for ${target}")
  endif()
  set(${out_var} ${location} PARENT_SCOPE)
endfunction()

# The compiler's runtime, which the Qt and SDL DLLs use (the programs carry their own inside).
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "the compiler does not know ${dll}")
  endif()
  tapomi_windows_runtime_file(${path} bin)
endforeach()

foreach(module IN ITEMS Qt6::Core Qt6::Gui Qt6::Widgets SDL2::SDL2)
  tapomi_target_file(path ${module})
  tapomi_windows_runtime_file(${path} bin)
endforeach()
# The tests drive the windows through Qt Test on the offscreen platform.
if(TAPOMI_BUILD_TESTS)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  tapomi_target_file(path Qt6::Test)
  tapomi_windows_runtime_file(${path} bin)
endif()
foreach(plugin IN ITEMS QWindowsIntegrationPlugin:platforms QOffscreenIntegrationPlugin:platforms
                        QWindowsVistaStylePlugin:styles QJpegPlugin:imageformats
                        QGifPlugin:imageformats QICOPlugin:imageformats)
  string(REPLACE ":" ";" pieces ${plugin})
  list(GET pieces 0 name)
  list(GET pieces 1 folder)
  if(TARGET Qt6::${name})
    tapomi_target_file(path Qt6::${name})
    tapomi_windows_runtime_file(${path} bin/${folder})
  elseif(name STREQUAL "QWindowsIntegrationPlugin" OR name STREQUAL "QJpegPlugin")
    message(FATAL_ERROR "Qt for Windows lacks its ${name}")
  endif()
endforeach()
set(_qt_conf ${CMAKE_CURRENT_BINARY_DIR}/qt.conf)
file(WRITE ${_qt_conf} "[Paths]\nPrefix = ..\nPlugins = bin\nTranslations = share/qt6/translations\n")
tapomi_windows_runtime_file(${_qt_conf} bin)
# Qt's own Japanese texts (the folder dialog): the same file as Debian's, text is text.
tapomi_windows_runtime_file(/usr/share/qt6/translations/qtbase_ja.qm share/qt6/translations)

# Open JTalk, cross-built, and the dictionary Debian compiled for it (the same bytes on both
# systems), in share/tapomi/dic where the program looks for it.
file(GLOB _open_jtalk ${TAPOMI_WINDOWS_CACHE}/open-jtalk-*/bin/open_jtalk.exe)
if(NOT _open_jtalk)
  message(FATAL_ERROR "open_jtalk.exe is not in ${TAPOMI_WINDOWS_CACHE}: run scripts/windows-deps")
endif()
list(GET _open_jtalk 0 _open_jtalk)
tapomi_windows_runtime_file(${_open_jtalk} bin)
set(TAPOMI_OPEN_JTALK_DICTIONARY /var/lib/mecab/dic/open-jtalk/naist-jdic CACHE PATH
    "Open JTalk's compiled dictionary (Debian's open-jtalk-mecab-naist-jdic)")
file(GLOB _dictionary ${TAPOMI_OPEN_JTALK_DICTIONARY}/*)
if(NOT _dictionary)
  message(FATAL_ERROR "no Open JTalk dictionary in ${TAPOMI_OPEN_JTALK_DICTIONARY}")
endif()
foreach(file IN LISTS _dictionary)
  tapomi_windows_runtime_file(${file} ${TAPOMI_INSTALL_DATADIR}/dic)
endforeach()

# The Japanese fonts the windows are measured with, which Windows outside Japan lacks: IPA
# Gothic for the drill's fixed-width kana, IPA P Gothic for the proportional texts of the
# settings windows, which are laid out for it.
set(TAPOMI_IPA_GOTHIC_FOLDER /usr/share/fonts/opentype/ipafont-gothic CACHE PATH
    "IPA Gothic and IPA P Gothic (Debian's fonts-ipafont-gothic)")
foreach(file IN ITEMS ipag.ttf ipagp.ttf)
  tapomi_windows_runtime_file(${TAPOMI_IPA_GOTHIC_FOLDER}/${file} ${TAPOMI_INSTALL_DATADIR}/fonts)
endforeach()
tapomi_windows_runtime_file(/usr/share/doc/fonts-ipafont-gothic/copyright
  ${TAPOMI_INSTALL_DATADIR}/fonts)

add_custom_target(tapomi_windows_runtime ALL DEPENDS ${_runtime_copies})
