# The Debian packages, made by `cpack` in the build tree (scripts/package.sh): lorvane with the
# programs, the demo hack and the documents, and lorvane-dbgsym with the engine's debug file.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lorvane")
set(CPACK_PACKAGE_CONTACT "Lorvane maintainers <maintainers@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "picture screensaver engine, authors' tool and demo saver")
set(CPACK_PACKAGE_DESCRIPTION
    "Lorvane runs picture screensavers: still pictures and pictures whose water ripples under\n"
    "rain or snow, with cross-fades, music and sounds. lvtool builds savers; the demo saver is\n"
    "installed as an xscreensaver hack (add it with 'lvtool install-hack').")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dbgsym)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME lorvane)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "xscreensaver, timgm6mb-soundfont")

set(CPACK_DEBIAN_DBGSYM_PACKAGE_NAME lorvane-dbgsym)
set(CPACK_DEBIAN_DBGSYM_PACKAGE_SECTION debug)
set(CPACK_DEBIAN_DBGSYM_PACKAGE_DEPENDS "lorvane (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_DBGSYM_DESCRIPTION "debug symbols of the Lorvane screensaver engine")

include(CPack)
