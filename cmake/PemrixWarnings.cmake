# The layers without Qt (core, driver, files, adapter) keep to stricter warnings: narrowing
# conversions, shadowed names, C casts and compiler extensions are cheap to avoid there and
# each one has hidden a real fault in code of this kind. The test command builds with
# PEMRIX_WARNINGS_AS_ERRORS, so none of them can come back unseen.
option(PEMRIX_WARNINGS_AS_ERRORS "Fail the build on a warning in core, driver, files and adapter"
  OFF)

function(pemrix_strict_warnings target)
  if(MSVC)
    return()
  endif()
  target_compile_options(${target} PRIVATE
    -Wconversion -Wsign-conversion -Wshadow -Wold-style-cast -Wpedantic)
  if(PEMRIX_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
