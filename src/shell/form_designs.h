// The designs of the console's two forms, as data kept with the forms: which controls exist,
// where they sit (twips), their captions, tab order and design settings.
#pragma once

#include "platform/controls/form_design.h"

namespace passaggio {

//! The console window: side bar, the five pages and their controls.
platform::controls::FormDesign designFRMMG_PASSAGGIO();
//! The field-exclusion dialog.
platform::controls::FormDesign designFRMMG_NOVALIDAZ();

}  // namespace passaggio
