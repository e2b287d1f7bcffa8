# Settings shared by every target of our own code.
add_library(sintonia_common INTERFACE)
target_compile_features(sintonia_common INTERFACE cxx_std_20)
target_compile_options(sintonia_common INTERFACE
  -Wall -Wextra -Werror -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  # GCC 12 reports overlapping copies inside std::string at -O3 that cannot happen (GCC bug
  # 105329): the warning stays shown, but it does not stop an optimised build.
  $<$<CXX_COMPILER_ID:GNU>:-Wno-error=restrict>)
# Program code spells out how text literals become QString; tests may write them plainly.
target_compile_definitions(sintonia_common INTERFACE
  $<IF:$<BOOL:$<TARGET_PROPERTY:SINTONIA_TEST>>,QT_RESTRICTED_CAST_FROM_ASCII,QT_NO_CAST_FROM_ASCII>
  QT_NO_CONTEXTLESS_CONNECT QT_NO_FOREACH)

if(SINTONIA_SANITIZE)
  target_compile_options(sintonia_common INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(sintonia_common INTERFACE -fsanitize=address,undefined)
  target_compile_definitions(sintonia_common INTERFACE _GLIBCXX_ASSERTIONS)
endif()
