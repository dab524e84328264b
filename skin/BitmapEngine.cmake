# The bitmap engine and drawing routines: drawing helpers, skin image
# composers and regions, layered popups, alpha and effect bitmaps, glow text,
# loaders, and the PNG image list.
add_library(vantrel_bitmap STATIC
  ${CMAKE_CURRENT_LIST_DIR}/bsUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bsUtilsImages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bsUtilsLayer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bsEffects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bsEffectsTransitions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bsEffectsGlow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bsEffectsLoaders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bsPngImageList.cpp
)
target_include_directories(vantrel_bitmap PRIVATE ${VANTREL_DEPS}/include)
target_link_libraries(vantrel_bitmap PUBLIC vantrel_platform vantrel_options comctl32 msimg32 gdi32 user32)
