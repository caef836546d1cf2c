# The Debian package, made from the install rules by cpack's DEB generator (scripts/package).
# Its dependencies are the libraries the programs link, found by dpkg-shlibdeps, and what they
# need at run time without linking it: the libraries they open themselves, the speech programs
# and dictionaries, and the font. It is named after the release it is built on (DebianRelease).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tapomi)
set(CPACK_PACKAGE_VENDOR "Tapomi developers")
set(CPACK_PACKAGE_CONTACT "${TAPOMI_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_VERSION "${TAPOMI_PACKAGE_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TAPOMI_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the programs need without linking it, which dpkg-shlibdeps therefore does not see: the
# libraries they open when first needed (the records' SQLite, SDL's sound, espeak-ng and MeCab),
# named as this release names them; the speech programs, dictionaries and font;
# qt6-translations-l10n, Qt's own Japanese texts in the launcher's folder dialog (its column
# headings, menus and tool tips); qt6-image-formats-plugins, the WebP and TIFF readers, so that
# the teacher's tools can make a .jpg copy of such a picture.
set(runtime_dependencies)
foreach(soname IN ITEMS libsqlite3.so.0 libSDL2-2.0.so.0 libespeak-ng.so.1 libmecab.so.2)
  tapomi_debian_runtime_dependency(dependency ${soname})
  list(APPEND runtime_dependencies "${dependency}")
endforeach()
list(APPEND runtime_dependencies open-jtalk open-jtalk-mecab-naist-jdic espeak-ng-data
  mecab-ipadic-utf8 fonts-ipafont-gothic qt6-translations-l10n qt6-image-formats-plugins)
list(JOIN runtime_dependencies ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# The first line is the synopsis; cpack indents the rest and marks the blank line as a break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"picture-card typing drill in Japanese kana for children
Tapomi (タポミ) shows one picture at a time and speaks its name; the child
types the name in kana, hears every kana, and Enter judges the word with a
big mark, a sound and a spoken sentence. It is made for children who type on
the Talking Aid (トーキングエイド) communication keyboard, and also works with
the JIS kana layout.

The menu entry opens the teacher's window: the children, a folder of
pictures named with hiragana words for each (sample cards come with the
program), and for each child a practice record kept on the computer, with a
report of days, words mastered and kana confused, exported as CSV or PDF.
The voice is the HTS voice tohoku-f01 (CC BY 4.0) spoken by Open JTalk.")
include(CPack)
