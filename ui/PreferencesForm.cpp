// Gives the zelk_form object library a translation unit that includes the
// generated form header, so AUTOUIC generates it for the library and every
// build compiles it once with the project's warnings.
#include "PreferencesForm.h"
