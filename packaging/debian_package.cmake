# `make deb`: the install above as a Debian package. The library dependencies are read from the
# executables (dpkg-shlibdeps); what they load at run time by name is listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tempovirens)
set(CPACK_PACKAGE_VENDOR Brimcove)
set(CPACK_PACKAGE_CONTACT "Brimcove <tempovirens@brimcove.hu>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.brimcove.hu/tempovirens/)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop calendar with Hungarian name days and alarms")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tempovirens sits on the desktop as a skinned calendar page: today's date,\n"
    "the week number and the day's names, a saying and a picture of the day, the\n"
    "coming events and a month grid. Behind it are a personal event table with\n"
    "alarms, the Hungarian public holidays and movable feasts, an event list and\n"
    "editor, a name-day search, settings with backup and restore, and a tray icon.\n"
    "\n"
    "The interface is Hungarian. The package also holds tempovirens-cli, the same\n"
    "calendar without a window, for scripts, status bars and wallpapers.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The first packaging of this version; the changelog is the package's (changelog.Debian).
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The skins name Liberation and DejaVu fonts; Qt finds them through fontconfig.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")
# A Wayland session runs the window natively with Qt's Wayland platform plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
