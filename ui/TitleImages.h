#pragma once

#include "ui/PreferencesForm.h"

namespace ZelkNimbo {

// Shows the pages' title images in the resolution of the screen: on a screen
// scaled by more than one, the 2x artwork beside each image (name@2x), so the
// images are as sharp as the text. At scale 1 the form's images stay.
void showTitleImagesForScreen(Ui::PreferencesDialog& ui);

} // namespace ZelkNimbo
