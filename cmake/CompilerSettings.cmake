# Warnings and sanitizers shared by every target of the project.
add_library(qe2m4_settings INTERFACE)
target_compile_options(qe2m4_settings INTERFACE -Wall -Wextra)
if(QE2M4_SANITIZE)
  target_compile_options(qe2m4_settings INTERFACE -fsanitize=address,undefined
                                                  -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(qe2m4_settings INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
