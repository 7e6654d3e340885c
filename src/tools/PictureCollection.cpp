#include "tools/PictureCollection.h"

namespace noctavo {

// No picture collection is read yet: nothing has a picture.
bool PictureFindForObject(const AstBody&) { return false; }

}  // namespace noctavo
