# The form definitions a saver gets when its author gives none (data/default_forms.lvu),
# compiled into lvtool so the tool works from any folder. Regenerated whenever the file changes.
set(LV_DEFAULT_FORMS_FILE ${PROJECT_SOURCE_DIR}/data/default_forms.lvu)
set(LV_DEFAULT_FORMS_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/generated/default_forms_text.cpp)
add_custom_command(
  OUTPUT ${LV_DEFAULT_FORMS_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${LV_DEFAULT_FORMS_FILE} -DOUTPUT=${LV_DEFAULT_FORMS_SOURCE}
          -DFUNCTION=DefaultFormsText -DNAMESPACE=lvtool -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
  DEPENDS ${LV_DEFAULT_FORMS_FILE} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
  COMMENT "Embedding the default form definitions"
  VERBATIM)
# lvtool is defined further down this directory's list file; attach the source once it exists.
cmake_language(DEFER CALL target_sources lvtool PRIVATE ${LV_DEFAULT_FORMS_SOURCE})
