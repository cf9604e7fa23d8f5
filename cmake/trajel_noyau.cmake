# The Qt-free core: core/, render/ and manoeuvre/ as one static library. Included by
# the program's project and by the fuzzing project, which builds it with clang.
add_library(trajel_noyau STATIC)
target_include_directories(trajel_noyau PUBLIC ${TRAJEL_RACINE})
foreach(dossier core render manoeuvre)
  add_subdirectory(${TRAJEL_RACINE}/${dossier} ${CMAKE_BINARY_DIR}/noyau/${dossier})
endforeach()
