# Fails when an include runs upwards between the program's layers. From the
# bottom: the core (time, bodies, catalogues), the frame's seams (frame),
# the common controls and services (ui), the windows (sky, solar, graph,
# tools), and on top the shell, the one place that knows every window. A
# folder may include itself and the layers below it; windows may include
# each other.
set(windows sky solar graph tools)
set(layers
  core frame ui windows shell)
set(core_folders time bodies catalogues)
set(frame_folders frame)
set(ui_folders ui)
set(windows_folders ${windows})
set(shell_folders shell)

set(offenders "")
set(checked 0)
set(above "")
# From the top down, so that each layer knows the folders above it.
list(REVERSE layers)
foreach(layer IN LISTS layers)
  if(above)
    list(JOIN above "|" pattern)
    foreach(folder IN LISTS ${layer}_folders)
      file(GLOB_RECURSE files ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
      foreach(f IN LISTS files)
        math(EXPR checked "${checked} + 1")
        file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"(${pattern})/")
        if(lines)
          list(APPEND offenders "${f}: ${lines}")
        endif()
      endforeach()
    endforeach()
  endif()
  list(APPEND above ${${layer}_folders})
endforeach()
if(offenders)
  list(JOIN offenders "\n" text)
  message(FATAL_ERROR "Includes that run upwards:\n${text}")
endif()
message(STATUS "${checked} files below the shell checked, no include runs upwards")
