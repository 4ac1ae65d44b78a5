#include "ui/TForm1.h"

namespace quillon {

// Saving to disk and the single-file rename arrive with the disk layer's
// rename support.
void TForm1::SaveToDisk_ButtonClick() {}

void TForm1::Rename_FileClick() {}

} // namespace quillon
