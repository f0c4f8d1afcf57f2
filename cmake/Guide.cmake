# The user guide: its pages in the source tree, and beside them in the build
# tree the folder "bilder/" with the pictures of the windows that the tests
# take, as the pages name them ("bilder/log-form.png").
set(MSS_GUIDE_SOURCE_DIR ${PROJECT_SOURCE_DIR}/docs/hilfe)
set(MSS_GUIDE_BUILD_DIR ${PROJECT_BINARY_DIR}/hilfe)
set(MSS_GUIDE_PICTURES_DIR ${MSS_GUIDE_BUILD_DIR}/bilder)
file(MAKE_DIRECTORY ${MSS_GUIDE_PICTURES_DIR})
