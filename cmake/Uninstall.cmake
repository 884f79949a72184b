# cmake -DMANIFEST=install_manifest.txt -P Uninstall.cmake: removes every file and link the
# install listed, under $DESTDIR as the install did (the manifest leaves DESTDIR out). Folders
# stay: others may share them (the hicolor theme, man1, applications).
if(NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} is missing (run the install first)")
endif()
file(STRINGS "${MANIFEST}" installed)
foreach(listed IN LISTS installed)
    set(path "$ENV{DESTDIR}${listed}")
    if(EXISTS "${path}" OR IS_SYMLINK "${path}")
        message(STATUS "Removing ${path}")
        file(REMOVE "${path}")
    endif()
endforeach()
file(REMOVE "${MANIFEST}")
