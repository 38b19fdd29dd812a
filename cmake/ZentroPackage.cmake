# The Debian package, built by scripts/package with CPack. Its
# dependencies come from dpkg-shlibdeps reading the installed program.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentro)
set(CPACK_PACKAGE_VENDOR "The Zentro developers")
set(CPACK_PACKAGE_CONTACT ${ZENTRO_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "unified e-mail and instant-messaging desktop client")
set(CPACK_PACKAGE_DESCRIPTION
    "Zentro gathers mail and the contacts of four messaging networks in one\n program, shown from a strip at the top of the screen.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZENTRO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SECTION mail)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows ask for the classic UI faces, which the program maps onto the
# metric-compatible Liberation Sans; another face is wider and cuts
# captions off.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)
set(CPACK_STRIP_FILES ON)
# The autostart entry is the package's one file in /etc: an administrator
# may switch it on for everybody, and that edit survives upgrades.
file(WRITE ${CMAKE_BINARY_DIR}/debian/conffiles "/etc/xdg/autostart/${ZENTRO_APP_ID}.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Installed as `cmake --install` would with the prefix /usr, staged through
# DESTDIR, so that the autostart entry lands in /etc.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
