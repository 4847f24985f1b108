# The resources every Windows program of Vantrel carries besides its dialogs: a version
# resource with the project's version, and an application manifest with the program's
# execution level.

# vantrel_add_windows_resources(TARGET NAME DESCRIPTION MANIFEST_LEVEL)
#   NAME is the program's file name without ".exe" (VNTL, Setup, Uninstall), DESCRIPTION
#   its one-line description, MANIFEST_LEVEL asInvoker, highestAvailable or
#   requireAdministrator. Does nothing when not building for Windows.
function(vantrel_add_windows_resources target name description level)
  if(NOT WIN32)
    return()
  endif()
  if(NOT level MATCHES "^(asInvoker|highestAvailable|requireAdministrator)$")
    message(FATAL_ERROR "vantrel_add_windows_resources(${target}): unknown execution level "
                        "'${level}'")
  endif()

  # Version resources hold four numbers; the project gives three.
  set(VANTREL_RC_NAME "${name}")
  set(VANTREL_RC_DESCRIPTION "${description}")
  set(VANTREL_RC_LEVEL "${level}")
  set(VANTREL_RC_VERSION
      "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
  string(REPLACE "." "," VANTREL_RC_VERSION_COMMAS "${VANTREL_RC_VERSION}")
  set(VANTREL_RC_MANIFEST "${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest")
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")

  configure_file("${PROJECT_SOURCE_DIR}/resources/vntl.manifest.in" "${VANTREL_RC_MANIFEST}" @ONLY)
  configure_file("${PROJECT_SOURCE_DIR}/resources/version.rc.in" "${script}" @ONLY)
  target_sources(${target} PRIVATE "${script}")
  # windres reports no dependencies, so name the manifest the script embeds.
  set_source_files_properties("${script}" PROPERTIES OBJECT_DEPENDS "${VANTREL_RC_MANIFEST}")
endfunction()

# vantrel_add_installer_program(TARGET NAME DESCRIPTION SOURCES...)
#   Setup.exe or Uninstall.exe: a windowed program named NAME.exe from SOURCES (its entry
#   and its resource script) with the version resource and a manifest that asks for an
#   administrator's rights, since both write below HKEY_LOCAL_MACHINE and Program Files.
#   Does nothing when not building for Windows.
function(vantrel_add_installer_program target name description)
  if(NOT WIN32)
    return()
  endif()
  vantrel_add_executable(${target} WIN32 ${ARGN})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${name})
  vantrel_add_windows_resources(${target} ${name} "${description}" requireAdministrator)
endfunction()
