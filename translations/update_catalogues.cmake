# Brings the translation sources (<catalogue>_<code>.ts in TS_DIR) in step with
# the texts of the source folders: lupdate adds new texts as unfinished and
# marks texts that are gone as vanished (dropped with DROP_VANISHED=ON).
#
#   cmake -DLUPDATE=<lupdate> -DSOURCE_ROOT=<repository> -DTS_DIR=<folder>
#         -DLANGUAGES=fr,de,es [-DDROP_VANISHED=ON] -P update_catalogues.cmake
#
# Run by the update_translations target on the repository's own files, and by
# the completeness test on copies of them.
foreach(required LUPDATE SOURCE_ROOT TS_DIR LANGUAGES)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "update_catalogues.cmake needs -D${required}=...")
  endif()
endforeach()
string(REPLACE "," ";" languages "${LANGUAGES}")

# Each catalogue and the folders whose texts it holds. The preferences module's
# catalogue holds the form's texts (context "PreferencesDialog") and those its
# code adds; the player's holds the shell's.
set(catalogues ZNBPreferencesPlugin zelk-player)
set(ZNBPreferencesPlugin_folders ui plugin)
set(zelk-player_folders host/shell)

set(options -silent -locations none -source-language en)
if(DROP_VANISHED)
  list(APPEND options -no-obsolete)
endif()

foreach(catalogue ${catalogues})
  set(inputs)
  foreach(folder ${${catalogue}_folders})
    list(APPEND inputs "${SOURCE_ROOT}/${folder}")
  endforeach()
  set(outputs)
  foreach(language ${languages})
    list(APPEND outputs "${TS_DIR}/${catalogue}_${language}.ts")
  endforeach()
  # -I lets lupdate read the class declarations, so that a member defined
  # inside a namespace gets its full context ("ZelkNimbo::ZNBPreferencesPlugin").
  execute_process(COMMAND "${LUPDATE}" ${options} -I "${SOURCE_ROOT}" ${inputs} -ts ${outputs}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0 OR output MATCHES "Qualifying with unknown")
    message(FATAL_ERROR "lupdate failed for ${catalogue}:\n${output}")
  endif()
endforeach()
