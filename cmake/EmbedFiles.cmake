# Turns every file in resources/embed/ into a byte array in a generated source
# file, reachable through report/resources.h (EmbeddedResource).
function(vantor_embed_resources target)
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/embed/*)
  set(out ${CMAKE_BINARY_DIR}/generated/embedded_resources.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DFILES="${files}" -P ${CMAKE_SOURCE_DIR}/cmake/EmbedScript.cmake
    DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/EmbedScript.cmake
    COMMENT "Embedding resources")
  target_sources(${target} PRIVATE ${out})
endfunction()
